#include "capture/driverclaimsform.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

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
    : TCaptureDialog(owner), claims_(claims) {
  setObjectName(QStringLiteral("TDriverClaimsForm"));
  setWindowTitle(
      driver == 0
          ? QStringLiteral("Accidents, Losses & Claims for the Proposer")
          : QStringLiteral("Accidents, Losses & Claims for Additional Driver : %1").arg(driver));
  BuildControls();
  if (!listReady_)
    return;
  RefreshList();
  if (claims_.IsEmpty())
    AddClaim();
  list_->setCurrentItem(list_->topLevelItem(0));
  ShowRow(true);
}

void TDriverClaimsForm::BuildControls() {
  list_ = MakeListView("ClaimsPZListView", {"No", "Type", "Date"},
                       "|Contains a list of all the Claims for the selected driver.  ", 120301);
  details_ = new QGroupBox(this);
  details_->setObjectName(QStringLiteral("ClaimDetailsGroupBox"));
  auto* form = new QFormLayout(details_);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* binder = new TFieldBinder(details_);
  auto add = [&](const TFieldRow& row) {
    QWidget* control = binder->Create(row);
    form->addRow(binder->Label(row.Name), control);
    return control;
  };
  type_ =
      static_cast<TKwComboEdit*>(add({"TypeKwComboEdit", TFieldKind::List, "Claim &Type",
                                      "|Select the type of Claim.", 120302, TListSource::Page}));
  date_ = static_cast<TKwDate*>(add({"IncidentKwDate",
                                     TFieldKind::Date,
                                     "&Date Claim Made",
                                     "|Enter the date the Claim was made.",
                                     120303,
                                     TListSource::None,
                                     0,
                                     {},
                                     TWriteRule::None,
                                     foTodayIsNegative}));
  cost_ = static_cast<TNumericEdit*>(add({"CostNumericEdit",
                                          TFieldKind::Number,
                                          "Total C&ost of Claim",
                                          "|Enter the total cost of the Claim in pounds.",
                                          120304,
                                          TListSource::None,
                                          0,
                                          {},
                                          TWriteRule::None,
                                          foMoney}));
  fault_ = static_cast<TKwYesNoDlg*>(
      add({"FaultKwYesNoDlg", TFieldKind::YesNo, "Was the Driver at &Fault?",
           "|Indicate whether the Driver was at fault for the Claim.", 120305}));
  injury_ = static_cast<TKwYesNoDlg*>(
      add({"InjuryKwYesNoDlg", TFieldKind::YesNo, "Did any Personal &Injury Result?",
           "|Indicate whether a personal Injury was sustained by any party as a result of the "
           "Claim.",
           120306}));
  conviction_ = new QLabel(QStringLiteral("Related to Conviction..."), details_);
  conviction_->setObjectName(QStringLiteral("ConvictionLabel"));
  form->addRow(conviction_);
  type_->setMinimumWidth(type_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
  listReady_ = FillWithSelectFirst(type_, ListId::ClaimTypes);

  add_ = MakeButton("AddBitBtn", "&Add",
                    "|Allows you to add another Claim for this Driver/Proposer. ", 120307);
  remove_ = MakeButton("RemoveBitBtn", "&Remove",
                       "|Removes the current Claim for this Driver/Proposer.", 120308);
  close_ = MakeButton("CloseBitBtn", "&Close",
                      "|Closes the dialog and returns you to the 'Proposer/Driver Page'.", 120309);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {add_, remove_, close_})
    buttons->addWidget(button);
  auto* column = new QVBoxLayout(this);
  column->addWidget(list_, 1);
  column->addWidget(details_);
  column->addLayout(buttons);
  QWidget::setTabOrder(list_, type_);
  QWidget::setTabOrder(type_, date_);
  QWidget::setTabOrder(date_, cost_);
  QWidget::setTabOrder(cost_, fault_);
  QWidget::setTabOrder(fault_, injury_);
  QWidget::setTabOrder(injury_, add_);
  QWidget::setTabOrder(add_, remove_);
  QWidget::setTabOrder(remove_, close_);

  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { ShowRow(false); });
  connect(list_, &QTreeWidget::itemClicked, this, [this] { ShowRow(true); });
  connect(type_, &TKwComboEdit::exited, this, &TDriverClaimsForm::TypeLeft);
  connect(date_, &TKwDate::exited, this, &TDriverClaimsForm::DateLeft);
  connect(cost_, &TNumericEdit::exited, this, [this] {
    if (TClaimRecord* claim = Selected())
      claim->Cost = cost_->AsDouble();
  });
  connect(fault_, &TKwYesNoDlg::exited, this, [this] {
    if (TClaimRecord* claim = Selected())
      claim->AtFault = IsYes(fault_) ? QStringLiteral("Y") : QStringLiteral("N");
  });
  connect(injury_, &TKwYesNoDlg::exited, this, [this] {
    if (TClaimRecord* claim = Selected())
      claim->Injury = IsYes(injury_) ? QStringLiteral("Y") : QStringLiteral("N");
  });
  connect(add_, &QPushButton::clicked, this, &TDriverClaimsForm::AddClaim);
  connect(remove_, &QPushButton::clicked, this, &TDriverClaimsForm::RemoveClicked);
  connect(close_, &QPushButton::clicked, this, &TDriverClaimsForm::CloseClicked);
}

