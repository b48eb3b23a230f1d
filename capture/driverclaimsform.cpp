#include "capture/driverclaimsform.h"

#include <QFormLayout>

#include "capture/fieldbinder.h"
#include "capture/fieldvalues.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/today.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"

namespace {

const QString kDetailsCaption = QStringLiteral("Accident/Claim %1 Details");
const QString kRelatedText = QStringLiteral("Claim is related to %1 Conviction on %2");
const QString kFutureDate =
    QStringLiteral("The selected claim date is after today.\rPlease check the date of the claim.");
const QString kNoDescription = QStringLiteral(
    "No description selected for Accident/Claim '%1'%2Do you wish to Remove this Accident/Claim?");
const QString kRemove = QStringLiteral("Remove Accident/Claim %1 - %2");

enum TColumn { kNumberColumn, kTypeColumn, kDateColumn };

}  // namespace

TDriverClaimsForm::TDriverClaimsForm(QWidget* owner, int driver, TClaimList& claims)
    : TRecordListDialog(
          owner,
          {.DetailsCaption = kDetailsCaption, .NoDescription = kNoDescription, .Remove = kRemove}),
      claims_(claims) {
  setObjectName(QStringLiteral("TDriverClaimsForm"));
  setWindowTitle(
      driver == 0
          ? QStringLiteral("Accidents, Losses & Claims for the Proposer")
          : QStringLiteral("Accidents, Losses & Claims for Additional Driver : %1").arg(driver));
  BuildControls();
  Open(type_, {type_, date_, cost_, fault_, injury_});
  ShowFirstRecord();
}

void TDriverClaimsForm::BuildControls() {
  QFormLayout* form =
      BuildFrame({.ListName = "ClaimsPZListView",
                  .Columns = {"No", "Type", "Date"},
                  .ListHint = "|Contains a list of all the Claims for the selected driver.  ",
                  .ListHelp = 120301,
                  .GroupName = "ClaimDetailsGroupBox",
                  .AddHint = "|Allows you to add another Claim for this Driver/Proposer. ",
                  .AddHelp = 120307,
                  .RemoveHint = "|Removes the current Claim for this Driver/Proposer.",
                  .RemoveHelp = 120308,
                  .CloseHint = "|Closes the dialog and returns you to the 'Proposer/Driver Page'.",
                  .CloseHelp = 120309});
  type_ = static_cast<TKwComboEdit*>(Binder().AddRow(form, {.Name = "TypeKwComboEdit",
                                                            .Kind = TFieldKind::List,
                                                            .Label = "Claim &Type",
                                                            .Hint = "|Select the type of Claim.",
                                                            .HelpContext = 120302,
                                                            .List = TListSource::Page}));
  date_ =
      static_cast<TKwDate*>(Binder().AddRow(form, {.Name = "IncidentKwDate",
                                                   .Kind = TFieldKind::Date,
                                                   .Label = "&Date Claim Made",
                                                   .Hint = "|Enter the date the Claim was made.",
                                                   .HelpContext = 120303,
                                                   .Options = foTodayIsNegative,
                                                   .Exit = [this] { DateLeft(); }}));
  cost_ = static_cast<TNumericEdit*>(
      Binder().AddRow(form, {.Name = "CostNumericEdit",
                             .Kind = TFieldKind::Number,
                             .Label = "Total C&ost of Claim",
                             .Hint = "|Enter the total cost of the Claim in pounds.",
                             .HelpContext = 120304,
                             .Options = foMoney,
                             .Exit = [this] { CostLeft(); }}));
  fault_ = static_cast<TKwYesNoDlg*>(
      Binder().AddRow(form, {.Name = "FaultKwYesNoDlg",
                             .Kind = TFieldKind::YesNo,
                             .Label = "Was the Driver at &Fault?",
                             .Hint = "|Indicate whether the Driver was at fault for the Claim.",
                             .HelpContext = 120305,
                             .Exit = [this] { FaultLeft(); }}));
  injury_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "InjuryKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label = "Did any Personal &Injury Result?",
       .Hint = "|Indicate whether a personal Injury was sustained by any party as a result of the "
               "Claim.",
       .HelpContext = 120306,
       .Exit = [this] { InjuryLeft(); }}));
  conviction_ = new QLabel(QStringLiteral("Related to Conviction..."), details_);
  conviction_->setObjectName(QStringLiteral("ConvictionLabel"));
  form->addRow(conviction_);
  type_->setMinimumWidth(type_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
  listReady_ = FillWithSelectFirst(type_, ListId::ClaimTypes);
}

