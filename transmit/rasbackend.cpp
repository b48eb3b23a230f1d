#include "transmit/rasbackend.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include "transmit/rasnetworkmanager.h"
#include "transmit/seams.h"

namespace {

// NetworkManager's, made on first use.
std::shared_ptr<TRasBackend>& NetworkManagerBackend() {
  static std::shared_ptr<TRasBackend> backend;
  return backend;
}

// The D-Bus connection must not outlive the application object.
void ReleaseBackendAtExit() {
  NetworkManagerBackend().reset();
}

}  // namespace

QString RasErrorDescription(quint32 code) {
  switch (code) {
    case RasError::kPortAlreadyOpen:
      return QStringLiteral("The connection is already open.");
    case RasError::kBufferTooSmall:
      return QStringLiteral("The phone book holds more entries than can be listed.");
    case RasError::kDeviceDoesNotExist:
      return QStringLiteral("The device does not exist.");
    case RasError::kPortDisconnected:
      return QStringLiteral("The connection could not be made, so the port was closed.");
    case RasError::kCannotOpenPhoneBook:
      return QStringLiteral("The phone book cannot be opened.");
    case RasError::kCannotFindPhoneBookEntry:
      return QStringLiteral("The phone book entry for this connection cannot be found.");
    case RasError::kDisconnection:
      return QStringLiteral("The connection was closed.");
    case RasError::kRemoteDisconnection:
      return QStringLiteral("The connection was closed by the remote computer.");
    case RasError::kUserDisconnection:
      return QStringLiteral("The connection was hung up by the user.");
    case RasError::kPortNotAvailable:
      return QStringLiteral("The modem is already in use or is not configured properly.");
    case RasError::kRequestTimeout:
      return QStringLiteral("The remote computer did not answer in time.");
    case RasError::kNoDialInPermission:
      return QStringLiteral("The account is not allowed to connect.");
    case RasError::kLineBusy:
      return QStringLiteral("The line is busy.");
    case RasError::kNoAnswer:
      return QStringLiteral("There is no answer.");
    case RasError::kNoCarrier:
      return QStringLiteral("No carrier was detected.");
    case RasError::kNoDialTone:
      return QStringLiteral("There is no dial tone.");
    case RasError::kAuthenticationFailure:
      return QStringLiteral("Access was denied because the user name or password is not valid.");
    case RasError::kPortOrDevice:
      return QStringLiteral("The modem reported a hardware failure.");
    case RasError::kPppNoProtocolsConfigured:
      return QStringLiteral("The network settings of the connection could not be agreed.");
    default:
      return QString();
  }
}

std::shared_ptr<TRasBackend> DefaultRasBackend() {
  if (const std::shared_ptr<TRasBackend>& installed = TTransmitSeams::Current().rasBackend)
    return installed;
  std::shared_ptr<TRasBackend>& backend = NetworkManagerBackend();
  if (!backend) {
    backend = std::make_shared<TNetworkManagerRasBackend>(QDBusConnection::systemBus());
    qAddPostRoutine(ReleaseBackendAtExit);
  }
  return backend;
}
