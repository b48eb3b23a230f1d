// The yes/no questions of the driver pages. Each question's change handler runs when the user
// changes the answer (a change to No asks before removing the details behind it), and its
// dialog handler when the user answers Yes or opens the details. Declining a removal puts the
// answer back to Yes, so the answer shown always agrees with the details stored.

#include <QLabel>

#include "capture/driverclaimsform.h"
#include "capture/driverconvictionsform.h"
#include "capture/driverdetailspage.h"
#include "capture/drivingqualificationsform.h"
#include "capture/medicalconditionsform.h"
#include "capture/ncbform.h"
#include "capture/occupationfields.h"
#include "capture/otheroccupationform.h"
#include "capture/othervehiclesform.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/today.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

const QString kRemovePartTime = QStringLiteral("Remove this Drivers Part-time Occupation?");
const QString kRemoveQualifications =
    QStringLiteral("Remove all entered Driving Qualifications for %1?");
const QString kRemoveClaims =
    QStringLiteral("Remove all entered Accidents, Losses and Claims for %1?");
const QString kRemoveConvictions = QStringLiteral("Remove all entered driving Convictions for %1?");
const QString kRemoveMedical = QStringLiteral("Remove all entered Medical Conditions for %1?");
const QString kRemoveBonus = QStringLiteral("Remove the No Claims Discount details");
const QString kRemoveOtherVehicles = QStringLiteral("Remove Other Vehicle details for %1");

int CountOf(const TPath& path, std::uint16_t objectId) {
  int count = 0;
  GetObjectCount(path, objectId, count);
  return count;
}

}  // namespace

TKwYesNoDlg* TDriverDetailsPage::Question(const char* name) const {
  return Field<TKwYesNoDlg>(name);
}

void TDriverDetailsPage::SetAnswer(const char* question, bool yes) {
  if (TKwYesNoDlg* control = Question(question))
    SetYes(control, yes);
}

void TDriverDetailsPage::StoreAnswer(const char* question, std::int32_t id) {
  SetListValue(id, DriverAnd(), IsYes(Question(question)) ? Code::Yes : Code::No);
}

bool TDriverDetailsPage::ConfirmRemoval(const QString& text) {
  return Ask(PromptKind::Confirmation, PromptButtons::YesNo, text) == PromptAnswer::Yes;
}

void TDriverDetailsPage::ConnectQuestions() {
  struct TQuestion {
    const char* name;
    void (TDriverDetailsPage::*changed)();
    void (TDriverDetailsPage::*dialog)();
  };
  const TQuestion questions[] = {
      {DriverField::OtherOccupationKwYesNoDlg, &TDriverDetailsPage::PartTimeChanged,
       &TDriverDetailsPage::PartTimeDialog},
      {DriverField::QualificationsKwYesNoDlg, &TDriverDetailsPage::QualificationsChanged,
       &TDriverDetailsPage::QualificationsDialog},
      {DriverField::ClaimsKwYesNoDlg, &TDriverDetailsPage::ClaimsChanged,
       &TDriverDetailsPage::ClaimsDialog},
      {DriverField::ConvictionsKwYesNoDlg, &TDriverDetailsPage::ConvictionsChanged,
       &TDriverDetailsPage::ConvictionsDialog},
      {DriverField::MedicalConditionKwYesNoDlg, &TDriverDetailsPage::MedicalChanged,
       &TDriverDetailsPage::MedicalDialog},
      {DriverField::NCBKwYesNoDlg, &TDriverDetailsPage::BonusChanged,
       &TDriverDetailsPage::BonusDialog},
      {DriverField::OtherVehiclesKwYesNoDlg, &TDriverDetailsPage::OtherVehiclesChanged,
       &TDriverDetailsPage::OtherVehiclesDialog},
  };
  for (const TQuestion& question : questions) {
    TKwYesNoDlg* control = Question(question.name);
    if (control == nullptr)
      continue;  // the driver page has no bonus question
    connect(control, &TKwYesNoDlg::changed, this, question.changed);
    connect(control, &TKwYesNoDlg::callDialog, this, question.dialog);
  }
}

