// The vehicle page on the demo dictionary, typed into through the keyboard: the year rules, the
// make and model lists, the any-driver fields, the voluntary excess, the business mileage, and
// the driver reconciliation on leaving the driving restriction.

#include "capture/vehiclepage.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "capture/driverreconciliation.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/numericedit.h"
#include "controls/seams.h"
#include "controls/today.h"
#include "dataserver/dsv.h"
#include "motor/identifiers.h"
#include "motor/tests/fakemainwindow.h"
#include "platform/scriptedprompter.h"

namespace {

using namespace VehicleField;

const std::string kDictionary = QM_DEMO_BUILD_DIR "/dictionary";
constexpr std::int32_t kAbarth = 1;

TPath Driver(int n) {
  return {DriverPath(static_cast<std::uint16_t>(n))};
}

class VehiclePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DsvOpen(1, 1, (kDictionary + "/Lists.BIN").c_str(),
                      (kDictionary + "/Struct.BIN").c_str(), ""),
              0);
    TControlsSeams::Current().today = [] { return QDate(2026, 6, 15); };
    ClearModified();
    page_ = std::make_unique<TVehicleKwTabsheetForm>();
  }
  void TearDown() override {
    page_.reset();
    DsvClose();
  }

  template <class Control>
  Control* Field(const char* name) {
    return page_->findChild<Control*>(QLatin1String(name));
  }
  TKwComboEdit* List(const char* name) { return Field<TKwComboEdit>(name); }
  std::int32_t SelectedCode(const char* name) {
    TKwComboEdit* list = List(name);
    return list->ItemIndex() >= 0 ? list->ItemCode(list->ItemIndex()) : -1;
  }
  bool Show() {
    page_->show();
    page_->activateWindow();
    QApplication::setActiveWindow(page_.get());
    return QTest::qWaitForWindowActive(page_.get());
  }
  void TypeAndTab(QWidget* field, const QString& keys) {
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, keys);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Picks the list's item with the code by typing its text, then leaves the field.
  void Choose(const char* name, std::int32_t code, bool kept = true) {
    TKwComboEdit* list = List(name);
    const int index = list->IndexOfCode(code);
    ASSERT_GE(index, 0) << name << " has no code " << code;
    const QString text = list->ItemText(index);
    list->SetItemIndex(-1);
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(list, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (kept) {
      ASSERT_EQ(list->ItemIndex(), index) << name;
    }
  }
  // A proposal with `drivers` additional drivers, each with a surname, loaded into the page.
  void LoadWithDrivers(std::int32_t restriction, int drivers) {
    SetListValue(Id::DrivingRestriction, Cover(), restriction);
    for (int n = 0; n <= drivers; ++n)
      SetStringValue(Id::Surname, Driver(n), QStringLiteral("Driver%1").arg(n));
    for (int n = 1; n <= drivers; ++n)
      window_.AddPageTab(QStringLiteral("Additional Driver: %1").arg(n));
    page_->LoadDetails();
  }

  std::string PromptLog() { return prompter_->Texts().join("|").toStdString(); }

  ScopedScriptedPrompter prompter_;
  TFakeMainWindow window_;
  const TControlsSeamsGuard seams_;
  std::unique_ptr<TVehicleKwTabsheetForm> page_;
};

}  // namespace

