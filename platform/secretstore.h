#pragma once
// The desktop's secret store (on Linux the Secret Service of GNOME Keyring, KWallet or
// KeePassXC; the platform's own keychain elsewhere), reached through QtKeychain. Each secret is
// kept under a service name and an account.
//
// The calls wait for the store's answer in a local event loop, so they need a running
// application object and belong on its thread. A store that is not running answers NoStore at
// once; a locked one may first ask the user to unlock it.

#include <QString>

enum class TSecretStatus {
  Done,      // read, written or deleted
  NotFound,  // the store runs but holds no such secret
  NoStore,   // no store runs, or it refused: the text says why
};

struct TSecretResult {
  TSecretStatus Status = TSecretStatus::NoStore;
  QString Secret;  // what a read found
  QString Error;   // the store's own reason, for NoStore
};

TSecretResult ReadSecret(const QString& service, const QString& account);
TSecretResult WriteSecret(const QString& service, const QString& account, const QString& secret);
TSecretResult DeleteSecret(const QString& service, const QString& account);
