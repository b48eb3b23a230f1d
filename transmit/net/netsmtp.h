#pragma once
// The SMTP client: greeting, "Helo", and for each message "Rset", "Mail from", one "RCPT to"
// per recipient (Bcc, Cc, then To), "Data", the headers, the body and ".".
//
// Beyond that dialogue, the client can secure the connection: with SetStartTls(true) it greets
// with "Ehlo" and, when the server offers STARTTLS, upgrades the connection before "Mail from",
// checking the server's certificate against the system's roots. With a user name and password
// it also requires that upgrade and then logs in with AUTH PLAIN or LOGIN; the password never
// crosses a plain connection. Without either, the dialogue is the plain one above.
//
// Before anything is sent, Send refuses a message that could not go out as written: a header
// value or recipient with a line break (it would smuggle in headers of its own) and a recipient
// address without an at-sign.

#include <QString>

#include "transmit/net/netmessageclient.h"

class TNetSMTP : public TNetMessageClient {
 public:
  static constexpr quint16 kDefaultPort = 25;

  TNetSMTP();

  // Connects and greets the server; on any error the connection is closed again.
  void Connect() override;
  // Writes "Quit" without waiting for the reply, then closes.
  void Disconnect() override;
  void Send(TNetMessage& message) override;

  // The program name for the "X-Mailer" header; empty leaves the header out.
  const QString& ProgramName() const { return programName_; }
  void SetProgramName(const QString& name) { programName_ = name; }
  bool StartTlsWanted() const { return startTls_; }
  void SetStartTls(bool wanted) { startTls_ = wanted; }
  // A user name and password (both not empty) ask for a log-in over a secured connection.
  void SetCredentials(const QString& user, const QString& password);

 private:
  void Greet();
  void SecureAndLogIn();
  void LogIn(const QStringList& capabilities);
  // Everything Send refuses, checked before the connection is touched.
  void CheckMessage(const TNetMessage& message) const;
  void PrepareHeaders(TNetMessage& message) const;
  void SendRecipients(const TNetMessage& message);

  QString programName_;
  bool startTls_ = false;
  QString user_;
  QString password_;
};
