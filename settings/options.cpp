#include "settings/options.h"

#include <atomic>
#include <memory>

#include "platform/prompt.h"
#include "platform/secretstore.h"
#include "settings/optionkeys.h"
#include "settings/optionsnotifier.h"

using namespace OptionKeys;

namespace {

std::unique_ptr<TOptions>& Instance() {
  static std::unique_ptr<TOptions> instance;
  return instance;
}

void ShowMissingSetting(const QString& message) {
  Ask(PromptKind::Error, PromptButtons::Ok, message);
}

// A folder setting: a missing key or a value that is not text is reported; a missing value is
// quietly empty (the registry reads a missing string value as empty).
QString ReadFolder(const TSettingsStore& store, const QString& key, const QString& name,
                   const QString& message) {
  if (!store.KeyExists(key)) {
    ShowMissingSetting(message);
    return QString();
  }
  switch (store.ValueType(key, name)) {
    case TSettingType::Missing:
      return QString();
    case TSettingType::Text:
      return store.ReadText(key, name).value_or(QString());
    default:
      ShowMissingSetting(message);
      return QString();
  }
}

// A plain text setting: empty whenever it cannot be read.
QString ReadText(const TSettingsStore& store, const QString& key, const QString& name) {
  return store.ReadText(key, name).value_or(QString());
}

// A "Yes"/"No" setting: anything but exactly "No" is Yes, and a missing value reads as empty text,
// so as Yes. A value of another type cannot be read as text.
bool ReadYesNo(const TSettingsStore& store, const QString& key, const QString& name,
               bool whenKeyMissing, bool whenUnreadable) {
  if (!store.KeyExists(key))
    return whenKeyMissing;
  switch (store.ValueType(key, name)) {
    case TSettingType::Missing:
      return true;
    case TSettingType::Text:
      return store.ReadText(key, name).value_or(QString()) != kNo;
    default:
      return whenUnreadable;
  }
}

QString YesNoText(bool yes) {
  return yes ? kYes : kNo;
}

}  // namespace

int TOptions::GetApplicationVersion() const {
  std::optional<qint32> version = store_.ReadInteger(kDictionary, kApplicationVersion);
  if (!version) {
    ShowMissingSetting(QStringLiteral("No Dictionary version found"));
    return 0;
  }
  return *version;
}

QString TOptions::GetDictionaryPath() const {
  return ReadFolder(store_, kDictionary, kDictionaryPath,
                    QStringLiteral("No Dictionary path found"));
}

QString TOptions::GetQuoteEnginePath() const {
  return ReadFolder(store_, kQuoteEngine, kPath, QStringLiteral("No Quote engine path found"));
}

QDate TOptions::GetRatesExpiryDate() const {
  // Day numbers count from 30 December 1899, the platform's date serial.
  qint32 days = store_.ReadInteger(kQuoteEngine, kExpiryDate).value_or(0);
  return QDate(1899, 12, 30).addDays(days);
}

bool TOptions::GetRatesNotify() const {
  return ReadYesNo(store_, kQuoteEngine, kRatesNotify, false, true);
}

void TOptions::SetRatesNotify(bool notify) {
  // The engine's key belongs to the installation: never created here.
  if (store_.KeyExists(kQuoteEngine))
    store_.WriteText(kQuoteEngine, kRatesNotify, YesNoText(notify));
}

QString TOptions::GetEMailTo() const {
  return ReadText(store_, kOptions, kEMailTo);
}

void TOptions::SetCurrentInternetMailServer(const QString& server) {
  if (!store_.CreateKey(kOptions))
    return;
  if (server.isEmpty())
    store_.DeleteValue(kOptions, kCurrentInternetMailServer);
  else
    store_.WriteText(kOptions, kCurrentInternetMailServer, server);
}

namespace {

// A number setting that may also be written as text (a hand-edited settings file); the default
// when missing or outside the range.
int ReadBoundedNumber(const TSettingsStore& store, const QString& key, const QString& name, int low,
                      int high, int fallback) {
  std::optional<qint32> number = store.ReadInteger(key, name);
  if (!number) {
    bool ok = false;
    const int parsed = store.ReadText(key, name).value_or(QString()).trimmed().toInt(&ok);
    if (ok)
      number = parsed;
  }
  return number && *number >= low && *number <= high ? *number : fallback;
}

}  // namespace

