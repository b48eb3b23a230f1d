#include "capture/driverconvictionsform.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
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
    : TCaptureDialog(owner), driver_(driver), claims_(claims), convictions_(convictions) {
  setObjectName(QStringLiteral("TDriverConvictionsForm"));
  setWindowTitle(
      driver == 0 ? QStringLiteral("Driving Convictions for the Proposer")
                  : QStringLiteral("Driving Convictions for Additional Driver : %1").arg(driver));
  BuildControls();
  if (!listReady_)
    return;
  RefreshList();
  if (convictions_.IsEmpty())
    AddConviction();
  list_->setCurrentItem(list_->topLevelItem(0));
  ShowRow(true);
}

void TDriverConvictionsForm::BuildControls() {
  list_ = MakeListView("ConvictionsPZListView", {"No", "Conviction Code", "Date"},
                       "|Contains a list of all the Convictions for the selected driver.", 120401);
  details_ = new QGroupBox(this);
  details_->setObjectName(QStringLiteral("ConvictionDetailsGroupBox"));
  auto* form = new QFormLayout(details_);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* binder = new TFieldBinder(details_);
  auto add = [&](const TFieldRow& row) {
    QWidget* control = binder->Create(row);
    form->addRow(binder->Label(row.Name), control);
    return control;
  };
  type_ = static_cast<TKwComboEdit*>(
      add({"TypeKwComboEdit", TFieldKind::List, "Conviction C&ode",
           "|Select the conviction code as recorded on the Driver's licence.", 120402,
           TListSource::Page}));
  date_ = static_cast<TKwDate*>(add({"ConvictionKwDate",
                                     TFieldKind::Date,
                                     "&Date of Conviction",
                                     "|Enter the date this Conviction occurred.",
                                     120403,
                                     TListSource::None,
                                     0,
                                     {},
                                     TWriteRule::None,
                                     foTodayIsNegative}));
  ban_ =
      static_cast<TNumericEdit*>(add({"BanNumericEdit", TFieldKind::Number, "Months &Banned",
                                      "|Enter the suspension period in months, if any.", 120404}));
  points_ = static_cast<TNumericEdit*>(
      add({"PointsNumericEdit", TFieldKind::Number, "Penalty &Points",
           "|Enter the number of penalty points 'awarded' for this Conviction.", 120405}));
  fine_ = static_cast<TNumericEdit*>(add({"FineNumericEdit",
                                          TFieldKind::Number,
                                          "F&ine",
                                          "|Enter the amount of the fine 'awarded' for this "
                                          "Conviction.",
                                          120406,
                                          TListSource::None,
                                          0,
                                          {},
                                          TWriteRule::None,
                                          foMoney}));
  claim_ = static_cast<TKwYesNoDlg*>(
      add({"ClaimKwYesNoDlg",
           TFieldKind::YesNo,
           "Did this conviction r&esult in any accidents losses or claims?",
           "|Indicate whether any Accidents, Losses or Claims resulted from this Conviction. ",
           120407,
           TListSource::None,
           0,
           {},
           TWriteRule::None,
           foDialogOnYes}));
  type_->setMinimumWidth(type_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
  listReady_ = FillWithSelectFirst(type_, ListId::ConvictionCodes);

  add_ = MakeButton("AddBitBtn", "&Add", "|Allows you to add another Conviction for this driver.",
                    120408);
  remove_ = MakeButton("RemoveBitBtn", "&Remove",
                       "|Removes the current Conviction for this driver.", 120409);
  close_ = MakeButton("CloseBitBtn", "&Close",
                      "|Closes the dialog and returns you to the 'Proposer/Driver Page'.", 120410);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {add_, remove_, close_})
    buttons->addWidget(button);
  auto* column = new QVBoxLayout(this);
  column->addWidget(list_, 1);
  column->addWidget(details_);
  column->addLayout(buttons);
  const QList<QWidget*> order{list_, type_,  date_, ban_,    points_,
                              fine_, claim_, add_,  remove_, close_};
  for (int i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);

  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { ShowRow(false); });
  connect(list_, &QTreeWidget::itemClicked, this, [this] { ShowRow(true); });
  connect(type_, &TKwComboEdit::exited, this, &TDriverConvictionsForm::TypeLeft);
  connect(date_, &TKwDate::exited, this, &TDriverConvictionsForm::DateLeft);
  connect(ban_, &TNumericEdit::exited, this, [this] {
    if (TConvictionRecord* conviction = Selected())
      conviction->MonthsBanned = ban_->AsInteger();
  });
  connect(points_, &TNumericEdit::exited, this, [this] {
    if (TConvictionRecord* conviction = Selected())
      conviction->Points = points_->AsInteger();
  });
  connect(fine_, &TNumericEdit::exited, this, [this] {
    if (TConvictionRecord* conviction = Selected())
      conviction->Fine = std::round(fine_->AsDouble());
  });
  connect(claim_, &TKwYesNoDlg::changed, this, &TDriverConvictionsForm::RelatedClaimChanged);
  connect(claim_, &TKwYesNoDlg::callDialog, this, &TDriverConvictionsForm::RelatedClaimDialog);
  connect(add_, &QPushButton::clicked, this, &TDriverConvictionsForm::AddConviction);
  connect(remove_, &QPushButton::clicked, this, &TDriverConvictionsForm::RemoveClicked);
  connect(close_, &QPushButton::clicked, this, &TDriverConvictionsForm::CloseClicked);
}