int TDriverClaimsForm::SelectedRow() const {
  QTreeWidgetItem* item = list_->currentItem();
  return item == nullptr ? -1 : list_->indexOfTopLevelItem(item);
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

void TDriverClaimsForm::RefreshList() {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (int row = 0; row < claims_.Count(); ++row) {
    new QTreeWidgetItem(list_);
    WriteRow(row);
  }
  details_->setEnabled(claims_.Count() > 0);
  if (claims_.IsEmpty())
    ResetDetails();
}

void TDriverClaimsForm::AddClaim() {
  details_->setEnabled(true);
  TClaimRecord& claim = claims_.Append();
  claim.Date = Today();
  auto* item = new QTreeWidgetItem(list_);
  WriteRow(claims_.Count() - 1);
  list_->setCurrentItem(item);
  ShowRow(true);
}

void TDriverClaimsForm::ShowRow(bool focusType) {
  const TClaimRecord* claim = Selected();
  if (claim == nullptr)
    return;
  details_->setTitle(kDetailsCaption.arg(SelectedRow() + 1));
  SelectCode(type_, claim->Type);
  ShowDate(date_, claim->Date);
  cost_->SetAsDouble(claim->Cost);
  SetYes(fault_, claim->AtFault == QLatin1String("Y"));
  SetYes(injury_, claim->Injury == QLatin1String("Y"));
  if (const TConvictionRecord* conviction = claim->RelatedConviction) {
    conviction_->setText(kRelatedText.arg(GetListText(ListId::ConvictionCodes, conviction->Code),
                                          FormatShortDate(conviction->Date)));
  } else {
    conviction_->clear();
  }
  if (focusType)
    type_->setFocus(Qt::OtherFocusReason);
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

void TDriverClaimsForm::TypeLeft() {
  TClaimRecord* claim = Selected();
  if (claim == nullptr)
    return;
  if (type_->ItemIndex() < 0)
    SelectCode(type_, 0);  // an empty type is no type chosen
  const std::int32_t code = SelectedCode(type_);
  const int row = SelectedRow();
  // The focus has already moved on to the control that is taking it.
  QWidget* taking = QApplication::focusWidget();
  if (code != 0 || taking == remove_) {
    claim->Type = code;
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
  // The button the focus was moving to carries out its own action when its click arrives.
  RemoveClaim(row, false);
}

void TDriverClaimsForm::RemoveClaim(int row, bool focusType) {
  if (row < 0 || row >= claims_.Count())
    return;
  claims_.Remove(row);
  RefreshList();
  if (claims_.IsEmpty())
    return;
  list_->setCurrentItem(list_->topLevelItem(qMin(row, claims_.Count() - 1)));
  ShowRow(focusType);
}

void TDriverClaimsForm::RemoveClicked() {
  const int row = SelectedRow();
  if (row < 0)
    return;
  const QString question = kRemove.arg(row + 1).arg(type_->Text());
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, question) == PromptAnswer::Yes)
    RemoveClaim(row, true);
}

void TDriverClaimsForm::CloseClicked() {
  closing_ = true;
  const bool left = LeaveFieldFor(close_);
  closing_ = false;
  if (left)
    done(claims_.IsEmpty() ? mrCancel : mrOk);
}

bool ExecuteDriverClaims(QWidget* owner, int driver, TClaimList& claims) {
  TDriverClaimsForm form(owner, driver, claims);
  if (!form.ListReady())
    return false;
  return RunCaptureDialog(form) == mrOk;
}
