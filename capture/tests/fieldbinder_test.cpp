// The field-table binder on the demo dictionary: a few rows of the capture pages' tables, built
// into a shown page, typed into through the window and read back.

#include "capture/fieldbinder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/seams.h"
#include "controls/today.h"
#include "dataserver/dsv.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "platform/scriptedprompter.h"

namespace {

const std::string kDictionary = QM_DEMO_BUILD_DIR "/dictionary";

TPath Proposer() {
  return {DriverPath(0)};
}

class FieldBinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DsvOpen(1, 1, (kDictionary + "/Lists.BIN").c_str(),
                      (kDictionary + "/Struct.BIN").c_str(), ""),
              0);
    ClearModified();
    form_ = new QFormLayout(&page_);
    binder_.AddRow(form_, {.Name = "SurnameKwEdit",
                           .Kind = TFieldKind::Text,
                           .Label = "&Surname",
                           .Hint = "Surname|Enter the surname.",
                           .HelpContext = 110401,
                           .PropertyId = Id::Surname,
                           .Path = Proposer,
                           .Write = TWriteRule::OnExit,
                           .MaxLength = 30});
    binder_.AddRow(form_, {.Name = FieldName::DOBKwDate,
                           .Kind = TFieldKind::Date,
                           .Label = "&Date of Birth",
                           .Hint = "|Enter the Proposer's date of birth.",
                           .HelpContext = 110101,
                           .PropertyId = Id::DateOfBirth,
                           .Path = Proposer,
                           .Write = TWriteRule::OnExitIfChanged,
                           .Options = foTodayIsNegative});
    binder_.AddRow(form_, {.Name = FieldName::MaritalStatusKwComboEdit,
                           .Kind = TFieldKind::List,
                           .Label = "&Marital Status",
                           .Hint = "|Select the marital status of the Proposer.",
                           .HelpContext = 110103,
                           .List = TListSource::DataServer,
                           .PropertyId = Id::MaritalStatus,
                           .Path = Proposer,
                           .Write = TWriteRule::OnExitIfSelected,
                           .Options = foInitialCaps});
    binder_.AddRow(form_, {.Name = "SeatsNumericEdit",
                           .Kind = TFieldKind::Number,
                           .Label = "Number of s&eats in vehicle",
                           .Hint = "|Enter the number of seats in the vehicle.",
                           .HelpContext = 110205,
                           .PropertyId = Id::Seats,
                           .Path = Vehicle,
                           .Write = TWriteRule::OnExit});
    binder_.AddRow(form_, {.Name = "LHDKwYesNoDlg",
                           .Kind = TFieldKind::YesNo,
                           .Label = "&Is the vehicle Left-Hand-Drive?",
                           .Hint = "|Indicate whether the driving controls of the vehicle are on "
                                   "the left-hand side.",
                           .HelpContext = 110204,
                           .PropertyId = Id::LeftHandDrive,
                           .Path = Vehicle,
                           .Write = TWriteRule::OnExit});
    binder_.AddRow(form_, {.Name = "UseKwComboEdit",
                           .Kind = TFieldKind::List,
                           .Label = "What is the intended &use of the vehicle",
                           .Hint = "|Select the intended use of the vehicle. ",
                           .HelpContext = 110214,
                           .List = TListSource::DataServerByCode,
                           .PropertyId = Id::VehicleUse,
                           .Path = Vehicle,
                           .Write = TWriteRule::OnChange,
                           .Options = foInitialCaps});
    QObject::connect(&binder_, &TFieldBinder::stored,
                     [this](QWidget* control) { stored_ << control->objectName(); });
  }
  void TearDown() override { DsvClose(); }

  template <class Control>
  Control* Field(const char* name) {
    return binder_.Field<Control>(name);
  }
  bool Show() {
    page_.show();
    page_.activateWindow();
    QApplication::setActiveWindow(&page_);
    return QTest::qWaitForWindowActive(&page_);
  }
  void TypeAndTab(QWidget* field, const char* keys) {
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, keys);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }

  ScopedScriptedPrompter prompter_;
  QWidget page_;
  QFormLayout* form_ = nullptr;
  TFieldBinder binder_{&page_};
  QStringList stored_;
};

}  // namespace

