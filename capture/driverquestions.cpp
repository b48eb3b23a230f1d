#include "capture/driverquestions.h"

#include "capture/driverclaimsform.h"
#include "capture/driverconvictionsform.h"
#include "capture/driverfields.h"
#include "capture/drivingqualificationsform.h"
#include "capture/fieldbinder.h"
#include "capture/fieldvalues.h"
#include "capture/medicalconditionsform.h"
#include "capture/ncbform.h"
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

TDriverQuestions::TDriverQuestions(QWidget* page, TFieldBinder& binder, std::function<int()> driver,
                                   bool proposer)
    : page_(page), binder_(binder), driver_(std::move(driver)), proposer_(proposer) {}

TPath TDriverQuestions::DriverAnd(std::initializer_list<TPathEntry> below) const {
  TPath path{DriverPath(Driver())};
  path.insert(path.end(), below.begin(), below.end());
  return path;
}

QString TDriverQuestions::ForWhom() const {
  return proposer_ ? QStringLiteral("the proposer") : QStringLiteral("Driver : %1").arg(Driver());
}

bool TDriverQuestions::Answered(const char* question) const {
  return IsYes(binder_.Field<TKwYesNoDlg>(question));
}

void TDriverQuestions::SetAnswer(const char* question, bool yes) {
  if (auto* control = binder_.Field<TKwYesNoDlg>(question))
    SetYes(control, yes);
}

bool TDriverQuestions::ConfirmRemoval(const QString& text) const {
  return Ask(PromptKind::Confirmation, PromptButtons::YesNo, text) == PromptAnswer::Yes;
}

void TDriverQuestions::SaveClaimsAndConvictions() {
  ::SaveClaimsAndConvictions(Driver(), claims_, convictions_);
}

void TDriverQuestions::Load() {
  LoadClaimsAndConvictions(Driver(), claims_, convictions_);
  SetAnswer(DriverField::OtherOccupationKwYesNoDlg,
            CountOf(DriverAnd(), ObjectCode::Occupation) >= 2);
  if (binder_.Control(DriverField::NCBKwYesNoDlg) != nullptr) {
    const double years = GetNumericValue(Id::BonusYears, {VehiclePath(), NCBPath()});
    SetAnswer(DriverField::NCBKwYesNoDlg, static_cast<int>(years) >= 1);
  }
  const TPath driver = DriverAnd();
  SetAnswer(DriverField::OtherVehiclesKwYesNoDlg,
            static_cast<int>(GetNumericValue(Id::VehiclesOwned, driver)) > 0 ||
                static_cast<int>(GetNumericValue(Id::OtherVehiclesDriven, driver)) > 0 ||
                GetListValue(Id::CompanyCarUse, driver) > 0);
}

// ---- Part-time occupation -------------------------------------------------------------------

void TDriverQuestions::OtherOccupationKwYesNoDlgChange() {
  if (Answered(DriverField::OtherOccupationKwYesNoDlg))
    return;
  if (ConfirmRemoval(kRemovePartTime))
    DeleteObject(DriverAnd({OccupationPath(1)}));
  else
    SetAnswer(DriverField::OtherOccupationKwYesNoDlg, true);
}

void TDriverQuestions::OtherOccupationKwYesNoDlgCallDialog() {
  const TCodedStringList businesses =
      ItemsOf(binder_.Field<TKwComboEdit>(FieldName::BusinessKwComboEdit));
  if (ExecuteOtherOccupation(page_, Driver(), businesses))
    return;
  SetAnswer(DriverField::OtherOccupationKwYesNoDlg, false);
  DeleteObject(DriverAnd({OccupationPath(1)}));
}

// ---- Driving qualifications -----------------------------------------------------------------

void TDriverQuestions::QualificationsKwYesNoDlgChange() {
  if (Answered(DriverField::QualificationsKwYesNoDlg))
    return;
  // Asked even when nothing was entered.
  if (ConfirmRemoval(kRemoveQualifications.arg(ForWhom()))) {
    const TPath qualifications = DriverAnd({QualificationPath(0)});
    SetListValue(Id::PassPlus, qualifications, Code::No);
    SetListValue(Id::AdvancedDriving, qualifications, 0);
  } else {
    SetAnswer(DriverField::QualificationsKwYesNoDlg, true);
  }
}

void TDriverQuestions::QualificationsKwYesNoDlgCallDialog() {
  if (!ExecuteDrivingQualifications(page_, Driver()))
    SetAnswer(DriverField::QualificationsKwYesNoDlg, false);
  // The stored answer says whether any qualification is stored, whatever the dialog's outcome.
  const TPath qualifications = DriverAnd({QualificationPath(0)});
  const bool any = GetListValue(Id::PassPlus, qualifications) == Code::Yes ||
                   GetListValue(Id::AdvancedDriving, qualifications) != 0;
  binder_.StoreCode(DriverField::QualificationsKwYesNoDlg, any ? Code::Yes : Code::No);
}

