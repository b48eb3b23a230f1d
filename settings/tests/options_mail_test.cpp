// The mail relay's settings: the built-in relay by default, the broker's own when set; and how
// often the recovery copy is written.

#include "settings/tests/optionsfixture.h"

namespace {

TEST_F(OptionsTest, WithoutMailSettingsTheBuiltInRelayIsUsed) {
  EXPECT_EQ(options().GetMailServer(), "192.0.2.25");
  EXPECT_EQ(options().GetMailPort(), 8080);
  EXPECT_EQ(options().GetMailUser(), "");
  EXPECT_EQ(options().GetMailPassword(), "");
  EXPECT_EQ(options().GetMailTimeoutSeconds(), 30);
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
  EXPECT_EQ(options().GetMailPassword(), "s3cret");
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

}  // namespace
