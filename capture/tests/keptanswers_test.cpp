// The capture pages and dialogs keep the user's answers, and store none the user did not give:
// every way of closing the vehicle's dialogs stores the field being edited, choosing the category
// already chosen keeps the security device, a record left without its key hides none of the
// others, Add pressed while a record has no key acts once after Yes and not at all after No,
// Cancel on removing drivers changes no answer, and passing through a period changes nothing.

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "capture/claimrecords.h"
#include "capture/medicalconditionsform.h"
#include "capture/proposerpage.h"
#include "capture/securitydevicesform.h"
#include "capture/tests/capturefixture.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepage.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

TPath Modification(int i) {
  return VehicleObjectPath(ObjectCode::Modification, i);
}
TPath Device(int i) {
  return VehicleObjectPath(ObjectCode::SecurityDevice, i);
}
TPath Condition(int i) {
  return {DriverPath(0), MedicalConditionPath(i)};
}

// Types the text of the item with the code into the list field and takes it with Enter, which
// closes the list it opened; the field is not left.
void TypeItemAndStay(TKwComboEdit* list, std::int32_t code) {
  const QString text = list->ItemText(list->IndexOfCode(code));
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(list, text);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_FALSE(list->DroppedDown());
  ASSERT_EQ(list->ItemIndex(), list->IndexOfCode(code));
}

std::int32_t NthCode(std::int32_t listId, int n) {
  ListItems items;
  FillEnumList(listId, items);
  return n < items.size() ? items[n].code : 0;
}

class KeptAnswersTest : public CaptureTest {
 protected:
  QWidget owner_;
};

}  // namespace

TEST_F(KeptAnswersTest, EveryWayOfClosingTheVehicleDialogsStoresTheFieldBeingEdited) {
  const std::int32_t type = NthCode(ListId::Modifications, 1);
  ASSERT_NE(type, 0);
  // Escape with a modification's type typed and not yet left: stored, not removed as untyped.
  Drive([&](QDialog& dialog) {
    auto& form = static_cast<TVehicleModificationsForm&>(dialog);
    TypeItemAndStay(form.TypeField(), type);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowVehicleModifications(&owner_));
  ASSERT_EQ(VehicleObjectCount(ObjectCode::Modification), 1);
  EXPECT_EQ(GetListValue(Id::ModificationType, Modification(0)), type);

  // The window's close button with "due to medical condition" changed from the keyboard.
  Drive([&](QDialog& dialog) {
    auto& form = static_cast<TVehicleModificationsForm&>(dialog);
    Answer(form.InjuryField(), 'y');
    form.close();
  });
  EXPECT_TRUE(ShowVehicleModifications(&owner_));
  EXPECT_EQ(GetListValue(Id::ModifiedForMedicalReason, Modification(0)), Code::MedicalReasonYes);

  // The Close button, reached by its mnemonic without leaving the field first.
  Drive([&](QDialog& dialog) {
    auto& form = static_cast<TVehicleModificationsForm&>(dialog);
    Answer(form.InjuryField(), 'n');
    QTest::keyClick(form.InjuryField(), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);  // the mnemonic's click follows a moment later
  });
  EXPECT_TRUE(ShowVehicleModifications(&owner_));
  EXPECT_NE(GetListValue(Id::ModifiedForMedicalReason, Modification(0)), Code::MedicalReasonYes);

  // The security devices: Escape and the close button with a device typed and not yet left.
  const std::int32_t first = NthCode(ListId::SecurityDevices, 4);
  const std::int32_t second = NthCode(ListId::SecurityDevices, 5);
  Drive([&](QDialog& dialog) {
    TypeItemAndStay(static_cast<TSecurityDevicesForm&>(dialog).DeviceField(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowSecurityDevices(&owner_));
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(0)), first);
  Drive([&](QDialog& dialog) {
    auto& form = static_cast<TSecurityDevicesForm&>(dialog);
    TypeItemAndStay(form.DeviceField(), second);
    form.close();
  });
  EXPECT_TRUE(ShowSecurityDevices(&owner_));
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(0)), second);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 1);
  EXPECT_EQ(PromptLog(), "");
}

