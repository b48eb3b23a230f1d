#include "capture/companycarform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "capture/fieldbinder.h"
#include "capture/fieldvalues.h"
#include "controls/fieldhelp.h"
#include "controls/kwdate.h"
#include "controls/numericedit.h"
#include "motor/identifiers.h"

namespace {

constexpr std::int32_t kBusinessOnly = 1;
constexpr std::int32_t kBusinessAndPrivate = 2;

}  // namespace

TCompanyCarForm::TCompanyCarForm(QWidget* owner) : TCaptureDialog(owner) {
  setObjectName(QStringLiteral("TCompanyCarForm"));
  setWindowTitle(QStringLiteral("Company Car"));
  auto* usage = new QGroupBox(QStringLiteral("Use of Company Car"), this);
  usage->setObjectName(QStringLiteral("UsageRadioGroup"));
  SetFieldHint(usage, QStringLiteral("|Indicate the usage of the Company Car."));
  SetHelpContext(usage, 120801);
  auto* columns = new QHBoxLayout(usage);
  businessOnly_ = new QRadioButton(QStringLiteral("&Business Purposes Only"), usage);
  businessAndPrivate_ = new QRadioButton(QStringLiteral("Business and &Private Use"), usage);
  for (QRadioButton* item : {businessOnly_, businessAndPrivate_}) {
    SetFieldHint(item, QStringLiteral("|Indicate the usage of the Company Car."));
    SetHelpContext(item, 120801);
    columns->addWidget(item);
  }
  businessOnly_->setChecked(true);

  auto* fields = new QWidget(this);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  years_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form, {.Name = "NCDNumericEdit",
             .Kind = TFieldKind::Number,
             .Label = "Number of years Claim &Free whilst driving Company Car",
             .Hint = "|Enter the number of years claim free for the Company Car.",
             .HelpContext = 120802,
             // The record keeps the years: the field only checks them.
             .Exit = [this] { NumberAcceptable(years_, Id::CompanyCarClaimFreeYears); }}));
  ceased_ = static_cast<TKwDate*>(Binder().AddRow(
      form, {.Name = "CeasedKwDate",
             .Kind = TFieldKind::Date,
             .Label = "&Date use of Company Car ceased",
             .Hint = "|Enter the date that this Driver stopped using the Company Car.",
             .HelpContext = 120803}));
  close_ = LayOutWithClose({usage, fields}, {businessOnly_, businessAndPrivate_, years_, ceased_},
                           "|Closes the dialog and returns you to the 'Driver Page'.", 120804);
}

void TCompanyCarForm::Show(const TCompanyCar& car) {
  if (car.Use == kBusinessOnly)
    businessOnly_->setChecked(true);
  else if (car.Use == kBusinessAndPrivate)
    businessAndPrivate_->setChecked(true);
  years_->SetAsDouble(car.ClaimFreeYears);
  ShowDate(ceased_, car.Ceased);
}

void TCompanyCarForm::ReadBack(TCompanyCar& car) const {
  if (businessOnly_->isChecked())
    car.Use = kBusinessOnly;
  else if (businessAndPrivate_->isChecked())
    car.Use = kBusinessAndPrivate;
  car.ClaimFreeYears = years_->AsDouble();
  car.Ceased = DateOf(ceased_);
}

void TCompanyCarForm::CloseClicked() {
  // The years are read back from the field: a refused number keeps the dialog open.
  if (StoreEditedField(close_) && NumberAcceptable(years_, Id::CompanyCarClaimFreeYears))
    done(mrOk);
}

bool ExecuteCompanyCar(QWidget* owner, TCompanyCar& car) {
  TCompanyCarForm form(owner);
  form.Show(car);
  RunCaptureDialog(form);
  form.ReadBack(car);
  return car.Use == kBusinessOnly || car.Use == kBusinessAndPrivate;
}
