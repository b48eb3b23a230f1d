#include "capture/driverconvictionsform.h"

#include <QFormLayout>
#include <cmath>

#include "capture/fieldbinder.h"
#include "capture/fieldvalues.h"
#include "capture/relatedclaimform.h"
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

const QString kDetailsCaption = QStringLiteral("Conviction %1 Details");
const QString kFutureDate = QStringLiteral(
    "The selected conviction date is after today.\rPlease check the date of the conviction.");
const QString kNoDescription = QStringLiteral(
    "No description selected for Conviction '%1'%2Do you wish to Remove this Conviction?");
const QString kRemove = QStringLiteral("Remove Conviction %1 - %2");
const QString kRemoveRelation =
    QStringLiteral("No Claim is related to this Conviction.\r\rAre you Sure?");

enum TColumn { kNumberColumn, kCodeColumn, kDateColumn };

}  // namespace

TDriverConvictionsForm::TDriverConvictionsForm(QWidget* owner, int driver, TClaimList& claims,
                                               TConvictionList& convictions)
    : TRecordListDialog(
          owner,
          {.DetailsCaption = kDetailsCaption, .NoDescription = kNoDescription, .Remove = kRemove}),
      driver_(driver),
      claims_(claims),
      convictions_(convictions) {
  setObjectName(QStringLiteral("TDriverConvictionsForm"));
  setWindowTitle(
      driver == 0 ? QStringLiteral("Driving Convictions for the Proposer")
                  : QStringLiteral("Driving Convictions for Additional Driver : %1").arg(driver));
  BuildControls();
  Open(type_, {type_, date_, ban_, points_, fine_, claim_});
  ShowFirstRecord();
}