TEST_F(KeptAnswersTest, ChoosingTheCategoryAlreadyChosenKeepsTheDevice) {
  const std::int32_t named = NthCode(ListId::SecurityDevices, 4);
  SetListValue(Id::SecurityDevice, Device(0), named);
  SetListValue(Id::SecurityDevice, Device(1), Code::UnknownAlarm);
  Drive([&](QDialog& dialog) {
    auto& form = static_cast<TSecurityDevicesForm&>(dialog);
    QRadioButton* specified = form.KindButton(TSecurityDevicesForm::dkSpecified);
    ASSERT_TRUE(specified->isChecked());
    specified->setFocus(Qt::TabFocusReason);
    QTest::keyClick(specified, Qt::Key_Space);
    QTest::mouseClick(specified, Qt::LeftButton);
    EXPECT_EQ(form.DeviceField()->ItemCode(form.DeviceField()->ItemIndex()), named);
    form.SelectRow(1);
    QTest::mouseClick(form.KindButton(TSecurityDevicesForm::dkUnknownAlarm), Qt::LeftButton);
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ShowSecurityDevices(&owner_));
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(0)), named);
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(1)), Code::UnknownAlarm);
  EXPECT_EQ(PromptLog(), "") << "no unnamed device to remove";
}

TEST_F(KeptAnswersTest, ARecordWithoutItsKeyHidesNoneOfTheOthers) {
  const std::int32_t before = NthCode(ListId::MedicalConditions, 0);
  const std::int32_t after = NthCode(ListId::MedicalConditions, 1);
  SetListValue(Id::MedicalCondition, Condition(0), before);
  SetDateValue(Id::ConditionStartDate, Condition(1), QDate(2020, 6, 15));  // no condition chosen
  SetListValue(Id::MedicalCondition, Condition(2), after);
  SetDateValue(Id::ConditionStartDate, Condition(2), QDate(2024, 6, 15));
  const std::int32_t changed = NthCode(ListId::MedicalConditions, 2);
  Drive([&](QDialog& dialog) {
    auto* list = In<QTreeWidget>(dialog, "MedicalConditionsPZListView");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(In<TNumericEdit>(dialog, "PeriodNumericEdit")->AsInteger(), 2);
    ChooseItem(In<TKwComboEdit>(dialog, "ConditionKwComboEdit"), 3);  // after "<Select>"
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteMedicalConditions(&owner_, 0));
  EXPECT_EQ(GetListValue(Id::MedicalCondition, Condition(2)), changed);

  // A claim stored without its type is listed as well (a conviction's numbered entry is not).
  SetDateValue(Id::ClaimDate, {DriverPath(0), IncidentPath(0), ClaimPath(0)}, QDate(2025, 1, 2));
  SetListValue(Id::ConvictionCode, {DriverPath(0), IncidentPath(1), ConvictionPath(0)},
               NthCode(ListId::ConvictionCodes, 0));
  NumberConvictions();
  TClaimList claims;
  TConvictionList convictions;
  LoadClaimsAndConvictions(0, claims, convictions);
  ASSERT_EQ(claims.Count(), 1);
  EXPECT_EQ(claims.At(0).Date, QDate(2025, 1, 2));
  EXPECT_EQ(convictions.Count(), 1);
}

TEST_F(KeptAnswersTest, AddPressedWhileTheRecordHasNoKeyActsOnceAfterYesAndNotAtAllAfterNo) {
  SetListValue(Id::MedicalCondition, Condition(0), NthCode(ListId::MedicalConditions, 0));
  Drive([&](QDialog& dialog) {
    auto* list = In<QTreeWidget>(dialog, "MedicalConditionsPZListView");
    auto* key = In<TKwComboEdit>(dialog, "ConditionKwComboEdit");
    auto* add = In<QPushButton>(dialog, "AddBitBtn");
    QTest::mouseClick(add, Qt::LeftButton);  // a second condition, still "<Select>"
    ASSERT_EQ(list->topLevelItemCount(), 2);
    ASSERT_EQ(QApplication::focusWidget(), key);

    // No by the mouse, then No by the mnemonic: the record stays and nothing is added.
    prompter_->QueueAnswer(PromptAnswer::No);
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), key);
    prompter_->QueueAnswer(PromptAnswer::No);
    QTest::keyClick(key, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(250);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), key);

    // Yes: the empty record goes and Add makes one new record, once.
    prompter_->QueueAnswer(PromptAnswer::Yes);
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(In<QGroupBox>(dialog, "MedicalConditionsGroupBox")->title(),
              "Medical Condition 2 Details");
    EXPECT_EQ(QApplication::focusWidget(), key);
    prompter_->QueueAnswer(PromptAnswer::Yes);
    QTest::keyClick(key, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(250);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(Prompts().size(), 4);
    ChooseItem(key, 2);
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteMedicalConditions(&owner_, 0));
  int count = 0;
  GetObjectCount({DriverPath(0)}, ObjectCode::MedicalCondition, count);
  EXPECT_EQ(count, 2);
}

