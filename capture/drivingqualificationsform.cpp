#include "capture/drivingqualificationsform.h"

#include <QFormLayout>

#include "capture/fieldvalues.h"
#include "controls/kwyesnodlg.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"

namespace {

// The advanced-driving value holds two answers: 1 for the Institute of Advanced Motoring, 2 for
// the ROSPA course, 3 for both.
constexpr std::int32_t kAdvanced = 1;
constexpr std::int32_t kDefensive = 2;
constexpr std::int32_t kBoth = kAdvanced + kDefensive;

}  // namespace

TDrivingQualificationsForm::TDrivingQualificationsForm(QWidget* owner, int driver)
    : TCaptureDialog(owner), driver_(driver) {
  setObjectName(QStringLiteral("TDrivingQualificationsForm"));
  setWindowTitle(
      driver == 0
          ? QStringLiteral("Driving Qualifications for the Proposer")
          : QStringLiteral("Driving Qualifications for Additional Driver : %1").arg(driver));
  auto* fields = new QWidget(this);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  passPlus_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form, {.Name = "PassPlusKwYesNoDlg",
             .Kind = TFieldKind::YesNo,
             .Label = "Does this driver hold a '&Pass Plus' qualification?",
             .Hint = "|Indicate whether the Driver holds a \"Pass Plus\" qualification.",
             .HelpContext = 120201,
             .PropertyId = Id::PassPlus,
             .Path = [this] { return Qualifications(); },
             .Write = TWriteRule::OnChange}));
  advanced_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "AdvancedKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label = "Is this driver a member of the '&Institute of Advanced Motoring'?",
       .Hint = "|Indicate whether the driver is a member of the 'Iinstitute of Advanced Motoring'.",
       .HelpContext = 120202,
       .Change = [this] { AdvancedKwYesNoDlgChange(); }}));
  defensive_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "DefensiveKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label = "Has this driver completed the 'ROSPA &Defensive Driving Course'?",
       .Hint = "|Indicate whether the driver has completed the 'ROSPA Defensive Driving Course'. ",
       .HelpContext = 120203,
       .Change = [this] { AdvancedKwYesNoDlgChange(); }}));
  close_ = LayOutWithClose({fields}, {passPlus_, advanced_, defensive_},
                           "|Closes the dialog and returns you to the \"Proposer/Driver Page\".",
                           120204);

  Binder().LoadAll();
  const std::int32_t advanced = GetListValue(Id::AdvancedDriving, Qualifications());
  SetYes(advanced_, advanced == kAdvanced || advanced == kBoth);
  SetYes(defensive_, advanced == kDefensive || advanced == kBoth);
}

TPath TDrivingQualificationsForm::Qualifications() const {
  return {DriverPath(driver_), QualificationPath(0)};
}

void TDrivingQualificationsForm::AdvancedKwYesNoDlgChange() {
  // 0 (neither) clears the stored value.
  const std::int32_t value =
      (IsYes(advanced_) ? kAdvanced : 0) + (IsYes(defensive_) ? kDefensive : 0);
  SetListValue(Id::AdvancedDriving, Qualifications(), value);
}

void TDrivingQualificationsForm::CloseClicked() {
  if (!StoreEditedField(close_))
    return;
  done(IsYes(passPlus_) || IsYes(advanced_) || IsYes(defensive_) ? mrYes : mrNo);
}

bool ExecuteDrivingQualifications(QWidget* owner, int driver) {
  TDrivingQualificationsForm form(owner, driver);
  return RunCaptureDialog(form) == mrYes;
}