void TDriverDetailsPage::LoadQuestions() {
  // Qualifications, claims, convictions and medical conditions are stored answers (the binder
  // loads them); the others follow from the details stored.
  SetAnswer(DriverField::OtherOccupationKwYesNoDlg,
            CountOf(DriverAnd(), ObjectCode::Occupation) >= 2);
  if (Question(DriverField::NCBKwYesNoDlg) != nullptr) {
    const double years = GetNumericValue(Id::BonusYears, {VehiclePath(), NCBPath()});
    SetAnswer(DriverField::NCBKwYesNoDlg, static_cast<int>(years) >= 1);
  }
  const TPath driver = DriverAnd();
  SetAnswer(DriverField::OtherVehiclesKwYesNoDlg,
            static_cast<int>(GetNumericValue(Id::VehiclesOwned, driver)) > 0 ||
                static_cast<int>(GetNumericValue(Id::OtherVehiclesDriven, driver)) > 0 ||
                GetListValue(Id::CompanyCarUse, driver) > 0);
}

void TDriverDetailsPage::SaveClaimsAndConvictions() {
  ::SaveClaimsAndConvictions(Driver(), claims_, convictions_);
}

// ---- Part-time occupation -------------------------------------------------------------------

void TDriverDetailsPage::PartTimeChanged() {
  if (IsYes(Question(DriverField::OtherOccupationKwYesNoDlg)))
    return;
  if (ConfirmRemoval(kRemovePartTime))
    DeleteObject(DriverAnd({OccupationPath(1)}));
  else
    SetAnswer(DriverField::OtherOccupationKwYesNoDlg, true);
}

void TDriverDetailsPage::PartTimeDialog() {
  const TCodedStringList businesses = ItemsOf(Field<TKwComboEdit>(FieldName::BusinessKwComboEdit));
  if (ExecuteOtherOccupation(this, Driver(), businesses))
    return;
  SetAnswer(DriverField::OtherOccupationKwYesNoDlg, false);
  DeleteObject(DriverAnd({OccupationPath(1)}));
}

// ---- Driving qualifications -----------------------------------------------------------------

void TDriverDetailsPage::QualificationsChanged() {
  if (!IsYes(Question(DriverField::QualificationsKwYesNoDlg))) {
    // Asked even when nothing was entered.
    if (ConfirmRemoval(kRemoveQualifications.arg(ForWhom()))) {
      const TPath qualifications = DriverAnd({QualificationPath(0)});
      SetListValue(Id::PassPlus, qualifications, Code::No);
      SetListValue(Id::AdvancedDriving, qualifications, 0);
    } else {
      SetAnswer(DriverField::QualificationsKwYesNoDlg, true);
    }
  }
  StoreAnswer(DriverField::QualificationsKwYesNoDlg, Id::HasQualifications);
}

void TDriverDetailsPage::QualificationsDialog() {
  if (!ExecuteDrivingQualifications(this, Driver()))
    SetAnswer(DriverField::QualificationsKwYesNoDlg, false);
  const TPath qualifications = DriverAnd({QualificationPath(0)});
  const bool any = GetListValue(Id::PassPlus, qualifications) == Code::Yes ||
                   GetListValue(Id::AdvancedDriving, qualifications) != 0;
  SetListValue(Id::HasQualifications, DriverAnd(), any ? Code::Yes : Code::No);
}

// ---- Claims and convictions -----------------------------------------------------------------

void TDriverDetailsPage::ClaimsChanged() {
  if (!IsYes(Question(DriverField::ClaimsKwYesNoDlg)) && !claims_.IsEmpty()) {
    if (ConfirmRemoval(kRemoveClaims.arg(ForWhom()))) {
      claims_.Clear();
      SaveClaimsAndConvictions();
    } else {
      SetAnswer(DriverField::ClaimsKwYesNoDlg, true);
    }
  }
  StoreAnswer(DriverField::ClaimsKwYesNoDlg, Id::HasClaims);
}

void TDriverDetailsPage::ClaimsDialog() {
  if (!ExecuteDriverClaims(this, Driver(), claims_)) {
    SetAnswer(DriverField::ClaimsKwYesNoDlg, false);
    SetListValue(Id::HasClaims, DriverAnd(), Code::No);
  }
  SaveClaimsAndConvictions();
}

