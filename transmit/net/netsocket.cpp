#include "transmit/net/netsocket.h"

#include <QEventLoop>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>
#include <algorithm>

#include "platform/windows1252.h"
#include "transmit/net/netexceptions.h"

namespace {

// How often a wait looks at the cancel flag.
constexpr int kSliceMs = 50;
// What may wait in the socket's own buffer before a write waits for it to leave.
constexpr qint64 kWriteBacklog = 64 * 1024;
// A reply line (or a multi-line reply) longer than this is not from a mail server; refused rather
// than buffered for ever.
constexpr qsizetype kMaxLineLength = 1024 * 1024;
constexpr qint64 kWorkStep = 1024;

QString TrimBlanks(const QString& text) {
  return text.trimmed();
}

}  // namespace

TNetSocket::TNetSocket() = default;

TNetSocket::~TNetSocket() {
  CloseSocket();
}

// ---- Connection ---------------------------------------------------------------------------------

void TNetSocket::CloseSocket() {
  if (socket_) {
    socket_->abort();
    socket_.reset();
  }
}

bool TNetSocket::Connected() const {
  return socket_ != nullptr;
}

void TNetSocket::Disconnect() {
  try {
    Status(QStringLiteral("Disconnecting"));
  } catch (...) {
  }
  buffer_.Clear();
  CloseSocket();
  try {
    Status(QStringLiteral("Disconnected"));
  } catch (...) {
  }
}

void TNetSocket::OpenSocket(const QHostAddress& address, quint16 port) {
  CloseSocket();
  buffer_.Clear();
  socket_ = std::make_unique<QSslSocket>();
  QSslSocket& socket = *socket_;

  // A blocking connect cannot be waited for in slices (a timed-out wait drops the attempt), so
  // the connect runs in a local event loop that looks at the cancel flag and the deadline.
  const QDeadlineTimer deadline(timeoutMs_);
  QEventLoop loop;
  QTimer poll;
  bool cancelled = false;
  bool timedOut = false;
  QObject::connect(&socket, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
  QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    cancelled = cancelFlag_ != nullptr && cancelFlag_->load();
    timedOut = deadline.hasExpired();
    if (cancelled || timedOut)
      loop.quit();
  });
  poll.start(kSliceMs);
  socket.connectToHost(address, port);
  if (socket.state() != QAbstractSocket::ConnectedState &&
      socket.state() != QAbstractSocket::UnconnectedState)
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  poll.stop();
  QObject::disconnect(&socket, nullptr, &loop, nullptr);

  if (socket.state() == QAbstractSocket::ConnectedState) {
    if (!nagle_)
      socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return;
  }
  const QAbstractSocket::SocketError error = socket.error();
  CloseSocket();
  if (cancelled)
    throw ENetSilentException(QStringLiteral("Cancelled"));
  if (timedOut)
    throw ENetSocketError(winsock::kTimedOut);
  throw ENetSocketError(WinsockErrorNumber(error));
}

void TNetSocket::StartTls(const QString& hostName) {
  if (!socket_)
    throw ENetClosedSocket(QStringLiteral("Socket is closed, cannot write"));
  Flush();
  buffer_.Clear();
  if (!caCertificates_.isEmpty()) {
    QSslConfiguration configuration = socket_->sslConfiguration();
    configuration.addCaCertificates(caCertificates_);
    socket_->setSslConfiguration(configuration);
  }
  socket_->setPeerVerifyName(hostName);
  socket_->setPeerVerifyMode(QSslSocket::VerifyPeer);
  socket_->startClientEncryption();
  const QDeadlineTimer deadline(timeoutMs_);
  Wait(
      [this](int slice) {
        if (socket_->isEncrypted() || socket_->waitForEncrypted(slice))
          return TWaitResult::Done;
        if (socket_->state() == QAbstractSocket::ConnectedState &&
            socket_->error() == QAbstractSocket::SocketTimeoutError)
          return TWaitResult::Slice;
        return TWaitResult::Failed;
      },
      deadline);
}

bool TNetSocket::Encrypted() const {
  return socket_ && socket_->isEncrypted();
}

void TNetSocket::AddCaCertificates(const QList<QSslCertificate>& certificates) {
  caCertificates_ += certificates;
}

void TNetSocket::CheckCancelled() const {
  if (cancelFlag_ != nullptr && cancelFlag_->load())
    throw ENetSilentException(QStringLiteral("Cancelled"));
}

