// Yes/no settings: anything but exactly "No" is Yes; and their writers.

#include "settings/optionsnotifier.h"
#include "settings/tests/optionsfixture.h"

namespace {

TEST_F(OptionsTest, OnlyTheExactTextNoTurnsASettingOff) {
  for (const char* value : {"Yes", "no", "NO", "", "Nope", "No "}) {
    InstallText("\\QuoteEngine", "RatesNotify", value);
    InstallText("\\Help", "HintsActive", value);
    InstallText("\\Help", "ShowFirstHelp", value);
    EXPECT_TRUE(options().GetRatesNotify()) << value;
    EXPECT_TRUE(options().GetHintsActive()) << value;
    EXPECT_TRUE(options().GetShowFirstHelp()) << value;
  }
  InstallText("\\QuoteEngine", "RatesNotify", "No");
  InstallText("\\Help", "HintsActive", "No");
  InstallText("\\Help", "ShowFirstHelp", "No");
  EXPECT_FALSE(options().GetRatesNotify());
  EXPECT_FALSE(options().GetHintsActive());
  EXPECT_FALSE(options().GetShowFirstHelp());
}

TEST_F(OptionsTest, AMissingValueUnderAnExistingKeyReadsAsYes) {
  ASSERT_TRUE(store_.CreateKey("\\QuoteEngine"));
  ASSERT_TRUE(store_.CreateKey("\\Help"));
  EXPECT_TRUE(options().GetRatesNotify());
  EXPECT_TRUE(options().GetHintsActive());
  EXPECT_TRUE(options().GetShowFirstHelp());
}

TEST_F(OptionsTest, AnUnreadableValueGivesEachSettingsOwnResult) {
  InstallInteger("\\QuoteEngine", "RatesNotify", 0);
  InstallInteger("\\Help", "HintsActive", 0);
  InstallInteger("\\Help", "ShowFirstHelp", 0);
  EXPECT_TRUE(options().GetRatesNotify());
  EXPECT_FALSE(options().GetHintsActive());
  EXPECT_TRUE(options().GetShowFirstHelp());
}

TEST_F(OptionsTest, SettingRatesNotifyWritesYesOrNoButNeverCreatesTheEngineKey) {
  options().SetRatesNotify(false);
  EXPECT_FALSE(store_.KeyExists("\\QuoteEngine"));
  ASSERT_TRUE(store_.CreateKey("\\QuoteEngine"));
  options().SetRatesNotify(false);
  EXPECT_EQ(store_.ReadText("\\QuoteEngine", "RatesNotify"), QString("No"));
  EXPECT_FALSE(options().GetRatesNotify());
  options().SetRatesNotify(true);
  EXPECT_EQ(store_.ReadText("\\QuoteEngine", "RatesNotify"), QString("Yes"));
}

TEST_F(OptionsTest, HelpSettersCreateTheHelpKey) {
  options().SetShowFirstHelp(false);
  EXPECT_EQ(store_.ReadText("\\Help", "ShowFirstHelp"), QString("No"));
  EXPECT_FALSE(options().GetShowFirstHelp());
  ASSERT_TRUE(store_.DeleteKey("\\Help"));
  options().SetHintsActive(true);
  EXPECT_EQ(store_.ReadText("\\Help", "HintsActive"), QString("Yes"));
  EXPECT_TRUE(options().GetHintsActive());
}

TEST_F(OptionsTest, TurningHintsOnOrOffTellsTheHintWindow) {
  QList<bool> told;
  QObject listener;
  QObject::connect(&OptionsNotifier(), &TOptionsNotifier::hintsActiveChanged, &listener,
                   [&](bool active) { told.append(active); });
  options().SetHintsActive(true);
  options().SetHintsActive(false);
  EXPECT_EQ(told, QList<bool>({true, false}));
  EXPECT_EQ(store_.ReadText("\\Help", "HintsActive"), QString("No"));
}

TEST_F(OptionsTest, TheMailServerIsWrittenAndAnEmptyNameDeletesIt) {
  options().SetCurrentInternetMailServer("smtp.broker.example");
  EXPECT_EQ(store_.ReadText("\\Options", "CurrentInternetMailServer"),
            QString("smtp.broker.example"));
  options().SetCurrentInternetMailServer("");
  EXPECT_TRUE(store_.KeyExists("\\Options"));
  EXPECT_FALSE(store_.ValueExists("\\Options", "CurrentInternetMailServer"));
}

TEST_F(OptionsTest, TheSummaryHeightIsStoredAsAnIntegerInTheOneOptionsKey) {
  InstallText("\\Options", "EMailTo", "quotes@broker.example");
  options().SetSummaryWindowHeight(175);
  EXPECT_EQ(options().GetSummaryWindowHeight(), 175);
  EXPECT_EQ(store_.ReadInteger("\\Options", "MotorSummaryWndHeight"), 175);
  EXPECT_EQ(options().GetEMailTo(), "quotes@broker.example");
}

}  // namespace
