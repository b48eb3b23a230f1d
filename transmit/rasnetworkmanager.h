#pragma once
// The remote-access layer on Linux: NetworkManager over its D-Bus interface.
//
// The phone book is NetworkManager's saved connections of the dial-up kinds: mobile broadband
// ("gsm", "cdma"), "pppoe" and Bluetooth dial-up. Dialling activates a copy of the entry that
// carries the user name and password typed for it; the copy lives in NetworkManager's memory
// only, goes when the connection goes down and is bound to this program's bus connection, so
// the saved entry is never changed and the password is never stored. The activation's progress
// is reported as the dial states in order ("Opening Port", "Port Opened", the device, "Device is
// connected", ..., "Login Authenticated", connected); a failure as the remote-access error that
// fits NetworkManager's reason.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QVariantMap>
#include <deque>
#include <map>

#include "transmit/rasbackend.h"

class QDBusPendingCallWatcher;

// A connection's settings as NetworkManager passes them: setting name -> property -> value.
using TNmSettings = QMap<QString, QVariantMap>;

class TNetworkManagerRasBackend : public QObject, public TRasBackend {
  Q_OBJECT

 public:
  explicit TNetworkManagerRasBackend(const QDBusConnection& bus, QObject* parent = nullptr);

  bool Available() override;
  quint32 EnumEntries(const QString& phoneBook, QStringList& names) override;
  quint32 GetEntryDialParams(const QString& phoneBook, const QString& entryName,
                             TRasDialParams& params) override;
  quint32 Dial(const QString& phoneBook, const TRasDialParams& params, TRasNotifier notifier,
               TRasHandle& handle) override;
  quint32 HangUp(TRasHandle handle) override;
  quint32 GetConnectStatus(TRasHandle handle, TRasConnStatus& status) override;
  QString ErrorString(quint32 code) override;

  // The setting of a dial-up connection that holds its user name, password and number; empty
  // for the connections that are not dial-up.
  static QString CredentialSetting(const TNmSettings& settings);
  // The remote-access errors for NetworkManager's reasons (0: the reason names no failure).
  static quint32 ErrorForActiveReason(quint32 reason);
  static quint32 ErrorForDeviceReason(quint32 reason);
  static quint32 ErrorForDBusError(const QString& name);

 private slots:
  void ActiveStateChanged(uint state, uint reason, const QDBusMessage& message);
  void ActivePropertiesChanged(const QString& interfaceName, const QVariantMap& changed,
                               const QStringList& invalidated, const QDBusMessage& message);
  void DeviceStateChanged(uint newState, uint oldState, uint reason, const QDBusMessage& message);

 private:
  struct TAttempt {
    TRasNotifier notifier;
    QString deviceType;
    QString deviceName;
    QString activePath;
    QStringList devicePaths;
    bool activating = false;  // the activation has not been answered yet
    bool hungUp = false;      // hung up before the answer: deactivate it when it comes
    int rung = -1;            // the last progress step queued
    bool connected = false;
    bool ended = false;        // failed or dropped: nothing more is reported
    quint32 deviceReason = 0;  // why the device failed, reported when the activation ends
    quint32 state = RasState::kOpenPort;  // as last delivered
    quint32 error = 0;
    std::deque<std::pair<quint32, quint32>> pending;  // notifications not delivered yet
  };

  QDBusMessage Call(const QString& path, const QString& interfaceName, const QString& method,
                    const QVariantList& arguments = {});
  QVariant Property(const QString& path, const QString& interfaceName, const QString& name);
  bool ReadSettings(const QString& path, TNmSettings& settings);
  // The saved connection of an entry, listing the phone book again when it is not known.
  QString EntryPath(const QString& entryName);
  QString DeviceFor(const QString& connectionPath);
  TNmSettings DialCopy(const TNmSettings& entry, const QString& credentials,
                       const TRasDialParams& params) const;

  void Answered(TRasHandle handle, QDBusPendingCallWatcher* watcher);
  void Follow(TRasHandle handle, TAttempt& attempt);
  void Unfollow(const TAttempt& attempt);
  void Deactivate(const QString& activePath);
  TAttempt* AttemptFor(const QString& path, TRasHandle& handle);

  void ActiveState(TRasHandle handle, TAttempt& attempt, quint32 state, quint32 reason);
  void DeviceState(TRasHandle handle, TAttempt& attempt, const QString& devicePath, quint32 state,
                   quint32 reason);
  void Advance(TRasHandle handle, TAttempt& attempt, int rung);
  void Fail(TRasHandle handle, TAttempt& attempt, quint32 error);
  void Drop(TRasHandle handle, TAttempt& attempt);
  void Queue(TRasHandle handle, TAttempt& attempt, quint32 state, quint32 error);
  void DeliverNext(TRasHandle handle);

  QDBusConnection bus_;
  QMap<QString, QString> entryPaths_;  // entry name -> saved connection
  QSet<QString> dialCopies_;           // the copies this program activated
  std::map<TRasHandle, TAttempt> attempts_;
  TRasHandle lastHandle_ = 0;
};
