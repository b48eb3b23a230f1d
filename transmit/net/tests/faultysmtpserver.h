#pragma once
// A misbehaving SMTP server for the fault tests (faultysmtpserver.py) on a free loopback port,
// started by the test and stopped when the object goes. Its first connections misbehave as the
// options say; later ones behave, so that a retry can succeed.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

struct TFaultySmtpOptions {
  int FaultyConnections = 1;
  int DropInDataAfter = 0;  // bytes of the message after which the connection is dropped
  QString LongReplyTo;      // a command ("MAIL", "RCPT", ...) answered with a long 554 line
  int LongReplyLength = 0;  // that line's length
  QString EndlessLineTo;    // a command answered with a line that never ends
  QString EndlessReplyTo;   // a command answered with a multi-line reply that never ends
};

class TFaultySmtpServer {
 public:
  explicit TFaultySmtpServer(const TFaultySmtpOptions& options);
  ~TFaultySmtpServer();

  bool Started() const { return port_ != 0; }
  quint16 Port() const { return port_; }
  // The messages the server accepted, and message n from 1 as received.
  int MessageCount() const;
  QByteArray Message(int n) const;

 private:
  QTemporaryDir mailFolder_;
  QProcess process_;
  quint16 port_ = 0;
};