TEST_F(VehiclePageTest, FieldsCarryTheirNamesLabelsAndTabOrder) {
  QStringList order;
  for (QWidget* stop : page_->TabStops())
    order << stop->objectName();
  EXPECT_EQ(order, (QStringList{VehicleYearNumericEdit,
                                VehicleMakeKwComboEdit,
                                VehicleModelKwComboEdit,
                                LHDKwYesNoDlg,
                                SeatsNumericEdit,
                                RegNoKwEdit,
                                ValueNumericEdit,
                                PrivateMileageNumericEdit,
                                LocationKwComboEdit,
                                PostCodeKwEdit,
                                LeaseKwYesNoDlg,
                                ModificationsKwYesNoDlg,
                                SecurityDevicesKwYesNoDlg,
                                UseKwComboEdit,
                                GoodsKwYesNoDlg,
                                BusMileageNumericEdit,
                                CoverKwComboEdit,
                                VoluntaryExcessAmountKwComboEdit,
                                DrivingRestrictionsKwComboEdit,
                                YoungestDriverNumericEdit,
                                FemaleDriversKwComboEdit,
                                MainDriverKwComboEdit,
                                RegisteredKeeperKwComboEdit,
                                RegisteredOwnerKwComboEdit}));
  EXPECT_NE(page_->findChild<QWidget*>(QLatin1String(VehicleYearSpinButton)), nullptr);
  EXPECT_EQ(Field<TNumericEdit>(VehicleYearNumericEdit)->AsInteger(), 1997);
  EXPECT_EQ(List(VehicleMakeKwComboEdit)->ItemText(0), "<Select>");
  EXPECT_EQ(List(VehicleMakeKwComboEdit)->ItemText(1), "ABARTH");
  EXPECT_EQ(List(VehicleModelKwComboEdit)->ItemText(0), "<No Make Selected>");
  EXPECT_FALSE(List(VehicleModelKwComboEdit)->isEnabled());
  const QStringList excess{"0", "50", "100", "150", "200", "250"};
  for (int i = 0; i < excess.size(); ++i)
    EXPECT_EQ(List(VoluntaryExcessAmountKwComboEdit)->ItemText(i), excess[i]);
  EXPECT_EQ(List(CoverKwComboEdit)->ItemText(1), "Third Party, Fire and Theft");
  EXPECT_EQ(List(DrivingRestrictionsKwComboEdit)->ItemCode(0), 1);
  EXPECT_EQ(List(DrivingRestrictionsKwComboEdit)->ItemText(7), "Any driver");
  EXPECT_EQ(List(MainDriverKwComboEdit)->ItemText(0), "Proposer");
  EXPECT_FALSE(List(MainDriverKwComboEdit)->isEnabled());
}

TEST_F(VehiclePageTest, YearIsReadAsTypedCappedAndStoredWithoutMarking) {
  ASSERT_TRUE(Show());
  auto* year = Field<TNumericEdit>(VehicleYearNumericEdit);
  year->SetAsInteger(0);
  TypeAndTab(year, "95");
  EXPECT_EQ(year->AsInteger(), 1995);
  EXPECT_EQ(GetDateValue(Id::VehicleYear, Vehicle()), QDate(1995, 1, 1));
  EXPECT_FALSE(IsModified());

  year->SetAsInteger(0);
  TypeAndTab(year, "2031");
  EXPECT_EQ(year->AsInteger(), 2026);
  EXPECT_EQ(GetDateValue(Id::VehicleYear, Vehicle()), QDate(2026, 1, 1));

  // The spin button stops at the current year; below it, it adds one.
  year->setFocus();
  QTest::keyClick(year, Qt::Key_Up);
  EXPECT_EQ(year->AsInteger(), 2026);
  QTest::keyClick(year, Qt::Key_Down);
  EXPECT_EQ(GetDateValue(Id::VehicleYear, Vehicle()), QDate(2025, 1, 1));

  // The same year again rebuilds nothing.
  QSignalSpy builds(List(VehicleModelKwComboEdit), &TKwComboEdit::buildList);
  year->SetAsInteger(0);
  TypeAndTab(year, "2025");
  EXPECT_EQ(builds.count(), 0);
  year->SetAsInteger(0);
  TypeAndTab(year, "2024");
  EXPECT_EQ(builds.count(), 1);
  // Only the capped year was told; two digits read as 19xx are the rule, and need no word.
  ASSERT_EQ(prompter_->Texts().size(), 1) << prompter_->Texts().join("|").toStdString();
  EXPECT_TRUE(prompter_->Texts()[0].startsWith("2031 is not a year a vehicle can have been made"));
  EXPECT_TRUE(prompter_->Texts()[0].contains("changed to 2026"));
}

