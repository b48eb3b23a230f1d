// The proposal travels encrypted: STARTTLS by default, the MailSecurity setting, the password
// in the desktop's keyring, and a Cancel after the server took the message, against a real
// SMTP server with a throw-away certificate authority that only this test trusts.

#include <sys/stat.h>

#include <QJsonObject>
#include <QMainWindow>
#include <QStatusTipEvent>

#include "motor/identifiers.h"
#include "platform/windows1252.h"
#include "transmit/tests/emailfixture.h"

namespace {

class EMailSecurityTest : public EMailTest {
 protected:
  void SetUp() override {
    EMailTest::SetUp();
    ASSERT_TRUE(MakeTestCertificate(files_.path(), certificate_)) << "openssl is needed";
  }
  TSmtpServerOptions SecureServer(const QString& auth = QString()) const {
    TSmtpServerOptions options;
    options.TlsCert = certificate_.CertFile;
    options.TlsKey = certificate_.KeyFile;
    options.Auth = auth;
    return options;
  }
  QByteArray SettingsFile() const {
    QFile file(SettingsFileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static unsigned SettingsFileMode() {
    struct stat status {};
    if (stat(QFile::encodeName(SettingsFileName()).constData(), &status) != 0)
      return 0;
    return status.st_mode & 0777;
  }

  TTestCertificate certificate_;
};

TEST_F(EMailSecurityTest, WithOnlyTheServerSetTheProposalTravelsOverTlsWithItsCharacterSet) {
  TSmtpTestServer server(SecureServer());
  AimAt(server);
  TrustTestAuthority(certificate_);
  const QString surname = QStringLiteral("\u00D3 S\u00FAilleabh\u00E1in");
  ASSERT_TRUE(SetStringValue(Id::Surname, TPath{DriverPath(0)}, surname));

  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_TRUE(server.Envelope(1)["tls"].toBool());
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_TRUE(
      mail.Body.contains("Content-Type: text/plain; charset=windows-1252\r\n"
                         "Content-Transfer-Encoding: 8bit\r\n\r\nInsurer Plan ID = "));
  EXPECT_TRUE(DecodeWindows1252(mail.Body).contains(" " + surname + "\r\n"));
}

TEST_F(EMailSecurityTest, EachRefusalOfASecureExchangeIsNamedUnderTheRetryQuestion) {
  // Required, and the server offers no STARTTLS.
  TSmtpTestServer plain;
  AimAt(plain);
  SetOption("MailSecurity", "Required");
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_EQ(prompter_->Texts(),
            QStringList({TEMailForm::FailureText(
                "The mail server does not offer a secure connection (STARTTLS), which the "
                "MailSecurity setting requires; the message is not sent.")}));
  EXPECT_EQ(plain.MessageCount(), 0);

  // The default, and a certificate that does not verify (its authority is not trusted): the
  // send fails with the certificate's problem, and nothing goes in clear.
  prompter_->Clear();
  TSmtpTestServer secure(SecureServer());
  AimAt(secure);
  SetOption("MailSecurity", "");
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].startsWith(
      TEMailForm::FailureText("The secure connection to the mail server failed: ")))
      << prompter_->Texts()[0].toStdString();
  EXPECT_EQ(secure.MessageCount(), 0);
}

TEST_F(EMailSecurityTest, ACancelAfterTheServerTookTheMessageReportsItAsSent) {
  TSmtpServerOptions options;
  options.DataDelay = 0.4;  // the server answers the complete message a moment later
  TSmtpTestServer server(options);
  AimAt(server);
  afterSend_ = [&](TEMailForm&) {
    ASSERT_TRUE(server.WaitForReceived(1));
    QTest::mouseClick(Button("CancelBitBtn"), Qt::LeftButton);
  };
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_TRUE(finishedInTime_);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());  // no retry, so no second copy
  EXPECT_TRUE(server.WaitForMessages(1));
  EXPECT_EQ(store_.ReadText("\\Options", "CurrentInternetMailServer"), QString("127.0.0.1"));
}

TEST_F(EMailSecurityTest, WithoutAKeyringThePasswordStaysInTheOwnersFileAndTheUserIsToldOnce) {
  TSmtpTestServer server(SecureServer("quotes:s3cret pass"));
  AimAt(server);
  TrustTestAuthority(certificate_);
  SetOption("MailUser", "quotes");
  SetOption("MailPassword", "s3cret pass");
  QMainWindow window;  // the status bar the notice goes to
  QStringList tips;
  struct TTipRecorder : QObject {
    QStringList& tips;
    explicit TTipRecorder(QStringList& into) : tips(into) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::StatusTip)
        tips << static_cast<QStatusTipEvent*>(event)->tip();
      return false;
    }
  } recorder(tips);
  window.installEventFilter(&recorder);

  testing::internal::CaptureStderr();
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  const std::string errors = testing::internal::GetCapturedStderr();
  const QString notice = QStringLiteral(
      "No keyring is running: the mail password stays in the settings file, which only you can "
      "read.");
  EXPECT_EQ(tips, QStringList({notice}));
  EXPECT_EQ(QString::fromStdString(errors).count(notice), 1) << errors;
  ASSERT_TRUE(server.WaitForMessages(2));
  EXPECT_TRUE(server.Envelope(2)["authenticated"].toBool());
  EXPECT_TRUE(server.Envelope(2)["tls"].toBool());
  EXPECT_EQ(SettingsFileMode(), 0600u);
}

// The same with GNOME Keyring on a private session bus (the test program's from now on).
class EMailKeyringTest : public EMailSecurityTest {
 protected:
  void SetUp() override {
    EMailSecurityTest::SetUp();
    keyring_ = &TPrivateSecretService::Shared();
    ASSERT_TRUE(keyring_->Started()) << keyring_->Error().toStdString();
  }
  TPrivateSecretService* keyring_ = nullptr;
};

TEST_F(EMailKeyringTest, ThePasswordNeverStaysInTheSettingsFileWhereAKeyringRuns) {
  TSmtpTestServer server(SecureServer("quotes:s3cret pass"));
  AimAt(server);
  TrustTestAuthority(certificate_);
  SetOption("MailUser", "quotes");
  SetOption("MailPassword", "s3cret pass");  // as an earlier version kept it

  testing::internal::CaptureStderr();
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_FALSE(SettingsFile().contains("s3cret")) << SettingsFile().toStdString();
  EXPECT_EQ(keyring_->Lookup("Quillmarsh PrivateMotor", "quotes"), "s3cret pass");
  // The next send takes it from the keyring.
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.find("keyring"), std::string::npos) << errors;  // nothing to tell
  ASSERT_TRUE(server.WaitForMessages(2));
  for (int n : {1, 2}) {
    EXPECT_TRUE(server.Envelope(n)["authenticated"].toBool()) << n;
    EXPECT_TRUE(server.Envelope(n)["tls"].toBool()) << n;
  }
  EXPECT_FALSE(SettingsFile().contains("s3cret"));
  EXPECT_EQ(SettingsFileMode(), 0600u);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  // A new password written into the file replaces the one in the keyring, and leaves the file.
  SetOption("MailPassword", "n3w pass");
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));  // the server knows the old
  EXPECT_EQ(keyring_->Lookup("Quillmarsh PrivateMotor", "quotes"), "n3w pass");
  EXPECT_FALSE(SettingsFile().contains("n3w"));
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].startsWith(
      TEMailForm::FailureText("The mail server refused the log-in: 535")))
      << prompter_->Texts()[0].toStdString();
}

}  // namespace
