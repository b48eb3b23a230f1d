#include "tools/install/demoinstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/settingsstore.h"
#include "settings/optionkeys.h"

namespace {

using namespace OptionKeys;

const char* const kDictionaryFiles[] = {"Struct.BIN", "Lists.BIN", "Exports.BIN"};
const char* const kEngineFiles[] = {"PlanName.Dat", "Choice.Dat", "OccupMap.bin"};
constexpr qint32 kApplicationNumber = 1;  // the program always opens application 1

class TInstallError {
 public:
  explicit TInstallError(QString text) : Text(std::move(text)) {}
  QString Text;
};

void Require(const QString& file) {
  if (!QFileInfo(file).isFile())
    throw TInstallError(QStringLiteral("the demo installation lacks %1").arg(file));
}

// Replaces target with a copy of source.
void CopyFile(const QString& source, const QString& target, bool executable = false) {
  QFile::remove(target);
  if (!QFile::copy(source, target))
    throw TInstallError(QStringLiteral("cannot copy %1 to %2").arg(source, target));
  QFile::Permissions permissions =
      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
  if (executable)
    permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
  QFile::setPermissions(target, permissions);
}

// Whether both files exist and hold the same bytes.
bool SameContent(const QString& first, const QString& second) {
  QFile a(first), b(second);
  if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
    return false;
  return a.readAll() == b.readAll();
}

void MakeFolder(const QString& folder) {
  if (!QDir().mkpath(folder))
    throw TInstallError(QStringLiteral("cannot create the folder %1").arg(folder));
}

// The dictionary version both dictionary files start with; they must agree.
qint32 DictionaryVersion(const QString& dictionaryFolder) {
  qint32 versions[2] = {0, 0};
  const char* const names[2] = {"Struct.BIN", "Lists.BIN"};
  for (int i = 0; i < 2; ++i) {
    QFile file(dictionaryFolder + QLatin1Char('/') + QLatin1String(names[i]));
    uchar bytes[4];
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char*>(bytes), 4) != 4)
      throw TInstallError(QStringLiteral("cannot read %1").arg(file.fileName()));
    versions[i] = static_cast<qint32>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                      (static_cast<quint32>(bytes[3]) << 24));
  }
  if (versions[0] != versions[1])
    throw TInstallError(QStringLiteral("Struct.BIN and Lists.BIN carry different versions"));
  if ((versions[0] >> 16) != kApplicationNumber)
    throw TInstallError(
        QStringLiteral("the dictionary is not for application %1").arg(kApplicationNumber));
  return versions[0] & 0xFFFF;
}

QString ExistingInstallation() {
  TSettingsStore store;
  for (const auto& [key, name] :
       {std::pair(kDictionary, kDictionaryPath), std::pair(kQuoteEngine, kPath)}) {
    std::optional<QString> folder = store.ReadText(key, name);
    if (folder && !folder->isEmpty())
      return *folder;
  }
  return QString();
}

void WriteSettings(qint32 version, const QString& dictionaryFolder, const QString& engineFolder,
                   const QDate& today) {
  TSettingsStore store;
  bool ok =
      store.CreateKey(kDictionary) && store.CreateKey(kQuoteEngine) && store.CreateKey(kHelp) &&
      store.WriteInteger(kDictionary, kApplicationVersion, version) &&
      store.WriteText(kDictionary, kDictionaryPath, dictionaryFolder) &&
      store.WriteText(kQuoteEngine, kPath, engineFolder) &&
      store.WriteInteger(kQuoteEngine, kExpiryDate, DayNumber(today.addYears(1))) &&
      store.WriteText(kQuoteEngine, kRatesNotify, kYes) &&
      store.WriteText(kHelp, kHintsActive, kYes) && store.WriteText(kHelp, kShowFirstHelp, kYes);
  if (!ok)
    throw TInstallError(QStringLiteral("cannot write the settings"));
}

}  // namespace

qint32 DayNumber(const QDate& date) {
  return static_cast<qint32>(QDate(1899, 12, 30).daysTo(date));
}

