// A proposer and two additional drivers typed into the pages, with a claim related to a
// conviction, a medical condition and a part-time occupation, saved as a quotation file and
// opened again: every answer is shown where it was typed, and nothing the driver pages ask for
// is missing.

#include <QTreeWidget>

#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/tests/capturefixture.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"
#include "motor/proposalfile.h"

namespace {

// The business, occupation and status of a form: the first business that offers a choice of
// occupations, its second occupation, the status list's last entry.
void ChooseOccupation(QWidget& form) {
  auto* business = In<TKwComboEdit>(form, "BusinessKwComboEdit");
  auto* occupation = In<TKwComboEdit>(form, "OccupationKwComboEdit");
  for (int i = 1; i < business->ItemCount() && occupation->ItemCount() < 3; ++i)
    ChooseItem(business, i);
  ASSERT_GE(occupation->ItemCount(), 3);
  ChooseItem(occupation, 2);
  auto* status = In<TKwComboEdit>(form, "EmploymentStatusKwComboEdit");
  ASSERT_GT(status->ItemCount(), 0);
  ChooseItem(status, status->ItemCount() - 1);
}

// Date of birth, marital status, occupation and licence type, as every driver page asks.
void TypeDriver(TDriverDetailsPage& page, const char* birth, int marital) {
  CaptureTest::TypeAndTab(In<TKwDate>(page, FieldName::DOBKwDate), birth);
  ChooseItem(In<TKwComboEdit>(page, FieldName::MaritalStatusKwComboEdit), marital);
  ChooseOccupation(page);
  ChooseItem(In<TKwComboEdit>(page, FieldName::LicenceTypeKwComboEdit), 1);
}

std::int32_t Selected(TDriverDetailsPage& page, const char* name) {
  auto* combo = In<TKwComboEdit>(page, name);
  return combo->ItemIndex() < 0 ? -1 : combo->ItemCode(combo->ItemIndex());
}

bool IsYes(TDriverDetailsPage& page, const char* name) {
  return In<TKwYesNoDlg>(page, name)->State() == TKwYesNoState::ynYes;
}

class RoundTripTest : public CaptureTest {};

TEST_F(RoundTripTest, ThreeDriversSavedAndOpenedAgainShowEveryAnswer) {
  SetListValue(Id::DrivingRestriction, {CoverPath()}, Code::FirstNamedDrivers + 1);
  mainWindow_.tabs << "Additional Driver: 1"
                   << "Additional Driver: 2";
  TProposerDetailsKwTabsheetForm proposer;
  TDrivingDetailsKwTabsheetForm driver;
  proposer.LoadDetails();
  ASSERT_TRUE(ShowActive(&proposer));

  Drive([&](QDialog& dialog) {
    if (dialog.objectName() == "TDriverClaimsForm") {
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 1);
      TypeAndTab(In<TKwDate>(dialog, "IncidentKwDate"), "01022025");
    } else if (dialog.objectName() == "TDriverConvictionsForm") {
      ChooseItem(In<TKwComboEdit>(dialog, "TypeKwComboEdit"), 1);
      Answer(In<TKwYesNoDlg>(dialog, "ClaimKwYesNoDlg"), 'y');
    } else if (dialog.objectName() == "TRelatedClaimForm") {
      auto* list = In<QTreeWidget>(dialog, "RelatedPZListView");
      list->setFocus();
      list->setCurrentItem(list->topLevelItem(0));
      ClickButton(dialog, "OkBitBtn");
      return;
    } else if (dialog.objectName() == "TMedicalConditionsForm") {
      ChooseItem(In<TKwComboEdit>(dialog, "ConditionKwComboEdit"), 1);
    } else if (dialog.objectName() == "TOtherOccupationForm") {
      ChooseOccupation(dialog);
    }
    ClickButton(dialog, "CloseBitBtn");
  });

