#include "transmit/ras.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>

namespace {

// The number used when the program has run out of event numbers to register.
constexpr int kFallbackNotificationMessage = 52429;

class TRasDialEvent : public QEvent {
 public:
  TRasDialEvent(quint32 state, quint32 error)
      : QEvent(static_cast<QEvent::Type>(TRAS::NotificationMessage())),
        state_(state),
        error_(error) {}
  quint32 State() const { return state_; }
  quint32 Error() const { return error_; }

 private:
  quint32 state_;
  quint32 error_;
};

struct TStateEvent {
  quint32 state;
  TRasNotifyEvent TRAS::*event;
};

const TStateEvent kStateEvents[] = {
    {RasState::kOpenPort, &TRAS::OnAboutToOpenPort},
    {RasState::kPortOpened, &TRAS::OnPortOpened},
    {RasState::kConnectDevice, &TRAS::OnAboutToConnDev},
    {RasState::kDeviceConnected, &TRAS::OnDevConnected},
    {RasState::kAllDevicesConnected, &TRAS::OnAllDevsConnected},
    {RasState::kAuthenticate, &TRAS::OnAuthenticate},
    {RasState::kAuthNotify, &TRAS::OnAuthNotify},
    {RasState::kAuthRetry, &TRAS::OnAuthRetry},
    {RasState::kAuthCallback, &TRAS::OnAuthCallBack},
    {RasState::kAuthChangePassword, &TRAS::OnAuthChangePassword},
    {RasState::kAuthProject, &TRAS::OnAuthProject},
    {RasState::kAuthLinkSpeed, &TRAS::OnAuthLinkSpeed},
    {RasState::kAuthAck, &TRAS::OnAuthAck},
    {RasState::kReAuthenticate, &TRAS::OnReAuthenticate},
    {RasState::kAuthenticated, &TRAS::OnAuthenticated},
    {RasState::kPrepareForCallback, &TRAS::OnPrepareforCallback},
    {RasState::kWaitForModemReset, &TRAS::OnWaitForModemReset},
    {RasState::kWaitForCallback, &TRAS::OnCallBack},
    {RasState::kInteractive, &TRAS::OnInteractiveStarted},
    {RasState::kRetryAuthentication, &TRAS::OnRetryAuth},
    {RasState::kPasswordExpired, &TRAS::OnPasswordExpired},
    {RasState::kConnected, &TRAS::OnConnect},
};

}  // namespace

