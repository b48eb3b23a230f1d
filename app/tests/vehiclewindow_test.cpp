// The vehicle page inside the main window: a loaded proposal shows its vehicle and cover, and the
// driving restriction adds, renames and removes the window's driver tabs; a saved copy opens
// with the same tabs.

#include <QTabBar>

#include "app/pagetabcontrol.h"
#include "app/tests/appfixture.h"
#include "capture/vehiclepage.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

class VehicleWindow : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(StartWindow());
  }

  TKwComboEdit* List(const char* name) const {
    return window_->VehiclePage()->findChild<TKwComboEdit*>(QLatin1String(name));
  }
  std::int32_t Shown(const char* name) const {
    TKwComboEdit* list = List(name);
    return list->ItemIndex() >= 0 ? list->ItemCode(list->ItemIndex()) : -1;
  }
  // Types the restriction's text into its field and leaves it forward.
  void ChooseRestriction(std::int32_t code) {
    TKwComboEdit* field = List(FieldName::DrivingRestrictionsKwComboEdit);
    const QString text = field->ItemText(field->IndexOfCode(code));
    field->SetItemIndex(-1);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
  }
};

}  // namespace

TEST_F(VehicleWindow, RestrictionAddsRenamesAndRemovesDriverTabs) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  EXPECT_EQ(Tabs(), (QStringList{"Proposer", "Vehicle", "Additional Driver: 1",
                                 "Additional Driver: 2", "Additional Driver: 3"}));
  EXPECT_EQ(Shown(FieldName::DrivingRestrictionsKwComboEdit), 5);
  EXPECT_EQ(List("VoluntaryExcessAmountKwComboEdit")->Text(), "100");
  EXPECT_EQ(List("CoverKwComboEdit")->Text(), "Comprehensive");
  EXPECT_EQ(List("MainDriverKwComboEdit")->ItemCount(), 4);
  EXPECT_EQ(Shown(FieldName::VehicleModelKwComboEdit), 43017);
  for (const char* question : {"ModificationsKwYesNoDlg", "SecurityDevicesKwYesNoDlg"}) {
    EXPECT_EQ(window_->VehiclePage()->findChild<TKwYesNoDlg*>(QLatin1String(question))->State(),
              TKwYesNoState::ynYes);
  }

  window_->SelectPageTab(1);
  ASSERT_TRUE(window_->VehiclePage()->isVisible());
  ChooseRestriction(3);
  ASSERT_EQ(prompter_->Texts(),
            QStringList{"There are currently 3 additional driver(s) on the system.\rDo you want to "
                        "remove the last 2 driver(s)?"});
  EXPECT_EQ(Tabs(), (QStringList{"Proposer", "Vehicle", "Additional Driver: 1"}));
  EXPECT_EQ(window_->PagesTabControl()->TabBar()->currentIndex(), 1);
  EXPECT_TRUE(window_->VehiclePage()->isVisible());
  EXPECT_FALSE(ValueExists(Id::Surname, {DriverPath(2)}));
  EXPECT_EQ(GetStringValue(Id::Surname, {DriverPath(1)}), "Hargreaves");

  ChooseRestriction(Code::ProposerAndSpouse);
  EXPECT_EQ(Tabs(), (QStringList{"Proposer", "Vehicle", "Spouse"}));
  ChooseRestriction(4);
  EXPECT_EQ(Tabs(),
            (QStringList{"Proposer", "Vehicle", "Additional Driver: 1", "Additional Driver: 2"}));
  ChooseRestriction(Code::ProposerAndSpouse);
  EXPECT_EQ(prompter_->Prompts().size(), 2);

  // Saved and opened again: the same tabs and the same restriction.
  const QString copy = home_.filePath(QStringLiteral("spouse.PCD"));
  prompter_->QueueFileName(copy);
  window_->findChild<QAction*>(QStringLiteral("SaveAs1"))->trigger();
  ASSERT_TRUE(window_->FileOpen(copy));
  EXPECT_EQ(Tabs(), (QStringList{"Proposer", "Vehicle", "Spouse"}));
  EXPECT_EQ(Shown(FieldName::DrivingRestrictionsKwComboEdit), Code::ProposerAndSpouse);
  EXPECT_EQ(List("MainDriverKwComboEdit")->ItemCount(), 2);
}