// ---- Claims and convictions -----------------------------------------------------------------

void TDriverQuestions::ClaimsKwYesNoDlgChange() {
  if (Answered(DriverField::ClaimsKwYesNoDlg) || claims_.IsEmpty())
    return;
  if (ConfirmRemoval(kRemoveClaims.arg(ForWhom()))) {
    claims_.Clear();
    SaveClaimsAndConvictions();
  } else {
    SetAnswer(DriverField::ClaimsKwYesNoDlg, true);
  }
}

void TDriverQuestions::ClaimsKwYesNoDlgCallDialog() {
  if (!ExecuteDriverClaims(page_, Driver(), claims_)) {
    SetAnswer(DriverField::ClaimsKwYesNoDlg, false);
    binder_.Store(DriverField::ClaimsKwYesNoDlg);
  }
  SaveClaimsAndConvictions();
}

void TDriverQuestions::ConvictionsKwYesNoDlgChange() {
  if (Answered(DriverField::ConvictionsKwYesNoDlg) || convictions_.IsEmpty())
    return;
  if (ConfirmRemoval(kRemoveConvictions.arg(ForWhom()))) {
    convictions_.Clear();
    SaveClaimsAndConvictions();
  } else {
    SetAnswer(DriverField::ConvictionsKwYesNoDlg, true);
  }
}

void TDriverQuestions::ConvictionsKwYesNoDlgCallDialog() {
  if (!ExecuteDriverConvictions(page_, Driver(), claims_, convictions_)) {
    SetAnswer(DriverField::ConvictionsKwYesNoDlg, false);
    binder_.Store(DriverField::ConvictionsKwYesNoDlg);
  }
  SaveClaimsAndConvictions();
  SetAnswer(DriverField::ConvictionsKwYesNoDlg, !convictions_.IsEmpty());
  binder_.Store(DriverField::ConvictionsKwYesNoDlg);
  // A claim entered from a conviction's related-claim dialog is a claim like any other: the
  // claims answer must not say No while claims are stored.
  if (!claims_.IsEmpty() && !Answered(DriverField::ClaimsKwYesNoDlg)) {
    SetAnswer(DriverField::ClaimsKwYesNoDlg, true);
    binder_.Store(DriverField::ClaimsKwYesNoDlg);
  }
}

// ---- Medical conditions ---------------------------------------------------------------------

void TDriverQuestions::MedicalConditionKwYesNoDlgChange() {
  if (Answered(DriverField::MedicalConditionKwYesNoDlg))
    return;
  const int count = CountOf(DriverAnd(), ObjectCode::MedicalCondition);
  if (count == 0)
    return;
  if (ConfirmRemoval(kRemoveMedical.arg(ForWhom()))) {
    for (int i = 0; i < count; ++i)
      DeleteObject(DriverAnd({MedicalConditionPath(i)}));
  } else {
    SetAnswer(DriverField::MedicalConditionKwYesNoDlg, true);
  }
}

void TDriverQuestions::MedicalConditionKwYesNoDlgCallDialog() {
  if (ExecuteMedicalConditions(page_, Driver()))
    return;
  SetAnswer(DriverField::MedicalConditionKwYesNoDlg, false);
  binder_.Store(DriverField::MedicalConditionKwYesNoDlg);
}

// ---- No-claims bonus (the proposer's) -------------------------------------------------------

void TDriverQuestions::NCBKwYesNoDlgChange() {
  if (Answered(DriverField::NCBKwYesNoDlg))
    return;
  if (ConfirmRemoval(kRemoveBonus))
    DeleteObject({VehiclePath(), NCBPath()});
  else
    SetAnswer(DriverField::NCBKwYesNoDlg, true);
}

void TDriverQuestions::NCBKwYesNoDlgCallDialog() {
  if (!ExecuteNCB(page_))
    SetAnswer(DriverField::NCBKwYesNoDlg, false);
}

// ---- Other vehicles -------------------------------------------------------------------------

void TDriverQuestions::OtherVehiclesKwYesNoDlgChange() {
  if (Answered(DriverField::OtherVehiclesKwYesNoDlg))
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

void TDriverQuestions::OtherVehiclesKwYesNoDlgCallDialog() {
  if (!ExecuteOtherVehicles(page_, Driver()))
    SetAnswer(DriverField::OtherVehiclesKwYesNoDlg, false);
}