// Receives the progress notifications of one dial; gone once the connection is hung up, so that
// late notifications of an old connection reach nobody.
class TRasNotificationWindow : public QObject {
 public:
  explicit TRasNotificationWindow(TRAS* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  bool event(QEvent* event) override {
    if (event->type() != TRAS::NotificationMessage())
      return QObject::event(event);
    auto* dial = static_cast<TRasDialEvent*>(event);
    if (owner_ != nullptr && owner_->window_ == this)
      owner_->Notification(dial->State(), dial->Error());
    return true;
  }

 private:
  TRAS* owner_;
};

TRAS::TRAS(std::shared_ptr<TRasBackend> backend)
    : backend_(backend ? std::move(backend) : DefaultRasBackend()) {
  NotificationMessage();
}

TRAS::~TRAS() {
  HangUp(false);
}

int TRAS::NotificationMessage() {
  static const int message = [] {
    const int registered = QEvent::registerEventType();
    return registered > 0 ? registered : kFallbackNotificationMessage;
  }();
  return message;
}

void TRAS::SetPhoneBookPath(const QString& path) {
  phoneBookPath_ = path;
  GetPhoneBookEntries();
}

quint32 TRAS::Dial() {
  HangUp(false);
  // Without the remote-access layer nothing is dialled.
  if (!backend_->Available()) {
    lastResult_ = RasError::kDeviceDoesNotExist;
    return lastResult_;
  }
  if (window_ == nullptr)
    window_ = new TRasNotificationWindow(this);
  TRasDialParams params;
  params.entryName = entryName_;
  params.phoneNumber = phoneNumber_;
  params.callbackNumber = callbackNumber_;
  params.userName = userName_;
  params.password = password_;
  params.domain = domain_;
  QPointer<TRasNotificationWindow> window = window_;
  TRasNotifier notifier = [window](quint32 state, quint32 error) {
    if (window.isNull())
      return;
    TRasDialEvent event(state, error);
    QCoreApplication::sendEvent(window.data(), &event);
  };
  TRasHandle handle = 0;
  lastResult_ = backend_->Dial(phoneBookPath_, params, std::move(notifier), handle);
  connection_ = handle;
  return lastResult_;
}

quint32 TRAS::HangUp() {
  return HangUp(true);
}

quint32 TRAS::HangUp(bool raiseDisconnect) {
  quint32 result = 0;
  if (connection_ != 0)
    result = backend_->HangUp(connection_);
  connection_ = 0;
  DestroyNotificationWindow();
  if (raiseDisconnect)
    RaiseDisconnect();
  return result;
}

void TRAS::DestroyNotificationWindow() {
  if (window_ == nullptr)
    return;
  // The window may be delivering the notification that led here.
  window_->Detach();
  window_->deleteLater();
  window_ = nullptr;
}

void TRAS::GetPhoneBookEntries() {
  entries_.clear();
  if (!backend_->Available())
    return;
  QStringList names;
  const quint32 result = backend_->EnumEntries(phoneBookPath_, names);
  if (result != 0 && result != RasError::kBufferTooSmall)
    return;
  for (const QString& name : names) {
    if (entries_.size() == kRasMaxEntries)
      break;
    if (!name.isEmpty())
      entries_.append(name);
  }
}

bool TRAS::GetEntryDialParams(const QString& entryName) {
  if (!backend_->Available())
    return false;
  TRasDialParams params;
  if (backend_->GetEntryDialParams(QString(), entryName, params) != 0)
    return false;
  userName_ = params.userName;
  password_ = params.password;
  phoneNumber_ = params.phoneNumber;
  callbackNumber_ = params.callbackNumber;
  domain_ = params.domain;
  return true;
}

QString TRAS::ErrorText(quint32 code) {
  if (connection_ == 0)
    return QString();
  const QString text = backend_->ErrorString(code);
  return text.isEmpty() ? QStringLiteral("Status Unknown") : text;
}

quint32 TRAS::QueryStatus() {
  if (connection_ == 0)
    return 0;
  TRasConnStatus status;
  const quint32 result = backend_->GetConnectStatus(connection_, status);
  if (result != 0)
    return result;
  connectState_ = status.state;
  deviceName_ = status.deviceName;
  deviceType_ = status.deviceType;
  return status.error;
}

void TRAS::Notification(quint32 state, quint32 error) {
  if (connection_ == 0)
    return;
  if (error != 0) {
    lastResult_ = error;
  } else {
    connectState_ = state;
    RaiseStateEvent(state);
  }
  const QString text = StatusText();
  if (OnStatus)
    OnStatus(this, text);
}

void TRAS::RaiseStateEvent(quint32 state) {
  if (state == RasState::kDisconnected) {
    RaiseDisconnect();
    return;
  }
  for (const TStateEvent& entry : kStateEvents) {
    if (entry.state != state)
      continue;
    const TRasNotifyEvent& handler = this->*(entry.event);
    if (handler)
      handler(this);
    return;
  }
}

void TRAS::RaiseDisconnect() {
  if (!OnDisconnect)
    return;
  const quint32 code = QueryStatus();
  OnDisconnect(this, code, ErrorText(code));
}

QString TRAS::StatusText() {
  if (connection_ == 0)
    return QStringLiteral("Not Active");
  const quint32 code = QueryStatus();
  if (code == 0)
    return StateText();
  QString text;
  if (code >= 600)
    text = ErrorText(code);
  else if (code == RasError::kInvalidHandle)
    text = QStringLiteral("Invalid Handle");
  else if (code == RasError::kNotEnoughMemory)
    text = QStringLiteral("Not enough memory");
  if (OnError)
    OnError(this, code);
  return text;
}

QString TRAS::StateText() const {
  switch (connectState_) {
    case RasState::kOpenPort:
      return QStringLiteral("Opening Port");
    case RasState::kPortOpened:
      return QStringLiteral("Port Opened");
    case RasState::kConnectDevice:
      return QStringLiteral("Using Device: ") + deviceName_ + QStringLiteral(" - ") + deviceType_;
    case RasState::kDeviceConnected:
      return QStringLiteral("Device is connected");
    case RasState::kAllDevicesConnected:
      return QStringLiteral("All Required Devices Connected");
    case RasState::kAuthenticate:
      return QStringLiteral("Validating User/Password/Domain");
    case RasState::kAuthNotify:
      return QStringLiteral("Authentication Notification");
    case RasState::kAuthCallback:
      return QStringLiteral("Authentication Call Back");
    case RasState::kAuthProject:
      return QStringLiteral("Project");
    case RasState::kAuthLinkSpeed:
      return QStringLiteral("Calculating Link speed");
    case RasState::kAuthAck:
      return QStringLiteral("Authentication acknowledged");
    case RasState::kReAuthenticate:
      return QStringLiteral("Reauthenticating");
    case RasState::kAuthenticated:
      return QStringLiteral("Login Authenticated");
    case RasState::kPrepareForCallback:
      return QStringLiteral("Preparing for Callback");
    case RasState::kWaitForModemReset:
      return QStringLiteral("Waiting for Modem Reset");
    case RasState::kWaitForCallback:
      return QStringLiteral("Waiting for Callback");
    default:
      return QString();
  }
}
