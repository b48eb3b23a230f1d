#include "capture/othervehiclesform.h"

#include <QFormLayout>

#include "capture/fieldbinder.h"
#include "capture/fieldvalues.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

const QString kRemoveCompanyCar = QStringLiteral("Remove Company Car details for %1");

}  // namespace

TOtherVehiclesForm::TOtherVehiclesForm(QWidget* owner, int driver)
    : TCaptureDialog(owner), driver_(driver) {
  setObjectName(QStringLiteral("TOtherVehiclesForm"));
  setWindowTitle(driver == 0
                     ? QStringLiteral("Other Vehicles Owned or Used by the Proposer")
                     : QStringLiteral("Other Vehicles Owned or Used by driver : %1").arg(driver));
  auto* fields = new QWidget(this);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  // The numbers load through their rows and are stored through them at Close only.
  const TPathProvider driverPath = [driver] { return TPath{DriverPath(driver)}; };
  owned_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form,
      {.Name = "VehiclesOwnedNumericEdit",
       .Kind = TFieldKind::Number,
       .Label = "Number of other Vehicles &owned by this Driver",
       .Hint =
           "|Enter the number of vehicles, excluding the vehicle being insured, that this Driver "
           "owns.",
       .HelpContext = 120701,
       .PropertyId = Id::VehiclesOwned,
       .Path = driverPath,
       .Options = foTruncated,
       .Exit = [this] { Acceptable(owned_); }}));
  claimFree_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form, {.Name = "OtherNCDNumericEdit",
             .Kind = TFieldKind::Number,
             .Label = "Number of years Claim &Free on ALL other owned Vehicles",
             .Hint = "|Enter the number of years where no claim has been made against any insurer.",
             .HelpContext = 120702,
             .PropertyId = Id::OtherVehicleClaimFreeYears,
             .Path = driverPath,
             .Options = foTruncated,
             .Exit = [this] { Acceptable(claimFree_); }}));
  driven_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form,
      {.Name = "OtherDrivenNumericEdit",
       .Kind = TFieldKind::Number,
       .Label = "Number of other Vehicles this Driver has &use of (not owned)",
       .Hint = "|Enter the number of other vehicles that this Driver has the use of, but does not "
               "own.",
       .HelpContext = 120703,
       .PropertyId = Id::OtherVehiclesDriven,
       .Path = driverPath,
       .Options = foTruncated,
       .Exit = [this] { Acceptable(driven_); }}));
  companyCarAnswer_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form, {.Name = "CompanyCarKwYesNoDlg",
             .Kind = TFieldKind::YesNo,
             .Label = "Has this Driver had the use of a Compan&y Car?",
             .Hint = "|Indicate whether the Driver has ever had the use of a  Company Car.",
             .HelpContext = 120704,
             .Options = foDialogOnYes,
             .Change = [this] { CompanyCarChanged(); },
             .CallDialog = [this] { CompanyCarDialog(); }}));
  close_ =
      LayOutWithClose({fields}, {owned_, claimFree_, driven_, companyCarAnswer_},
                      "|Closes the dialog and returns you to the 'Proposer/Driver Page'.", 120705);

  Binder().LoadAll();
  const TPath path{DriverPath(driver)};
  companyCar_.Use = GetListValue(Id::CompanyCarUse, path);
  companyCar_.ClaimFreeYears = GetNumericValue(Id::CompanyCarClaimFreeYears, path);
  companyCar_.Ceased = GetDateValue(Id::OtherVehicleDateCeased, path);
  SetYes(companyCarAnswer_, companyCar_.Use != 0);
}

void TOtherVehiclesForm::CompanyCarChanged() {
  if (IsYes(companyCarAnswer_))
    return;
  const QString whom =
      driver_ == 0 ? QStringLiteral("the Proposer") : QStringLiteral("driver : %1").arg(driver_);
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, kRemoveCompanyCar.arg(whom)) ==
      PromptAnswer::Yes)
    companyCar_ = TCompanyCar{};
  else
    SetYes(companyCarAnswer_, true);
}

void TOtherVehiclesForm::CompanyCarDialog() {
  if (!ExecuteCompanyCar(this, companyCar_))
    SetYes(companyCarAnswer_, false);
}

bool TOtherVehiclesForm::Acceptable(TNumericEdit* field) const {
  const std::int32_t id = field == owned_       ? Id::VehiclesOwned
                          : field == claimFree_ ? Id::OtherVehicleClaimFreeYears
                                                : Id::OtherVehiclesDriven;
  return NumberAcceptable(field, id);
}

void TOtherVehiclesForm::CloseClicked() {
  if (!StoreEditedField(close_))
    return;
  // The answers are written from the fields: one still holding a refused number keeps the
  // dialog open.
  for (TNumericEdit* field : {owned_, claimFree_, driven_}) {
    if (!Acceptable(field))
      return;
  }
  for (const char* number :
       {"VehiclesOwnedNumericEdit", "OtherNCDNumericEdit", "OtherDrivenNumericEdit"})
    Binder().Store(number);
  // What follows the answers: whether any vehicle is owned, the engine's copy of the vehicles
  // driven, and the company car the dialog behind the answer keeps.
  const TPath path{DriverPath(driver_)};
  const std::int32_t owned = owned_->AsInteger();
  SetListValue(Id::OtherVehicleOwned, path,
               owned > 0 ? Code::OwnsOtherVehicle : Code::OwnsNoOtherVehicle);
  SetNumericValue(Id::OtherVehiclesDrivenCopy, path, driven_->AsInteger());
  SetListValue(Id::CompanyCarUse, path, companyCar_.Use);
  SetNumericValue(Id::CompanyCarClaimFreeYears, path, companyCar_.ClaimFreeYears);
  SetDateValue(Id::OtherVehicleDateCeased, path, companyCar_.Ceased);
  const bool any = owned != 0 || claimFree_->AsInteger() != 0 || driven_->AsInteger() != 0 ||
                   companyCar_.Use != 0;
  done(any ? mrYes : mrNo);
}

bool ExecuteOtherVehicles(QWidget* owner, int driver) {
  TOtherVehiclesForm form(owner, driver);
  return RunCaptureDialog(form) == mrYes;
}
