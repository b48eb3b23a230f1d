#include "platform/secretstore.h"

#include <qt6keychain/keychain.h>
#include <QCoreApplication>
#include <QEventLoop>

namespace {

TSecretResult Run(QKeychain::Job& job) {
  TSecretResult result;
  if (QCoreApplication::instance() == nullptr) {
    result.Error = QStringLiteral("the program has no event loop to reach the secret store");
    return result;
  }
  // QtKeychain's own plain-text fallback would put the secret in a settings file of its own,
  // which is exactly what the store is there to avoid; the caller decides what happens instead.
  job.setInsecureFallback(false);
  job.setAutoDelete(false);
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  switch (job.error()) {
    case QKeychain::NoError:
      result.Status = TSecretStatus::Done;
      break;
    case QKeychain::EntryNotFound:
      result.Status = TSecretStatus::NotFound;
      break;
    default:
      result.Status = TSecretStatus::NoStore;
      result.Error = job.errorString();
      break;
  }
  return result;
}

}  // namespace

TSecretResult ReadSecret(const QString& service, const QString& account) {
  QKeychain::ReadPasswordJob job(service);
  job.setKey(account);
  TSecretResult result = Run(job);
  if (result.Status == TSecretStatus::Done)
    result.Secret = job.textData();
  return result;
}

TSecretResult WriteSecret(const QString& service, const QString& account, const QString& secret) {
  QKeychain::WritePasswordJob job(service);
  job.setKey(account);
  job.setTextData(secret);
  return Run(job);
}

TSecretResult DeleteSecret(const QString& service, const QString& account) {
  QKeychain::DeletePasswordJob job(service);
  job.setKey(account);
  return Run(job);
}