TEST_F(FieldBinderTest, BuildsLabelledNamedFieldsInTableOrderWithTheirLists) {
  auto* marital = Field<TKwComboEdit>(FieldName::MaritalStatusKwComboEdit);
  ASSERT_NE(marital, nullptr);
  EXPECT_EQ(marital->objectName(), "MaritalStatusKwComboEdit");
  EXPECT_EQ(binder_.Label(FieldName::MaritalStatusKwComboEdit)->buddy(), marital);
  EXPECT_EQ(binder_.Label(FieldName::MaritalStatusKwComboEdit)->text(), "&Marital Status");
  EXPECT_EQ(HelpContext(marital), 110103);
  EXPECT_EQ(FieldHint(marital), "|Select the marital status of the Proposer.");
  EXPECT_EQ(marital->statusTip(), "Select the marital status of the Proposer.");
  EXPECT_EQ(Field<TKwEdit>("SurnameKwEdit")->toolTip(), "Surname");
  EXPECT_EQ(Field<TKwEdit>("SurnameKwEdit")->MaxLength(), 30);
  EXPECT_TRUE(Field<TKwDate>(FieldName::DOBKwDate)->TreatTodayAsNegative());
  EXPECT_EQ(marital->TextCase(), TTextCase::tcInitialCaps);

  // The lists come from the Data Server, first item selected.
  ASSERT_EQ(marital->ItemCount(), 7);
  EXPECT_EQ(marital->ItemText(1), "Single");
  EXPECT_EQ(marital->ItemCode(1), 2);
  EXPECT_EQ(marital->ItemIndex(), 0);
  EXPECT_EQ(Field<TKwComboEdit>("UseKwComboEdit")->ItemCount(), 4);

  // Tab order follows the table, and a label's mnemonic reaches its field.
  ASSERT_TRUE(Show());
  Field<TKwEdit>("SurnameKwEdit")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Field<TKwDate>(FieldName::DOBKwDate));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Field<TNumericEdit>("SeatsNumericEdit"));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join("|").toStdString();
}

TEST_F(FieldBinderTest, StoresEachFieldByItsWriteRuleAsItIsTypedAndLeft) {
  ASSERT_TRUE(Show());
  TypeAndTab(Field<TKwEdit>("SurnameKwEdit"), "Brown");
  EXPECT_EQ(GetStringValue(Id::Surname, Proposer()), "Brown");
  EXPECT_TRUE(IsModified());

  TypeAndTab(Field<TKwDate>(FieldName::DOBKwDate), "01021990");
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Proposer()), QDate(1990, 2, 1));

  auto* marital = Field<TKwComboEdit>(FieldName::MaritalStatusKwComboEdit);
  marital->SetItemIndex(-1);
  TypeAndTab(marital, "wid");
  EXPECT_EQ(GetListValue(Id::MaritalStatus, Proposer()), 4);

  TypeAndTab(Field<TNumericEdit>("SeatsNumericEdit"), "7");
  EXPECT_EQ(GetNumericValue(Id::Seats, Vehicle()), 7);

  TypeAndTab(Field<TKwYesNoDlg>("LHDKwYesNoDlg"), "y");
  EXPECT_EQ(GetListValue(Id::LeftHandDrive, Vehicle()), Code::Yes);

  // A change rule stores at once, before the field is left.
  auto* use = Field<TKwComboEdit>("UseKwComboEdit");
  use->setFocus();
  QTest::keyClick(use, Qt::Key_Down);
  EXPECT_EQ(GetListValue(Id::VehicleUse, Vehicle()), 2);
  EXPECT_EQ(stored_, (QStringList{"SurnameKwEdit", "DOBKwDate", "MaritalStatusKwComboEdit",
                                  "SeatsNumericEdit", "LHDKwYesNoDlg", "UseKwComboEdit"}));

  // Left unchanged, a field stored only when changed is not stored again, and a handler the
  // page connects later runs after the binder's store.
  stored_.clear();
  QStringList order;
  auto* dob = Field<TKwDate>(FieldName::DOBKwDate);
  QObject::connect(&binder_, &TFieldBinder::stored, [&](QWidget* control) {
    if (control == dob)
      order << "stored";
  });
  QObject::connect(dob, &TKwDate::exited, [&] { order << "page"; });
  dob->setFocus();
  QTest::keyClick(dob, Qt::Key_Tab);
  EXPECT_FALSE(stored_.contains("DOBKwDate"));
  EXPECT_EQ(order, QStringList{"page"});
  dob->setFocus();
  QTest::keyClicks(dob, "02");
  QTest::keyClick(dob, Qt::Key_Tab);
  EXPECT_EQ(order, (QStringList{"page", "stored", "page"}));
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Proposer()), QDate(1990, 2, 2));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join("|").toStdString();
}

