#include "transmit/rasnetworkmanager.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QTimer>
#include <QUuid>

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kManagerInterface = QStringLiteral("org.freedesktop.NetworkManager");
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kSettingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString kConnectionInterface =
    QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString kActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

constexpr int kCallTimeoutMs = 5000;
// NetworkManager answers once the activation has started, not when it is done.
constexpr int kActivationTimeoutMs = 30000;

// NMActiveConnectionState
constexpr quint32 kActiveActivating = 1;
constexpr quint32 kActiveActivated = 2;
constexpr quint32 kActiveDeactivating = 3;
constexpr quint32 kActiveDeactivated = 4;

// NMDeviceState
constexpr quint32 kDevicePrepare = 40;
constexpr quint32 kDeviceConfig = 50;
constexpr quint32 kDeviceNeedAuth = 60;
constexpr quint32 kDeviceIpConfig = 70;
constexpr quint32 kDeviceIpCheck = 80;
constexpr quint32 kDeviceSecondaries = 90;
constexpr quint32 kDeviceActivated = 100;
constexpr quint32 kDeviceFailed = 120;

// The dial states reported, in order; an activation climbs them without skipping one.
constexpr quint32 kLadder[] = {
    RasState::kOpenPort,        RasState::kPortOpened,          RasState::kConnectDevice,
    RasState::kDeviceConnected, RasState::kAllDevicesConnected, RasState::kAuthenticate,
    RasState::kAuthenticated,   RasState::kConnected,
};
constexpr int kRungOpenPort = 0;
constexpr int kRungPortOpened = 1;
constexpr int kRungConnectDevice = 2;
constexpr int kRungAuthenticate = 5;
constexpr int kRungAuthenticated = 6;
constexpr int kRungConnected = 7;

QList<QDBusObjectPath> ObjectPaths(const QVariant& value) {
  return qdbus_cast<QList<QDBusObjectPath>>(value);
}

}  // namespace

TNetworkManagerRasBackend::TNetworkManagerRasBackend(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
  qDBusRegisterMetaType<TNmSettings>();
}

bool TNetworkManagerRasBackend::Available() {
  if (!bus_.isConnected() || bus_.interface() == nullptr)
    return false;
  return bus_.interface()->isServiceRegistered(kService).value();
}

QDBusMessage TNetworkManagerRasBackend::Call(const QString& path, const QString& interfaceName,
                                             const QString& method, const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interfaceName, method);
  message.setArguments(arguments);
  return bus_.call(message, QDBus::Block, kCallTimeoutMs);
}

QVariant TNetworkManagerRasBackend::Property(const QString& path, const QString& interfaceName,
                                             const QString& name) {
  const QDBusMessage reply =
      Call(path, kPropertiesInterface, QStringLiteral("Get"), {interfaceName, name});
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return QVariant();
  return reply.arguments().at(0).value<QDBusVariant>().variant();
}

bool TNetworkManagerRasBackend::ReadSettings(const QString& path, TNmSettings& settings) {
  const QDBusMessage reply = Call(path, kConnectionInterface, QStringLiteral("GetSettings"));
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return false;
  settings = qdbus_cast<TNmSettings>(reply.arguments().at(0));
  return true;
}

QString TNetworkManagerRasBackend::CredentialSetting(const TNmSettings& settings) {
  const QString type = settings.value(QStringLiteral("connection")).value("type").toString();
  if (type == QLatin1String("gsm") || type == QLatin1String("cdma") ||
      type == QLatin1String("pppoe"))
    return type;
  if (type == QLatin1String("bluetooth") &&
      settings.value(QStringLiteral("bluetooth")).value("type").toString() == QLatin1String("dun"))
    return settings.contains(QStringLiteral("cdma")) ? QStringLiteral("cdma")
                                                     : QStringLiteral("gsm");
  return QString();
}

quint32 TNetworkManagerRasBackend::EnumEntries(const QString&, QStringList& names) {
  names.clear();
  entryPaths_.clear();
  const QDBusMessage reply = Call(kSettingsPath, kSettingsInterface, "ListConnections");
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
    return RasError::kCannotOpenPhoneBook;
  for (const QDBusObjectPath& object : ObjectPaths(reply.arguments().at(0))) {
    const QString path = object.path();
    TNmSettings settings;
    if (dialCopies_.contains(path) || !ReadSettings(path, settings) ||
        CredentialSetting(settings).isEmpty())
      continue;
    const QString name = settings.value(QStringLiteral("connection")).value("id").toString();
    if (name.isEmpty() || entryPaths_.contains(name))
      continue;
    if (names.size() == kRasMaxEntries)
      return RasError::kBufferTooSmall;
    names.append(name);
    entryPaths_.insert(name, path);
  }
  return 0;
}

