#pragma once
// A real SMTP server for the tests (smtpserver.py: Debian's aiosmtpd) on a free loopback port,
// started by the test and stopped when the object goes. Received messages are read back from
// its mail folder.

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct TSmtpServerOptions {
  int GreetingLines = 0;    // extra "220-" lines before the greeting
  bool RejectRcpt = false;  // every RCPT is answered 550
  double DataDelay = 0;     // seconds before the reply to the message's end
  bool Silent = false;      // accepts connections and never answers
  QString TlsCert;          // offers STARTTLS with this certificate and key
  QString TlsKey;
  bool ImplicitTls = false;  // TLS from the first byte instead of STARTTLS
  bool No8BitMime = false;   // does not offer 8BITMIME
  QString Auth;              // "user:password": a log-in is required
};

class TSmtpTestServer {
 public:
  explicit TSmtpTestServer(const TSmtpServerOptions& options = {});
  ~TSmtpTestServer();

  bool Started() const { return port_ != 0; }
  quint16 Port() const { return port_; }
  // Waits until the server has stored this many messages.
  bool WaitForMessages(int count, int timeoutMs = 20000) const;
  int MessageCount() const;
  // Waits until this many messages have come in whole, accepted or not yet.
  bool WaitForReceived(int count, int timeoutMs = 20000) const;
  // Message n from 1, as received (dot-stuffing undone), and its envelope and session.
  QByteArray Message(int n) const;
  QJsonObject Envelope(int n) const;

 private:
  QTemporaryDir mailFolder_;
  QProcess process_;
  quint16 port_ = 0;
};

// A throw-away certificate authority and a server certificate it signed (made with openssl),
// for "localhost" and 127.0.0.1 unless other names are given ("DNS:mail.example,IP:...").
struct TTestCertificate {
  QString CaFile;
  QString CertFile;
  QString KeyFile;
  // The authority's certificate: what a client trusts to accept the server's.
  QList<QSslCertificate> Certificates() const;
};
bool MakeTestCertificate(const QString& folder, TTestCertificate& certificate,
                         const QString& names = QStringLiteral("DNS:localhost,IP:127.0.0.1"));

// A received message split into its header lines and its body.
struct TReceivedMail {
  QStringList HeaderLines;  // "Name: value", in order
  QStringList HeaderNames;
  QByteArray Body;  // everything after the empty line
  QString Header(const QString& name) const;
};
TReceivedMail ParseMail(const QByteArray& message);

// The Base64 lines of the attachment with this file name, and the bytes they decode to.
QStringList AttachmentLines(const QByteArray& body, const QString& fileName);
QByteArray AttachmentBytes(const QByteArray& body, const QString& fileName);
