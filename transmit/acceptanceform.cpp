#include "transmit/acceptanceform.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/dialogbutton.h"
#include "controls/editedfield.h"
#include "controls/modaldialog.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/quotedetails.h"
#include "platform/prompt.h"
#include "report/summaryprinting.h"
#include "transmit/acceptancedriverspage.h"
#include "transmit/acceptanceemailpage.h"
#include "transmit/acceptanceintropage.h"
#include "transmit/acceptanceproposerpage.h"
#include "transmit/emaildialup.h"
#include "transmit/sendemail.h"

namespace {

void ShowInformation(const QString& text) {
  Ask(PromptKind::Information, PromptButtons::Ok, text);
}

}  // namespace

TAcceptanceForm::TAcceptanceForm(const TQuoteDetails& quotation, QWidget* parent)
    : QDialog(parent), quotation_(quotation) {
  setObjectName(QStringLiteral("TAcceptanceForm"));
  setWindowTitle(QStringLiteral("Acceptance Wizard"));

  notebook_ = new QStackedWidget(this);
  notebook_->setObjectName(QStringLiteral("AcceptNotebook"));
  notebook_->addWidget(new TAcceptanceIntroPage(quotation_, notebook_));
  proposerPage_ = new TAcceptanceProposerPage(notebook_);
  notebook_->addWidget(proposerPage_);
  driversPage_ = new TAcceptanceDriversPage(notebook_);
  notebook_->addWidget(driversPage_);
  emailPage_ = new TAcceptanceEmailPage(notebook_);
  notebook_->addWidget(emailPage_);

  // A wizard's buttons keep the dialog's Enter: Next is the default button.
  summary_ = MakeDialogButton(this, {.Name = "SummaryBitBtn",
                                     .Caption = QStringLiteral("&View/Print Details"),
                                     .Glyph = QStyle::SP_FileDialogContentsView,
                                     .Enter = TEnterPress::DialogDefault});
  back_ = MakeDialogButton(this, {.Name = "BackBitBtn",
                                  .Caption = QStringLiteral("&Back"),
                                  .Glyph = QStyle::SP_ArrowBack,
                                  .Enter = TEnterPress::DialogDefault});
  next_ = MakeDialogButton(this, {.Name = "NextBitBtn",
                                  .Caption = QStringLiteral("&Next"),
                                  .Glyph = QStyle::SP_ArrowForward,
                                  .Enter = TEnterPress::DialogDefault});
  close_ = MakeDialogButton(this, {.Name = "CloseBitBtn",
                                   .Caption = QStringLiteral("&Close"),
                                   .Glyph = QStyle::SP_DialogCloseButton,
                                   .Enter = TEnterPress::DialogDefault});
  next_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(summary_);
  buttons->addStretch(1);
  buttons->addWidget(back_);
  buttons->addWidget(next_);
  buttons->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notebook_, 1);
  layout->addLayout(buttons);
  // The pages' fields come first (only the shown page's can take the focus), then the buttons.
  setTabOrder(proposerPage_->LastField(), driversPage_->FirstField());
  setTabOrder(driversPage_->LastField(), emailPage_->FirstField());
  setTabOrder(emailPage_->LastField(), back_);
  setTabOrder(back_, next_);
  setTabOrder(next_, close_);
  setTabOrder(close_, summary_);
  resize(sizeHint().expandedTo(QSize(600, 480)));

  connect(next_, &QPushButton::clicked, this, &TAcceptanceForm::NextBitBtnClick);
  connect(back_, &QPushButton::clicked, this, &TAcceptanceForm::BackBitBtnClick);
  connect(close_, &QPushButton::clicked, this, &TAcceptanceForm::reject);
  connect(summary_, &QPushButton::clicked, this, &TAcceptanceForm::SummaryBitBtnClick);

  ShowPage(IntroPage, next_);
}

TAcceptanceForm::TPage TAcceptanceForm::CurrentPage() const {
  return static_cast<TPage>(notebook_->currentIndex());
}

int TAcceptanceForm::CurrentDriver() const {
  return driversPage_->Driver();
}

TConnectionMethod TAcceptanceForm::ConnectionMethod() const {
  return emailPage_->Method();
}

void TAcceptanceForm::ShowPage(TPage page, QWidget* focus) {
  notebook_->setCurrentIndex(page);
  if (focus != nullptr)
    focus->setFocus(Qt::OtherFocusReason);
  back_->setEnabled(page != IntroPage);
}

