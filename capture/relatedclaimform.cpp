#include "capture/relatedclaimform.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "capture/driverclaimsform.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"

namespace {

const QString kNothingSelected =
    QStringLiteral("No Claim is selected.\rIs there a Claim related to this Conviction?");
const QString kAddNewClaim = QStringLiteral(
    "Select the Claim that is related to the Conviction from the list. If you did not enter the "
    "related claim details you may do so now.\r\rDo you want to add details of a New claim now?");

}  // namespace

TRelatedClaimForm::TRelatedClaimForm(QWidget* owner, TConvictionRecord& conviction, int driver,
                                     TClaimList& claims)
    : TCaptureDialog(owner), conviction_(conviction), driver_(driver), claims_(claims) {
  setObjectName(QStringLiteral("TRelatedClaimForm"));
  setWindowTitle(QStringLiteral("Select Claim related to %1 Conviction on %2")
                     .arg(GetListText(ListId::ConvictionCodes, conviction.Code),
                          FormatShortDate(conviction.Date)));
  list_ = MakeListView("RelatedPZListView", {"No", "Type", "Date", "Cost"},
                       "|Contains a list of all the Convictions for the selected driver.", 120411);
  QPushButton* ok =
      MakeDialogButton(this, {.Name = "OkBitBtn",
                              .Caption = "OK",
                              .Hint = "|Click the OK Button if you wish to accept any changes.",
                              .HelpContext = 120413});
  ok->setDefault(true);
  QPushButton* cancel = MakeDialogButton(
      this,
      {.Name = "CancelBitBtn",
       .Caption = "Cancel",
       .Hint = "|Click the CANCEL button if you wish to reject any changes that you have made.",
       .HelpContext = 120414});
  QPushButton* add = MakeDialogButton(this, {.Name = "AddBitBtn",
                                             .Caption = "&New Claim ",
                                             .Hint = "Add new claim details",
                                             .HelpContext = 120412});
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->addWidget(list_, 1);
  column->addLayout(buttons);
  QWidget::setTabOrder(list_, ok);
  QWidget::setTabOrder(ok, cancel);
  QWidget::setTabOrder(cancel, add);
  connect(ok, &QPushButton::clicked, this, &TRelatedClaimForm::OkClicked);
  connect(cancel, &QPushButton::clicked, this, &TRelatedClaimForm::reject);
  connect(add, &QPushButton::clicked, this, &TRelatedClaimForm::NewClaim);
  // Enter reaches the default OK button; a double click chooses too.
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &TRelatedClaimForm::OkClicked);
  RefreshList();
}

void TRelatedClaimForm::RefreshList() {
  list_->clear();
  for (int i = 0; i < claims_.Count(); ++i) {
    TClaimRecord& claim = claims_.At(i);
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, QString::number(i + 1));
    item->setText(1, GetListText(ListId::ClaimTypes, claim.Type));
    item->setText(2, FormatShortDate(claim.Date));
    item->setText(3, QStringLiteral("\u00A3%1").arg(claim.Cost, 3, 'f', 2));
    if (&claim == conviction_.RelatedClaim) {
      list_->setCurrentItem(item);
      item->setSelected(true);
    }
  }
  list_->setFocus(Qt::OtherFocusReason);
}

void TRelatedClaimForm::OkClicked() {
  // The rows are the claims in list order.
  const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
  const int row = chosen.isEmpty() ? -1 : list_->indexOfTopLevelItem(chosen.first());
  if (row >= 0 && row < claims_.Count()) {
    Relate(claims_.At(row), conviction_);
    done(mrOk);
    return;
  }
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, kNothingSelected) != PromptAnswer::Yes) {
    done(mrCancel);
    return;
  }
  if (Ask(PromptKind::Information, PromptButtons::YesNo, kAddNewClaim) == PromptAnswer::Yes)
    NewClaim();
}

void TRelatedClaimForm::NewClaim() {
  ExecuteDriverClaims(this, driver_, claims_);
  RefreshList();
}

void TRelatedClaimForm::reject() {
  done(mrCancel);
}

void TRelatedClaimForm::CloseClicked() {
  reject();
}

bool ExecuteRelatedClaim(QWidget* owner, TConvictionRecord& conviction, int driver,
                         TClaimList& claims) {
  TRelatedClaimForm form(owner, conviction, driver, claims);
  return RunCaptureDialog(form) == mrOk;
}
