// What goes on the wire: the dialogue, the header order, the body and the attachments, as a
// real SMTP server receives them.

#include <QHostInfo>
#include <QJsonArray>
#include <QRegularExpression>

#include "platform/windows1252.h"
#include "transmit/net/netexceptions.h"
#include "transmit/net/tests/smtpclientfixture.h"

namespace {

TEST_F(SmtpClientTest, AMessageWithAttachmentsArrivesInTheWireLayout) {
  TSmtpTestServer server;
  Aim(server);
  TNetMessage message = BrokerMessage();
  message.Text << QStringLiteral("Insurer Plan ID = 7 (Scheme = 2)") << QString()
               << QStringLiteral(".") << QStringLiteral(".starts with a dot")
               << QStringLiteral("last line");
  const QByteArray bytes45 = Bytes(45);
  const QByteArray bytes46 = Bytes(46);
  message.Attachments << TAttachment{QStringLiteral("q45.PCD"), WriteFile("q45.PCD", bytes45)}
                      << TAttachment{QStringLiteral("q46.PCD"), WriteFile("q46.PCD", bytes46)};

  smtp_.Send(message);
  EXPECT_FALSE(smtp_.Connected());
  ASSERT_TRUE(server.WaitForMessages(1));

  // The dialogue: Bcc before To, then the message, then Quit.
  const QJsonObject envelope = server.Envelope(1);
  EXPECT_EQ(envelope["mail_from"].toString(), "quillmarsh@quillmarsh.example");
  EXPECT_EQ(envelope["rcpt_tos"].toArray().toVariantList(),
            QVariantList({"support@quillmarsh.example", "broker@quillmarsh.example"}));
  EXPECT_FALSE(envelope["extended_smtp"].toBool());
  EXPECT_EQ(envelope["helo"].toString(), QHostInfo::localHostName());
  const QStringList commands = written_.mid(0, 6);
  EXPECT_EQ(commands, QStringList({"Helo " + QHostInfo::localHostName(), "Rset",
                                   "Mail from:<quillmarsh@quillmarsh.example>",
                                   "RCPT to:<support@quillmarsh.example>",
                                   "RCPT to:<broker@quillmarsh.example>", "Data"}));
  EXPECT_EQ(written_.last(), "Quit");

  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_EQ(mail.HeaderNames, QStringList({"Subject", "From", "Date", "MIME-Version",
                                           "Content-Type", "To", "X-Library"}));
  EXPECT_EQ(mail.Header("MIME-Version"), "1.0");
  EXPECT_EQ(mail.Header("Content-Type"),
            "multipart/mixed; boundary=\"=_NextPart_2rfksadvnqw3nerasdf\"");
  EXPECT_EQ(mail.Header("To"), "Broker Desk <broker@quillmarsh.example>");
  EXPECT_EQ(mail.Header("X-Library"), "NetMail 1.0");
  EXPECT_TRUE(QRegularExpression("^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), [1-9][0-9]? "
                                 "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-9]{4} "
                                 "[0-2][0-9]:[0-5][0-9]:[0-5][0-9] [+-][0-9]{4}$")
                  .match(mail.Header("Date"))
                  .hasMatch())
      << mail.Header("Date").toStdString();

  const QString base45 = QString::fromLatin1(bytes45.toBase64());
  const QByteArray base46 = bytes46.toBase64();
  const QByteArray expectedBody =
      "This is a multi-part message in MIME format.\r\n"
      "\r\n"
      "--=_NextPart_2rfksadvnqw3nerasdf\r\n"
      "Content-Type: text/plain\r\n"
      "Content-Transfer-Encoding: 7bit\r\n"
      "\r\n"
      "Insurer Plan ID = 7 (Scheme = 2)\r\n"
      "\r\n"
      ".\r\n"
      ".starts with a dot\r\n"
      "last line\r\n"
      "\r\n"
      "--=_NextPart_2rfksadvnqw3nerasdf\r\n"
      "Content-Type: application/octet-stream;\r\n"
      "        name=\"q45.PCD\"\r\n"
      "Content-Transfer-Encoding: base64\r\n"
      "Content-Disposition: attachment;\r\n"
      "        filename=\"q45.PCD\"\r\n"
      "\r\n" +
      base45.toLatin1() +
      "\r\n"
      "\r\n"
      "\r\n"
      "--=_NextPart_2rfksadvnqw3nerasdf\r\n"
      "Content-Type: application/octet-stream;\r\n"
      "        name=\"q46.PCD\"\r\n"
      "Content-Transfer-Encoding: base64\r\n"
      "Content-Disposition: attachment;\r\n"
      "        filename=\"q46.PCD\"\r\n"
      "\r\n" +
      base46.left(60) + "\r\n" + base46.mid(60) +
      "\r\n"
      "\r\n"
      "--=_NextPart_2rfksadvnqw3nerasdf--\r\n";
  EXPECT_EQ(mail.Body.toStdString(), expectedBody.toStdString());
  // 45 bytes make one line of 60 characters; one byte more, a second line of 4 ending "==".
  EXPECT_EQ(AttachmentLines(mail.Body, "q45.PCD"), QStringList({base45}));
  EXPECT_EQ(base45.size(), 60);
  const QStringList lines46 = AttachmentLines(mail.Body, "q46.PCD");
  ASSERT_EQ(lines46.size(), 2);
  EXPECT_EQ(lines46[1].size(), 4);
  EXPECT_TRUE(lines46[1].endsWith("=="));
  EXPECT_EQ(AttachmentBytes(mail.Body, "q46.PCD"), bytes46);
  // The dots were doubled on the wire and the server took them away again.
  EXPECT_TRUE(written_.contains(".."));
  EXPECT_TRUE(written_.contains("..starts with a dot"));
}

TEST_F(SmtpClientTest, AMessageWithoutAttachmentIsPlainTextWithoutMimeVersion) {
  TSmtpTestServer server;
  Aim(server);
  TNetMessage message = BrokerMessage();
  message.SetHeader(THeader::Subject, QStringLiteral("   "));
  message.CCList << QStringLiteral("\"Copy Desk\" <copy@quillmarsh.example>");
  message.Text << QStringLiteral("..") << QStringLiteral("plain text");

  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(1));
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_EQ(mail.HeaderNames,
            QStringList({"Subject", "From", "Date", "Content-Type", "To", "Cc", "X-Library"}));
  // A blank subject goes as "None".
  EXPECT_EQ(mail.Header("Subject"), "None");
  EXPECT_EQ(mail.Header("Content-Type"), "text/plain");
  EXPECT_EQ(mail.Header("Cc"), "\"Copy Desk\" <copy@quillmarsh.example>");
  EXPECT_EQ(mail.Body, QByteArray("..\r\nplain text\r\n"));
  EXPECT_EQ(server.Envelope(1)["rcpt_tos"].toArray().toVariantList(),
            QVariantList({"support@quillmarsh.example", "copy@quillmarsh.example",
                          "broker@quillmarsh.example"}));

