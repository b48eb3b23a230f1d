#include "motor/recoverystore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <exception>

#include "dataserver/binarystream.h"
#include "dataserver/dsv.h"
#include "dataserver/durablefile.h"
#include "dataserver/sectionfile.h"
#include "motor/proposalfile.h"
#include "platform/userdatafolder.h"

namespace {

constexpr char kLockSuffix[] = ".lock";
constexpr char kNoteSuffix[] = ".info";
constexpr char kCopySuffix[] = ".PCD";
const QString kQuotationFileKey = QStringLiteral("quotationFile");

std::string LocalName(const QString& fileName) {
  return QFile::encodeName(fileName).toStdString();
}

// Takes a slot's lock unless a running program holds it. A lock whose process is gone is
// removed first: by its process id, and where that id was given to another process since (a
// container starts every program under the same few ids), by the system's own lock on the
// file, which dies with the process that held it.
std::shared_ptr<QLockFile> Claim(const QString& lockFile) {
  auto lock = std::make_shared<QLockFile>(lockFile);
  // Age says nothing here: a program may run for days.
  lock->setStaleLockTime(0);
  if (lock->tryLock(0))
    return lock;
  if (lock->error() != QLockFile::LockFailedError || !lock->removeStaleLockFile())
    return nullptr;
  return lock->tryLock(0) ? lock : nullptr;
}

// The note of a copy: {"quotationFile": ...}.
QString ReadNote(const QString& noteFile) {
  QFile file(noteFile);
  if (!file.open(QIODevice::ReadOnly))
    return QString();
  return QJsonDocument::fromJson(file.read(64 * 1024)).object().value(kQuotationFileKey).toString();
}

}  // namespace

TRecoveryStore::TRecoveryStore(const QString& folder) : folder_(QDir::cleanPath(folder)) {}

TRecoveryStore::~TRecoveryStore() = default;

QString TRecoveryStore::DefaultFolder() {
  const QString user = UserDataFolder();
  return user.isEmpty() ? QString() : user + QStringLiteral("/Recovery");
}

QString TRecoveryStore::PathOf(const QString& slot, const char* suffix) const {
  return folder_ + QLatin1Char('/') + slot + QLatin1String(suffix);
}

bool TRecoveryStore::Start() {
  if (lock_ != nullptr)
    return true;
  if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
    error_ = QStringLiteral("the folder %1 cannot be created").arg(folder_);
    return false;
  }
  // The time, the process id and a random number make the slot unique among this user's
  // programs.
  slot_ = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmsszzz")) +
          QLatin1Char('-') + QString::number(QCoreApplication::applicationPid()) +
          QLatin1Char('-') + QString::number(QRandomGenerator::global()->bounded(1 << 16), 16);
  auto lock = std::make_unique<QLockFile>(PathOf(slot_, kLockSuffix));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    error_ = QStringLiteral("the lock file in %1 cannot be created").arg(folder_);
    return false;
  }
  lock_ = std::move(lock);
  return true;
}

QString TRecoveryStore::CopyFile() const {
  return lock_ == nullptr ? QString() : PathOf(slot_, kCopySuffix);
}

bool TRecoveryStore::WriteNote(const QString& noteFile, const QString& quotationFile) {
  QJsonObject note;
  note.insert(kQuotationFileKey, quotationFile);
  const QByteArray text = QJsonDocument(note).toJson(QJsonDocument::Compact);
  try {
    WriteFileAtomically(LocalName(noteFile), std::vector<std::uint8_t>(text.begin(), text.end()));
  } catch (const std::exception& error) {
    error_ = QString::fromLocal8Bit(error.what());
    return false;
  }
  noted_ = quotationFile;
  return true;
}

bool TRecoveryStore::WriteCopy() {
  // The copy only ever holds the one section, so the Data Server's own save replaces it in one
  // durable step (one flush of the file and one of the folder, where a save beside a fresh name
  // would take two of each).
  const QByteArray name = QFile::encodeName(CopyFile());
  try {
    return DsvSaveSection(name.constData(), kProposalSection) == 0;
  } catch (const EReadError&) {
    // The old copy cannot be read (a disk error): it holds nothing worth keeping.
  } catch (const std::exception& error) {
    error_ = QString::fromLocal8Bit(error.what());
    return false;
  }
  QFile::remove(CopyFile());
  try {
    return DsvSaveSection(name.constData(), kProposalSection) == 0;
  } catch (const std::exception& error) {
    error_ = QString::fromLocal8Bit(error.what());
    return false;
  }
}

