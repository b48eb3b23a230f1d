// The driver detail dialogs, each run through its factory on the demo dictionary and driven
// from the keyboard: what they write, how they end, and their confirmations.

#include <QRadioButton>
#include <QTreeWidget>

#include "capture/claimrecords.h"
#include "capture/driverclaimsform.h"
#include "capture/driverconvictionsform.h"
#include "capture/drivingqualificationsform.h"
#include "capture/medicalconditionsform.h"
#include "capture/ncbform.h"
#include "capture/occupationfields.h"
#include "capture/otheroccupationform.h"
#include "capture/othervehiclesform.h"
#include "capture/tests/capturefixture.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"

namespace {

TPath Driver(int n, std::initializer_list<TPathEntry> below = {}) {
  TPath path{DriverPath(n)};
  path.insert(path.end(), below.begin(), below.end());
  return path;
}
TPath Bonus() {
  return {VehiclePath(), NCBPath()};
}

// A code the list holds other than 0 ("<Select>" in the dialogs).
std::int32_t ChosenCode(std::int32_t listId) {
  ListItems items;
  FillEnumList(listId, items);
  for (const ListItem& item : items) {
    if (item.code != 0)
      return item.code;
  }
  return 0;
}

bool IsYes(QDialog& dialog, const char* name) {
  return In<TKwYesNoDlg>(dialog, name)->State() == TKwYesNoState::ynYes;
}

class DriverDialogsTest : public CaptureTest {
 protected:
  // Types the keys into the number field and leaves it; answers the box that followed, if any.
  QString TypeNumber(QDialog& dialog, const char* name, const char* keys) {
    const qsizetype before = Prompts().size();
    TypeInto(In<TNumericEdit>(dialog, name), keys);
    return Prompts().size() > before ? Prompts().last() : QString();
  }

