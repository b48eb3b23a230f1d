#pragma once
// The SMTP client: greeting, "Helo", and for each message "Rset", "Mail from", one "RCPT to"
// per recipient (Bcc, Cc, then To), "Data", the headers, the body and ".".
//
// Beyond that plain dialogue (Security None, the default of the class), the client can secure
// the connection. Opportunistic greets with "Ehlo" and upgrades with STARTTLS whenever the server
// offers it; Required refuses a server that does not offer it; Tls speaks TLS from the first
// byte (as on port 465). The server's certificate is always checked against the system's roots
// (and any added with AddCaCertificates) and the host name: one that does not verify ends the
// exchange, never falling back to a plain connection. A user name and password ask for a log-in
// with AUTH PLAIN or LOGIN, which is only ever sent over a secured connection.
//
// Before anything is sent, Send refuses a message that could not go out as written: a header
// value or recipient with a line break (it would smuggle in headers of its own) and a recipient
// address without an at-sign.

#include <QString>
#include <QStringList>

#include "transmit/net/mailserver.h"
#include "transmit/net/netmessageclient.h"

class TNetSMTP : public TNetMessageClient {
 public:
  static constexpr quint16 kDefaultPort = 25;
  // How long a cancel waits for the server's answer to a complete message.
  static constexpr int kAcceptanceGraceMs = 1000;

  TNetSMTP();

  // Connects and greets the server (securing and logging in as asked); on any error the
  // connection is closed again.
  void Connect() override;
  // Writes "Quit" without waiting for the reply, then closes.
  void Disconnect() override;
  void Send(TNetMessage& message) override;

  // The program name for the "X-Mailer" header; empty leaves the header out.
  const QString& ProgramName() const { return programName_; }
  void SetProgramName(const QString& name) { programName_ = name; }
  TSmtpSecurity Security() const { return security_; }
  void SetSecurity(TSmtpSecurity security) { security_ = security; }
  // A user name and password (both not empty) ask for a log-in over a secured connection.
  void SetCredentials(const QString& user, const QString& password);
  // What the exchange was doing when it last stopped ("the recipient x@y", "the log-in"...),
  // for telling the user why a send failed (DescribeFailure).
  const QString& Step() const { return step_; }

 private:
  bool LogInWanted() const { return !user_.isEmpty() && !password_.isEmpty(); }
  void Greet();
  void Upgrade();
  void LogIn(const QStringList& capabilities);
  // Everything Send refuses, checked before the connection is touched.
  void CheckMessage(const TNetMessage& message) const;
  void PrepareHeaders(TNetMessage& message, TBodyEncoding encoding) const;
  void SendRecipients(const TNetMessage& message);

  QString programName_;
  TSmtpSecurity security_ = TSmtpSecurity::None;
  QString user_;
  QString password_;
  QString step_;
  // The server said it takes 8-bit message text (8BITMIME in its Ehlo reply).
  bool eightBitMime_ = false;
};

// What the user is told about a failed send: the reason in plain words with the step it
// happened at ("The mail server refused the recipient x@y: 550 ..."). Empty for a cancel.
QString DescribeFailure(const std::exception& failure, const QString& step);
