// NetworkManager's reasons for an activation ending, as the remote-access errors that say the
// same to the user.
#include "transmit/rasnetworkmanager.h"

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
