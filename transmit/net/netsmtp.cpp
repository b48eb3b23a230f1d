#include "transmit/net/netsmtp.h"

#include <QDateTime>
#include <QHostInfo>

#include "transmit/net/netexceptions.h"

namespace {

bool HasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

void RefuseLineBreak(const QString& header) {
  throw ENetException(
      QStringLiteral("The %1 header holds a line break; the message is not sent.").arg(header));
}

void CheckEntries(const QStringList& entries, const QString& header) {
  for (const QString& entry : entries) {
    if (HasLineBreak(entry))
      RefuseLineBreak(header);
  }
}

// An address the server can take as it stands: an at-sign, and nothing that would end the
// "<...>" it is written in.
bool UsableAddress(const QString& address) {
  if (!address.contains(QLatin1Char('@')))
    return false;
  for (const QChar c : address) {
    if (c.isSpace() || c == QLatin1Char('<') || c == QLatin1Char('>'))
      return false;
  }
  return true;
}

// The extensions of an "Ehlo" reply, upper case, without the reply codes.
QStringList Capabilities(const QStringList& replyLines) {
  QStringList capabilities;
  for (const QString& line : replyLines.mid(1))
    capabilities << line.mid(4).trimmed().toUpper();
  return capabilities;
}

QStringList AuthMechanisms(const QStringList& capabilities) {
  for (const QString& capability : capabilities) {
    if (capability.startsWith(QLatin1String("AUTH ")) ||
        capability.startsWith(QLatin1String("AUTH=")))
      return capability.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  }
  return {};
}

QString Base64(const QString& text) {
  return QString::fromLatin1(text.toUtf8().toBase64());
}

const QString kNoStartTls = QStringLiteral(
    "The mail server does not offer a secure connection (STARTTLS); the password is not sent "
    "over a plain one.");
const QString kStartTlsRequired = QStringLiteral(
    "The mail server does not offer a secure connection (STARTTLS), which the MailSecurity "
    "setting requires; the message is not sent.");

}  // namespace

TNetSMTP::TNetSMTP() {
  SetPort(kDefaultPort);
}

void TNetSMTP::SetCredentials(const QString& user, const QString& password) {
  user_ = user;
  password_ = password;
}

void TNetSMTP::Connect() {
  eightBitMime_ = false;
  step_ = QStringLiteral("connecting to %1 port %2").arg(Host()).arg(Port());
  TNetClient::Connect();
  try {
    if (security_ == TSmtpSecurity::Tls) {
      step_ = QStringLiteral("the secure connection");
      StartTls(Host());
      Status(QStringLiteral("Connection secured"));
    }
    step_ = QStringLiteral("the server's greeting");
    if (GetReply() != 220)
      throw ENetConnectRefused(ReplyText());
    Greet();
  } catch (...) {
    Disconnect();
    throw;
  }
}

void TNetSMTP::Greet() {
  const QString helo = QStringLiteral("Helo ") + QHostInfo::localHostName();
  if (security_ == TSmtpSecurity::None) {
    step_ = QStringLiteral("Helo");
    SendCommand(helo, 250, QStringLiteral("Connected"));
    return;
  }
  step_ = QStringLiteral("Ehlo");
  QStringList capabilities;
  if (SendCommand(QStringLiteral("Ehlo ") + QHostInfo::localHostName(), -1, QString()) == 250) {
    capabilities = Capabilities(ReplyLines());
  } else {
    // A server that knows no extensions offers no STARTTLS and no log-in; it can still take
    // the message when neither is needed.
    if (security_ == TSmtpSecurity::Required)
      throw ENetException(kStartTlsRequired);
    if (LogInWanted() && !Encrypted())
      throw ENetException(kNoStartTls);
    step_ = QStringLiteral("Helo");
    SendCommand(helo, 250, QStringLiteral("Connected"));
    return;
  }
  Status(QStringLiteral("Connected"));
  if (!Encrypted()) {
    if (capabilities.contains(QLatin1String("STARTTLS"))) {
      Upgrade();
      capabilities = Capabilities(ReplyLines());
    } else if (security_ == TSmtpSecurity::Required) {
      throw ENetException(kStartTlsRequired);
    } else if (LogInWanted()) {
      throw ENetException(kNoStartTls);
    }
  }
  eightBitMime_ = capabilities.contains(QLatin1String("8BITMIME"));
  if (LogInWanted())
    LogIn(capabilities);
}

void TNetSMTP::Upgrade() {
  step_ = QStringLiteral("STARTTLS");
  SendCommand(QStringLiteral("STARTTLS"), 220, QString());
  step_ = QStringLiteral("the secure connection");
  StartTls(Host());
  Status(QStringLiteral("Connection secured"));
  step_ = QStringLiteral("Ehlo");
  SendCommand(QStringLiteral("Ehlo ") + QHostInfo::localHostName(), 250, QString());
}