void TDriverDetailsPage::ConvictionsChanged() {
  if (!IsYes(Question(DriverField::ConvictionsKwYesNoDlg)) && !convictions_.IsEmpty()) {
    if (ConfirmRemoval(kRemoveConvictions.arg(ForWhom()))) {
      convictions_.Clear();
      SaveClaimsAndConvictions();
    } else {
      SetAnswer(DriverField::ConvictionsKwYesNoDlg, true);
    }
  }
  StoreAnswer(DriverField::ConvictionsKwYesNoDlg, Id::HasConvictions);
}

void TDriverDetailsPage::ConvictionsDialog() {
  if (!ExecuteDriverConvictions(this, Driver(), claims_, convictions_)) {
    SetAnswer(DriverField::ConvictionsKwYesNoDlg, false);
    SetListValue(Id::HasConvictions, DriverAnd(), Code::No);
  }
  SaveClaimsAndConvictions();
  SetAnswer(DriverField::ConvictionsKwYesNoDlg, !convictions_.IsEmpty());
  StoreAnswer(DriverField::ConvictionsKwYesNoDlg, Id::HasConvictions);
  // A claim entered from a conviction's related-claim dialog is a claim like any other: the
  // claims answer must not say No while claims are stored.
  if (!claims_.IsEmpty() && !IsYes(Question(DriverField::ClaimsKwYesNoDlg))) {
    SetAnswer(DriverField::ClaimsKwYesNoDlg, true);
    StoreAnswer(DriverField::ClaimsKwYesNoDlg, Id::HasClaims);
  }
}

// ---- Medical conditions ---------------------------------------------------------------------

void TDriverDetailsPage::MedicalChanged() {
  if (!IsYes(Question(DriverField::MedicalConditionKwYesNoDlg))) {
    const int count = CountOf(DriverAnd(), ObjectCode::MedicalCondition);
    if (count > 0) {
      if (ConfirmRemoval(kRemoveMedical.arg(ForWhom()))) {
        for (int i = 0; i < count; ++i)
          DeleteObject(DriverAnd({MedicalConditionPath(i)}));
      } else {
        SetAnswer(DriverField::MedicalConditionKwYesNoDlg, true);
      }
    }
  }
  StoreAnswer(DriverField::MedicalConditionKwYesNoDlg, Id::HasMedicalConditions);
}

void TDriverDetailsPage::MedicalDialog() {
  if (ExecuteMedicalConditions(this, Driver()))
    return;
  SetAnswer(DriverField::MedicalConditionKwYesNoDlg, false);
  SetListValue(Id::HasMedicalConditions, DriverAnd(), Code::No);
}

// ---- No-claims bonus (the proposer's) -------------------------------------------------------

void TDriverDetailsPage::BonusChanged() {
  if (IsYes(Question(DriverField::NCBKwYesNoDlg)))
    return;
  if (ConfirmRemoval(kRemoveBonus))
    DeleteObject({VehiclePath(), NCBPath()});
  else
    SetAnswer(DriverField::NCBKwYesNoDlg, true);
}

void TDriverDetailsPage::BonusDialog() {
  if (!ExecuteNCB(this))
    SetAnswer(DriverField::NCBKwYesNoDlg, false);
}

// ---- Other vehicles -------------------------------------------------------------------------

void TDriverDetailsPage::OtherVehiclesChanged() {
  if (IsYes(Question(DriverField::OtherVehiclesKwYesNoDlg)))
    return;
  if (!ConfirmRemoval(kRemoveOtherVehicles.arg(ForWhom()))) {
    SetAnswer(DriverField::OtherVehiclesKwYesNoDlg, true);
    return;
  }
  const TPath driver = DriverAnd();
  for (std::int32_t id :
       {Id::VehiclesOwned, Id::OtherVehicleClaimFreeYears, Id::OtherVehiclesDriven,
        Id::OtherVehiclesDrivenCopy, Id::CompanyCarClaimFreeYears})
    SetNumericValue(id, driver, 0);
  SetListValue(Id::OtherVehicleOwned, driver, Code::OtherVehicleNotStated);
  SetDateValue(Id::OtherVehicleDateCeased, driver, Today());
  // The company car goes too: otherwise the answer would show Yes again at the next load.
  SetListValue(Id::CompanyCarUse, driver, 0);
}

void TDriverDetailsPage::OtherVehiclesDialog() {
  if (!ExecuteOtherVehicles(this, Driver()))
    SetAnswer(DriverField::OtherVehiclesKwYesNoDlg, false);
}
