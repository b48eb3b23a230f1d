#pragma once
// The remote-access layer under TRAS: list the dial-up entries, read an entry's dial parameters,
// dial one, follow its progress, hang it up. Calls answer a result code (0 for success, otherwise
// one of the remote-access error numbers below); progress arrives through the notifier given to
// Dial, as connection state numbers.
//
// The program's backend is NetworkManager (rasnetworkmanager.h); tests fill in a scripted one
// (rasscriptedbackend.h) through the transmit seams.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <memory>

// Connection states, in the order a dial passes through them.
namespace RasState {
inline constexpr quint32 kOpenPort = 0;
inline constexpr quint32 kPortOpened = 1;
inline constexpr quint32 kConnectDevice = 2;
inline constexpr quint32 kDeviceConnected = 3;
inline constexpr quint32 kAllDevicesConnected = 4;
inline constexpr quint32 kAuthenticate = 5;
inline constexpr quint32 kAuthNotify = 6;
inline constexpr quint32 kAuthRetry = 7;
inline constexpr quint32 kAuthCallback = 8;
inline constexpr quint32 kAuthChangePassword = 9;
inline constexpr quint32 kAuthProject = 10;
inline constexpr quint32 kAuthLinkSpeed = 11;
inline constexpr quint32 kAuthAck = 12;
inline constexpr quint32 kReAuthenticate = 13;
inline constexpr quint32 kAuthenticated = 14;
inline constexpr quint32 kPrepareForCallback = 15;
inline constexpr quint32 kWaitForModemReset = 16;
inline constexpr quint32 kWaitForCallback = 17;
inline constexpr quint32 kInteractive = 4096;
inline constexpr quint32 kRetryAuthentication = 4097;
inline constexpr quint32 kPasswordExpired = 4099;
inline constexpr quint32 kConnected = 8192;
inline constexpr quint32 kDisconnected = 8193;
}  // namespace RasState

// Result codes. 6 and 8 are the system's own; the rest are the remote-access numbers.
namespace RasError {
inline constexpr quint32 kInvalidHandle = 6;
inline constexpr quint32 kNotEnoughMemory = 8;
inline constexpr quint32 kPortAlreadyOpen = 602;
inline constexpr quint32 kBufferTooSmall = 603;
inline constexpr quint32 kDeviceDoesNotExist = 608;
inline constexpr quint32 kPortDisconnected = 619;
inline constexpr quint32 kCannotOpenPhoneBook = 621;
inline constexpr quint32 kCannotFindPhoneBookEntry = 623;
inline constexpr quint32 kDisconnection = 628;
inline constexpr quint32 kRemoteDisconnection = 629;
inline constexpr quint32 kUserDisconnection = 631;
inline constexpr quint32 kPortNotAvailable = 633;
inline constexpr quint32 kRequestTimeout = 638;
inline constexpr quint32 kNoDialInPermission = 649;
inline constexpr quint32 kLineBusy = 676;
inline constexpr quint32 kNoAnswer = 678;
inline constexpr quint32 kNoCarrier = 679;
inline constexpr quint32 kNoDialTone = 680;
inline constexpr quint32 kAuthenticationFailure = 691;
inline constexpr quint32 kPortOrDevice = 692;
inline constexpr quint32 kPppNoProtocolsConfigured = 720;
}  // namespace RasError

// The phone book holds at most this many entries for the program.
inline constexpr int kRasMaxEntries = 50;

struct TRasDialParams {
  QString entryName;
  QString phoneNumber;
  QString callbackNumber;
  QString userName;
  QString password;
  QString domain;
};

struct TRasConnStatus {
  quint32 state = RasState::kOpenPort;
  quint32 error = 0;
  QString deviceType;
  QString deviceName;
};

using TRasHandle = quint64;  // 0 = no connection
// A progress notification: the connection's new state, or a non-zero error.
using TRasNotifier = std::function<void(quint32 state, quint32 error)>;

class TRasBackend {
 public:
  virtual ~TRasBackend() = default;

  // False when the remote-access layer is not there; callers then call nothing else.
  virtual bool Available() = 0;
  // The entry names of the phone book (empty = the default one), at most kRasMaxEntries;
  // kBufferTooSmall when there were more.
  virtual quint32 EnumEntries(const QString& phoneBook, QStringList& names) = 0;
  // The stored user name, password, numbers and domain of an entry.
  virtual quint32 GetEntryDialParams(const QString& phoneBook, const QString& entryName,
                                     TRasDialParams& params) = 0;
  // Starts dialling `params.entryName`. Answers 0 when dialling has started; the handle is set
  // whenever a connection was allocated, also on failure (it must then be hung up). Progress
  // arrives through `notifier` from the event loop, never inside Dial or HangUp; while a
  // notification is delivered, GetConnectStatus answers the state it reports. The password is
  // used for this connection only and is not stored anywhere.
  virtual quint32 Dial(const QString& phoneBook, const TRasDialParams& params,
                       TRasNotifier notifier, TRasHandle& handle) = 0;
  // Ends the connection (dialling or connected) and releases the handle; no notification follows.
  virtual quint32 HangUp(TRasHandle handle) = 0;
  virtual quint32 GetConnectStatus(TRasHandle handle, TRasConnStatus& status) = 0;
  // The text of a result code, empty when the code has none.
  virtual QString ErrorString(quint32 code) = 0;
};

// The program's text for a result code it produces; empty for other codes.
QString RasErrorDescription(quint32 code);

// The backend TRAS objects use unless given one: the transmit seams' (transmit/seams.h; tests
// fill in a scripted one), else NetworkManager on the system bus, created on first use.
std::shared_ptr<TRasBackend> DefaultRasBackend();