TClaimRecord* TDriverClaimsForm::Selected() const {
  const int row = SelectedRow();
  return row >= 0 && row < claims_.Count() ? &claims_.At(row) : nullptr;
}

void TDriverClaimsForm::WriteRow(int row) {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  const TClaimRecord& claim = claims_.At(row);
  item->setText(kNumberColumn, QString::number(row + 1));
  item->setText(kTypeColumn, GetListText(ListId::ClaimTypes, claim.Type));
  item->setText(kDateColumn, FormatShortDate(claim.Date));
}

void TDriverClaimsForm::ResetDetails() {
  SelectCode(type_, 0);
  ShowDate(date_, Today());
  cost_->SetAsInteger(0);
  SetYes(fault_, true);
  SetYes(injury_, false);
  conviction_->clear();
}

void TDriverClaimsForm::AddRecord() {
  details_->setEnabled(true);
  claims_.Append().Date = Today();
  ShowNewRow();
}

void TDriverClaimsForm::ShowRecord(int row) {
  if (row >= claims_.Count())
    return;
  const TClaimRecord& claim = claims_.At(row);
  SelectCode(type_, claim.Type);
  ShowDate(date_, claim.Date);
  cost_->SetAsDouble(claim.Cost);
  SetYes(fault_, claim.AtFault == QLatin1String("Y"));
  SetYes(injury_, claim.Injury == QLatin1String("Y"));
  if (const TConvictionRecord* conviction = claim.RelatedConviction) {
    conviction_->setText(kRelatedText.arg(GetListText(ListId::ConvictionCodes, conviction->Code),
                                          FormatShortDate(conviction->Date)));
  } else {
    conviction_->clear();
  }
}

void TDriverClaimsForm::DateLeft() {
  TClaimRecord* claim = Selected();
  if (claim == nullptr)
    return;
  const QDate date = DateOf(date_);
  if (date.isValid() && date > Today())
    Ask(PromptKind::Warning, PromptButtons::Ok, kFutureDate);
  claim->Date = date;
}

void TDriverClaimsForm::CostLeft() {
  TClaimRecord* claim = Selected();
  if (claim != nullptr && NumberAcceptable(cost_, Id::ClaimCost))
    claim->Cost = cost_->AsDouble();
}

void TDriverClaimsForm::FaultLeft() {
  if (TClaimRecord* claim = Selected())
    claim->AtFault = IsYes(fault_) ? QStringLiteral("Y") : QStringLiteral("N");
}

void TDriverClaimsForm::InjuryLeft() {
  if (TClaimRecord* claim = Selected())
    claim->Injury = IsYes(injury_) ? QStringLiteral("Y") : QStringLiteral("N");
}

void TDriverClaimsForm::StoreKey(int row, std::int32_t code) {
  claims_.At(row).Type = code;
  WriteRow(row);
}

bool TDriverClaimsForm::RemoveRecord(int row) {
  claims_.Remove(row);  // its conviction is no longer related to anything
  return true;
}

void TDriverClaimsForm::ListViewClick() {
  ClaimsPZListViewClick();
}

void TDriverClaimsForm::ClaimsPZListViewClick() {
  ShowRow(true);
}

bool ExecuteDriverClaims(QWidget* owner, int driver, TClaimList& claims) {
  TDriverClaimsForm form(owner, driver, claims);
  if (!form.ListReady())
    return false;
  return RunCaptureDialog(form) == mrOk;
}
