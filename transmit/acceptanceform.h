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
#include <vector>

#include "transmit/emailform.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class TAcceptanceEmailPage;
class TFieldBinder;
class TKwComboEdit;
class TKwEdit;
class TQuoteDetails;
struct TFieldRow;

class TAcceptanceForm : public QDialog {
  Q_OBJECT

 public:
  enum TPage { IntroPage = 0, ProposerPage = 1, DriversPage = 2, EmailPage = 3 };

  // Keeps a reference to the quotation for its whole life.
  explicit TAcceptanceForm(const TQuoteDetails& quotation, QWidget* parent = nullptr);

  TPage CurrentPage() const;
  // The additional driver on the Drivers page; 0 while none is shown.
  int CurrentDriver() const { return currentDriver_; }
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
  void BuildProposerPage();
  void BuildDriversPage();
  // The field tables of the Proposer and Drivers pages; each row names its handler.
  std::vector<TFieldRow> ProposerTable();
  std::vector<TFieldRow> DriverTable();

  void ShowPage(TPage page, QWidget* focus);
  void LoadProposer();
  void ShowDriver(int n);
  // Shows the Email page with the choice made last checked and focused.
  void ShowEmailPage();
  // The number of drivers (the proposer and the additional drivers); false, after telling the
  // user, when the Data Server cannot say.
  bool DriverCount(int& count) const;
  bool ValidateProposer();
  void SaveAndSend();

  const TQuoteDetails& quotation_;
  int currentDriver_ = 0;
  bool sent_ = false;

  QStackedWidget* notebook_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* close_ = nullptr;
  QPushButton* summary_ = nullptr;
  QWidget* page_ = nullptr;  // the page being built
  TAcceptanceEmailPage* emailPage_ = nullptr;

  // The binders load the fields when a page or driver is shown and store them as they are left.
  TFieldBinder* proposerFields_ = nullptr;
  TFieldBinder* driverFields_ = nullptr;
  TKwComboEdit* title_ = nullptr;
  TKwEdit* forenames_ = nullptr;
  TKwEdit* surname_ = nullptr;
  TKwEdit* address1_ = nullptr;
  TKwEdit* address2_ = nullptr;
  TKwEdit* town_ = nullptr;
  TKwEdit* county_ = nullptr;
  TKwEdit* postCode_ = nullptr;
  TKwEdit* homeTel_ = nullptr;
  TKwEdit* workTel_ = nullptr;
  TKwEdit* email_ = nullptr;

  TKwComboEdit* driverTitle_ = nullptr;
  TKwEdit* driverSurname_ = nullptr;
  QLabel* driverLabel_ = nullptr;
  QLabel* relationshipLabel_ = nullptr;
  QLabel* dobLabel_ = nullptr;
  QLabel* sexLabel_ = nullptr;
  QLabel* claimsLabel_ = nullptr;
  QLabel* convictionsLabel_ = nullptr;
};

// Opens the wizard for the chosen quotation, modally over `parent` (the results dialog's
// Proceed). Answers whether the quotation was sent to the broker.
bool OpenAcceptanceWizard(const TQuoteDetails& quotation, QWidget* parent = nullptr);