QString TNetworkManagerRasBackend::EntryPath(const QString& entryName) {
  if (!entryPaths_.contains(entryName)) {
    QStringList names;
    EnumEntries(QString(), names);
  }
  return entryPaths_.value(entryName);
}

quint32 TNetworkManagerRasBackend::GetEntryDialParams(const QString&, const QString& entryName,
                                                      TRasDialParams& params) {
  const QString path = EntryPath(entryName);
  TNmSettings settings;
  if (path.isEmpty() || !ReadSettings(path, settings))
    return RasError::kCannotFindPhoneBookEntry;
  const QString credentials = CredentialSetting(settings);
  if (credentials.isEmpty())
    return RasError::kCannotFindPhoneBookEntry;
  const QVariantMap setting = settings.value(credentials);
  params = TRasDialParams();
  params.entryName = entryName;
  params.userName = setting.value(QStringLiteral("username")).toString();
  params.phoneNumber = setting.value(QStringLiteral("number")).toString();
  // The saved password, when NetworkManager keeps one and lets this user read it.
  const QDBusMessage secrets = Call(path, kConnectionInterface, "GetSecrets", {credentials});
  if (secrets.type() == QDBusMessage::ReplyMessage && !secrets.arguments().isEmpty()) {
    const TNmSettings answer = qdbus_cast<TNmSettings>(secrets.arguments().at(0));
    params.password = answer.value(credentials).value(QStringLiteral("password")).toString();
  }
  return 0;
}

QString TNetworkManagerRasBackend::DeviceFor(const QString& connectionPath) {
  const QDBusMessage reply = Call(kManagerPath, kManagerInterface, "GetDevices");
  if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
    for (const QDBusObjectPath& device : ObjectPaths(reply.arguments().at(0))) {
      const QVariant available =
          Property(device.path(), kDeviceInterface, QStringLiteral("AvailableConnections"));
      if (ObjectPaths(available).contains(QDBusObjectPath(connectionPath)))
        return device.path();
    }
  }
  return QStringLiteral("/");  // NetworkManager picks the device
}

TNmSettings TNetworkManagerRasBackend::DialCopy(const TNmSettings& entry,
                                                const QString& credentials,
                                                const TRasDialParams& params) const {
  TNmSettings copy = entry;
  QVariantMap& connection = copy[QStringLiteral("connection")];
  connection[QStringLiteral("uuid")] = QUuid::createUuid().toString(QUuid::WithoutBraces);
  connection[QStringLiteral("autoconnect")] = false;
  QVariantMap& setting = copy[credentials];
  setting[QStringLiteral("username")] = params.userName;
  setting[QStringLiteral("password")] = params.password;
  setting[QStringLiteral("password-flags")] = QVariant::fromValue<uint>(0);
  if (!params.phoneNumber.isEmpty() &&
      params.phoneNumber != setting.value(QStringLiteral("number")).toString())
    setting[QStringLiteral("number")] = params.phoneNumber;
  return copy;
}

quint32 TNetworkManagerRasBackend::Dial(const QString&, const TRasDialParams& params,
                                        TRasNotifier notifier, TRasHandle& handle) {
  handle = ++lastHandle_;
  TAttempt& attempt = attempts_[handle];
  attempt.notifier = std::move(notifier);
  const QString path = EntryPath(params.entryName);
  TNmSettings entry;
  QString credentials;
  if (!path.isEmpty() && ReadSettings(path, entry))
    credentials = CredentialSetting(entry);
  if (credentials.isEmpty()) {
    attempt.error = RasError::kCannotFindPhoneBookEntry;
    attempt.ended = true;
    return attempt.error;
  }
  attempt.deviceType =
      credentials == QLatin1String("pppoe") ? QStringLiteral("PPPoE") : QStringLiteral("modem");

  QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManagerInterface,
                                                     "AddAndActivateConnection2");
  const QVariantMap options{{QStringLiteral("persist"), QStringLiteral("volatile")},
                            {QStringLiteral("bind-activation"), QStringLiteral("dbus-client")}};
  call.setArguments({QVariant::fromValue(DialCopy(entry, credentials, params)),
                     QVariant::fromValue(QDBusObjectPath(DeviceFor(path))),
                     QVariant::fromValue(QDBusObjectPath(QStringLiteral("/"))), options});
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kActivationTimeoutMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, handle](QDBusPendingCallWatcher* answered) { Answered(handle, answered); });
  attempt.activating = true;
  Advance(handle, attempt, kRungOpenPort);
  return 0;
}