void TNetSMTP::LogIn(const QStringList& capabilities) {
  const QStringList mechanisms = AuthMechanisms(capabilities);
  if (mechanisms.isEmpty())
    return;  // the server asks for no log-in
  step_ = QStringLiteral("the log-in");
  auto expect = [this](int code) {
    if (GetReply() != code)
      throw ENetResponseError(ReplyText());
  };
  if (mechanisms.contains(QLatin1String("PLAIN"))) {
    WriteSecretLine(QStringLiteral("AUTH PLAIN ") +
                    Base64(QLatin1Char('\0') + user_ + QLatin1Char('\0') + password_));
    expect(235);
  } else if (mechanisms.contains(QLatin1String("LOGIN"))) {
    WriteLine(QStringLiteral("AUTH LOGIN"));
    expect(334);
    WriteSecretLine(Base64(user_));
    expect(334);
    WriteSecretLine(Base64(password_));
    expect(235);
  } else {
    throw ENetException(
        QStringLiteral("The mail server offers no log-in the program knows (PLAIN or LOGIN)."));
  }
  Status(QStringLiteral("Logged in"));
}

void TNetSMTP::Disconnect() {
  if (Connected()) {
    try {
      WriteLine(QStringLiteral("Quit"));
      Flush();
    } catch (...) {
    }
  }
  TNetSocket::Disconnect();
}

void TNetSMTP::CheckMessage(const TNetMessage& message) const {
  for (const QString& entry : message.Headers()) {
    if (HasLineBreak(entry))
      RefuseLineBreak(entry.section(QLatin1Char('='), 0, 0));
  }
  CheckEntries(message.Too, QStringLiteral("To"));
  CheckEntries(message.CCList, QStringLiteral("Cc"));
  CheckEntries(message.BCCList, QStringLiteral("Bcc"));
  CheckEntries(message.Newsgroups, QStringLiteral("Newsgroups"));
  if (HasLineBreak(message.ContentType))
    RefuseLineBreak(QStringLiteral("Content-Type"));
  for (const TAttachment& attachment : message.Attachments) {
    if (HasLineBreak(attachment.FileName) || attachment.FileName.contains(QLatin1Char('"')))
      throw ENetException(
          QStringLiteral("The attachment name %1 cannot be sent.").arg(attachment.FileName));
  }
  for (const QStringList* list : {&message.BCCList, &message.CCList, &message.Too}) {
    for (const QString& entry : *list) {
      const QString address = ExtractAddress(entry);
      if (!UsableAddress(address))
        throw ENetException(
            QStringLiteral("The recipient \"%1\" is not a mail address; the message is not sent.")
                .arg(address));
    }
  }
  if (security_ == TSmtpSecurity::None && LogInWanted())
    throw ENetException(
        QStringLiteral("The MailSecurity setting is None, and a log-in is never sent over a "
                       "plain connection; the message is not sent."));
}

void TNetSMTP::PrepareHeaders(TNetMessage& message, TBodyEncoding encoding) const {
  if (message.UseNowForDate)
    message.SetHeader(QStringLiteral("Date"), DateHeaderValue(QDateTime::currentDateTime()));
  if (!message.Attachments.isEmpty()) {
    message.SetHeader(QStringLiteral("MIME-Version"), QStringLiteral("1.0"));
    message.SetHeader(QStringLiteral("Content-Type"),
                      QStringLiteral("multipart/mixed; boundary=\"%1\"").arg(Boundary()));
  } else if (encoding != TBodyEncoding::SevenBit) {
    // 8-bit text means nothing to a reader without its character set, which only MIME can name.
    message.SetHeader(QStringLiteral("MIME-Version"), QStringLiteral("1.0"));
    message.SetHeader(QStringLiteral("Content-Type"), TextContentType(message, encoding));
  } else {
    message.SetHeader(QStringLiteral("MIME-Version"), QString());
    message.SetHeader(QStringLiteral("Content-Type"), message.ContentType);
  }
  const QString comma = QStringLiteral(",");
  message.SetHeader(QStringLiteral("Newsgroups"), message.Newsgroups.join(comma));
  message.SetHeader(QStringLiteral("To"), message.Too.join(comma));
  message.SetHeader(QStringLiteral("Cc"), message.CCList.join(comma));
  message.SetHeader(QStringLiteral("Content-Transfer-Encoding"),
                    message.Attachments.isEmpty() && encoding != TBodyEncoding::SevenBit
                        ? TransferEncodingName(encoding)
                        : QString());
  message.SetHeader(QStringLiteral("X-Library"), QStringLiteral("NetMail ") + VersionText());
  message.SetHeader(QStringLiteral("X-Mailer"), programName_);
}

