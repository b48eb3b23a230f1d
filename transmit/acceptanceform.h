#pragma once
// TAcceptanceForm ("Acceptance Wizard"): turns the chosen quotation into a request for cover.
// Four pages, one at a time: Intro (the chosen policy and the broker's telephone number),
// Proposer (the policyholder's name, address and telephone numbers), Drivers (the name of each
// additional driver, one after another) and Email (how the computer reaches the Internet). Next
// on the Email page saves the proposal through the main window's Save and sends the saved file
// to the broker with SendEMail.
//
// The wizard is the frame: the page stack, the buttons and the way from page to page. Each page
// is a class of its own (transmit/acceptance*page.h) with its texts and fields.
//
// The wizard keeps no copy of the proposal: every field writes its value into the Data Server
// when it is left, and Next, Back, Close and "View/Print Details" first make the field being
// edited store its value, so nothing typed is lost whatever the user does next.

#include <QDialog>

#include "transmit/emailform.h"

class QPushButton;
class QStackedWidget;
class TAcceptanceDriversPage;
class TAcceptanceEmailPage;
class TAcceptanceProposerPage;
class TQuoteDetails;

class TAcceptanceForm : public QDialog {
  Q_OBJECT

 public:
  enum TPage { IntroPage = 0, ProposerPage = 1, DriversPage = 2, EmailPage = 3 };

  // Keeps a reference to the quotation for its whole life.
  explicit TAcceptanceForm(const TQuoteDetails& quotation, QWidget* parent = nullptr);

  TPage CurrentPage() const;
  // The additional driver on the Drivers page; 0 while none is shown.
  int CurrentDriver() const;
  // The Email page's choice; dial-up until the user chooses otherwise.
  TConnectionMethod ConnectionMethod() const;
  // True once the broker's server accepted the proposal.
  bool Sent() const { return sent_; }

 public slots:
  void NextBitBtnClick();
  void BackBitBtnClick();
  void SummaryBitBtnClick();
  // Close, Escape or the window's close button: the field being edited keeps its value.
  void reject() override;

 private:
  void ShowPage(TPage page, QWidget* focus);
  // Shows additional driver n on the Drivers page, which is shown with its first field focused.
  void ShowDriversPage(int n);
  // Shows the Email page with the choice made last checked and focused.
  void ShowEmailPage();
  // The number of drivers (the proposer and the additional drivers); false, after telling the
  // user, when the Data Server cannot say.
  bool DriverCount(int& count) const;
  void SaveAndSend();

  const TQuoteDetails& quotation_;
  bool sent_ = false;

  QStackedWidget* notebook_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* summary_ = nullptr;

  TAcceptanceProposerPage* proposerPage_ = nullptr;
  TAcceptanceDriversPage* driversPage_ = nullptr;
  TAcceptanceEmailPage* emailPage_ = nullptr;
};

// Opens the wizard for the chosen quotation, modally over `parent` (the results dialog's
// Proceed). Answers whether the quotation was sent to the broker.
bool OpenAcceptanceWizard(const TQuoteDetails& quotation, QWidget* parent = nullptr);