bool TRecoveryStore::Write(const QString& quotationFile) {
  error_.clear();
  if (lock_ == nullptr) {
    error_ = QStringLiteral("no recovery folder");
    return false;
  }
  // The note first, and only when it changes: a copy on the disk always has the note of its
  // quotation. The copy's own time says when it was written.
  if ((!noted_.has_value() || *noted_ != quotationFile) &&
      !WriteNote(PathOf(slot_, kNoteSuffix), quotationFile)) {
    return false;
  }
  if (!WriteCopy()) {
    if (error_.isEmpty())
      error_ = QStringLiteral("%1 could not be written").arg(CopyFile());
    return false;
  }
  return true;
}

void TRecoveryStore::Remove() {
  if (lock_ == nullptr)
    return;
  // The copy before its note, the reverse of writing.
  QFile::remove(PathOf(slot_, kCopySuffix));
  QFile::remove(PathOf(slot_, kNoteSuffix));
  noted_.reset();
}

bool TRecoveryStore::HasCopy() const {
  return lock_ != nullptr && QFileInfo::exists(CopyFile());
}

std::vector<TLeftCopy> TRecoveryStore::ClaimLeftCopies() {
  std::vector<TLeftCopy> copies;
  const QDir folder(folder_);
  QSet<QString> slotNames;
  // The suffixes are compared here rather than given to the folder as name patterns, which
  // would start the regular expression compiler for this one listing. As patterns, without
  // regard to case.
  for (const QString& name : folder.entryList(QDir::Files)) {
    for (const char* suffix : {kLockSuffix, kNoteSuffix, kCopySuffix}) {
      if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
        slotNames.insert(name.section(QLatin1Char('.'), 0, 0));
        break;
      }
    }
  }
  slotNames.remove(slot_);
  for (const QString& slot : slotNames) {
    std::shared_ptr<QLockFile> lock = Claim(PathOf(slot, kLockSuffix));
    if (lock == nullptr)
      continue;  // its program is running
    TLeftCopy copy;
    copy.Slot = slot;
    copy.CopyFile = PathOf(slot, kCopySuffix);
    copy.Lock = lock;
    if (!QFileInfo::exists(copy.CopyFile)) {
      // A note (or a lock) without a copy holds nothing to recover.
      QFile::remove(PathOf(slot, kNoteSuffix));
      Release(copy);
      continue;
    }
    copy.Written = QFileInfo(copy.CopyFile).lastModified();
    copy.QuotationFile = ReadNote(PathOf(slot, kNoteSuffix));
    copies.push_back(std::move(copy));
  }
  std::sort(copies.begin(), copies.end(),
            [](const TLeftCopy& a, const TLeftCopy& b) { return a.Written > b.Written; });
  return copies;
}

bool TRecoveryStore::IsIntact(const QString& copyFile) {
  try {
    TBinaryReader in;
    if (!in.Open(LocalName(copyFile)))
      return false;
    for (const TSectionDirectoryEntry& entry : ReadSectionDirectory(in)) {
      if (SectionNamesEqual(entry.Name, kProposalSection)) {
        ReadSectionRecords(in, entry.Position);  // raises on damage
        return true;
      }
    }
  } catch (const std::exception&) {
  }
  return false;
}

void TRecoveryStore::Adopted(TLeftCopy& copy) {
  QFile::remove(copy.CopyFile);
  QFile::remove(PathOf(copy.Slot, kNoteSuffix));
  Release(copy);
}

QString TRecoveryStore::MoveAside(TLeftCopy& copy) {
  const QString discarded = folder_ + QStringLiteral("/Discarded");
  QString target = discarded + QLatin1Char('/') + copy.Slot + QLatin1String(kCopySuffix);
  if (!QDir().mkpath(discarded) || QFileInfo::exists(target) ||
      !RenameDurably(LocalName(copy.CopyFile), LocalName(target))) {
    Release(copy);
    return QString();
  }
  const QString note = PathOf(copy.Slot, kNoteSuffix);
  if (QFileInfo::exists(note) &&
      !RenameDurably(LocalName(note), LocalName(discarded + QLatin1Char('/') + copy.Slot +
                                                QLatin1String(kNoteSuffix)))) {
    QFile::remove(note);
  }
  Release(copy);
  // Dated by when it was declined, so that the copy just moved aside is among the newest and
  // the oldest declined ones go first.
  QFile moved(target);
  if (moved.open(QIODevice::ReadWrite))
    moved.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
  moved.close();
  // The newest few are kept; the rest were declined long ago.
  const QFileInfoList kept =
      QDir(discarded).entryInfoList({QStringLiteral("*.PCD")}, QDir::Files, QDir::Time);
  for (int i = kDiscardedKept; i < kept.size(); ++i) {
    QFile::remove(kept[i].filePath());
    QFile::remove(discarded + QLatin1Char('/') + kept[i].completeBaseName() +
                  QLatin1String(kNoteSuffix));
  }
  return target;
}

void TRecoveryStore::Release(TLeftCopy& copy) {
  if (copy.Lock != nullptr)
    copy.Lock->unlock();
  copy.Lock.reset();
}