bool FindDemoSource(const QString& programFolder, const QString& buildTreeDemo,
                    TDemoInstallRequest& request) {
  QDir program(programFolder);
  QString installed = program.absoluteFilePath(QStringLiteral("../share/quillmarsh/demo"));
  if (QFileInfo(installed + QStringLiteral("/dictionary/Struct.BIN")).isFile()) {
    request.Source = QDir::cleanPath(installed);
    request.EngineProgram = QDir::cleanPath(
        program.absoluteFilePath(QStringLiteral("../libexec/quillmarsh/QuoForm1.pif")));
    return true;
  }
  if (!buildTreeDemo.isEmpty() &&
      QFileInfo(buildTreeDemo + QStringLiteral("/dictionary/Struct.BIN")).isFile()) {
    request.Source = QDir::cleanPath(buildTreeDemo);
    request.EngineProgram = request.Source + QStringLiteral("/engine/QuoForm1.pif");
    return true;
  }
  return false;
}

TDemoInstallResult InstallDemo(const TDemoInstallRequest& request) {
  TDemoInstallResult result;
  try {
    QString existing = ExistingInstallation();
    if (!existing.isEmpty() && !request.Force) {
      result.Outcome = TDemoInstallOutcome::AlreadyInstalled;
      result.Lines << QStringLiteral("An installation already exists (%1); it is left as it is.")
                          .arg(existing)
                   << QStringLiteral("Run with --force to replace its settings.");
      return result;
    }
    const QString source = QDir::cleanPath(request.Source);
    for (const char* name : kDictionaryFiles)
      Require(source + QStringLiteral("/dictionary/") + QLatin1String(name));
    for (const char* name : kEngineFiles)
      Require(source + QStringLiteral("/engine/") + QLatin1String(name));
    Require(source + QStringLiteral("/TTHelp.dat"));
    Require(request.EngineProgram);
    qint32 version = DictionaryVersion(source + QStringLiteral("/dictionary"));
    // The program looks for its hint file in its own folder; a packaged program has it there
    // already, and its folder (shared by every user, owned by the package manager) is left
    // alone then. Checked before anything is copied.
    const QString hints =
        QDir(request.ProgramFolder).absoluteFilePath(QStringLiteral("TTHelp.dat"));
    QFileInfo programFolder(request.ProgramFolder);
    bool placeHints = programFolder.isDir() && programFolder.isWritable() &&
                      !SameContent(source + QStringLiteral("/TTHelp.dat"), hints);
    if (!placeHints && !QFileInfo(hints).isFile())
      throw TInstallError(QStringLiteral("cannot place TTHelp.dat in the program's folder %1")
                              .arg(request.ProgramFolder));

    const QString target = QDir::cleanPath(QDir(request.Target).absolutePath());
    const QString dictionary = target + QStringLiteral("/dictionary");
    const QString engine = target + QStringLiteral("/engine");
    MakeFolder(dictionary);
    MakeFolder(engine);
    for (const char* name : kDictionaryFiles)
      CopyFile(source + QStringLiteral("/dictionary/") + QLatin1String(name),
               dictionary + QLatin1Char('/') + QLatin1String(name));
    for (const char* name : kEngineFiles)
      CopyFile(source + QStringLiteral("/engine/") + QLatin1String(name),
               engine + QLatin1Char('/') + QLatin1String(name));
    CopyFile(request.EngineProgram, engine + QStringLiteral("/QuoForm1.pif"), true);
    result.Lines << QStringLiteral("Dictionary folder: %1").arg(dictionary)
                 << QStringLiteral("Engine folder: %1").arg(engine);

    QDir samples(source + QStringLiteral("/samples"));
    const QStringList sampleFiles = samples.entryList({QStringLiteral("*.PCD")}, QDir::Files);
    if (!sampleFiles.isEmpty()) {
      MakeFolder(target + QStringLiteral("/samples"));
      for (const QString& name : sampleFiles)
        CopyFile(samples.filePath(name), target + QStringLiteral("/samples/") + name);
      result.Lines << QStringLiteral("Sample quotations: %1/samples").arg(target);
    }

    if (placeHints)
      CopyFile(source + QStringLiteral("/TTHelp.dat"), hints);
    result.Lines << QStringLiteral("Hint file: %1").arg(hints);

    WriteSettings(version, dictionary, engine, request.Today);
    result.Lines << QStringLiteral("Settings written: dictionary version %1, rates valid until %2.")
                        .arg(version)
                        .arg(request.Today.addYears(1).toString(QStringLiteral("dd/MM/yyyy")));
    result.Outcome = TDemoInstallOutcome::Installed;
  } catch (const TInstallError& e) {
    result.Outcome = TDemoInstallOutcome::Failed;
    result.Lines << e.Text;
  }
  return result;
}