TEST_F(VehiclePageTest, NumbersNoVehicleCanHaveAreRefusedAndAChangedYearIsTold) {
  ASSERT_TRUE(Show());
  auto* year = Field<TNumericEdit>(VehicleYearNumericEdit);
  year->SetAsInteger(0);
  TypeAndTab(year, "1899");
  EXPECT_EQ(year->AsInteger(), 1999);
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].contains("1899 is not a year")) << PromptLog();

  // Thirty nines as seats, and a value no car has: refused with their own words, not stored.
  auto* seats = Field<TNumericEdit>(SeatsNumericEdit);
  const double seatsBefore = GetNumericValue(Id::Seats, Vehicle());
  const double valueBefore = GetNumericValue(Id::VehicleValue, Vehicle());
  TypeAndTab(seats, QString(30, QLatin1Char('9')));
  EXPECT_EQ(GetNumericValue(Id::Seats, Vehicle()), seatsBefore);
  ASSERT_EQ(prompter_->Texts().size(), 2);
  EXPECT_TRUE(prompter_->Texts()[1].startsWith("A vehicle insured here has at most 20 seats"))
      << PromptLog();
  auto* value = Field<TNumericEdit>(ValueNumericEdit);
  TypeAndTab(value, "99999999999");
  EXPECT_EQ(GetNumericValue(Id::VehicleValue, Vehicle()), valueBefore);
  ASSERT_EQ(prompter_->Texts().size(), 3);
  EXPECT_TRUE(prompter_->Texts()[2].contains("2,000,000")) << PromptLog();

  // Values within the bounds are stored as typed.
  seats->SetAsInteger(0);
  TypeAndTab(seats, "7");
  value->SetAsInteger(0);
  TypeAndTab(value, "1999999");
  EXPECT_EQ(GetNumericValue(Id::Seats, Vehicle()), 7);
  EXPECT_EQ(GetNumericValue(Id::VehicleValue, Vehicle()), 1999999);
  EXPECT_EQ(prompter_->Texts().size(), 3) << PromptLog();
}

TEST_F(VehiclePageTest, ModelListFollowsTheMakeAndTheYear) {
  ASSERT_TRUE(Show());
  auto* year = Field<TNumericEdit>(VehicleYearNumericEdit);
  year->SetAsInteger(0);
  TypeAndTab(year, "2013");
  Choose(VehicleMakeKwComboEdit, kAbarth);
  EXPECT_EQ(GetListValue(Id::VehicleMake, Vehicle()), kAbarth);

  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  ASSERT_EQ(model->ItemCount(), 3);
  EXPECT_TRUE(model->isEnabled());
  EXPECT_EQ(model->ItemText(0), "<Select>");
  EXPECT_EQ(model->ItemText(1), "595 1.4 T-JET              1368cc, 3, Manu, Petrol");
  EXPECT_EQ(model->ItemCode(2), 1002);
  Choose(VehicleModelKwComboEdit, 1002);
  EXPECT_EQ(GetListValue(Id::VehicleModel, Vehicle()), 1002);

  // 2017 adds the Spider and keeps the chosen model; 2010 has none of the make's models.
  year->SetAsInteger(0);
  TypeAndTab(year, "2017");
  EXPECT_EQ(model->ItemCount(), 4);
  EXPECT_EQ(SelectedCode(VehicleModelKwComboEdit), 1002);
  year->SetAsInteger(0);
  TypeAndTab(year, "2010");
  ASSERT_EQ(model->ItemCount(), 1);
  EXPECT_EQ(model->ItemText(0), "<No Models were manufactured in entered Year>");
  EXPECT_FALSE(model->isEnabled());
  EXPECT_EQ(GetListValue(Id::VehicleModel, Vehicle()), 0);

  // Loading reads the year from the stored date and the model within its make and year.
  SetDateValue(Id::VehicleYear, Vehicle(), QDate(2018, 1, 1));
  SetListValue(Id::VehicleModel, Vehicle(), 1003);
  page_->LoadDetails();
  EXPECT_EQ(year->AsInteger(), 2018);
  EXPECT_EQ(SelectedCode(VehicleMakeKwComboEdit), kAbarth);
  EXPECT_EQ(SelectedCode(VehicleModelKwComboEdit), 1003);
}

