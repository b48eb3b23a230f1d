// STARTTLS, implicit TLS and log-in against aiosmtpd, with a throw-away certificate authority
// that only the test's client trusts, and aiosmtpd's authenticator.

#include <QJsonObject>

#include "transmit/net/netexceptions.h"
#include "transmit/net/tests/smtpclientfixture.h"

namespace {

class SmtpTlsTest : public SmtpClientTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTestCertificate(folder_.path(), certificate_)) << "openssl is needed";
  }
  TSmtpServerOptions SecureServer(bool auth, const TTestCertificate* certificate = nullptr) const {
    TSmtpServerOptions options;
    options.TlsCert = (certificate ? *certificate : certificate_).CertFile;
    options.TlsKey = (certificate ? *certificate : certificate_).KeyFile;
    if (auth)
      options.Auth = QStringLiteral("broker:s3cret pass");
    return options;
  }
  QString Failure(TNetMessage& message) {
    try {
      smtp_.Send(message);
    } catch (const ENetException& error) {
      return error.Message();
    }
    return QString();
  }
  // What the user is told of the failure of a send.
  QString Reason(TNetMessage& message) {
    try {
      smtp_.Send(message);
    } catch (const std::exception& error) {
      return DescribeFailure(error, smtp_.Step());
    }
    return QString();
  }
  // Sends one message as the dispatch does and answers whether it crossed over TLS.
  bool SentOverTls(TSmtpSecurity security, const TSmtpTestServer& server) {
    smtp_.SetSecurity(security);
    TNetMessage message = BrokerMessage();
    smtp_.Send(message);
    EXPECT_TRUE(server.WaitForMessages(1));
    return server.Envelope(1)["tls"].toBool();
  }

  TTestCertificate certificate_;
};

TEST_F(SmtpTlsTest, TheClientUpgradesAndLogsInWithoutShowingThePassword) {
  TSmtpTestServer server(SecureServer(true));
  Aim(server);
  smtp_.AddCaCertificates(certificate_.Certificates());
  smtp_.SetSecurity(TSmtpSecurity::Opportunistic);
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  TNetMessage message = BrokerMessage();
  message.Text << QStringLiteral("over TLS");
  message.Attachments << TAttachment{QStringLiteral("q.PCD"), WriteFile("q.PCD", Bytes(5000))};

  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(1));
  const QJsonObject envelope = server.Envelope(1);
  EXPECT_TRUE(envelope["tls"].toBool());
  EXPECT_TRUE(envelope["authenticated"].toBool());
  EXPECT_TRUE(envelope["extended_smtp"].toBool());
  EXPECT_EQ(AttachmentBytes(ParseMail(server.Message(1)).Body, "q.PCD"), Bytes(5000));
  EXPECT_TRUE(written_.contains("STARTTLS"));
  EXPECT_TRUE(written_.contains("(hidden)"));
  for (const QString& line : written_)
    EXPECT_FALSE(line.contains(QByteArray("s3cret pass").toBase64())) << line.toStdString();
}

TEST_F(SmtpTlsTest, OpportunisticUpgradesWhenOfferedAndSendsInClearOnlyWhenNot) {
  {
    TSmtpTestServer server(SecureServer(false));
    Aim(server);
    smtp_.AddCaCertificates(certificate_.Certificates());
    EXPECT_TRUE(SentOverTls(TSmtpSecurity::Opportunistic, server));
    EXPECT_FALSE(server.Envelope(1)["authenticated"].toBool());
    EXPECT_TRUE(written_.contains("STARTTLS"));
  }
  written_.clear();
  TSmtpTestServer plain;  // offers no STARTTLS
  Aim(plain);
  EXPECT_FALSE(SentOverTls(TSmtpSecurity::Opportunistic, plain));
  EXPECT_TRUE(plain.Envelope(1)["extended_smtp"].toBool());
  EXPECT_FALSE(written_.contains("STARTTLS"));
}