TEST_F(KeptAnswersTest, CancellingTheRemovalOfDriversChangesNoAnswer) {
  // Three named drivers; driver 1 is the proposer's child, not the spouse.
  const std::int32_t child = NthCode(ListId::Relationships, 2);
  ASSERT_NE(child, Code::Spouse);
  SetListValue(Id::DrivingRestriction, {CoverPath()}, 5);
  for (int n = 1; n <= 3; ++n) {
    SetStringValue(Id::Surname, {DriverPath(n)}, QStringLiteral("Driver%1").arg(n));
    mainWindow_.AddPageTab(QStringLiteral("Additional Driver: %1").arg(n));
  }
  SetListValue(Id::Relationship, {DriverPath(1)}, child);
  TVehicleKwTabsheetForm page;
  page.LoadDetails();
  ASSERT_TRUE(ShowActive(&page));

  // "Proposer and spouse", then Cancel on the removal question.
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  auto* restriction =
      page.findChild<TKwComboEdit*>(QLatin1String(FieldName::DrivingRestrictionsKwComboEdit));
  ChooseItem(restriction, restriction->IndexOfCode(Code::ProposerAndSpouse));
  EXPECT_EQ(Prompts().value(0),
            "There are currently 3 additional driver(s) on the system.\rDo you want to remove the "
            "last 2 driver(s)?");
  EXPECT_EQ(GetListValue(Id::DrivingRestriction, {CoverPath()}), 5);
  EXPECT_EQ(GetListValue(Id::Relationship, {DriverPath(1)}), child);
  EXPECT_EQ(mainWindow_.tabs.size(), 5);
}

TEST_F(KeptAnswersTest, PassingThroughAPeriodStoresNothingAndChangingItStoresItsStart) {
  // Resident since 10 March 2024: shown as 2 years on 15 June 2026.
  const TPath proposer{DriverPath(0)};
  SetDateValue(Id::DateOfBirth, proposer, QDate(1980, 1, 2));
  SetDateValue(Id::ResidencyStartDate, proposer, QDate(2024, 3, 10));
  ClearModified();
  TProposerDetailsKwTabsheetForm page;
  page.LoadDetails();
  ASSERT_TRUE(ShowActive(&page));
  auto* years = page.Field<TNumericEdit>(DriverField::ResidencyNumericEdit);
  ASSERT_EQ(years->AsInteger(), 2);
  years->setFocus(Qt::TabFocusReason);
  QTest::keyClick(years, Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // through the unit too
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, proposer), QDate(2024, 3, 10));
  EXPECT_FALSE(IsModified());

  // A different period is the user's answer: its start is stored.
  TypeAndTab(years, "3");
  EXPECT_EQ(years->AsInteger(), 3);
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, proposer), QDate(2023, 6, 15));
  EXPECT_TRUE(IsModified());
}