TEST_F(FieldBinderTest, LoadingShowsTheStoredValuesAndStoresNothing) {
  SetStringValue(Id::Surname, Proposer(), "Green");
  SetDateValue(Id::DateOfBirth, Proposer(), QDate(1975, 12, 31));
  SetListValue(Id::MaritalStatus, Proposer(), 3);
  SetNumericValue(Id::Seats, Vehicle(), 2);
  SetListValue(Id::LeftHandDrive, Vehicle(), Code::Yes);
  SetListValue(Id::VehicleUse, Vehicle(), 3);
  ClearModified();

  binder_.LoadAll();
  EXPECT_EQ(Field<TKwEdit>("SurnameKwEdit")->Text(), "Green");
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->AsString(), "31/12/1975");
  EXPECT_EQ(Field<TKwComboEdit>(FieldName::MaritalStatusKwComboEdit)->Text(), "Divorced");
  EXPECT_EQ(Field<TNumericEdit>("SeatsNumericEdit")->AsInteger(), 2);
  EXPECT_EQ(Field<TKwYesNoDlg>("LHDKwYesNoDlg")->State(), TKwYesNoState::ynYes);
  EXPECT_EQ(Field<TKwComboEdit>("UseKwComboEdit")
                ->ItemCode(Field<TKwComboEdit>("UseKwComboEdit")->ItemIndex()),
            3);
  EXPECT_TRUE(stored_.isEmpty());
  EXPECT_FALSE(IsModified());

  // A code the list does not hold selects nothing; a missing value clears the field.
  DsvClearAll();
  SetListValue(Id::MaritalStatus, Proposer(), 99, false, false);
  binder_.LoadAll();
  EXPECT_EQ(Field<TKwComboEdit>(FieldName::MaritalStatusKwComboEdit)->ItemIndex(), -1);
  EXPECT_EQ(Field<TKwEdit>("SurnameKwEdit")->Text(), "");
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->GetAsNumber(), 0);
}

TEST_F(FieldBinderTest, APeriodShowsItsStartAsNumberAndUnitAndStoresTheStartOfWhatItIsLeftWith) {
  const QDate today(2026, 6, 15);
  TControlsSeamsGuard seams;
  TControlsSeams::Current().today = [today] { return today; };
  // The page's check runs before the store: a period over 20 years is cut to 20.
  binder_.AddPeriod(form_,
                    {.Name = "ResidencyNumericEdit",
                     .Kind = TFieldKind::Number,
                     .Label = "Period &Resident in UK",
                     .PropertyId = Id::ResidencyStartDate,
                     .Path = Proposer,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit =
                         [this] {
                           auto* number = Field<TNumericEdit>("ResidencyNumericEdit");
                           if (number->AsInteger() > 20)
                             number->SetAsInteger(20);
                         }},
                    {.Name = "ResidencyKwComboEdit", .Kind = TFieldKind::List, .Label = {}});
  auto* number = Field<TNumericEdit>("ResidencyNumericEdit");
  auto* unit = Field<TKwComboEdit>("ResidencyKwComboEdit");
  SetDateValue(Id::ResidencyStartDate, Proposer(), QDate(2025, 7, 15));
  binder_.LoadAll();
  EXPECT_EQ(number->AsInteger(), 11);
  EXPECT_EQ(unit->Text(), "Months");
  EXPECT_EQ(number->accessibleName(), "Period Resident in UK (years)");

  // Leaving the unit stores the period as the pair now shows it.
  ASSERT_TRUE(Show());
  unit->SetItemIndex(0);
  unit->setFocus();
  QTest::keyClick(unit, Qt::Key_Tab);
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Proposer()), QDate(2015, 6, 15));

  number->SetAsInteger(0);
  TypeAndTab(number, "30");
  EXPECT_EQ(number->AsInteger(), 20);
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Proposer()), QDate(2006, 6, 15));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join("|").toStdString();
}
