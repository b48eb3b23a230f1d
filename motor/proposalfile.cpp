#include "motor/proposalfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <exception>

#include "dataserver/dsv.h"
#include "dataserver/durablefile.h"
#include "dataserver/status.h"

namespace {

// A name in the target's folder that no file has: the new file must be written on the same
// file system as the old one for the rename to replace it in one step.
QString FreshNameBeside(const QString& fileName) {
  QTemporaryFile reserve(fileName + QStringLiteral(".XXXXXX"));
  reserve.setAutoRemove(true);
  if (!reserve.open())
    return QString();
  return reserve.fileName();  // removed when `reserve` goes; the Data Server creates it afresh
}

}  // namespace

DsvStatus LoadProposalFile(const QString& fileName) {
  try {
    return DsvLoadSection(QFile::encodeName(fileName).constData(), kProposalSection);
  } catch (const std::exception&) {
    return dsv_status::kInternalError;
  }
}

DsvStatus SaveProposalFile(const QString& fileName) {
  const QString fresh = FreshNameBeside(fileName);
  if (fresh.isEmpty())
    return dsv_status::kOpenError;
  try {
    // A file that does not exist yet receives the one section alone, as a new quotation file.
    DsvStatus status = DsvSaveSection(QFile::encodeName(fresh).constData(), kProposalSection);
    if (status != 0) {
      QFile::remove(fresh);
      return status;
    }
  } catch (const std::exception&) {
    QFile::remove(fresh);
    return dsv_status::kOpenError;
  }
  // The saved file keeps the permissions the user gave the old one.
  if (QFileInfo::exists(fileName))
    QFile::setPermissions(fresh, QFile::permissions(fileName));
  // The fresh file is on the disk already; the rename and the folder follow it there.
  if (!RenameDurably(QFile::encodeName(fresh).toStdString(),
                     QFile::encodeName(fileName).toStdString())) {
    QFile::remove(fresh);
    return dsv_status::kOpenError;
  }
  return dsv_status::kOk;
}

QString ProposalFileProblem(const QString& fileName, DsvStatus status, bool saving) {
  const QFileInfo file(fileName);
  const QFileInfo folder(file.absolutePath());
  QString reason;
  if (!saving) {
    if (!file.exists())
      reason = QStringLiteral("the file does not exist");
    else if (file.isDir())
      reason = QStringLiteral("it is a folder, not a file");
    else if (!file.isReadable())
      reason = QStringLiteral("you do not have permission to read it");
    else if (file.size() == 0)
      reason = QStringLiteral("the file is empty");
    else if (status == dsv_status::kInternalError)
      reason = QStringLiteral("it is not a quotation file, or it is damaged");
    else
      reason = QStringLiteral("it could not be read [Error : %1]").arg(status);
  } else {
    if (!folder.isDir())
      reason = QStringLiteral("its folder does not exist");
    else if (file.isDir())
      reason = QStringLiteral("it is a folder, not a file");
    else if (ProposalFileReadOnly(fileName))
      reason = QStringLiteral("the file is read-only");
    else if (!folder.isWritable())
      reason = QStringLiteral("you do not have permission to write in its folder");
    else
      reason =
          QStringLiteral("it could not be written; the disk may be full [Error : %1]").arg(status);
  }
  return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.absoluteFilePath()), reason);
}

bool ProposalFileReadOnly(const QString& fileName) {
  const QFileInfo file(fileName);
  if (!file.exists() || file.isDir())
    return false;
  // The mode bits too: the system's administrator may write any file, yet a file nobody is
  // meant to write is still read-only.
  const QFile::Permissions permissions = file.permissions();
  return !(permissions & QFile::WriteUser) ||
         !(permissions & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}