QString TOptions::GetMailServer() const {
  const QString server = ReadText(store_, kOptions, kMailServer).trimmed();
  return server.isEmpty() ? kDefaultMailServer : server;
}

int TOptions::GetMailPort() const {
  return ReadBoundedNumber(store_, kOptions, kMailPort, 1, 65535, kDefaultMailPort);
}

QString TOptions::GetMailUser() const {
  return ReadText(store_, kOptions, kMailUser);
}

TMailSecurity TOptions::GetMailSecurity() const {
  const QString value = ReadText(store_, kOptions, kMailSecurity).trimmed();
  const auto is = [&value](const char* name) {
    return value.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
  };
  // A value the program does not know never weakens the exchange.
  if (is("Required"))
    return TMailSecurity::Required;
  if (is("TLS"))
    return TMailSecurity::Tls;
  if (is("None"))
    return TMailSecurity::None;
  return TMailSecurity::Opportunistic;
}

int TOptions::GetMailTimeoutSeconds() const {
  return ReadBoundedNumber(store_, kOptions, kMailTimeout, 1, 3600, kDefaultMailTimeoutSeconds);
}

int TOptions::GetAutoSaveSeconds() const {
  return ReadBoundedNumber(store_, kOptions, kAutoSaveSeconds, 0, 3600, kDefaultAutoSaveSeconds);
}

int TOptions::GetSummaryWindowHeight() const {
  return store_.ReadInteger(kOptions, kMotorSummaryWndHeight).value_or(130);
}

void TOptions::SetSummaryWindowHeight(int height) {
  if (!store_.CreateKey(kOptions) || !store_.WriteInteger(kOptions, kMotorSummaryWndHeight, height))
    throw ESettingsError("The results window height could not be saved in the settings");
}

QString TOptions::GetHelpFileName() const {
  return ReadText(store_, kHelp, kFileName);
}

bool TOptions::GetHintsActive() const {
  return ReadYesNo(store_, kHelp, kHintsActive, false, false);
}

void TOptions::SetHintsActive(bool active) {
  if (store_.CreateKey(kHelp))
    store_.WriteText(kHelp, kHintsActive, YesNoText(active));
  emit OptionsNotifier().hintsActiveChanged(active);
}

bool TOptions::GetShowFirstHelp() const {
  return ReadYesNo(store_, kHelp, kShowFirstHelp, true, true);
}

void TOptions::SetShowFirstHelp(bool show) {
  if (store_.CreateKey(kHelp))
    store_.WriteText(kHelp, kShowFirstHelp, YesNoText(show));
}

TOptions* Options() {
  return Instance().get();
}

void CreateOptions() {
  Instance() = std::make_unique<TOptions>();
}

void ReleaseOptions() {
  Instance().reset();
}

// ------------------------------------------------------------------------------------------------
// Full names of the installed data files: a folder setting joined with the file's fixed name.
// The folder is read afresh each time, so a missing folder is reported each time.

namespace {

// The folder is used as stored: no separator is added to or removed from its end.
QString InFolder(const QString& folder, const char* fileName) {
  return folder + QLatin1Char('/') + QLatin1String(fileName);
}

}  // namespace

QString TOptions::EngineProgramFile() const {
  return InFolder(GetQuoteEnginePath(), "QuoForm1.pif");
}

QString TOptions::EngineInputFile() const {
  return InFolder(GetQuoteEnginePath(), "QuoForm1.001");
}

QString TOptions::EngineResultsFile() const {
  return InFolder(GetQuoteEnginePath(), "Formula1.001");
}

QString TOptions::PlanNameFile() const {
  return InFolder(GetQuoteEnginePath(), "PlanName.Dat");
}

QString TOptions::ChoiceFile() const {
  return InFolder(GetQuoteEnginePath(), "Choice.Dat");
}

QString TOptions::OccupationMapFile() const {
  return InFolder(GetQuoteEnginePath(), "OccupMap.bin");
}