TEST_F(VehiclePageTest, DropDownsAreFittedWhenTheyFirstOpen) {
  ASSERT_TRUE(Show());
  // Nothing is made for a list before it opens: not even the lists the page widens.
  for (const char* name : {LocationKwComboEdit, UseKwComboEdit, DrivingRestrictionsKwComboEdit})
    EXPECT_EQ(List(name)->findChild<QAbstractItemView*>(), nullptr) << name;

  // The model lines are columns: the open list shows them in the field's fixed-pitch font.
  Choose(VehicleMakeKwComboEdit, kAbarth);
  TKwComboEdit* model = List(VehicleModelKwComboEdit);
  model->showPopup();
  EXPECT_TRUE(QFontInfo(model->view()->font()).fixedPitch());
  EXPECT_EQ(model->view()->font(), model->font());
  model->hidePopup();

  // A narrow field's list is as wide as its longest item.
  for (const char* name : {LocationKwComboEdit, UseKwComboEdit, DrivingRestrictionsKwComboEdit}) {
    TKwComboEdit* list = List(name);
    list->showPopup();
    QAbstractItemView* view = list->view();
    EXPECT_GE(view->minimumWidth(), view->sizeHintForColumn(0) + 24) << name;
    list->hidePopup();
  }
}

TEST_F(VehiclePageTest, AnyDriverFieldsExcessAndBusinessMileage) {
  ASSERT_TRUE(Show());
  SetListValue(Id::SexOfDrivers, Cover(), 2);
  SetNumericValue(Id::YoungestDriverAge, Cover(), 25.7);
  Choose(DrivingRestrictionsKwComboEdit, Code::AnyDriver);
  auto* youngest = Field<TNumericEdit>(YoungestDriverNumericEdit);
  EXPECT_EQ(GetListValue(Id::DrivingRestriction, Cover()), Code::AnyDriver);
  EXPECT_TRUE(youngest->isEnabled());
  EXPECT_TRUE(List(FemaleDriversKwComboEdit)->isEnabled());
  EXPECT_EQ(youngest->AsInteger(), 25);
  EXPECT_EQ(SelectedCode(FemaleDriversKwComboEdit), 2);
  Choose(DrivingRestrictionsKwComboEdit, 1);
  EXPECT_FALSE(youngest->isEnabled());
  EXPECT_FALSE(List(FemaleDriversKwComboEdit)->isEnabled());
  EXPECT_EQ(youngest->AsInteger(), 0);
  EXPECT_EQ(List(FemaleDriversKwComboEdit)->ItemIndex(), -1);

  // The excess shows the first amount at least as large as the stored one.
  SetNumericValue(Id::VoluntaryExcess, Cover(), 120);
  page_->LoadDetails();
  EXPECT_EQ(List(VoluntaryExcessAmountKwComboEdit)->Text(), "150");
  SetNumericValue(Id::VoluntaryExcess, Cover(), 300);
  page_->LoadDetails();
  EXPECT_EQ(List(VoluntaryExcessAmountKwComboEdit)->Text(), "250");
  List(VoluntaryExcessAmountKwComboEdit)->setFocus();
  QTest::keyClick(List(VoluntaryExcessAmountKwComboEdit), Qt::Key_Up);
  EXPECT_EQ(GetNumericValue(Id::VoluntaryExcess, Cover()), 200);

  // A business use asks the business mileage; social use stores 0 for it.
  Choose(UseKwComboEdit, 3);
  auto* business = Field<TNumericEdit>(BusMileageNumericEdit);
  EXPECT_TRUE(business->isEnabled());
  TypeAndTab(business, "4000");
  EXPECT_EQ(GetNumericValue(Id::BusinessMileage, Vehicle()), 4000);
  Choose(UseKwComboEdit, 1);
  EXPECT_FALSE(business->isEnabled());
  EXPECT_TRUE(ValueExists(Id::BusinessMileage, Vehicle()));
  EXPECT_EQ(GetNumericValue(Id::BusinessMileage, Vehicle()), 0);
  EXPECT_EQ(business->AsInteger(), 0);

  Choose(CoverKwComboEdit, Code::ThirdPartyOnly);
  EXPECT_EQ(GetListValue(Id::CoverType, Cover()), 3);
}