void TNetSMTP::SendRecipients(const TNetMessage& message) {
  for (const QStringList* list : {&message.BCCList, &message.CCList, &message.Too}) {
    for (const QString& entry : *list) {
      Status(QStringLiteral("    To: ") + entry);
      const QString address = ExtractAddress(entry);
      step_ = QStringLiteral("the recipient ") + address;
      SendCommand(QStringLiteral("RCPT to:<") + address + QLatin1Char('>'), 250, QString());
    }
  }
}

void TNetSMTP::Send(TNetMessage& message) {
  step_ = QStringLiteral("checking the message");
  if (ExtractAddress(message.Header(THeader::From)).isEmpty())
    throw ENetException(HeaderName(THeader::From) + QStringLiteral(" not specified."));
  if (ExtractAddress(message.Too.join(QStringLiteral("\r\n"))).isEmpty())
    throw ENetException(QStringLiteral("TO not specified."));
  CheckMessage(message);
  QString subject = message.Header(THeader::Subject).trimmed();
  if (subject.isEmpty()) {
    subject = QStringLiteral("None");
    message.SetHeader(THeader::Subject, subject);
  }
  Status(QStringLiteral("  Sending Message: ") + subject);

  const bool connectedHere = !Connected();
  if (connectedHere)
    Connect();
  try {
    // Servers that take 8-bit text get it as it is; others get it quoted-printable.
    const TBodyEncoding encoding = BodyEncoding(message.Text, eightBitMime_);
    step_ = QStringLiteral("Rset");
    SendCommand(QStringLiteral("Rset"), 250, QStringLiteral("Successful Reset"), 2);
    step_ = QStringLiteral("the sender");
    SendCommand(
        QStringLiteral("Mail from:<") + ExtractAddress(message.Header(THeader::From)) +
            QLatin1Char('>') +
            (encoding == TBodyEncoding::EightBit ? QStringLiteral(" BODY=8BITMIME") : QString()),
        250, QString());
    SendRecipients(message);
    step_ = QStringLiteral("Data");
    SendCommand(QStringLiteral("Data"), 354, QStringLiteral("SMTP is ready for message"), 2);
    step_ = QStringLiteral("sending the message");
    PrepareHeaders(message, encoding);
    for (const QString& entry : message.Headers()) {
      QString line = entry;
      line.replace(line.indexOf(QLatin1Char('=')), 1, QStringLiteral(": "));
      WriteLine(line);
    }
    WriteLine(QString());
    WriteMessageBody(message, encoding);
    Status(QStringLiteral("    Waiting for acceptance"));
    step_ = QStringLiteral("the acceptance of the message");
    // Once the message is complete the server may take it at any moment: a cancel now waits a
    // moment for its answer, so that a message it took is not reported as unsent.
    WriteLine(QStringLiteral("."));
    SetCancelGrace(kAcceptanceGraceMs);
    SendCommand(QString(), 250, QStringLiteral("Message accepted"), 2);
    SetCancelGrace(0);
  } catch (...) {
    SetCancelGrace(0);
    if (connectedHere)
      Disconnect();
    throw;
  }
  if (connectedHere)
    Disconnect();
}

namespace {

// A server's reply as the user is shown it: a reply of pages is cut to its start.
QString ShownReply(const QString& reply) {
  constexpr qsizetype kShown = 200;
  return reply.size() <= kShown ? reply : reply.left(kShown) + QStringLiteral("...");
}

}  // namespace

QString DescribeFailure(const std::exception& failure, const QString& step) {
  if (dynamic_cast<const ENetSilentException*>(&failure) != nullptr)
    return QString();
  if (const auto* refused = dynamic_cast<const ENetResponseError*>(&failure))
    return QStringLiteral("The mail server refused %1: %2")
        .arg(step, ShownReply(refused->Message()));
  if (const auto* greeting = dynamic_cast<const ENetConnectRefused*>(&failure))
    return QStringLiteral("The mail server refused the connection: %1")
        .arg(ShownReply(greeting->Message()));
  if (const auto* socket = dynamic_cast<const ENetSocketError*>(&failure)) {
    if (socket->ErrorNumber() == winsock::kTimedOut)
      return QStringLiteral("The mail server did not answer in time (%1).").arg(step);
    QString text = socket->Message();
    return QStringLiteral("%1 (%2)").arg(text.replace(QLatin1String("\r\n"), QLatin1String(" ")),
                                         step);
  }
  if (dynamic_cast<const ENetConnClosedGraceful*>(&failure) != nullptr)
    return QStringLiteral("The mail server closed the connection (%1).").arg(step);
  if (const auto* other = dynamic_cast<const ENetException*>(&failure))
    return ShownReply(other->Message());
  return QString::fromLocal8Bit(failure.what());
}
