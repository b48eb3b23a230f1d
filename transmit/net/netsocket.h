#pragma once
// The mail client family's socket layer: a blocking TCP connection (a QSslSocket used with its
// waitFor... calls, so the family runs on a worker thread without an event loop), line-oriented
// reading through a growing buffer, reply parsing ("+OK", "-ERR", three-digit codes, multi-line
// replies) and commands with an expected reply code.
//
// Every wait is bounded: connecting, each reply and each write give up after Timeout() with
// socket error 10060, and a cancel request (from any thread) ends a wait with
// ENetSilentException, at once or after the cancel grace. Every failure is raised as one of the
// exceptions of netexceptions.h.

#include <QAbstractSocket>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

#include "transmit/net/netreadbuffer.h"

class QSslSocket;

class TNet {
 public:
  virtual ~TNet() = default;
  // The family's version, named in the messages it sends.
  static QString VersionText() { return QStringLiteral("1.0"); }
};

class TNetSocket : public TNet {
 public:
  static constexpr int kDefaultTimeoutMs = 30000;

  // Raised while an attachment is written: bytes done and the total.
  using WorkHandler = std::function<void(TNetSocket& sender, qint64 done, qint64 total)>;
  using StatusHandler = std::function<void(TNetSocket& sender, const QString& text)>;
  // Every line written or read, without its line end (the password of a log-in is hidden).
  using TraceHandler = std::function<void(bool incoming, const QByteArray& line)>;

  TNetSocket();
  ~TNetSocket() override;
  TNetSocket(const TNetSocket&) = delete;
  TNetSocket& operator=(const TNetSocket&) = delete;

  // ---- The operations of the family, in the order the clients override them ----
  virtual void CloseSocket();
  virtual bool Connected() const;
  // Status "Disconnecting", drops what is buffered, closes, status "Disconnected"; never raises.
  virtual void Disconnect();
  // Writes the command (when not empty) and reads the reply. Raises ENetResponseError with the
  // reply text when expected >= 0 and the code differs. Then reports status: indent x 2 blanks
  // and the reply text when status is "*", or the status text when it is not empty.
  virtual int SendCommand(const QString& command, int expected, const QString& status,
                          int indent = 0);
  virtual void ReportWork(qint64 bytes);
  virtual void WriteTrace(const QByteArray& line);
  virtual void ReadTrace(const QByteArray& line);
  virtual QByteArray ReadExactly(qsizetype n);

  // ---- Lines and replies ----
  // Sends the text and the line end; nothing at all for an empty text without the line end.
  void WriteLine(const QString& text);
  void WriteBytes(const QByteArray& bytes);
  // Waits until everything written has left.
  void Flush();
  // The next line without its CR LF.
  QString ReadLine();
  // The next line that is not empty after trimming blanks, trimmed.
  QString ReadReplyLine();
  // Reads a whole reply (all lines of a multi-line one) and answers its code: 1 for "+OK",
  // 0 for "-ERR", otherwise the number of its first three characters (0 when not a number).
  int GetReply();
  int ReplyCode() const { return replyCode_; }
  // The last line of the last reply.
  const QString& ReplyText() const { return replyText_; }
  // Every line of the last reply.
  const QStringList& ReplyLines() const { return replyLines_; }

  // ---- Work reporting (for attachments) ----
  void BeginWork(qint64 total);
  void EndWork();

  // ---- Settings ----
  qsizetype BufferChunk() const { return buffer_.Chunk(); }
  void SetBufferChunk(qsizetype bytes) { buffer_.SetChunk(bytes); }
  const TNetReadBuffer& Buffer() const { return buffer_; }
  bool Nagle() const { return nagle_; }
  void SetNagle(bool on) { nagle_ = on; }
  // Clears the high bit of every byte written.
  bool SevenBitFilter() const { return sevenBit_; }
  void SetSevenBitFilter(bool on) { sevenBit_ = on; }
  int Timeout() const { return timeoutMs_; }
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds > 0 ? milliseconds : 1; }
  // A flag another thread sets to end the exchange; it must outlive the client's calls.
  void SetCancelFlag(const std::atomic<bool>* flag) { cancelFlag_ = flag; }
  // How long a wait goes on after a cancel (0: it ends at once).
  void SetCancelGrace(int milliseconds) { cancelGraceMs_ = milliseconds; }
  // Certificates trusted beside the system's roots when the connection is upgraded to TLS.
  void AddCaCertificates(const QList<QSslCertificate>& certificates);

  void SetOnWork(WorkHandler handler) { onWork_ = std::move(handler); }
  void SetOnStatus(StatusHandler handler) { onStatus_ = std::move(handler); }
  StatusHandler OnStatus() const { return onStatus_; }
  void SetOnTrace(TraceHandler handler) { onTrace_ = std::move(handler); }

  // Reports a status text; an exception of the handler is raised again with
  // " occurred in user's OnStatus Event." added.
  void Status(const QString& text);

 protected:
  // Opens a TCP connection to the address; raises the socket error of a failure.
  void OpenSocket(const QHostAddress& address, quint16 port);
  // Upgrades the open connection to TLS, checking the server's certificate for the host name.
  void StartTls(const QString& hostName);
  bool Encrypted() const;
  // Writes a line whose content must not be traced (a password).
  void WriteSecretLine(const QString& text);
  void CheckCancelled() const;

 private:
  enum class TWaitResult { Done, Slice, Failed };
  // Waits in short slices until the step is done, the deadline passes (socket error 10060) or a
  // cancel request arrives (ENetSilentException). A step that fails for good answers false.
  void Wait(const std::function<TWaitResult(int sliceMs)>& step, const QDeadlineTimer& deadline);
  void FillBuffer(const QDeadlineTimer& deadline);
  void RaiseSocketError();
  void ConnectionClosed();
  void WriteRaw(QByteArray bytes);

  std::unique_ptr<QSslSocket> socket_;
  TNetReadBuffer buffer_;
  QByteArray lineEnd_ = QByteArrayLiteral("\r\n");
  int replyCode_ = 0;
  QString replyText_;
  QStringList replyLines_;
  bool nagle_ = true;
  bool sevenBit_ = false;
  int timeoutMs_ = kDefaultTimeoutMs;
  const std::atomic<bool>* cancelFlag_ = nullptr;
  int cancelGraceMs_ = 0;
  QList<QSslCertificate> caCertificates_;
  qint64 workDone_ = 0;
  qint64 workTotal_ = 0;
  qint64 workReported_ = -1;
  WorkHandler onWork_;
  StatusHandler onStatus_;
  TraceHandler onTrace_;
};

// The Winsock error number that stands for a socket error of the platform.
int WinsockErrorNumber(QAbstractSocket::SocketError error);