  // The client's own header changes stay in the message, so a second send is the same.
  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(2));
  EXPECT_EQ(ParseMail(server.Message(2)).HeaderNames, mail.HeaderNames);
}

// Quoted-printable back to bytes: soft breaks joined, "=XX" decoded.
QByteArray FromQuotedPrintable(const QByteArray& text) {
  QByteArray joined = text;
  joined.replace("=\r\n", "");
  QByteArray bytes;
  for (qsizetype i = 0; i < joined.size(); ++i) {
    if (joined[i] == '=' && i + 2 < joined.size()) {
      bytes += static_cast<char>(joined.mid(i + 1, 2).toInt(nullptr, 16));
      i += 2;
    } else {
      bytes += joined[i];
    }
  }
  return bytes;
}

TEST_F(SmtpClientTest, EightBitTextArrivesWithItsCharacterSetAndNoValueCanEndTheMessage) {
  const QString pounds =
      QStringLiteral("Premium = \u00A3 1,234.50 (Scheme = Z\u00FCrich \u00C9lan)");
  const QString longLine = QStringLiteral("Address = ") + QString(90, QChar(0xE9)) + " end ";
  // A value with bare line breaks: on its own line "." would end the DATA, and what follows
  // would be read as commands.
  const QString smuggler =
      QStringLiteral("Surname = Smith\n.\nRSET\r\nMAIL FROM:<x@elsewhere.example>\rDATA");
  const QStringList arrivingLines = {pounds, longLine,   "Surname = Smith",
                                     ".",    "RSET",     "MAIL FROM:<x@elsewhere.example>",
                                     "DATA", "last line"};
  const QByteArray expected = EncodeWindows1252(arrivingLines.join("\r\n")) + "\r\n";

  // A server that takes 8-bit text (8BITMIME, seen through Ehlo) gets it as it is.
  {
    TSmtpTestServer server;
    Aim(server);
    smtp_.SetSecurity(TSmtpSecurity::Opportunistic);
    TNetMessage message = BrokerMessage();
    message.Text << pounds << longLine << smuggler << QStringLiteral("last line");
    smtp_.Send(message);
    ASSERT_TRUE(server.WaitForMessages(1));
    EXPECT_EQ(server.MessageCount(), 1);
    const TReceivedMail mail = ParseMail(server.Message(1));
    EXPECT_EQ(mail.HeaderNames,
              QStringList({"Subject", "From", "Date", "MIME-Version", "Content-Type", "To",
                           "Content-Transfer-Encoding", "X-Library"}));
    EXPECT_EQ(mail.Header("Content-Type"), "text/plain; charset=windows-1252");
    EXPECT_EQ(mail.Header("Content-Transfer-Encoding"), "8bit");
    EXPECT_EQ(mail.Body.toStdString(), expected.toStdString());
    EXPECT_EQ(DecodeWindows1252(mail.Body).split("\r\n").mid(0, 2),
              QStringList({pounds, longLine}));
    EXPECT_EQ(server.Envelope(1)["mail_options"].toArray().toVariantList(),
              QVariantList({"BODY=8BITMIME"}));
  }

  // One that does not (here the plain dialogue, which cannot ask) gets quoted-printable, in
  // lines of at most 76 characters, with the attachment's non-ASCII name as RFC 2231 writes it.
  TSmtpServerOptions options;
  options.No8BitMime = true;
  TSmtpTestServer server(options);
  Aim(server);
  smtp_.SetSecurity(TSmtpSecurity::None);
  TNetMessage message = BrokerMessage();
  message.Text << pounds << longLine << smuggler << QStringLiteral("last line");
  message.Attachments << TAttachment{QStringLiteral("Devis \u00A3 Z\u00FCrich.PCD"),
                                     WriteFile("q.PCD", Bytes(50))};
  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_EQ(server.MessageCount(), 1);
  const QByteArray body = ParseMail(server.Message(1)).Body;
  const QByteArray part =
      "Content-Type: text/plain; charset=windows-1252\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
  const qsizetype start = body.indexOf(part);
  ASSERT_GE(start, 0) << body.toStdString();
  const qsizetype end = body.indexOf("\r\n\r\n--=_NextPart", start);
  const QByteArray encoded = body.mid(start + part.size(), end - start - part.size() + 2);
  for (const QByteArray& line : encoded.split('\n')) {
    EXPECT_LE(line.size(), 77) << line.toStdString();  // with its CR
    for (const char c : line)
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << line.toStdString();
  }
  EXPECT_EQ(FromQuotedPrintable(encoded).toStdString(), expected.toStdString());
  EXPECT_TRUE(body.contains("        name*=utf-8''Devis%20%C2%A3%20Z%C3%BCrich.PCD\r\n"));
  EXPECT_TRUE(body.contains("        filename*=utf-8''Devis%20%C2%A3%20Z%C3%BCrich.PCD\r\n"));
  EXPECT_TRUE(server.Envelope(1)["mail_options"].toArray().isEmpty());
}

