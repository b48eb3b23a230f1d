#include "capture/ncbform.h"

#include <QFormLayout>

#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"

namespace {

TPath Bonus() {
  return {VehiclePath(), NCBPath()};
}

}  // namespace

TNCBForm::TNCBForm(QWidget* owner) : TCaptureDialog(owner) {
  setObjectName(QStringLiteral("TNCBForm"));
  setWindowTitle(QStringLiteral("No Claims Bonus Dialog"));
  auto* fields = new QWidget(this);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  years_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form, {.Name = "YearsNumericEdit",
             .Kind = TFieldKind::Number,
             .Label = "Number of &years No Claims Bonus claimed",
             .Hint = "|Enter the number of years of claim free motoring for the Proposer.",
             .HelpContext = 120601,
             .PropertyId = Id::BonusYears,
             .Path = Bonus,
             .Write = TWriteRule::OnExit,
             .Options = foTruncated}));  // bonus years are whole years
  auto* type = static_cast<TKwComboEdit*>(Binder().AddRow(
      form, {.Name = "TypeKwComboEdit",
             .Kind = TFieldKind::List,
             .Label = "&Type of vehicle bonus earned on",
             .Hint = "|Select the type of vehicle on which the No Claims Bonus was earned.",
             .HelpContext = 120602,
             .List = TListSource::DataServer,
             .PropertyId = Id::BonusVehicleType,
             .Path = Bonus,
             .Write = TWriteRule::OnExitIfSelected}));
  auto* country = static_cast<TKwComboEdit*>(Binder().AddRow(
      form, {.Name = "CountryKwComboEdit",
             .Kind = TFieldKind::List,
             .Label = "C&ountry where bonus was earned",
             .Hint = "|Select the country in which the Proposer earned the No Claims Bonus. ",
             .HelpContext = 120603,
             .List = TListSource::DataServer,
             .PropertyId = Id::BonusCountry,
             .Path = Bonus,
             .Write = TWriteRule::OnExitIfSelected}));
  auto* expiry = static_cast<TKwDate*>(Binder().AddRow(
      form,
      {.Name = "ExpiryKwDate",
       .Kind = TFieldKind::Date,
       .Label = "&Date policy expired",
       .Hint = "|Enter the expiry date of the policy on which the No Claims Bonus was earned.",
       .HelpContext = 120604,
       .PropertyId = Id::BonusPolicyExpiry,
       .Path = Bonus,
       .Write = TWriteRule::OnExit,
       .Options = foTodayIsNegative}));
  auto* protectedBonus = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form, {.Name = "ProtectedKwYesNoDlg",
             .Kind = TFieldKind::YesNo,
             .Label = "Was the bonus &protected?",
             .Hint = "|Indicate whether the No Claims Bonus being claimed was protected.",
             .HelpContext = 120605,
             .PropertyId = Id::BonusProtected,
             .Path = Bonus,
             .Write = TWriteRule::OnExit}));
  auto* protection = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "ProtectionKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label = "Is protection of the bonus &required?",
       .Hint = "|Indicate whether the No Claims Bonus is to be protected against making a claim.",
       .HelpContext = 120606,
       .PropertyId = Id::BonusProtectionWanted,
       .Path = Bonus,
       .Write = TWriteRule::OnExit}));
  for (TKwComboEdit* list : {type, country})
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
  close_ = LayOutWithClose({fields}, {years_, type, country, expiry, protectedBonus, protection},
                           "|Closes the dialog and returns you to the 'Proposer Page'.", 120607);

  Binder().LoadAll();
}

void TNCBForm::CloseClicked() {
  if (!StoreEditedField(close_))
    return;
  done(years_->AsInteger() > 0 ? mrYes : mrNo);
}

bool ExecuteNCB(QWidget* owner) {
  TNCBForm form(owner);
  return RunCaptureDialog(form) == mrYes;
}
