// The helpers that act on the main window, against a fake window.

#include <QObject>

#include "motor/getmotordsv.h"
#include "motor/tests/fakemainwindow.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

class MainWindowHelperTest : public MotorDsvTest {
 protected:
  TFakeMainWindow window_;
};

TEST_F(MainWindowHelperTest, MainDriverIsRecordedOnTheVehicleAndEachDriver) {
  window_.tabs << "Additional Driver: 1"
               << "Additional Driver: 2";
  SetMainDriver(2);
  EXPECT_EQ(GetListValue(kMainDriverNumber, {VehiclePath()}), 2);
  EXPECT_EQ(GetListValue(kIsMainDriver, {DriverPath(0)}), 2);
  EXPECT_EQ(GetListValue(kIsMainDriver, {DriverPath(1)}), 1);
  EXPECT_EQ(GetListValue(kIsMainDriver, {DriverPath(2)}), 2);
  EXPECT_FALSE(ValueExists(kIsMainDriver, {DriverPath(3)}));
  EXPECT_TRUE(IsModified());
}

TEST_F(MainWindowHelperTest, TheProposerAloneIsTheMainDriver) {
  SetMainDriver(1);
  EXPECT_EQ(GetListValue(kIsMainDriver, {DriverPath(0)}), 1);
  EXPECT_FALSE(ValueExists(kIsMainDriver, {DriverPath(1)}));
}

TEST_F(MainWindowHelperTest, DriverTabsAreNumberedFromOne) {
  ASSERT_TRUE(SetListValue(kRestriction, {CoverPath()}, 5));
  AddDriverTab();
  AddDriverTab();
  AddDriverTab();
  EXPECT_EQ(window_.tabs, (QStringList{"Proposer", "Vehicle", "Additional Driver: 1",
                                       "Additional Driver: 2", "Additional Driver: 3"}));
}

TEST_F(MainWindowHelperTest, TheSpousesTabIsCalledSpouse) {
  ASSERT_TRUE(SetListValue(kRestriction, {CoverPath()}, 2));
  AddDriverTab();
  EXPECT_EQ(window_.tabs.last(), "Spouse");
}

TEST_F(MainWindowHelperTest, RemovingNoDriversAsksNothing) {
  window_.tabs << "Additional Driver: 1"
               << "Additional Driver: 2";
  EXPECT_TRUE(ConfirmDriverRemoval(2));
  EXPECT_TRUE(ConfirmDriverRemoval(3));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_TRUE(window_.selectedTabs.isEmpty());
}

TEST_F(MainWindowHelperTest, RemovingDriversIsConfirmedAndReturnsToTheRestrictions) {
  window_.tabs << "Additional Driver: 1"
               << "Additional Driver: 2"
               << "Additional Driver: 3";
  prompter_->QueueAnswer(PromptAnswer::Ok);
  EXPECT_TRUE(ConfirmDriverRemoval(1));
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Confirmation);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter_->Prompts()[0].text,
            "There are currently 3 additional driver(s) on the system.\rDo you want to remove the "
            "last 2 driver(s)?");
  EXPECT_EQ(window_.selectedTabs, QList<int>{1});
  EXPECT_EQ(window_.restrictionFocus, 1);

  prompter_->QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(ConfirmDriverRemoval(0));
  EXPECT_EQ(window_.selectedTabs, (QList<int>{1, 1}));
  EXPECT_EQ(window_.restrictionFocus, 2);
}

TEST_F(MainWindowHelperTest, AnUnmodifiedProposalNeedsNoSaving) {
  EXPECT_TRUE(QuerySaveChanges());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(window_.saves, 0);
}

TEST_F(MainWindowHelperTest, SaveChangesAnswersFollowTheUsersChoice) {
  MarkModified();
  prompter_->QueueAnswer(PromptAnswer::Yes);
  EXPECT_TRUE(QuerySaveChanges());
  EXPECT_EQ(window_.saves, 1);
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Confirmation);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(prompter_->Prompts()[0].text, "The current details have changed\rSave Changes?");

  window_.saveResult = false;  // Save As cancelled
  prompter_->QueueAnswer(PromptAnswer::Yes);
  EXPECT_FALSE(QuerySaveChanges());
  EXPECT_EQ(window_.saves, 2);

  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_TRUE(QuerySaveChanges());
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(QuerySaveChanges());
  EXPECT_EQ(window_.saves, 2);
}

TEST_F(MainWindowHelperTest, SelectMainTabGoesToTheWindow) {
  SelectMainTab(3);
  EXPECT_EQ(window_.selectedTabs, QList<int>{3});
}

TEST_F(MainWindowHelperTest, LockingAGroupBoxDisablesItAndItsControls) {
  QObject box;
  QObject first(&box);
  QObject second(&box);
  QObject nested(&second);
  LockGroupBox(&box, true);
  EXPECT_EQ(window_.enabledCalls,
            (QList<QPair<QObject*, bool>>{{&box, false}, {&first, false}, {&second, false}}));
  window_.enabledCalls.clear();
  LockGroupBox(&box, false);
  EXPECT_EQ(window_.enabledCalls,
            (QList<QPair<QObject*, bool>>{{&box, true}, {&first, true}, {&second, true}}));
}

TEST_F(MainWindowHelperTest, FormsGrowWithTheScreenScaleLessTwentyPixelsInHeight) {
  QObject form;
  window_.scaleFactor = 1.5;
  ScaleMainForm(&form);
  EXPECT_EQ(window_.formSize, QSize(1200, 880));
  EXPECT_EQ(window_.scrollRangeUpdates, 1);
}

TEST_F(MainWindowHelperTest, AtTheStandardScaleFormsKeepTheirSize) {
  QObject form;
  ScaleMainForm(&form);
  EXPECT_EQ(window_.formSize, QSize(800, 600));
  EXPECT_EQ(window_.scrollRangeUpdates, 1);
}

TEST(MainWindowHelpersAlone, WithoutAMainWindowNothingIsSavedOrSelected) {
  ScopedScriptedPrompter prompter;
  ASSERT_EQ(MainWindowLink(), nullptr);
  MarkModified();
  EXPECT_FALSE(QuerySaveChanges());  // "Yes", but there is nothing to save with
  ClearModified();
  SelectMainTab(1);
  QObject box;
  LockGroupBox(&box, true);
  ScaleMainForm(&box);
  EXPECT_TRUE(ConfirmDriverRemoval(0));
  EXPECT_EQ(prompter->Prompts().size(), 1);
}