void TNetSocket::Wait(const std::function<TWaitResult(int)>& step, const QDeadlineTimer& deadline) {
  QDeadlineTimer graceEnd(QDeadlineTimer::Forever);
  bool cancelSeen = false;
  for (;;) {
    // A cancel ends the wait once the grace has passed, but what arrived by then is still
    // taken: a server's acceptance of the message must not be thrown away (the message would be
    // sent twice).
    if (cancelFlag_ != nullptr && cancelFlag_->load()) {
      if (!cancelSeen) {
        cancelSeen = true;
        graceEnd = QDeadlineTimer(cancelGraceMs_);
      }
      if (graceEnd.hasExpired()) {
        if (step(0) == TWaitResult::Done)
          return;
        CheckCancelled();
      }
    }
    const qint64 remaining = deadline.remainingTime();
    if (remaining == 0)
      throw ENetSocketError(winsock::kTimedOut);
    const int slice =
        static_cast<int>(remaining < 0 ? kSliceMs : std::min<qint64>(remaining, kSliceMs));
    switch (step(slice)) {
      case TWaitResult::Done:
        return;
      case TWaitResult::Slice:
        continue;
      case TWaitResult::Failed:
        RaiseSocketError();
    }
  }
}

void TNetSocket::RaiseSocketError() {
  const QAbstractSocket::SocketError error =
      socket_ ? socket_->error() : QAbstractSocket::OperationError;
  QString tlsDetail;
  if (socket_ && (error == QAbstractSocket::SslHandshakeFailedError ||
                  error == QAbstractSocket::SslInternalError ||
                  error == QAbstractSocket::SslInvalidUserDataError)) {
    QStringList reasons;
    for (const QSslError& reason : socket_->sslHandshakeErrors())
      reasons << reason.errorString();
    tlsDetail = reasons.isEmpty() ? socket_->errorString() : reasons.join(QStringLiteral("; "));
  }
  CloseSocket();
  if (!tlsDetail.isEmpty())
    throw ENetException(QStringLiteral("The secure connection to the mail server failed: ") +
                        tlsDetail);
  if (error == QAbstractSocket::RemoteHostClosedError)
    throw ENetConnClosedGraceful(QStringLiteral("Connection Closed Gracefully."));
  throw ENetSocketError(WinsockErrorNumber(error));
}

void TNetSocket::ConnectionClosed() {
  CloseSocket();
  throw ENetConnClosedGraceful(QStringLiteral("Connection Closed Gracefully."));
}

// ---- Writing ------------------------------------------------------------------------------------

void TNetSocket::WriteLine(const QString& text) {
  QByteArray bytes = EncodeWindows1252(text);
  WriteTrace(bytes);
  WriteRaw(bytes + lineEnd_);
}

void TNetSocket::WriteSecretLine(const QString& text) {
  WriteTrace(QByteArrayLiteral("(hidden)"));
  WriteRaw(EncodeWindows1252(text) + lineEnd_);
}

void TNetSocket::WriteBytes(const QByteArray& bytes) {
  if (bytes.isEmpty())
    return;
  WriteRaw(bytes);
}

void TNetSocket::WriteRaw(QByteArray bytes) {
  if (!socket_)
    throw ENetClosedSocket(QStringLiteral("Socket is closed, cannot write"));
  CheckCancelled();
  if (sevenBit_) {
    for (char& c : bytes)
      c = static_cast<char>(c & 0x7F);
  }
  // The socket keeps what the system does not take at once and sends it as the wait below
  // runs, so every byte goes out however the system splits the sends.
  if (socket_->write(bytes) != bytes.size())
    RaiseSocketError();
  if (socket_->bytesToWrite() > kWriteBacklog)
    Flush();
}

void TNetSocket::Flush() {
  if (!socket_)
    throw ENetClosedSocket(QStringLiteral("Socket is closed, cannot write"));
  const QDeadlineTimer deadline(timeoutMs_);
  Wait(
      [this](int slice) {
        if (socket_->bytesToWrite() == 0 && socket_->encryptedBytesToWrite() == 0)
          return TWaitResult::Done;
        if (socket_->waitForBytesWritten(slice))
          return TWaitResult::Slice;
        if (socket_->state() == QAbstractSocket::ConnectedState &&
            socket_->error() == QAbstractSocket::SocketTimeoutError)
          return TWaitResult::Slice;
        return TWaitResult::Failed;
      },
      deadline);
}

// ---- Reading ------------------------------------------------------------------------------------

void TNetSocket::FillBuffer(const QDeadlineTimer& deadline) {
  if (!socket_)
    throw ENetClosedSocket(QStringLiteral("Socket is closed, cannot read"));
  Wait(
      [this](int slice) {
        if (socket_->bytesAvailable() > 0 || socket_->waitForReadyRead(slice)) {
          qsizetype room = 0;
          char* into = buffer_.PrepareRead(room);
          const qint64 n = socket_->read(into, room);
          if (n < 0)
            return TWaitResult::Failed;
          buffer_.Commit(n);
          return n > 0 ? TWaitResult::Done : TWaitResult::Slice;
        }
        if (socket_->state() != QAbstractSocket::ConnectedState)
          ConnectionClosed();
        if (socket_->error() == QAbstractSocket::SocketTimeoutError)
          return TWaitResult::Slice;
        return TWaitResult::Failed;
      },
      deadline);
}

