// The mail relay's settings: the built-in relay by default, the broker's own when set; and how
// often the recovery copy is written.

#include <sys/stat.h>

#include <QFile>

#include "settings/tests/optionsfixture.h"

namespace {

TEST_F(OptionsTest, WithoutMailSettingsTheBuiltInRelayIsUsed) {
  EXPECT_EQ(options().GetMailServer(), "192.0.2.25");
  EXPECT_EQ(options().GetMailPort(), 8080);
  EXPECT_EQ(options().GetMailUser(), "");
  EXPECT_EQ(options().GetMailPassword().Password, "");
  EXPECT_EQ(options().GetMailTimeoutSeconds(), 30);
  EXPECT_EQ(options().GetMailSecurity(), TMailSecurity::Opportunistic);
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, TheSettingsNameTheRelayItsPortAndALogIn) {
  InstallText("\\Options", "MailServer", " smtp.broker.example ");
  InstallInteger("\\Options", "MailPort", 587);
  InstallText("\\Options", "MailUser", "quotes");
  InstallText("\\Options", "MailPassword", "s3cret");
  InstallInteger("\\Options", "MailTimeout", 5);
  EXPECT_EQ(options().GetMailServer(), "smtp.broker.example");
  EXPECT_EQ(options().GetMailPort(), 587);
  EXPECT_EQ(options().GetMailUser(), "quotes");
  EXPECT_EQ(options().GetMailTimeoutSeconds(), 5);

  // A port written as text is read; one out of range gives the default.
  InstallText("\\Options", "MailPort", "2525");
  EXPECT_EQ(options().GetMailPort(), 2525);
  for (qint32 wrong : {0, -25, 65536}) {
    InstallInteger("\\Options", "MailPort", wrong);
    EXPECT_EQ(options().GetMailPort(), 8080) << wrong;
  }
  InstallText("\\Options", "MailPort", "smtp");
  EXPECT_EQ(options().GetMailPort(), 8080);
  InstallInteger("\\Options", "MailTimeout", 0);
  EXPECT_EQ(options().GetMailTimeoutSeconds(), 30);
  InstallText("\\Options", "MailServer", "  ");
  EXPECT_EQ(options().GetMailServer(), "192.0.2.25");
}

TEST_F(OptionsTest, TheRecoveryCopyIntervalDefaultsToThirtySecondsAndZeroTurnsItOff) {
  EXPECT_EQ(options().GetAutoSaveSeconds(), 30);
  InstallInteger("\\Options", "AutoSaveSeconds", 0);
  EXPECT_EQ(options().GetAutoSaveSeconds(), 0);
  InstallText("\\Options", "AutoSaveSeconds", "5");
  EXPECT_EQ(options().GetAutoSaveSeconds(), 5);
  for (qint32 wrong : {-1, 3601}) {
    InstallInteger("\\Options", "AutoSaveSeconds", wrong);
    EXPECT_EQ(options().GetAutoSaveSeconds(), 30) << wrong;
  }
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, MailSecurityNamesItsFourWaysAndAnythingElseIsOpportunistic) {
  const QList<QPair<QString, TMailSecurity>> values = {
      {"Opportunistic", TMailSecurity::Opportunistic},
      {" required ", TMailSecurity::Required},
      {"TLS", TMailSecurity::Tls},
      {"none", TMailSecurity::None},
      {"plain", TMailSecurity::Opportunistic},
      {"", TMailSecurity::Opportunistic}};
  for (const auto& [text, security] : values) {
    InstallText("\\Options", "MailSecurity", text);
    EXPECT_EQ(options().GetMailSecurity(), security) << text.toStdString();
  }
  InstallInteger("\\Options", "MailSecurity", 3);
  EXPECT_EQ(options().GetMailSecurity(), TMailSecurity::Opportunistic);
}

TEST_F(OptionsTest, WithoutASecretStoreThePasswordStaysInTheFileForItsOwnerAndTheUserIsToldOnce) {
  InstallText("\\Options", "MailUser", "quotes");
  InstallText("\\Options", "MailPassword", "s3cret");
  const TOptions::TMailPassword first = options().GetMailPassword();
  EXPECT_EQ(first.Password, "s3cret");
  EXPECT_EQ(first.Notice,
            "No keyring is running: the mail password stays in the settings file, which only you "
            "can read.");
  const TOptions::TMailPassword second = options().GetMailPassword();
  EXPECT_EQ(second.Password, "s3cret");
  EXPECT_EQ(second.Notice, "");
  EXPECT_EQ(store_.ReadText("\\Options", "MailPassword"), QString("s3cret"));
  struct stat status {};
  ASSERT_EQ(stat(QFile::encodeName(SettingsFileName()).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_TRUE(Boxes().isEmpty());
}

}  // namespace
