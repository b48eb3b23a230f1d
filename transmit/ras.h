#pragma once
// TRAS: the dial-up component. It dials a phone-book entry with the user name and password set on
// it, turns the progress notifications of the remote-access layer into one event per connection
// state and a status text, and hangs up.
//
// Events are public handler fields, assigned and restored by whoever uses the component (the
// dial-up dialog swaps in its own while it is open). Everything runs on the user-interface thread.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "transmit/rasbackend.h"

class TRAS;
class TRasNotificationWindow;

using TRasNotifyEvent = std::function<void(TRAS* sender)>;
using TRasDisconnectEvent =
    std::function<void(TRAS* sender, quint32 errorCode, const QString& errorText)>;
using TRasStatusEvent = std::function<void(TRAS* sender, const QString& text)>;
using TRasErrorEvent = std::function<void(TRAS* sender, quint32 errorCode)>;

class TRAS {
 public:
  // Without a backend the default one (rasbackend.h) is used.
  explicit TRAS(std::shared_ptr<TRasBackend> backend = nullptr);
  // Hangs up a connection that is still there, without raising OnDisconnect.
  ~TRAS();
  TRAS(const TRAS&) = delete;
  TRAS& operator=(const TRAS&) = delete;

  QString EntryName() const { return entryName_; }
  void SetEntryName(const QString& name) { entryName_ = name; }
  QString PhoneNumber() const { return phoneNumber_; }
  void SetPhoneNumber(const QString& number) { phoneNumber_ = number; }
  // Empty = the system's default phone book. Setting it reads the entries again.
  QString PhoneBookPath() const { return phoneBookPath_; }
  void SetPhoneBookPath(const QString& path);
  QString CallbackNumber() const { return callbackNumber_; }
  void SetCallbackNumber(const QString& number) { callbackNumber_ = number; }
  QString UserName() const { return userName_; }
  void SetUserName(const QString& name) { userName_ = name; }
  QString Password() const { return password_; }
  void SetPassword(const QString& password) { password_ = password; }
  // Stored only; dialling makes one attempt.
  int RedialAttempts() const { return redialAttempts_; }
  void SetRedialAttempts(int attempts) { redialAttempts_ = attempts; }
  QString Domain() const { return domain_; }
  void SetDomain(const QString& domain) { domain_ = domain; }
  // Set by the status query.
  QString DeviceType() const { return deviceType_; }
  QString DeviceName() const { return deviceName_; }

  TRasHandle Connection() const { return connection_; }
  quint32 LastResult() const { return lastResult_; }
  quint32 ConnectState() const { return connectState_; }
  // The entry names read last, at most kRasMaxEntries.
  const QStringList& PhoneBookEntries() const { return entries_; }
  // The event number of the progress notifications, registered once for the program.
  static int NotificationMessage();

  // Answers 0 when dialling has started; progress then arrives as events. Hangs up a previous
  // connection first without raising OnDisconnect.
  quint32 Dial();
  // Ends the connection (when there is one) and raises OnDisconnect.
  quint32 HangUp();
  // Reads the entry names of PhoneBookPath into PhoneBookEntries.
  void GetPhoneBookEntries();
  // Reads an entry's stored dial parameters (default phone book) into UserName, Password,
  // PhoneNumber, CallbackNumber and Domain; false when they cannot be read.
  bool GetEntryDialParams(const QString& entryName);
  // The text of a result code while there is a connection, "Status Unknown" when it has none;
  // empty without a connection.
  QString ErrorText(quint32 code);
  // Asks the connection's state, device and error; answers the error (0 without a connection).
  quint32 QueryStatus();

  TRasNotifyEvent OnConnect;
  TRasDisconnectEvent OnDisconnect;
  TRasNotifyEvent OnCallBack;
  TRasNotifyEvent OnAboutToOpenPort;
  TRasNotifyEvent OnPortOpened;
  TRasNotifyEvent OnAboutToConnDev;
  TRasNotifyEvent OnDevConnected;
  TRasNotifyEvent OnAllDevsConnected;
  TRasNotifyEvent OnAuthenticate;
  TRasNotifyEvent OnAuthNotify;
  TRasNotifyEvent OnAuthRetry;
  TRasNotifyEvent OnAuthCallBack;
  TRasNotifyEvent OnAuthChangePassword;
  TRasNotifyEvent OnAuthProject;
  TRasNotifyEvent OnAuthLinkSpeed;
  TRasNotifyEvent OnAuthAck;
  TRasNotifyEvent OnReAuthenticate;
  TRasNotifyEvent OnAuthenticated;
  TRasNotifyEvent OnPrepareforCallback;
  TRasNotifyEvent OnWaitForModemReset;
  TRasNotifyEvent OnInteractiveStarted;
  TRasNotifyEvent OnRetryAuth;
  TRasNotifyEvent OnPasswordExpired;
  TRasStatusEvent OnStatus;
  TRasErrorEvent OnError;

 private:
  friend class TRasNotificationWindow;

  quint32 HangUp(bool raiseDisconnect);
  void DestroyNotificationWindow();
  // One progress notification of the connection being dialled.
  void Notification(quint32 state, quint32 error);
  void RaiseStateEvent(quint32 state);
  void RaiseDisconnect();
  // The status text after a notification; raises OnError when the status carries an error.
  QString StatusText();
  QString StateText() const;

  std::shared_ptr<TRasBackend> backend_;
  QString entryName_;
  QString phoneNumber_;
  QString phoneBookPath_;
  QString callbackNumber_;
  QString userName_;
  QString password_;
  int redialAttempts_ = 1;
  QString domain_;
  QString deviceType_;
  QString deviceName_;

  TRasHandle connection_ = 0;
  TRasNotificationWindow* window_ = nullptr;
  quint32 lastResult_ = 0;
  quint32 connectState_ = RasState::kOpenPort;
  QStringList entries_;
};