TEST_F(VehiclePageTest, PostcodeIsCheckedReformattedAndStored) {
  ASSERT_TRUE(Show());
  TypeAndTab(Field<TKwEdit>(PostCodeKwEdit), "ab12cd");
  EXPECT_EQ(GetStringValue(Id::VehiclePostcode, Vehicle()), "AB1 2CD");
  EXPECT_EQ(Field<TKwEdit>(PostCodeKwEdit)->Text(), "AB1 2CD");
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  page_->ShowFollowedPostcode(QStringLiteral("ZZ9 9ZZ"));
  EXPECT_EQ(Field<TKwEdit>(PostCodeKwEdit)->Text(), "ZZ9 9ZZ");
}

TEST_F(VehiclePageTest, FewerDriversRemovesTheLastAndSendsTheirRolesToTheProposer) {
  LoadWithDrivers(5, 3);
  SetMainDriver(4);
  SetRegisteredKeeper(2);
  page_->LoadDetails();
  EXPECT_EQ(List(MainDriverKwComboEdit)->ItemCount(), 4);
  EXPECT_EQ(List(MainDriverKwComboEdit)->Text(), "Driver 3");
  EXPECT_TRUE(List(MainDriverKwComboEdit)->isEnabled());
  ASSERT_TRUE(Show());

  Choose(DrivingRestrictionsKwComboEdit, 3);
  ASSERT_EQ(prompter_->Prompts().size(), 2) << prompter_->Texts().join("|").toStdString();
  EXPECT_EQ(prompter_->Prompts()[0].text,
            "There are currently 3 additional driver(s) on the system.\rDo you want to remove the "
            "last 2 driver(s)?");
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter_->Prompts()[1].text,
            "One or more of the drivers that is to be removed\r is set as the Main Driver\rThese "
            "values will now be set to the proposer");
  EXPECT_EQ(window_.tabs, (QStringList{"Proposer", "Vehicle", "Additional Driver: 1"}));
  EXPECT_EQ(window_.selectedTabs, QList<int>{1});
  EXPECT_TRUE(ValueExists(Id::Surname, Driver(1)));
  EXPECT_FALSE(ValueExists(Id::Surname, Driver(2)));
  EXPECT_FALSE(ValueExists(Id::Surname, Driver(3)));
  EXPECT_EQ(GetListValue(Id::MainDriver, Vehicle()), 1);
  EXPECT_EQ(GetListValue(Id::MainOrFrequentDriver, Driver(0)), Code::MainDriver);
  EXPECT_EQ(GetListValue(Id::MainOrFrequentDriver, Driver(1)), Code::FrequentDriver);
  EXPECT_EQ(GetListValue(Id::RegisteredKeeper, Vehicle()), 2);
  EXPECT_EQ(List(MainDriverKwComboEdit)->ItemCount(), 2);
  EXPECT_EQ(List(MainDriverKwComboEdit)->Text(), "Proposer");
  EXPECT_EQ(List(RegisteredKeeperKwComboEdit)->Text(), "Driver 1");

  // Proposer only: the keeper and owner go back together.
  SetRegisteredOwner(2);
  prompter_->Clear();
  Choose(DrivingRestrictionsKwComboEdit, 1);
  ASSERT_EQ(prompter_->Prompts().size(), 2);
  EXPECT_EQ(prompter_->Prompts()[1].text,
            "One or more of the drivers that is to be removed\r is set as either the Registered "
            "Keeper or the Registered Owner\rThese values will now be set to the proposer");
  EXPECT_EQ(window_.tabs.size(), 2);
  EXPECT_FALSE(List(MainDriverKwComboEdit)->isEnabled());
}