int TDriverConvictionsForm::SelectedRow() const {
  QTreeWidgetItem* item = list_->currentItem();
  return item == nullptr ? -1 : list_->indexOfTopLevelItem(item);
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

void TDriverConvictionsForm::RefreshList() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (int row = 0; row < convictions_.Count(); ++row) {
    new QTreeWidgetItem(list_);
    WriteRow(row);
  }
  details_->setEnabled(convictions_.Count() > 0);
  if (convictions_.IsEmpty())
    ResetDetails();
}

void TDriverConvictionsForm::AddConviction() {
  details_->setEnabled(true);
  TConvictionRecord& conviction = convictions_.Append();
  conviction.Date = Today();
  auto* item = new QTreeWidgetItem(list_);
  WriteRow(convictions_.Count() - 1);
  list_->setCurrentItem(item);
  ShowRow(true);
}

void TDriverConvictionsForm::ShowRow(bool focusType) {
  const TConvictionRecord* conviction = Selected();
  if (conviction == nullptr)
    return;
  details_->setTitle(kDetailsCaption.arg(SelectedRow() + 1));
  SelectCode(type_, conviction->Code);
  ShowDate(date_, conviction->Date);
  ban_->SetAsInteger(conviction->MonthsBanned);
  points_->SetAsInteger(conviction->Points);
  fine_->SetAsDouble(conviction->Fine);
  SetYes(claim_, conviction->RelatedClaim != nullptr);
  if (focusType)
    type_->setFocus(Qt::OtherFocusReason);
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

void TDriverConvictionsForm::TypeLeft() {
  TConvictionRecord* conviction = Selected();
  if (conviction == nullptr)
    return;
  if (type_->ItemIndex() < 0)
    SelectCode(type_, 0);  // an empty code is no code chosen
  const std::int32_t code = SelectedCode(type_);
  const int row = SelectedRow();
  QWidget* taking = QApplication::focusWidget();
  if (code != 0 || taking == remove_) {
    conviction->Code = code;
    WriteRow(row);
    return;
  }
  if (!closing_ && taking != close_) {
    const QString question = kNoDescription.arg(row + 1).arg(QStringLiteral("\r"));
    if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, question) != PromptAnswer::Yes) {
      type_->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  RemoveConviction(row, false);
}

void TDriverConvictionsForm::RemoveConviction(int row, bool focusType) {
  if (row < 0 || row >= convictions_.Count())
    return;
  convictions_.Remove(row);  // its claim is no longer related to anything
  RefreshList();
  if (convictions_.IsEmpty())
    return;
  list_->setCurrentItem(list_->topLevelItem(qMin(row, convictions_.Count() - 1)));
  ShowRow(focusType);
}

void TDriverConvictionsForm::RemoveClicked() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  const QString question = kRemove.arg(row + 1).arg(type_->Text());
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, question) == PromptAnswer::Yes)
    RemoveConviction(row, true);
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

void TDriverConvictionsForm::CloseClicked() {
  closing_ = true;
  const bool left = LeaveFieldFor(close_);
  closing_ = false;
  if (left)
    done(convictions_.IsEmpty() ? mrCancel : mrOk);
}

bool ExecuteDriverConvictions(QWidget* owner, int driver, TClaimList& claims,
                              TConvictionList& convictions) {
  TDriverConvictionsForm form(owner, driver, claims, convictions);
  if (!form.ListReady())
    return false;
  return RunCaptureDialog(form) == mrOk;
}
