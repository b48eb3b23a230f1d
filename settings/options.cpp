#include "settings/options.h"

#include <memory>

#include "platform/prompt.h"
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
