// The mail password: kept in the desktop's secret store, not in the settings file.

#include <atomic>

#include "platform/secretstore.h"
#include "settings/optionkeys.h"
#include "settings/options.h"

using namespace OptionKeys;

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