TEST_F(VehiclePageTest, ChoosingTheMainDriverGivesEveryDriverItsRole) {
  LoadWithDrivers(4, 2);
  ASSERT_TRUE(Show());
  Choose(MainDriverKwComboEdit, 3);
  EXPECT_EQ(GetListValue(Id::MainDriver, Vehicle()), 3);
  EXPECT_EQ(GetListValue(Id::MainOrFrequentDriver, Driver(0)), Code::FrequentDriver);
  EXPECT_EQ(GetListValue(Id::MainOrFrequentDriver, Driver(1)), Code::FrequentDriver);
  EXPECT_EQ(GetListValue(Id::MainOrFrequentDriver, Driver(2)), Code::MainDriver);
  Choose(RegisteredOwnerKwComboEdit, 2);
  EXPECT_EQ(GetListValue(Id::RegisteredOwner, Vehicle()), 2);
  EXPECT_EQ(GetListValue(Id::MainDriver, Vehicle()), 3);
}

TEST_F(VehiclePageTest, RoleMessageNamesEveryCombination) {
  const QString head = "One or more of the drivers that is to be removed\r is set as ";
  const QString tail = "\rThese values will now be set to the proposer";
  const auto message = [](bool main, bool owner, bool keeper) {
    return RolesResetMessage(TRolesReset{main, owner, keeper});
  };
  EXPECT_EQ(message(true, false, false), head + "the Main Driver" + tail);
  EXPECT_EQ(message(false, true, false), head + "the Registered Owner" + tail);
  EXPECT_EQ(message(false, false, true), head + "the Registered Keeper" + tail);
  EXPECT_EQ(message(true, true, false),
            head + "either the Main Driver or the Registered Owner" + tail);
  EXPECT_EQ(message(true, false, true),
            head + "either the Main Driver or the Registered Keeper" + tail);
  EXPECT_EQ(message(false, true, true),
            head + "either the Registered Keeper or the Registered Owner" + tail);
  EXPECT_EQ(message(true, true, true),
            head + "either the Main Driver, the Registered Keeper or the Registered Owner" + tail);
}

TEST_F(VehiclePageTest, SpouseArrivesWithDefaultsAndACancelledRemovalKeepsTheDrivers) {
  SetListValue(Id::Sex, Driver(0), Code::Male);
  SetListValue(Id::MaritalStatus, Driver(0), 3);
  LoadWithDrivers(1, 0);
  ASSERT_TRUE(Show());

  Choose(DrivingRestrictionsKwComboEdit, Code::ProposerAndSpouse);
  EXPECT_EQ(window_.tabs, (QStringList{"Proposer", "Vehicle", "Spouse"}));
  EXPECT_EQ(GetListValue(Id::Relationship, Driver(1)), Code::Spouse);
  EXPECT_EQ(GetListValue(Id::Sex, Driver(1)), Code::Female);
  EXPECT_EQ(GetListValue(Id::MaritalStatus, Driver(1)), 3);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  // Two more named drivers; the first tab is an additional driver again.
  Choose(DrivingRestrictionsKwComboEdit, 5);
  EXPECT_EQ(window_.tabs, (QStringList{"Proposer", "Vehicle", "Additional Driver: 1",
                                       "Additional Driver: 2", "Additional Driver: 3"}));
  SetStringValue(Id::Surname, Driver(3), "Third");

  // Cancelled: the drivers stay, and the field and the proposal go back to the restriction
  // they match.
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  Choose(DrivingRestrictionsKwComboEdit, 1, false);
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(window_.tabs.size(), 5);
  EXPECT_EQ(GetListValue(Id::DrivingRestriction, Cover()), 5);
  EXPECT_EQ(SelectedCode(DrivingRestrictionsKwComboEdit), 5);
  EXPECT_EQ(List(MainDriverKwComboEdit)->ItemCount(), 4);
  EXPECT_EQ(GetStringValue(Id::Surname, Driver(3)), "Third");

  // A code beyond the table counts as no additional drivers.
  prompter_->Clear();
  SetListValue(Id::DrivingRestriction, Cover(), 9);
  EXPECT_EQ(ReconcileDrivers(5, nullptr), TReconcileOutcome::Reconciled);
  EXPECT_EQ(window_.tabs.size(), 2);
  EXPECT_FALSE(ValueExists(Id::Surname, Driver(3)));
}