TEST_F(SmtpTlsTest, RequiredRefusesAServerWithoutStartTlsAndImplicitTlsSecuresFromTheStart) {
  TSmtpTestServer plain;
  Aim(plain);
  smtp_.SetSecurity(TSmtpSecurity::Required);
  TNetMessage message = BrokerMessage();
  EXPECT_EQ(Reason(message),
            "The mail server does not offer a secure connection (STARTTLS), which the "
            "MailSecurity setting requires; the message is not sent.");
  EXPECT_FALSE(written_.contains("Rset"));
  EXPECT_EQ(plain.MessageCount(), 0);

  TSmtpServerOptions implicit = SecureServer(true);
  implicit.ImplicitTls = true;
  TSmtpTestServer server(implicit);
  Aim(server);
  smtp_.AddCaCertificates(certificate_.Certificates());
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  written_.clear();
  EXPECT_TRUE(SentOverTls(TSmtpSecurity::Tls, server));
  EXPECT_TRUE(server.Envelope(1)["authenticated"].toBool());
  EXPECT_FALSE(written_.contains("STARTTLS"));  // secure before the first word
}

TEST_F(SmtpTlsTest, ACertificateForAnotherNameIsRefusedWithItsReasonAndNothingGoesInClear) {
  TTestCertificate elsewhere;
  QTemporaryDir folder;
  ASSERT_TRUE(MakeTestCertificate(folder.path(), elsewhere, "DNS:mail.elsewhere.example"));
  for (const bool implicitTls : {false, true}) {
    TSmtpServerOptions options = SecureServer(false, &elsewhere);
    options.ImplicitTls = implicitTls;
    TSmtpTestServer server(options);
    Aim(server);
    smtp_.AddCaCertificates(elsewhere.Certificates());  // trusted, but not for 127.0.0.1
    smtp_.SetSecurity(implicitTls ? TSmtpSecurity::Tls : TSmtpSecurity::Opportunistic);
    written_.clear();
    TNetMessage message = BrokerMessage();
    const QString reason = Reason(message);
    EXPECT_TRUE(reason.startsWith("The secure connection to the mail server failed: "))
        << reason.toStdString();
    EXPECT_TRUE(reason.contains("host name", Qt::CaseInsensitive)) << reason.toStdString();
    EXPECT_FALSE(smtp_.Connected());
    for (const char* command : {"Rset", "Helo", "Data"}) {
      for (const QString& line : written_)
        EXPECT_FALSE(line.startsWith(command)) << line.toStdString();
    }
    EXPECT_EQ(server.MessageCount(), 0);
  }
}

TEST_F(SmtpTlsTest, AnUntrustedCertificateOrAWrongPasswordSendsNothing) {
  TSmtpTestServer server(SecureServer(true));
  Aim(server);
  smtp_.SetSecurity(TSmtpSecurity::Opportunistic);
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  TNetMessage message = BrokerMessage();
  // The test authority is not among the system's roots.
  EXPECT_TRUE(Failure(message).startsWith("The secure connection to the mail server failed: "))
      << Failure(message).toStdString();
  EXPECT_FALSE(smtp_.Connected());

  smtp_.AddCaCertificates(certificate_.Certificates());
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("wrong"));
  EXPECT_TRUE(Reason(message).startsWith("The mail server refused the log-in: 535"))
      << Reason(message).toStdString();
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(SmtpTlsTest, APasswordIsNeverSentOverAPlainConnection) {
  TSmtpTestServer server;  // offers no STARTTLS
  Aim(server);
  smtp_.SetSecurity(TSmtpSecurity::Opportunistic);
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  TNetMessage message = BrokerMessage();
  EXPECT_EQ(Failure(message),
            "The mail server does not offer a secure connection (STARTTLS); the password is not "
            "sent over a plain one.");
  // Nor with the plain dialogue asked for: the client refuses before it connects.
  smtp_.SetSecurity(TSmtpSecurity::None);
  EXPECT_EQ(Failure(message),
            "The MailSecurity setting is None, and a log-in is never sent over a plain "
            "connection; the message is not sent.");
  EXPECT_FALSE(written_.contains("(hidden)"));
  EXPECT_EQ(server.MessageCount(), 0);
}

}  // namespace
