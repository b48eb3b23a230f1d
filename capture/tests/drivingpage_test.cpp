// The additional-driver page: one page for every driver, made driver n by SelectDriver; every
// answer goes to that driver; the relationship is fixed for the spouse; no age warnings.

#include "capture/drivingpage.h"

#include "capture/tests/capturefixture.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

TPath Driver(int n, std::initializer_list<TPathEntry> below = {}) {
  TPath path{DriverPath(n)};
  path.insert(path.end(), below.begin(), below.end());
  return path;
}

class DrivingPageTest : public CaptureTest {
 protected:
  void SetUp() override {
    CaptureTest::SetUp();
    page_ = std::make_unique<TDrivingDetailsKwTabsheetForm>();
  }
  void TearDown() override {
    page_.reset();
    CaptureTest::TearDown();
  }
  template <class Control>
  Control* Field(const char* name) {
    auto* control = page_->Field<Control>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  bool IsYes(const char* name) { return Field<TKwYesNoDlg>(name)->State() == TKwYesNoState::ynYes; }
  void SetRestriction(std::int32_t code) {
    SetListValue(Id::DrivingRestriction, {CoverPath()}, code);
  }

  std::unique_ptr<TDrivingDetailsKwTabsheetForm> page_;
};

TEST_F(DrivingPageTest, ShowsTheDriverWhoseTabExists) {
  QStringList stops;
  for (QWidget* stop : page_->TabStops())
    stops << stop->objectName();
  EXPECT_EQ(stops.indexOf("RelationshipKwComboEdit"), 6);
  EXPECT_EQ(stops.indexOf("BusinessKwComboEdit"), 7);
  EXPECT_FALSE(stops.contains("NCBKwYesNoDlg"));
  EXPECT_FALSE(stops.contains("ProposerPostCodeKwEdit"));
  EXPECT_EQ(stops.last(), "OtherVehiclesKwYesNoDlg");
  EXPECT_EQ(page_->CurrentDriver(), 0);

  auto* relationship = Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit);
  ASSERT_GT(relationship->ItemCount(), 1);
  const std::int32_t relation = relationship->ItemCode(1);
  SetDateValue(Id::DateOfBirth, Driver(2), QDate(1990, 1, 1));
  SetListValue(Id::Relationship, Driver(2), relation);
  SetRestriction(Code::FirstNamedDrivers + 1);

  // Driver 2 has no tab yet: nothing changes.
  mainWindow_.tabs << "Additional Driver: 1";
  page_->SelectDriver(1);
  EXPECT_EQ(page_->CurrentDriver(), 1);
  page_->SelectDriver(2);
  EXPECT_EQ(page_->CurrentDriver(), 1);
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->GetAsNumber(), 0);

  mainWindow_.tabs << "Additional Driver: 2";
  page_->SelectDriver(2);
  EXPECT_EQ(page_->CurrentDriver(), 2);
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->AsString(), "01/01/1990");
  EXPECT_EQ(relationship->ItemCode(relationship->ItemIndex()), relation);
  EXPECT_TRUE(relationship->isEnabled());

  // Re-selected, the driver is not read again, but the spouse rule is applied.
  SetDateValue(Id::DateOfBirth, Driver(2), QDate(1991, 1, 1));
  SetRestriction(Code::ProposerAndSpouse);
  page_->SelectDriver(2);
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->AsString(), "01/01/1990");
  EXPECT_FALSE(relationship->isEnabled());
  SetRestriction(Code::AnyDriver);
  page_->SelectDriver(2);
  EXPECT_TRUE(relationship->isEnabled());
}

TEST_F(DrivingPageTest, WritesEveryAnswerForTheDriverShown) {
  mainWindow_.tabs << "Additional Driver: 1"
                   << "Additional Driver: 2";
  page_->SelectDriver(2);
  ASSERT_TRUE(ShowActive(page_.get()));

  // 15 years old: stored without a word; the residency not given becomes the age.
  TypeAndTab(Field<TKwDate>(FieldName::DOBKwDate), "15062011");
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Driver(2)), QDate(2011, 6, 15));
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Driver(0)), QDate());
  EXPECT_EQ(Field<TNumericEdit>(DriverField::ResidencyNumericEdit)->AsInteger(), 15);
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Driver(2)), QDate(2011, 6, 15));
  // Licence and residency are not checked against the age here.
  TypeAndTab(Field<TNumericEdit>(DriverField::LicenceYearsNumericEdit), "20");
  EXPECT_EQ(GetDateValue(Id::LicenceStartDate, Driver(2)), QDate(2006, 6, 15));
  EXPECT_EQ(PromptLog(), "");

  // Left without an item, the relationship warns and keeps the focus.
  auto* relationship = Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit);
  relationship->setFocus(Qt::TabFocusReason);
  relationship->SetItemIndex(-1);
  QTest::keyClick(relationship, Qt::Key_Tab);
  EXPECT_EQ(PromptLog(), "Please select an item from the list");
  EXPECT_EQ(QApplication::focusWidget(), relationship);
  QTest::keyClick(relationship, Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(GetListValue(Id::Relationship, Driver(2)),
            relationship->ItemCode(relationship->ItemIndex()));
  EXPECT_GT(GetListValue(Id::Relationship, Driver(2)), 0);

  // The confirmations name the driver; declined, the answers stay Yes (other vehicles too).
  SetListValue(Id::HasQualifications, Driver(2), Code::Yes);
  SetNumericValue(Id::VehiclesOwned, Driver(2), 1);
  SetListValue(Id::CompanyCarUse, Driver(2), 1);
  page_->LoadDetails();
  for (const char* question :
       {DriverField::QualificationsKwYesNoDlg, DriverField::OtherVehiclesKwYesNoDlg}) {
    prompter_->QueueAnswer(PromptAnswer::No);
    Answer(Field<TKwYesNoDlg>(question), 'n');
    EXPECT_TRUE(IsYes(question)) << question;
  }
  EXPECT_EQ(PromptLog(),
            "Please select an item from the list|Remove all entered Driving Qualifications for "
            "Driver : 2?|Remove Other Vehicle details for Driver : 2");
  // Accepted, the other vehicles go with the company car, so the answer stays No when loaded.
  Answer(Field<TKwYesNoDlg>(DriverField::OtherVehiclesKwYesNoDlg), 'n');
  EXPECT_EQ(GetListValue(Id::CompanyCarUse, Driver(2)), 0);
  EXPECT_EQ(GetDateValue(Id::OtherVehicleDateCeased, Driver(2)), kToday);
  page_->LoadDetails();
  EXPECT_FALSE(IsYes(DriverField::OtherVehiclesKwYesNoDlg));
}

}  // namespace