void TDriverConvictionsForm::BuildControls() {
  QFormLayout* form =
      BuildFrame({.ListName = "ConvictionsPZListView",
                  .Columns = {"No", "Conviction Code", "Date"},
                  .ListHint = "|Contains a list of all the Convictions for the selected driver.",
                  .ListHelp = 120401,
                  .GroupName = "ConvictionDetailsGroupBox",
                  .AddHint = "|Allows you to add another Conviction for this driver.",
                  .AddHelp = 120408,
                  .RemoveHint = "|Removes the current Conviction for this driver.",
                  .RemoveHelp = 120409,
                  .CloseHint = "|Closes the dialog and returns you to the 'Proposer/Driver Page'.",
                  .CloseHelp = 120410});
  type_ = static_cast<TKwComboEdit*>(Binder().AddRow(
      form, {.Name = "TypeKwComboEdit",
             .Kind = TFieldKind::List,
             .Label = "Conviction C&ode",
             .Hint = "|Select the conviction code as recorded on the Driver's licence.",
             .HelpContext = 120402,
             .List = TListSource::Page}));
  date_ = static_cast<TKwDate*>(
      Binder().AddRow(form, {.Name = "ConvictionKwDate",
                             .Kind = TFieldKind::Date,
                             .Label = "&Date of Conviction",
                             .Hint = "|Enter the date this Conviction occurred.",
                             .HelpContext = 120403,
                             .Options = foTodayIsNegative,
                             .Exit = [this] { DateLeft(); }}));
  ban_ = static_cast<TNumericEdit*>(
      Binder().AddRow(form, {.Name = "BanNumericEdit",
                             .Kind = TFieldKind::Number,
                             .Label = "Months &Banned",
                             .Hint = "|Enter the suspension period in months, if any.",
                             .HelpContext = 120404,
                             .Exit = [this] { BanLeft(); }}));
  points_ = static_cast<TNumericEdit*>(Binder().AddRow(
      form, {.Name = "PointsNumericEdit",
             .Kind = TFieldKind::Number,
             .Label = "Penalty &Points",
             .Hint = "|Enter the number of penalty points 'awarded' for this Conviction.",
             .HelpContext = 120405,
             .Exit = [this] { PointsLeft(); }}));
  fine_ = static_cast<TNumericEdit*>(
      Binder().AddRow(form, {.Name = "FineNumericEdit",
                             .Kind = TFieldKind::Number,
                             .Label = "F&ine",
                             .Hint = "|Enter the amount of the fine 'awarded' for this "
                                     "Conviction.",
                             .HelpContext = 120406,
                             .Options = foMoney,
                             .Exit = [this] { FineLeft(); }}));
  claim_ = static_cast<TKwYesNoDlg*>(Binder().AddRow(
      form,
      {.Name = "ClaimKwYesNoDlg",
       .Kind = TFieldKind::YesNo,
       .Label = "Did this conviction r&esult in any accidents losses or claims?",
       .Hint = "|Indicate whether any Accidents, Losses or Claims resulted from this Conviction. ",
       .HelpContext = 120407,
       .Options = foDialogOnYes,
       .Change = [this] { RelatedClaimChanged(); },
       .CallDialog = [this] { RelatedClaimDialog(); }}));
  type_->setMinimumWidth(type_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
  listReady_ = FillWithSelectFirst(type_, ListId::ConvictionCodes);
}

TConvictionRecord* TDriverConvictionsForm::Selected() const {
  const int row = SelectedRow();
  return row >= 0 && row < convictions_.Count() ? &convictions_.At(row) : nullptr;
}

void TDriverConvictionsForm::WriteRow(int row) {
  QTreeWidgetItem* item = list_->topLevelItem(row);
  const TConvictionRecord& conviction = convictions_.At(row);
  item->setText(kNumberColumn, QString::number(row + 1));
  item->setText(kCodeColumn, GetListText(ListId::ConvictionCodes, conviction.Code));
  item->setText(kDateColumn, FormatShortDate(conviction.Date));
}

void TDriverConvictionsForm::ResetDetails() {
  SelectCode(type_, 0);
  ShowDate(date_, Today());
  ban_->SetAsInteger(0);
  points_->SetAsInteger(0);
  fine_->SetAsInteger(0);
  SetYes(claim_, false);
}

void TDriverConvictionsForm::AddRecord() {
  details_->setEnabled(true);
  convictions_.Append().Date = Today();
  ShowNewRow();
}

void TDriverConvictionsForm::ShowRecord(int row) {
  if (row >= convictions_.Count())
    return;
  const TConvictionRecord& conviction = convictions_.At(row);
  SelectCode(type_, conviction.Code);
  ShowDate(date_, conviction.Date);
  ban_->SetAsInteger(conviction.MonthsBanned);
  points_->SetAsInteger(conviction.Points);
  fine_->SetAsDouble(conviction.Fine);
  SetYes(claim_, conviction.RelatedClaim != nullptr);
}

void TDriverConvictionsForm::DateLeft() {
  TConvictionRecord* conviction = Selected();
  if (conviction == nullptr)
    return;
  const QDate date = DateOf(date_);
  if (date.isValid() && date > Today())
    Ask(PromptKind::Warning, PromptButtons::Ok, kFutureDate);
  conviction->Date = date;
  WriteRow(SelectedRow());
}

// A number beyond its bound is refused with its message and leaves the record as it was.
void TDriverConvictionsForm::BanLeft() {
  TConvictionRecord* conviction = Selected();
  if (conviction != nullptr && NumberAcceptable(ban_, Id::MonthsBanned))
    conviction->MonthsBanned = ban_->AsInteger();
}

void TDriverConvictionsForm::PointsLeft() {
  TConvictionRecord* conviction = Selected();
  if (conviction != nullptr && NumberAcceptable(points_, Id::PenaltyPoints))
    conviction->Points = points_->AsInteger();
}

void TDriverConvictionsForm::FineLeft() {
  TConvictionRecord* conviction = Selected();
  if (conviction != nullptr && NumberAcceptable(fine_, Id::ConvictionFine))
    conviction->Fine = std::round(fine_->AsDouble());
}

void TDriverConvictionsForm::StoreKey(int row, std::int32_t code) {
  convictions_.At(row).Code = code;
  WriteRow(row);
}

bool TDriverConvictionsForm::RemoveRecord(int row) {
  convictions_.Remove(row);  // its claim is no longer related to anything
  return true;
}

void TDriverConvictionsForm::RelatedClaimChanged() {
  TConvictionRecord* conviction = Selected();
  if (conviction == nullptr || IsYes(claim_) || conviction->RelatedClaim == nullptr)
    return;
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, kRemoveRelation) == PromptAnswer::Yes)
    Unrelate(*conviction);
  else
    SetYes(claim_, true);
}

void TDriverConvictionsForm::RelatedClaimDialog() {
  TConvictionRecord* conviction = Selected();
  if (conviction == nullptr)
    return;
  ExecuteRelatedClaim(this, *conviction, driver_, claims_);
  // The dialog relates both sides; without a claim the answer goes back to No.
  SetYes(claim_, conviction->RelatedClaim != nullptr);
}

bool ExecuteDriverConvictions(QWidget* owner, int driver, TClaimList& claims,
                              TConvictionList& convictions) {
  TDriverConvictionsForm form(owner, driver, claims, convictions);
  if (!form.ListReady())
    return false;
  return RunCaptureDialog(form) == mrOk;
}