QString TNetSocket::ReadLine() {
  // Whatever was written must have left before an answer to it can come.
  if (socket_ && socket_->bytesToWrite() > 0)
    Flush();
  const QDeadlineTimer deadline(timeoutMs_);
  qsizetype end = buffer_.IndexOf(lineEnd_);
  while (end < 0) {
    if (buffer_.Available() > kMaxLineLength) {
      CloseSocket();
      throw ENetException(QStringLiteral("The server sent a line too long to be a reply."));
    }
    FillBuffer(deadline);
    end = buffer_.IndexOf(lineEnd_);
  }
  const QByteArray line = buffer_.Take(end);
  buffer_.Skip(lineEnd_.size());
  ReadTrace(line);
  return DecodeWindows1252(line);
}

QByteArray TNetSocket::ReadExactly(qsizetype n) {
  const QDeadlineTimer deadline(timeoutMs_);
  while (buffer_.Available() < n)
    FillBuffer(deadline);
  return buffer_.Take(n);
}

QString TNetSocket::ReadReplyLine() {
  QString line;
  do {
    line = TrimBlanks(ReadLine());
  } while (line.isEmpty());
  return line;
}

int TNetSocket::GetReply() {
  replyLines_.clear();
  QString line = ReadReplyLine();
  replyLines_ << line;
  if (line.size() > 3 && line.at(3) == QLatin1Char('-')) {
    const QString last = line.left(3) + QLatin1Char(' ');
    qsizetype size = line.size();
    do {
      line = ReadReplyLine();
      replyLines_ << line;
      // A reply whose lines never end is held to what one line may be.
      size += line.size();
      if (size > kMaxLineLength) {
        replyLines_.clear();
        CloseSocket();
        throw ENetException(QStringLiteral("The server sent a reply too long to be a reply."));
      }
    } while (!line.startsWith(last));
  }
  replyText_ = line;
  if (line.startsWith(QLatin1String("+OK")))
    replyCode_ = 1;
  else if (line.startsWith(QLatin1String("-ERR")))
    replyCode_ = 0;
  else
    replyCode_ = line.left(3).toInt();  // 0 when not a number
  return replyCode_;
}

int TNetSocket::SendCommand(const QString& command, int expected, const QString& status,
                            int indent) {
  if (!command.isEmpty())
    WriteLine(command);
  const int code = GetReply();
  if (expected >= 0 && code != expected)
    throw ENetResponseError(replyText_);
  const QString blanks(indent * 2, QLatin1Char(' '));
  if (status == QLatin1String("*"))
    Status(blanks + replyText_);
  else if (!status.isEmpty())
    Status(blanks + status);
  return code;
}

// ---- Events -------------------------------------------------------------------------------------

void TNetSocket::Status(const QString& text) {
  if (!onStatus_)
    return;
  try {
    onStatus_(*this, text);
  } catch (const ENetException& error) {
    throw ENetException(error.Message() + QStringLiteral(" occurred in user's OnStatus Event."));
  } catch (const std::exception& error) {
    throw ENetException(QString::fromLocal8Bit(error.what()) +
                        QStringLiteral(" occurred in user's OnStatus Event."));
  }
}

void TNetSocket::BeginWork(qint64 total) {
  workTotal_ = total;
  workDone_ = 0;
  workReported_ = -1;
}

void TNetSocket::ReportWork(qint64 bytes) {
  workDone_ += bytes;
  // Only each new multiple of 1024 bytes is reported: a report per line would flood the
  // progress bar's thread with events.
  if (workDone_ / kWorkStep > std::max<qint64>(workReported_, 0) / kWorkStep) {
    workReported_ = workDone_;
    if (onWork_)
      onWork_(*this, workDone_, workTotal_);
  }
}

void TNetSocket::EndWork() {
  if (workReported_ != workDone_) {
    workReported_ = workDone_;
    if (onWork_)
      onWork_(*this, workDone_, workTotal_);
  }
}

void TNetSocket::WriteTrace(const QByteArray& line) {
  if (onTrace_)
    onTrace_(false, line);
}

void TNetSocket::ReadTrace(const QByteArray& line) {
  if (onTrace_)
    onTrace_(true, line);
}

int WinsockErrorNumber(QAbstractSocket::SocketError error) {
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
      return winsock::kConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
      return winsock::kConnectionReset;
    case QAbstractSocket::HostNotFoundError:
      return winsock::kHostNotFound;
    case QAbstractSocket::SocketAccessError:
      return 10013;
    case QAbstractSocket::SocketResourceError:
      return 10055;
    case QAbstractSocket::SocketTimeoutError:
      return winsock::kTimedOut;
    case QAbstractSocket::DatagramTooLargeError:
      return 10040;
    case QAbstractSocket::NetworkError:
      return 10050;
    case QAbstractSocket::AddressInUseError:
      return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
      return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
      return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError:
      return 10036;
    case QAbstractSocket::OperationError:
      return winsock::kNotConnected;
    case QAbstractSocket::TemporaryError:
      return 10035;
    default:
      // Proxy and other errors have no Winsock counterpart; "network is down" says the most.
      return 10050;
  }
}
