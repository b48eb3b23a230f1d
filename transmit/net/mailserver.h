#pragma once
// Where and how a message is sent: the SMTP server and the account on it. Plain values, so that
// the window can describe a send without Qt's network library, which only the mail plug-in
// (TMailSender) loads.

#include <QString>
#include <QtGlobal>

// How the exchange is secured: not at all, STARTTLS whenever the server offers it, STARTTLS or
// refuse to send, or TLS from the first byte.
enum class TSmtpSecurity { None, Opportunistic, Required, Tls };

struct TMailServer {
  QString Host;
  quint16 Port = 25;
  qsizetype BufferChunk = 8192;  // the attachment is written (and its progress told) in these
  int TimeoutMs = 0;             // each wait for the server; 0 or less: the shortest there is
  TSmtpSecurity Security = TSmtpSecurity::Opportunistic;
  // An account to log in with (both not empty); an empty user name sends without logging in.
  QString User;
  QString Password;
};