  QWidget owner_;
};

TEST_F(DriverDialogsTest, QualificationsStoreTheirAnswersAndEndYesWhenAnyIsYes) {
  Drive([&](QDialog& dialog) {
    Answer(In<TKwYesNoDlg>(dialog, "AdvancedKwYesNoDlg"), 'y');
    Answer(In<TKwYesNoDlg>(dialog, "DefensiveKwYesNoDlg"), 'y');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // Close is the Cancel key
  });
  EXPECT_TRUE(ExecuteDrivingQualifications(&owner_, 1));
  EXPECT_EQ(dialogsRun_.last(),
            "TDrivingQualificationsForm: Driving Qualifications for Additional Driver : 1");
  EXPECT_EQ(GetListValue(Id::AdvancedDriving, Driver(1, {QualificationPath(0)})), 3);

  // Shown back from the stored value; both cleared clears it, and all No ends with No.
  Drive([&](QDialog& dialog) {
    EXPECT_TRUE(IsYes(dialog, "AdvancedKwYesNoDlg"));
    EXPECT_TRUE(IsYes(dialog, "DefensiveKwYesNoDlg"));
    EXPECT_FALSE(IsYes(dialog, "PassPlusKwYesNoDlg"));
    Answer(In<TKwYesNoDlg>(dialog, "AdvancedKwYesNoDlg"), 'n');
    Answer(In<TKwYesNoDlg>(dialog, "DefensiveKwYesNoDlg"), 'n');
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_FALSE(ExecuteDrivingQualifications(&owner_, 1));
  EXPECT_EQ(GetListValue(Id::AdvancedDriving, Driver(1, {QualificationPath(0)})), 0);
  EXPECT_EQ(dialogsRun_.last(),
            "TDrivingQualificationsForm: Driving Qualifications for Additional Driver : 1");
}

TEST_F(DriverDialogsTest, RemovingAMedicalConditionMovesTheLaterOnesDown) {
  ListItems conditions;
  ASSERT_EQ(FillEnumList(ListId::MedicalConditions, conditions), 0);
  ASSERT_GE(conditions.size(), 3);
  for (int i = 0; i < 3; ++i) {
    const TPath path = Driver(0, {MedicalConditionPath(i)});
    SetListValue(Id::MedicalCondition, path, conditions[i].code);
    SetDateValue(Id::ConditionStartDate, path, i == 2 ? kToday : QDate(2020, 6, 15));
    SetListValue(Id::DvlaNotified, path, i == 2 ? Code::Yes : Code::No);
  }
  Drive([&](QDialog& dialog) {
    auto* list = In<QTreeWidget>(dialog, "MedicalConditionsPZListView");
    EXPECT_EQ(list->topLevelItemCount(), 3);
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(2));
    // A period of nothing yet is shown in months.
    EXPECT_EQ(In<TNumericEdit>(dialog, "PeriodNumericEdit")->AsInteger(), 0);
    EXPECT_EQ(In<TKwComboEdit>(dialog, "PeriodKwComboEdit")->Text(), "Months");
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(In<TNumericEdit>(dialog, "PeriodNumericEdit")->AsInteger(), 6);
    ClickButton(dialog, "RemoveBitBtn");
    EXPECT_EQ(list->topLevelItemCount(), 2);
    // The requirements: not met, then met without modification or restriction.
    Answer(In<TKwYesNoDlg>(dialog, "RestrictionKwYesNoDlg"), 'y');
    TypeInto(In<TKwYesNoDlg>(dialog, "CompliedKwYesNoDlg"), "y");
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteMedicalConditions(&owner_, 0));
  EXPECT_EQ(dialogsRun_.last(), "TMedicalConditionsForm: Medical Conditions for the Proposer");
  EXPECT_EQ(PromptLog(), "Remove Medical Condition 2 - " + conditions[1].text.toStdString());
  int count = 0;
  GetObjectCount(Driver(0), ObjectCode::MedicalCondition, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(GetListValue(Id::MedicalCondition, Driver(0, {MedicalConditionPath(0)})),
            conditions[0].code);
  const TPath moved = Driver(0, {MedicalConditionPath(1)});
  EXPECT_EQ(GetListValue(Id::MedicalCondition, moved), conditions[2].code);
  EXPECT_EQ(GetDateValue(Id::ConditionStartDate, moved), kToday);
  EXPECT_EQ(GetListValue(Id::DvlaNotified, moved), Code::Yes);
  EXPECT_EQ(GetListValue(Id::AutomaticOnly, moved), Code::Yes);
  EXPECT_EQ(GetListValue(Id::DvlaRequirementsMet, moved), 3);  // 1 + 2 for automatics only
}

TEST_F(DriverDialogsTest, ABonusOfNoYearsEndsNoAndKeepsTheOtherDetails) {
  Drive([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "No Claims Bonus Dialog");
    ChooseItem(In<TKwComboEdit>(dialog, "CountryKwComboEdit"), 1);
    Answer(In<TKwYesNoDlg>(dialog, "ProtectedKwYesNoDlg"), 'y');
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_FALSE(ExecuteNCB(&owner_));
  EXPECT_NE(GetListValue(Id::BonusCountry, Bonus()), 0);
  EXPECT_EQ(GetListValue(Id::BonusProtected, Bonus()), Code::Yes);

  Drive([&](QDialog& dialog) {
    TypeInto(In<TNumericEdit>(dialog, "YearsNumericEdit"), "3");
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteNCB(&owner_));
  EXPECT_EQ(GetNumericValue(Id::BonusYears, Bonus()), 3);
}

TEST_F(DriverDialogsTest, OtherVehiclesWriteOnCloseWithTheCompanyCar) {
  // Nothing at all ends with No.
  EXPECT_FALSE(ExecuteOtherVehicles(&owner_, 2));
  EXPECT_EQ(dialogsRun_.last(), "TOtherVehiclesForm: Other Vehicles Owned or Used by driver : 2");
  EXPECT_EQ(GetListValue(Id::OtherVehicleOwned, Driver(2)), Code::OwnsNoOtherVehicle);

  Drive([&](QDialog& dialog) {
    if (dialog.objectName() == "TCompanyCarForm") {
      EXPECT_EQ(dialog.windowTitle(), "Company Car");
      QRadioButton* both = nullptr;
      for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
        if (radio->text().remove('&') == "Business and Private Use")
          both = radio;
      }
      ASSERT_NE(both, nullptr);
      both->setFocus();
      QTest::keyClick(both, Qt::Key_Space);
      TypeInto(In<TNumericEdit>(dialog, "NCDNumericEdit"), "4");
      ClickButton(dialog, "CloseBitBtn");
      return;
    }
    TypeInto(In<TNumericEdit>(dialog, "VehiclesOwnedNumericEdit"), "2");
    TypeInto(In<TNumericEdit>(dialog, "OtherDrivenNumericEdit"), "1");
    auto* companyCar = In<TKwYesNoDlg>(dialog, "CompanyCarKwYesNoDlg");
    Answer(companyCar, 'y');
    EXPECT_EQ(companyCar->State(), TKwYesNoState::ynYes);
    // Declining the removal keeps the company car.
    prompter_->QueueAnswer(PromptAnswer::No);
    Answer(companyCar, 'n');
    EXPECT_EQ(companyCar->State(), TKwYesNoState::ynYes);
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteOtherVehicles(&owner_, 2));
  EXPECT_EQ(PromptLog(), "Remove Company Car details for driver : 2");
  const TPath driver = Driver(2);
  EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, driver), 2);
  EXPECT_EQ(GetListValue(Id::OtherVehicleOwned, driver), Code::OwnsOtherVehicle);
  EXPECT_EQ(GetNumericValue(Id::OtherVehiclesDriven, driver), 1);
  EXPECT_EQ(GetNumericValue(Id::OtherVehiclesDrivenCopy, driver), 1);
  EXPECT_EQ(GetListValue(Id::CompanyCarUse, driver), 2);
  EXPECT_EQ(GetNumericValue(Id::CompanyCarClaimFreeYears, driver), 4);
  EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, Driver(0)), 0);  // the proposer is untouched
}

TEST_F(DriverDialogsTest, DetailNumbersBeyondTheirBoundsAreRefusedAsTheFieldIsLeft) {
  const QString smaller = QStringLiteral("\rPlease enter a smaller number");
  TClaimList claims;
  claims.Append().Cost = 1000;
  claims.At(0).Type = ChosenCode(ListId::ClaimTypes);
  ASSERT_NE(claims.At(0).Type, 0);
  Drive([&](QDialog& dialog) {
    EXPECT_EQ(
        TypeNumber(dialog, "CostNumericEdit", "20000001"),
        QString::fromUtf8("The cost of a claim cannot be more than \u00A320,000,000") + smaller);
    EXPECT_EQ(claims.At(0).Cost, 1000);
    // Within the bound, but wider than the demo engine's field.
    EXPECT_EQ(TypeNumber(dialog, "CostNumericEdit", "20000000"),
              "The Quote engine reads at most 7 characters for this number (20000000)" + smaller);
    EXPECT_EQ(claims.At(0).Cost, 1000);
    EXPECT_EQ(TypeNumber(dialog, "CostNumericEdit", "9999999"), QString());
    EXPECT_EQ(claims.At(0).Cost, 9999999);
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteDriverClaims(&owner_, 0, claims));

  TConvictionList convictions;
  TConvictionRecord& conviction = convictions.Append();
  conviction.Code = ChosenCode(ListId::ConvictionCodes);
  ASSERT_NE(conviction.Code, 0);
  conviction.Points = 3;
  conviction.Fine = 100;
  conviction.MonthsBanned = 6;
  Drive([&](QDialog& dialog) {
    EXPECT_EQ(TypeNumber(dialog, "BanNumericEdit", "1201"),
              "A ban cannot be longer than 1200 months" + smaller);
    EXPECT_EQ(TypeNumber(dialog, "PointsNumericEdit", "13"),
              "A conviction carries at most 12 penalty points" + smaller);
    EXPECT_EQ(TypeNumber(dialog, "FineNumericEdit", "1000001"),
              QString::fromUtf8("A fine cannot be more than \u00A31,000,000") + smaller);
    EXPECT_EQ(conviction.MonthsBanned, 6);
    EXPECT_EQ(conviction.Points, 3);
    EXPECT_EQ(conviction.Fine, 100);
    EXPECT_EQ(TypeNumber(dialog, "BanNumericEdit", "999"), QString());
    EXPECT_EQ(TypeNumber(dialog, "PointsNumericEdit", "12"), QString());
    EXPECT_EQ(TypeNumber(dialog, "FineNumericEdit", "99999"), QString());
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteDriverConvictions(&owner_, 0, claims, convictions));
  EXPECT_EQ(conviction.MonthsBanned, 999);
  EXPECT_EQ(conviction.Points, 12);
  EXPECT_EQ(conviction.Fine, 99999);

  // The other vehicles and the company car are written from their fields at Close: a field
  // still holding a refused number keeps its dialog open, and nothing is written.
  const QString tooManyVehicles = "The number of other vehicles cannot be more than 50" + smaller;
  const QString tooManyYears = "Claim free driving cannot be more than 70 years" + smaller;
  const double ownedBefore = GetNumericValue(Id::VehiclesOwned, Driver(1));
  Drive([&](QDialog& dialog) {
    if (dialog.objectName() == "TCompanyCarForm") {
      EXPECT_EQ(TypeNumber(dialog, "NCDNumericEdit", "71"), tooManyYears);
      ClickButton(dialog, "CloseBitBtn");
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(Prompts().last(), tooManyYears);
      EXPECT_EQ(TypeNumber(dialog, "NCDNumericEdit", "70"), QString());
      ClickButton(dialog, "CloseBitBtn");
      return;
    }
    EXPECT_EQ(TypeNumber(dialog, "VehiclesOwnedNumericEdit", "51"), tooManyVehicles);
    EXPECT_EQ(TypeNumber(dialog, "OtherNCDNumericEdit", "71"), tooManyYears);
    EXPECT_EQ(TypeNumber(dialog, "OtherDrivenNumericEdit", "51"), tooManyVehicles);
    const qsizetype shown = Prompts().size();
    ClickButton(dialog, "CloseBitBtn");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Prompts().size(), shown + 1);  // the first field refused names itself again
    EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, Driver(1)), ownedBefore);
    EXPECT_EQ(TypeNumber(dialog, "VehiclesOwnedNumericEdit", "50"), QString());
    EXPECT_EQ(TypeNumber(dialog, "OtherNCDNumericEdit", "70"), QString());
    EXPECT_EQ(TypeNumber(dialog, "OtherDrivenNumericEdit", "50"), QString());
    Answer(In<TKwYesNoDlg>(dialog, "CompanyCarKwYesNoDlg"), 'y');
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteOtherVehicles(&owner_, 1));
  EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, Driver(1)), 50);
  EXPECT_EQ(GetNumericValue(Id::OtherVehicleClaimFreeYears, Driver(1)), 70);
  EXPECT_EQ(GetNumericValue(Id::OtherVehiclesDriven, Driver(1)), 50);
  EXPECT_EQ(GetNumericValue(Id::CompanyCarClaimFreeYears, Driver(1)), 70);
}

