// Reading every setting from a store with no keys at all, with keys but no values, and with
// values of the wrong type.

#include "settings/tests/optionsfixture.h"

namespace {

TEST_F(OptionsTest, TheAccessorAnswersNothingOutsideTheObjectsLifetime) {
  EXPECT_NE(Options(), nullptr);
  ReleaseOptions();
  EXPECT_EQ(Options(), nullptr);
  CreateOptions();
  EXPECT_NE(Options(), nullptr);
}

TEST_F(OptionsTest, ApplicationNumberIsAlwaysOne) {
  EXPECT_EQ(options().GetApplicationNumber(), 1);
}

TEST_F(OptionsTest, WithNoKeysTheVersionShowsItsErrorBoxOncePerCallAndAnswersZero) {
  EXPECT_EQ(options().GetApplicationVersion(), 0);
  EXPECT_EQ(options().GetApplicationVersion(), 0);
  ASSERT_EQ(prompter_->Prompts().size(), 2);
  EXPECT_EQ(prompter_->Prompts()[0].text, "No Dictionary version found");
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::Ok);
}

TEST_F(OptionsTest, WithNoKeysBothFoldersShowTheirErrorBoxesAndAnswerEmpty) {
  EXPECT_EQ(options().GetDictionaryPath(), "");
  EXPECT_EQ(options().GetQuoteEnginePath(), "");
  EXPECT_EQ(Boxes(), QStringList({"No Dictionary path found", "No Quote engine path found"}));
  EXPECT_EQ(prompter_->Prompts()[1].kind, PromptKind::Error);
}

TEST_F(OptionsTest, WithNoKeysEveryOtherSettingHasItsQuietDefault) {
  EXPECT_EQ(options().GetRatesExpiryDate(), QDate(1899, 12, 30));  // rates count as expired
  EXPECT_FALSE(options().GetRatesNotify());
  EXPECT_FALSE(options().GetHintsActive());
  EXPECT_TRUE(options().GetShowFirstHelp());
  EXPECT_EQ(options().GetSummaryWindowHeight(), 130);
  EXPECT_EQ(options().GetEMailTo(), "");
  EXPECT_EQ(options().GetHelpFileName(), "");
  EXPECT_EQ(options().ReadRecentFile(0), "");
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, InstalledSettingsAreReadBack) {
  InstallInteger("\\Dictionary", "ApplicationVersion", 12);
  InstallText("\\Dictionary", "DictionaryPath", "/opt/quillmarsh/dict");
  InstallText("\\QuoteEngine", "Path", "/opt/quillmarsh/engine");
  InstallText("\\Options", "EMailTo", "quotes@broker.example");
  InstallText("\\Help", "FileName", "/opt/quillmarsh/Motor.hlp");
  InstallInteger("\\options", "MotorSummaryWndHeight", 210);
  EXPECT_EQ(options().GetApplicationVersion(), 12);
  EXPECT_EQ(options().GetDictionaryPath(), "/opt/quillmarsh/dict");
  EXPECT_EQ(options().GetQuoteEnginePath(), "/opt/quillmarsh/engine");
  EXPECT_EQ(options().GetEMailTo(), "quotes@broker.example");
  EXPECT_EQ(options().GetHelpFileName(), "/opt/quillmarsh/Motor.hlp");
  EXPECT_EQ(options().GetSummaryWindowHeight(), 210);
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, AVersionKeyWithoutTheValueOrWithTextIsReported) {
  ASSERT_TRUE(store_.CreateKey("\\Dictionary"));
  EXPECT_EQ(options().GetApplicationVersion(), 0);
  InstallText("\\Dictionary", "ApplicationVersion", "12");
  EXPECT_EQ(options().GetApplicationVersion(), 0);
  EXPECT_EQ(Boxes(), QStringList({"No Dictionary version found", "No Dictionary version found"}));
}

TEST_F(OptionsTest, AFolderKeyWithoutItsValueGivesEmptyWithoutABox) {
  ASSERT_TRUE(store_.CreateKey("\\Dictionary"));
  ASSERT_TRUE(store_.CreateKey("\\QuoteEngine"));
  EXPECT_EQ(options().GetDictionaryPath(), "");
  EXPECT_EQ(options().GetQuoteEnginePath(), "");
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, AFolderValueThatIsNotTextIsReported) {
  InstallInteger("\\Dictionary", "DictionaryPath", 5);
  InstallInteger("\\QuoteEngine", "Path", 5);
  EXPECT_EQ(options().GetDictionaryPath(), "");
  EXPECT_EQ(options().GetQuoteEnginePath(), "");
  EXPECT_EQ(Boxes(), QStringList({"No Dictionary path found", "No Quote engine path found"}));
}

TEST_F(OptionsTest, TheExpiryDayNumberCountsFromThirtiethDecember1899) {
  InstallInteger("\\QuoteEngine", "ED", 1);
  EXPECT_EQ(options().GetRatesExpiryDate(), QDate(1899, 12, 31));
  InstallInteger("\\QuoteEngine", "ED", 45292);
  EXPECT_EQ(options().GetRatesExpiryDate(), QDate(2024, 1, 1));
  InstallText("\\QuoteEngine", "ED", "45292");  // not a day number: long past
  EXPECT_EQ(options().GetRatesExpiryDate(), QDate(1899, 12, 30));
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, ASummaryHeightThatIsNotAnIntegerGivesTheDefault) {
  InstallText("\\Options", "MotorSummaryWndHeight", "200");
  EXPECT_EQ(options().GetSummaryWindowHeight(), 130);
}

TEST_F(OptionsTest, NothingIsCachedBetweenCalls) {
  InstallText("\\Options", "EMailTo", "first@broker.example");
  EXPECT_EQ(options().GetEMailTo(), "first@broker.example");
  InstallText("\\Options", "EMailTo", "second@broker.example");
  EXPECT_EQ(options().GetEMailTo(), "second@broker.example");
}

}  // namespace