QString TOptions::ListsFile() const {
  return InFolder(GetDictionaryPath(), "Lists.BIN");
}

QString TOptions::StructFile() const {
  return InFolder(GetDictionaryPath(), "Struct.BIN");
}

QString TOptions::ExportsFile() const {
  return InFolder(GetDictionaryPath(), "Exports.BIN");
}

QString TOptions::MessageFile() const {
  return InFolder(GetDictionaryPath(), "corvane.msg");
}

QString TOptions::EdiDefFile() const {
  try {
    return InFolder(GetDictionaryPath(), "EDIDEF.BIN");
  } catch (...) {
    return QString();
  }
}

QString TOptions::EdiMapFile() const {
  try {
    return InFolder(GetDictionaryPath(), "EDIMAP.BIN");
  } catch (...) {
    return QString();
  }
}

// ------------------------------------------------------------------------------------------------
// The mail password: kept in the desktop's secret store, not in the settings file.

namespace {

// The user is told once in a run that the password stays in the file, not at every send.
QString NoStoreNoticeOnce() {
  static std::atomic<bool> told{false};
  if (told.exchange(true))
    return QString();
  return QStringLiteral(
      "No keyring is running: the mail password stays in the settings file, which only you can "
      "read.");
}

}  // namespace

TOptions::TMailPassword TOptions::GetMailPassword() {
  TMailPassword result;
  const QString inFile = store_.ReadText(kOptions, kMailPassword).value_or(QString());
  const QString user = GetMailUser();
  // Without a user there is no log-in, and no account to keep a password under.
  if (user.isEmpty()) {
    result.Password = inFile;
    return result;
  }
  if (!inFile.isEmpty()) {
    // A password written into the file (by hand, or by an earlier version) replaces the one in
    // the store, and leaves the file once the store holds it.
    result.Password = inFile;
    if (WriteSecret(kSecretService, user, inFile).Status == TSecretStatus::Done)
      store_.DeleteValue(kOptions, kMailPassword);
    else
      result.Notice = NoStoreNoticeOnce();
    return result;
  }
  const TSecretResult read = ReadSecret(kSecretService, user);
  if (read.Status == TSecretStatus::Done)
    result.Password = read.Secret;
  else if (read.Status == TSecretStatus::NoStore)
    result.Notice = NoStoreNoticeOnce();
  return result;
}

// ------------------------------------------------------------------------------------------------
// The recent-file list: up to four file names in the slots "a" to "d" of the MRUList key, and
// a Header holding the slot letters, most recent first.

namespace {

constexpr int kMaxRecentFiles = 4;

}  // namespace

QString TOptions::ReadRecentFile(int index) const {
  QString header = store_.ReadText(kMRUList, kHeader).value_or(QString());
  if (index < 0 || index >= header.size())
    return QString();
  return store_.ReadText(kMRUList, header.mid(index, 1)).value_or(QString());
}

void TOptions::StoreRecentFile(const QString& fileName) {
  // Failures leave the list as it was: the recent-file list is a convenience.
  if (!store_.CreateKey(kMRUList))
    return;
  QString header = store_.ReadText(kMRUList, kHeader).value_or(QString());

  for (int i = 0; i < header.size(); ++i) {
    std::optional<QString> stored = store_.ReadText(kMRUList, header.mid(i, 1));
    if (stored && *stored == fileName) {
      // Already listed: only its letter moves to the front.
      QChar letter = header[i];
      header.remove(i, 1);
      header.prepend(letter);
      store_.WriteText(kMRUList, kHeader, header);
      return;
    }
  }

  QChar slot;
  if (header.isEmpty()) {
    slot = QLatin1Char('a');
  } else if (header.size() < kMaxRecentFiles) {
    slot = QChar(char16_t(u'a' + header.size()));
  } else {
    // A full list reuses the slot of the least recent entry.
    slot = header.back();
    header.chop(1);
  }
  header.prepend(slot);
  if (store_.WriteText(kMRUList, kHeader, header))
    store_.WriteText(kMRUList, QString(slot), fileName);
}