void TNetworkManagerRasBackend::Answered(TRasHandle handle, QDBusPendingCallWatcher* watcher) {
  watcher->deleteLater();
  const QDBusPendingReply<QDBusObjectPath, QDBusObjectPath, QVariantMap> reply = *watcher;
  if (!reply.isError())
    dialCopies_.insert(reply.argumentAt<0>().path());
  auto found = attempts_.find(handle);
  if (found == attempts_.end())
    return;
  TAttempt& attempt = found->second;
  attempt.activating = false;
  if (attempt.hungUp) {
    if (!reply.isError())
      Deactivate(reply.argumentAt<1>().path());
    attempts_.erase(found);
    return;
  }
  if (reply.isError()) {
    Fail(handle, attempt, ErrorForDBusError(reply.error().name()));
    return;
  }
  attempt.activePath = reply.argumentAt<1>().path();
  Follow(handle, attempt);
}

void TNetworkManagerRasBackend::Follow(TRasHandle handle, TAttempt& attempt) {
  bus_.connect(kService, attempt.activePath, kActiveInterface, QStringLiteral("StateChanged"), this,
               SLOT(ActiveStateChanged(uint, uint, QDBusMessage)));
  bus_.connect(kService, attempt.activePath, kPropertiesInterface,
               QStringLiteral("PropertiesChanged"), this,
               SLOT(ActivePropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
  // What happened before the signals were connected is read once.
  const QVariant devices =
      Property(attempt.activePath, kActiveInterface, QStringLiteral("Devices"));
  for (const QDBusObjectPath& device : ObjectPaths(devices)) {
    attempt.devicePaths.append(device.path());
    bus_.connect(kService, device.path(), kDeviceInterface, QStringLiteral("StateChanged"), this,
                 SLOT(DeviceStateChanged(uint, uint, uint, QDBusMessage)));
    if (attempt.deviceName.isEmpty())
      attempt.deviceName =
          Property(device.path(), kDeviceInterface, QStringLiteral("Interface")).toString();
    const QVariant state = Property(device.path(), kDeviceInterface, QStringLiteral("State"));
    DeviceState(handle, attempt, device.path(), state.toUInt(), 0);
  }
  const QVariant state = Property(attempt.activePath, kActiveInterface, QStringLiteral("State"));
  if (state.isValid())
    ActiveState(handle, attempt, state.toUInt(), 0);
  else  // the activation is already over and gone
    ActiveState(handle, attempt, kActiveDeactivated, 0);
}

void TNetworkManagerRasBackend::Unfollow(const TAttempt& attempt) {
  if (attempt.activePath.isEmpty())
    return;
  bus_.disconnect(kService, attempt.activePath, kActiveInterface, QStringLiteral("StateChanged"),
                  this, SLOT(ActiveStateChanged(uint, uint, QDBusMessage)));
  bus_.disconnect(kService, attempt.activePath, kPropertiesInterface,
                  QStringLiteral("PropertiesChanged"), this,
                  SLOT(ActivePropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
  for (const QString& device : attempt.devicePaths)
    bus_.disconnect(kService, device, kDeviceInterface, QStringLiteral("StateChanged"), this,
                    SLOT(DeviceStateChanged(uint, uint, uint, QDBusMessage)));
}

void TNetworkManagerRasBackend::Deactivate(const QString& activePath) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManagerInterface,
                                                     "DeactivateConnection");
  call.setArguments({QVariant::fromValue(QDBusObjectPath(activePath))});
  bus_.send(call);
}

TNetworkManagerRasBackend::TAttempt* TNetworkManagerRasBackend::AttemptFor(const QString& path,
                                                                           TRasHandle& handle) {
  for (auto& [key, attempt] : attempts_) {
    if (attempt.hungUp)
      continue;
    if (attempt.activePath == path || attempt.devicePaths.contains(path)) {
      handle = key;
      return &attempt;
    }
  }
  return nullptr;
}

void TNetworkManagerRasBackend::ActiveStateChanged(uint state, uint reason,
                                                   const QDBusMessage& message) {
  TRasHandle handle = 0;
  if (TAttempt* attempt = AttemptFor(message.path(), handle))
    ActiveState(handle, *attempt, state, reason);
}

void TNetworkManagerRasBackend::ActivePropertiesChanged(const QString& interfaceName,
                                                        const QVariantMap& changed,
                                                        const QStringList&,
                                                        const QDBusMessage& message) {
  // Only progress is taken from here; the end of an activation comes with its reason through
  // StateChanged.
  if (interfaceName != kActiveInterface || !changed.contains(QStringLiteral("State")))
    return;
  const quint32 state = changed.value(QStringLiteral("State")).toUInt();
  TRasHandle handle = 0;
  TAttempt* attempt = AttemptFor(message.path(), handle);
  if (attempt != nullptr && (state == kActiveActivating || state == kActiveActivated))
    ActiveState(handle, *attempt, state, 0);
}

void TNetworkManagerRasBackend::DeviceStateChanged(uint newState, uint, uint reason,
                                                   const QDBusMessage& message) {
  TRasHandle handle = 0;
  if (TAttempt* attempt = AttemptFor(message.path(), handle))
    DeviceState(handle, *attempt, message.path(), newState, reason);
}

void TNetworkManagerRasBackend::ActiveState(TRasHandle handle, TAttempt& attempt, quint32 state,
                                            quint32 reason) {
  switch (state) {
    case kActiveActivating:
      Advance(handle, attempt, kRungPortOpened);
      break;
    case kActiveActivated:
      Advance(handle, attempt, kRungConnected);
      break;
    case kActiveDeactivating:
    case kActiveDeactivated:
      if (attempt.connected) {
        Drop(handle, attempt);
      } else {
        // The device's reason says more ("the line is busy") than the activation's.
        quint32 error = ErrorForDeviceReason(attempt.deviceReason);
        if (error == 0)
          error = ErrorForActiveReason(reason);
        Fail(handle, attempt, error);
      }
      break;
    default:
      break;
  }
}

void TNetworkManagerRasBackend::DeviceState(TRasHandle handle, TAttempt& attempt,
                                            const QString& devicePath, quint32 state,
                                            quint32 reason) {
  if (state == kDeviceFailed) {
    if (reason != 0)
      attempt.deviceReason = reason;
    return;
  }
  int rung;
  switch (state) {
    case kDevicePrepare:
      rung = kRungPortOpened;
      break;
    case kDeviceConfig:
      rung = kRungConnectDevice;
      break;
    case kDeviceNeedAuth:
    case kDeviceIpConfig:
      rung = kRungAuthenticate;
      break;
    case kDeviceIpCheck:
    case kDeviceSecondaries:
    case kDeviceActivated:
      rung = kRungAuthenticated;
      break;
    default:
      return;
  }
  // The device may still be busy with the connection it had before.
  const QVariant active =
      Property(devicePath, kDeviceInterface, QStringLiteral("ActiveConnection"));
  if (active.value<QDBusObjectPath>().path() == attempt.activePath)
    Advance(handle, attempt, rung);
}

void TNetworkManagerRasBackend::Advance(TRasHandle handle, TAttempt& attempt, int rung) {
  if (attempt.ended)
    return;
  while (attempt.rung < rung) {
    ++attempt.rung;
    Queue(handle, attempt, kLadder[attempt.rung], 0);
  }
  if (rung == kRungConnected)
    attempt.connected = true;
}

void TNetworkManagerRasBackend::Fail(TRasHandle handle, TAttempt& attempt, quint32 error) {
  if (attempt.ended || attempt.connected)
    return;
  attempt.ended = true;
  Queue(handle, attempt, kLadder[qMax(attempt.rung, 0)], error);
}

void TNetworkManagerRasBackend::Drop(TRasHandle handle, TAttempt& attempt) {
  if (attempt.ended)
    return;
  attempt.ended = true;
  Queue(handle, attempt, RasState::kDisconnected, 0);
}

void TNetworkManagerRasBackend::Queue(TRasHandle handle, TAttempt& attempt, quint32 state,
                                      quint32 error) {
  attempt.pending.emplace_back(state, error);
  QTimer::singleShot(0, this, [this, handle] { DeliverNext(handle); });
}

void TNetworkManagerRasBackend::DeliverNext(TRasHandle handle) {
  auto found = attempts_.find(handle);
  if (found == attempts_.end())
    return;
  TAttempt& attempt = found->second;
  if (attempt.hungUp || attempt.pending.empty())
    return;
  const auto [state, error] = attempt.pending.front();
  attempt.pending.pop_front();
  if (error != 0)
    attempt.error = error;
  else
    attempt.state = state;
  const TRasNotifier notifier = attempt.notifier;  // a handler may hang up and forget the attempt
  if (notifier)
    notifier(state, error);
}

quint32 TNetworkManagerRasBackend::HangUp(TRasHandle handle) {
  auto found = attempts_.find(handle);
  if (found == attempts_.end() || found->second.hungUp)
    return RasError::kInvalidHandle;
  TAttempt& attempt = found->second;
  Unfollow(attempt);
  if (!attempt.activePath.isEmpty())
    Deactivate(attempt.activePath);
  if (attempt.activating) {
    attempt.hungUp = true;
    attempt.notifier = nullptr;
    attempt.pending.clear();
    return 0;
  }
  attempts_.erase(found);
  return 0;
}

quint32 TNetworkManagerRasBackend::GetConnectStatus(TRasHandle handle, TRasConnStatus& status) {
  auto found = attempts_.find(handle);
  if (found == attempts_.end() || found->second.hungUp)
    return RasError::kInvalidHandle;
  const TAttempt& attempt = found->second;
  status.state = attempt.state;
  status.error = attempt.error;
  status.deviceName = attempt.deviceName;
  status.deviceType = attempt.deviceType;
  return 0;
}

QString TNetworkManagerRasBackend::ErrorString(quint32 code) {
  return RasErrorDescription(code);
}

// ------------------------------------------------------------------------------------------------
// NetworkManager's reasons for an activation ending, as the remote-access errors that say the
// same to the user.

quint32 TNetworkManagerRasBackend::ErrorForActiveReason(quint32 reason) {
  switch (reason) {  // NMActiveConnectionStateReason
    case 2:          // user disconnected
      return RasError::kUserDisconnection;
    case 3:  // device disconnected
      return RasError::kDisconnection;
    case 5:  // IP configuration invalid
      return RasError::kPppNoProtocolsConfigured;
    case 6:  // connect timeout
    case 7:  // service start timeout
      return RasError::kRequestTimeout;
    case 9:   // no secrets
    case 10:  // login failed
      return RasError::kAuthenticationFailure;
    case 11:  // connection removed
      return RasError::kCannotFindPhoneBookEntry;
    case 13:  // device realize failed
    case 14:  // device removed
      return RasError::kDeviceDoesNotExist;
    default:
      return RasError::kPortDisconnected;
  }
}

quint32 TNetworkManagerRasBackend::ErrorForDeviceReason(quint32 reason) {
  switch (reason) {  // NMDeviceStateReason
    case 5:          // IP configuration unavailable
    case 12:         // PPP start failed
    case 14:         // PPP failed
    case 29:         // GSM APN failed
      return RasError::kPppNoProtocolsConfigured;
    case 7:   // no secrets
    case 34:  // GSM PIN check failed
      return RasError::kAuthenticationFailure;
    case 13:  // PPP disconnect
      return RasError::kRemoteDisconnection;
    case 23:  // modem busy
      return RasError::kLineBusy;
    case 24:  // no dial tone
      return RasError::kNoDialTone;
    case 25:  // no carrier
      return RasError::kNoCarrier;
    case 26:  // dial timeout
    case 30:  // GSM registration not searching
    case 32:  // GSM registration timeout
    case 33:  // GSM registration failed
      return RasError::kNoAnswer;
    case 27:  // dial failed
    case 28:  // modem init failed
      return RasError::kPortOrDevice;
    case 31:  // GSM registration denied
      return RasError::kNoDialInPermission;
    case 35:  // firmware missing
    case 36:  // device removed
      return RasError::kDeviceDoesNotExist;
    case 39:  // user requested
      return RasError::kUserDisconnection;
    default:
      return 0;
  }
}

quint32 TNetworkManagerRasBackend::ErrorForDBusError(const QString& name) {
  const QString nm = QStringLiteral("org.freedesktop.NetworkManager.");
  if (name == nm + QLatin1String("UnknownConnection"))
    return RasError::kCannotFindPhoneBookEntry;
  if (name == nm + QLatin1String("UnknownDevice"))
    return RasError::kDeviceDoesNotExist;
  if (name == nm + QLatin1String("ConnectionAlreadyActive"))
    return RasError::kPortAlreadyOpen;
  if (name == nm + QLatin1String("PermissionDenied"))
    return RasError::kNoDialInPermission;
  if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
      name == QLatin1String("org.freedesktop.DBus.Error.Timeout"))
    return RasError::kRequestTimeout;
  return RasError::kPortNotAvailable;
}
