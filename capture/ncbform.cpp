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
  years_ = AddField<TNumericEdit>(
      form, {"YearsNumericEdit", TFieldKind::Number, "Number of &years No Claims Bonus claimed",
             "|Enter the number of years of claim free motoring for the Proposer.", 120601,
             TListSource::None, Id::BonusYears, Bonus, TWriteRule::OnExit});
  auto* type = AddField<TKwComboEdit>(
      form, {"TypeKwComboEdit", TFieldKind::List, "&Type of vehicle bonus earned on",
             "|Select the type of vehicle on which the No Claims Bonus was earned.", 120602,
             TListSource::DataServer, Id::BonusVehicleType, Bonus, TWriteRule::OnExitIfSelected});
  auto* country = AddField<TKwComboEdit>(
      form, {"CountryKwComboEdit", TFieldKind::List, "C&ountry where bonus was earned",
             "|Select the country in which the Proposer earned the No Claims Bonus. ", 120603,
             TListSource::DataServer, Id::BonusCountry, Bonus, TWriteRule::OnExitIfSelected});
  auto* expiry = AddField<TKwDate>(
      form,
      {"ExpiryKwDate", TFieldKind::Date, "&Date policy expired",
       "|Enter the expiry date of the policy on which the No Claims Bonus was earned.", 120604,
       TListSource::None, Id::BonusPolicyExpiry, Bonus, TWriteRule::OnExit, foTodayIsNegative});
  auto* protectedBonus = AddField<TKwYesNoDlg>(
      form, {"ProtectedKwYesNoDlg", TFieldKind::YesNo, "Was the bonus &protected?",
             "|Indicate whether the No Claims Bonus being claimed was protected.", 120605,
             TListSource::None, Id::BonusProtected, Bonus, TWriteRule::OnExit});
  auto* protection = AddField<TKwYesNoDlg>(
      form, {"ProtectionKwYesNoDlg", TFieldKind::YesNo, "Is protection of the bonus &required?",
             "|Indicate whether the No Claims Bonus is to be protected against making a claim.",
             120606, TListSource::None, Id::BonusProtectionWanted, Bonus, TWriteRule::OnExit});
  for (TKwComboEdit* list : {type, country})
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
  close_ = LayOutWithClose({fields}, {years_, type, country, expiry, protectedBonus, protection},
                           "|Closes the dialog and returns you to the 'Proposer Page'.", 120607);

  Binder().LoadAll();
  // Bonus years are whole years.
  years_->SetAsInteger(static_cast<std::int32_t>(GetNumericValue(Id::BonusYears, Bonus())));
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