TEST_F(DriverDialogsTest, APartTimeOccupationNeedsAChoiceInEachList) {
  TKwComboEdit businessList;
  FillBusinessItems(&businessList, true);
  const TCodedStringList businesses = ItemsOf(&businessList);
  ASSERT_GT(businesses.size(), 1);
  const TPath partTime = Driver(0, {OccupationPath(1)});

  // "<select>" as occupation ends with Cancel.
  EXPECT_FALSE(ExecuteOtherOccupation(&owner_, 0, businesses));
  EXPECT_EQ(dialogsRun_.last(), "TOtherOccupationForm: Part Time Occupation for the Proposer");
  EXPECT_EQ(PromptLog(), "");

  // An occupation without a status selected: asked, and No keeps the dialog open.
  Drive([&](QDialog& dialog) {
    auto* business = In<TKwComboEdit>(dialog, "BusinessKwComboEdit");
    auto* occupation = In<TKwComboEdit>(dialog, "OccupationKwComboEdit");
    auto* status = In<TKwComboEdit>(dialog, "EmploymentStatusKwComboEdit");
    for (int i = 1; i < business->ItemCount() && occupation->ItemCount() < 2; ++i)
      ChooseItem(business, i);
    ASSERT_GE(occupation->ItemCount(), 2);
    ChooseItem(occupation, 1);
    ASSERT_GT(status->ItemCount(), 0);
    status->SetItemIndex(-1);
    prompter_->QueueAnswer(PromptAnswer::No);
    ClickButton(dialog, "CloseBitBtn");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(PromptLog(),
              "You must select a description from each of the drop-down lists for 'Employment "
              "Status', 'Occupation' and 'Employers Business'\r\rDo you want to remove this part "
              "time occupation?");
    ChooseItem(status, status->ItemCount() - 1);
    ClickButton(dialog, "CloseBitBtn");
  });
  EXPECT_TRUE(ExecuteOtherOccupation(&owner_, 0, businesses));
  EXPECT_GT(GetListValue(Id::EmployersBusiness, partTime), 0);
  EXPECT_GT(GetListValue(Id::Occupation, partTime), 0);
  EXPECT_GT(GetListValue(Id::EmploymentStatus, partTime), 0);
}

}  // namespace