void TAcceptanceForm::ShowDriversPage(int n) {
  driversPage_->ShowDriver(n);
  ShowPage(DriversPage, driversPage_->FirstField());
}

void TAcceptanceForm::ShowEmailPage() {
  ShowPage(EmailPage, nullptr);
  emailPage_->Enter();  // focuses the choice now that it can
}

void TAcceptanceForm::NextBitBtnClick() {
  if (!StoreEditedField(next_))
    return;
  int count = 0;
  switch (CurrentPage()) {
    case IntroPage:
      proposerPage_->Load();
      ShowPage(ProposerPage, proposerPage_->FirstField());
      break;
    case ProposerPage:
      if (!proposerPage_->Validate() || !DriverCount(count))
        return;
      if (count < 2)
        ShowEmailPage();
      else
        ShowDriversPage(1);
      break;
    case DriversPage:
      if (!DriverCount(count))
        return;
      if (CurrentDriver() < count - 1)
        ShowDriversPage(CurrentDriver() + 1);
      else
        ShowEmailPage();
      break;
    case EmailPage:
      SaveAndSend();
      break;
  }
}

void TAcceptanceForm::BackBitBtnClick() {
  if (!StoreEditedField(back_))
    return;
  int count = 0;
  switch (CurrentPage()) {
    case IntroPage:
      break;
    case ProposerPage:
      ShowPage(IntroPage, next_);
      break;
    case DriversPage:
      if (CurrentDriver() > 1) {
        ShowDriversPage(CurrentDriver() - 1);
      } else {
        driversPage_->ShowNoDriver();
        ShowPage(ProposerPage, proposerPage_->FirstField());
      }
      break;
    case EmailPage:
      if (!DriverCount(count))
        return;
      if (count > 1)
        ShowDriversPage(count - 1);
      else
        ShowPage(ProposerPage, proposerPage_->FirstField());
      break;
  }
}

void TAcceptanceForm::SummaryBitBtnClick() {
  // The summary lists what the Data Server holds, including the field being edited.
  if (StoreEditedField(summary_))
    PreviewQuoteSummary(quotation_, this);
}

void TAcceptanceForm::reject() {
  if (StoreEditedField(close_))
    QDialog::reject();
}

bool TAcceptanceForm::DriverCount(int& count) const {
  std::uint16_t limit = 0;
  std::uint16_t drivers = 0;
  if (DsvQueryInstanceCount(ObjectCode::Driver, &limit, &drivers) != 0) {
    count = 0;
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to determine number of drivers"));
    return false;
  }
  count = drivers;
  return true;
}

void TAcceptanceForm::SaveAndSend() {
  // Dial-up with nothing to dial: the user is pointed at the other choices on this page before
  // anything is saved.
  if (ConnectionMethod() == TConnectionMethod::DialUp && !CreateEMailDialUp()->Available()) {
    ShowInformation(TEMailForm::NoDialUpText());
    return;
  }
  // Only a proposal that was really written is sent: a failed write (or a cancelled Save As)
  // sends nothing, rather than whatever the failed write left in the file.
  TMainWindowLink* window = MainWindowLink();
  if (window == nullptr || !window->SaveProposal()) {
    ShowInformation(QStringLiteral(
        "The policy details could not be saved. Either telephone Quillmarsh to arrange cover or "
        "try sending the details again."));
    return;
  }
  if (!SendEMail(window->CurrentFileName(), ConnectionMethod(), this)) {
    ShowInformation(QStringLiteral(
        "The email was cancelled or could not be sent at the moment. Either telephone "
        "Quillmarsh to arrange cover or try sending the details again."));
    return;
  }
  sent_ = true;
  ShowInformation(QStringLiteral(
      "Your details have been emailed to Quillmarsh. Once your details have been processed "
      "Quillmarsh will call you back on the telephone number provided to confirm the cover and "
      "take the payment.\r\rNote - you are not insured until Quillmarsh have contacted you and "
      "confirmed the cover."));
  QDialog::reject();
}

bool OpenAcceptanceWizard(const TQuoteDetails& quotation, QWidget* parent) {
  TAcceptanceForm form(quotation, parent);
  RunModalDialog(form);
  return form.Sent();
}
