// STARTTLS and log-in against aiosmtpd with a test certificate and its authenticator.

#include <QJsonObject>

#include "transmit/net/netexceptions.h"
#include "transmit/net/tests/smtpclientfixture.h"

namespace {

class SmtpTlsTest : public SmtpClientTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeTestCertificate(folder_.path(), certificate_)) << "openssl is needed";
  }
  TSmtpServerOptions SecureServer(bool auth) const {
    TSmtpServerOptions options;
    options.TlsCert = certificate_.CertFile;
    options.TlsKey = certificate_.KeyFile;
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

  TTestCertificate certificate_;
};

TEST_F(SmtpTlsTest, TheClientUpgradesAndLogsInWithoutShowingThePassword) {
  TSmtpTestServer server(SecureServer(true));
  Aim(server);
  smtp_.AddCaCertificates(certificate_.Certificates());
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

TEST_F(SmtpTlsTest, StartTlsAloneSecuresTheConnectionWithoutALogIn) {
  TSmtpTestServer server(SecureServer(false));
  Aim(server);
  smtp_.AddCaCertificates(certificate_.Certificates());
  smtp_.SetStartTls(true);
  TNetMessage message = BrokerMessage();
  smtp_.Send(message);
  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_TRUE(server.Envelope(1)["tls"].toBool());
  EXPECT_FALSE(server.Envelope(1)["authenticated"].toBool());
}

TEST_F(SmtpTlsTest, AnUntrustedCertificateOrAWrongPasswordSendsNothing) {
  TSmtpTestServer server(SecureServer(true));
  Aim(server);
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  TNetMessage message = BrokerMessage();
  // The test certificate is not among the system's roots.
  EXPECT_TRUE(Failure(message).startsWith("The secure connection to the mail server failed: "))
      << Failure(message).toStdString();
  EXPECT_FALSE(smtp_.Connected());

  smtp_.AddCaCertificates(certificate_.Certificates());
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("wrong"));
  EXPECT_TRUE(Failure(message).startsWith("535")) << Failure(message).toStdString();
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(SmtpTlsTest, APasswordIsNeverSentOverAPlainConnection) {
  TSmtpTestServer server;  // offers no STARTTLS
  Aim(server);
  smtp_.SetCredentials(QStringLiteral("broker"), QStringLiteral("s3cret pass"));
  TNetMessage message = BrokerMessage();
  EXPECT_EQ(Failure(message),
            "The mail server does not offer a secure connection (STARTTLS); the password is not "
            "sent over a plain one.");
  EXPECT_FALSE(written_.contains("(hidden)"));
  EXPECT_EQ(server.MessageCount(), 0);
}

}  // namespace