TEST_F(SmtpClientTest, ALargeAttachmentArrivesWholeWithWorkReportsEveryKilobyte) {
  TSmtpTestServer server;
  Aim(server);
  const int size = 300 * 1024 + 17;
  const QByteArray bytes = Bytes(size);
  TNetMessage message = BrokerMessage();
  message.Text << QStringLiteral("listing");
  message.Attachments << TAttachment{QStringLiteral("big.PCD"), WriteFile("big.PCD", bytes)};
  QList<QPair<qint64, qint64>> reports;
  smtp_.SetOnWork([&](TNetSocket&, qint64 done, qint64 total) { reports.append({done, total}); });

  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_EQ(AttachmentBytes(ParseMail(server.Message(1)).Body, "big.PCD"), bytes);

  // One report each time the count passes a new multiple of 1024, and one at the end.
  ASSERT_EQ(reports.size(), size / 1024 + 1);
  for (int i = 0; i < reports.size(); ++i) {
    EXPECT_EQ(reports[i].second, size);
    if (i + 1 < reports.size()) {
      EXPECT_GE(reports[i].first, (i + 1) * 1024);
      EXPECT_LT(reports[i].first, (i + 1) * 1024 + 45);
    }
  }
  EXPECT_EQ(reports.last().first, size);
}

TEST_F(SmtpClientTest, StatusTextsFollowTheDialogue) {
  TSmtpTestServer server;
  Aim(server);
  QStringList statuses;
  smtp_.SetOnStatus([&](TNetSocket&, const QString& text) { statuses << text; });
  TNetMessage message = BrokerMessage();
  smtp_.Send(message);
  EXPECT_EQ(statuses, QStringList({"  Sending Message: Quillmarsh", "Connecting to 127.0.0.1",
                                   "Socket Connected", "Connected", "    Successful Reset",
                                   "    To: support@quillmarsh.example",
                                   "    To: Broker Desk <broker@quillmarsh.example>",
                                   "    SMTP is ready for message", "    Waiting for acceptance",
                                   "    Message accepted", "Disconnecting", "Disconnected"}));

  // A failing status handler is reported as such, and the exchange stops.
  smtp_.SetOnStatus([](TNetSocket&, const QString&) { throw std::runtime_error("no display"); });
  try {
    smtp_.Send(message);
    FAIL() << "the handler's failure was lost";
  } catch (const ENetException& error) {
    EXPECT_EQ(error.Message(), "no display occurred in user's OnStatus Event.");
  }
}

}  // namespace