  TypeDriver(proposer, "15061980", 1);
  TypeAndTab(In<TKwEdit>(proposer, FieldName::ProposerPostCodeKwEdit), "ab12cd");
  Answer(In<TKwYesNoDlg>(proposer, DriverField::OtherOccupationKwYesNoDlg), 'y');
  Answer(In<TKwYesNoDlg>(proposer, DriverField::ClaimsKwYesNoDlg), 'y');
  Answer(In<TKwYesNoDlg>(proposer, DriverField::ConvictionsKwYesNoDlg), 'y');
  Answer(In<TKwYesNoDlg>(proposer, DriverField::MedicalConditionKwYesNoDlg), 'y');
  proposer.hide();

  ASSERT_TRUE(ShowActive(&driver));
  for (int n = 1; n <= 2; ++n) {
    driver.SelectDriver(n);
    TypeDriver(driver, n == 1 ? "01011985" : "02022002", n + 1);
    ChooseItem(In<TKwComboEdit>(driver, DriverField::RelationshipKwComboEdit), n);
  }
  EXPECT_EQ(PromptLog(), "");
  EXPECT_EQ(dialogsRun_.size(), 5) << dialogsRun_.join('|').toStdString();

  const std::int32_t occupation = Selected(proposer, FieldName::OccupationKwComboEdit);
  const std::int32_t status = Selected(proposer, FieldName::EmploymentStatusKwComboEdit);
  const std::int32_t relationship = Selected(driver, DriverField::RelationshipKwComboEdit);
  const QString file = home_.filePath(QStringLiteral("three drivers.PCD"));
  ASSERT_EQ(SaveProposalFile(file), 0);
  DsvClearAll();
  proposer.LoadDetails();
  driver.LoadDetails();
  EXPECT_EQ(In<TKwDate>(proposer, FieldName::DOBKwDate)->GetAsNumber(), 0);
  ASSERT_EQ(LoadProposalFile(file), 0);

  proposer.LoadDetails();
  EXPECT_EQ(In<TKwDate>(proposer, FieldName::DOBKwDate)->AsString(), "15/06/1980");
  EXPECT_EQ(Selected(proposer, FieldName::MaritalStatusKwComboEdit),
            In<TKwComboEdit>(proposer, FieldName::MaritalStatusKwComboEdit)->ItemCode(1));
  EXPECT_EQ(In<TKwEdit>(proposer, FieldName::ProposerPostCodeKwEdit)->Text(), "AB1 2CD");
  EXPECT_EQ(Selected(proposer, FieldName::OccupationKwComboEdit), occupation);
  EXPECT_EQ(Selected(proposer, FieldName::EmploymentStatusKwComboEdit), status);
  EXPECT_TRUE(In<TKwComboEdit>(proposer, FieldName::EmploymentStatusKwComboEdit)->isEnabled());
  for (const char* yes :
       {DriverField::OtherOccupationKwYesNoDlg, DriverField::ClaimsKwYesNoDlg,
        DriverField::ConvictionsKwYesNoDlg, DriverField::MedicalConditionKwYesNoDlg})
    EXPECT_TRUE(IsYes(proposer, yes)) << yes;
  ASSERT_EQ(proposer.ClaimList().Count(), 1);
  ASSERT_EQ(proposer.ConvictionList().Count(), 1);
  EXPECT_EQ(proposer.ClaimList().At(0).RelatedConviction, &proposer.ConvictionList().At(0));
  EXPECT_EQ(proposer.ClaimList().At(0).Date, QDate(2025, 2, 1));

  driver.SelectDriver(1);
  driver.SelectDriver(2);
  EXPECT_EQ(In<TKwDate>(driver, FieldName::DOBKwDate)->AsString(), "02/02/2002");
  EXPECT_EQ(Selected(driver, DriverField::RelationshipKwComboEdit), relationship);
  EXPECT_FALSE(IsYes(driver, DriverField::ClaimsKwYesNoDlg));
  driver.SelectDriver(1);
  EXPECT_EQ(In<TKwDate>(driver, FieldName::DOBKwDate)->AsString(), "01/01/1985");

  QStringList missing;
  for (const TMissingItem& item : FindMissingData(2, kToday)) {
    if (item.Page != 1)  // the vehicle page is not typed here
      missing << item.Message;
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join('|').toStdString();
}

}  // namespace
