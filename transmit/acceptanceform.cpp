#include "transmit/acceptanceform.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/dialogbutton.h"
#include "controls/editedfield.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/modaldialog.h"
#include "motor/getmotordsv.h"
#include "motor/quotedetails.h"
#include "platform/prompt.h"
#include "report/summaryprinting.h"
#include "transmit/acceptanceemailpage.h"
#include "transmit/acceptanceintropage.h"
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
  BuildProposerPage();
  BuildDriversPage();
  emailPage_ = new TAcceptanceEmailPage(notebook_);
  notebook_->addWidget(emailPage_);
  page_ = nullptr;

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
  setTabOrder(email_, driverTitle_);
  setTabOrder(driverSurname_, emailPage_->FirstField());
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

TConnectionMethod TAcceptanceForm::ConnectionMethod() const {
  return emailPage_->Method();
}

void TAcceptanceForm::ShowPage(TPage page, QWidget* focus) {
  notebook_->setCurrentIndex(page);
  if (focus != nullptr)
    focus->setFocus(Qt::OtherFocusReason);
  back_->setEnabled(page != IntroPage);
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
      LoadProposer();
      ShowPage(ProposerPage, title_);
      break;
    case ProposerPage:
      if (!ValidateProposer() || !DriverCount(count))
        return;
      if (count < 2) {
        ShowEmailPage();
      } else {
        ShowDriver(1);
        ShowPage(DriversPage, driverTitle_);
      }
      break;
    case DriversPage:
      if (!DriverCount(count))
        return;
      if (currentDriver_ < count - 1) {
        ShowDriver(currentDriver_ + 1);
        driverTitle_->setFocus(Qt::OtherFocusReason);
      } else {
        ShowEmailPage();
      }
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
      if (currentDriver_ > 1) {
        ShowDriver(currentDriver_ - 1);
        driverTitle_->setFocus(Qt::OtherFocusReason);
      } else {
        currentDriver_ = 0;
        ShowPage(ProposerPage, title_);
      }
      break;
    case EmailPage:
      if (!DriverCount(count))
        return;
      if (count > 1) {
        ShowDriver(count - 1);
        ShowPage(DriversPage, driverTitle_);
      } else {
        ShowPage(ProposerPage, title_);
      }
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

bool TAcceptanceForm::ValidateProposer() {
  const auto refuse = [](QWidget* field, const QString& text) {
    ShowInformation(text);
    field->setFocus(Qt::OtherFocusReason);
    return false;
  };
  const QString name = QStringLiteral(
      "You must provide the 'Surname' and 'Forenames' or 'Initials' for the policyholder");
  if (surname_->Text().isEmpty())
    return refuse(surname_, name);
  if (forenames_->Text().isEmpty())
    return refuse(forenames_, name);
  if (address1_->Text().isEmpty()) {
    return refuse(address1_, QStringLiteral("You must provide the first line of the address, "
                                            "i.e. 'House number & Street'"));
  }
  int lines = 0;
  for (const TKwEdit* line : {address1_, address2_, town_, county_})
    lines += line->Text().isEmpty() ? 0 : 1;
  if (lines < 2 && postCode_->Text().isEmpty()) {
    return refuse(address2_, QStringLiteral("You must provide at least two lines of the "
                                            "address, or the 'Postcode'"));
  }
  if (homeTel_->Text().isEmpty() && workTel_->Text().isEmpty()) {
    return refuse(homeTel_,
                  QStringLiteral("Note - you have not provided any contact telephone numbers, "
                                 "please enter a daytime telephone number where Quillmarsh can "
                                 "call you back to confirm the cover and take payment."));
  }
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
