// The acceptance wizard on the demo family sample, driven from the keyboard: its pages and
// rules, and the save and send to a real SMTP server.

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QRadioButton>

#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "motor/quotedetails.h"
#include "motor/tests/fakemainwindow.h"
#include "transmit/acceptanceform.h"
#include "transmit/rasscriptedbackend.h"
#include "transmit/tests/emailfixture.h"

namespace {

const QString kNameRule = QStringLiteral(
    "You must provide the 'Surname' and 'Forenames' or 'Initials' for the policyholder");
const QString kFirstLineRule =
    QStringLiteral("You must provide the first line of the address, i.e. 'House number & Street'");
const QString kTwoLinesRule =
    QStringLiteral("You must provide at least two lines of the address, or the 'Postcode'");
const QString kTelephoneRule = QStringLiteral(
    "Note - you have not provided any contact telephone numbers, please enter a daytime "
    "telephone number where Quillmarsh can call you back to confirm the cover and take payment.");
const QString kNotSaved = QStringLiteral(
    "The policy details could not be saved. Either telephone Quillmarsh to arrange cover or try "
    "sending the details again.");
const QString kNotSent = QStringLiteral(
    "The email was cancelled or could not be sent at the moment. Either telephone Quillmarsh to "
    "arrange cover or try sending the details again.");
const QString kSent = QStringLiteral(
    "Your details have been emailed to Quillmarsh. Once your details have been processed "
    "Quillmarsh will call you back on the telephone number provided to confirm the cover and "
    "take the payment.\r\rNote - you are not insured until Quillmarsh have contacted you and "
    "confirmed the cover.");

// The main window's Save: writes the proposal to its current file unless told to fail.
class TSavingWindow : public TFakeMainWindow {
 public:
  bool SaveProposal() override {
    ++saves;
    return saveResult && SaveProposalFile(currentFileName) == 0;
  }
};

class AcceptanceWizard : public EMailTest {
 protected:
  void SetUp() override {
    EMailTest::SetUp();
    window_.currentFileName = quotation_;
    quote_.InsurerName = QStringLiteral("Corrie & Vale");
    quote_.Premium = 412.5;
  }

  // The family sample keeps the proposer and its first `additional` drivers.
  void KeepDrivers(int additional) {
    for (int n = 3; n > additional; --n)
      ASSERT_TRUE(DeleteObject(TPath{DriverPath(n)}));
  }
  void Open() { Show(*(wizard_ = std::make_unique<TAcceptanceForm>(quote_))); }
  void Show(QDialog& wizard) {
    shown_ = &wizard;
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
  }

  template <class T = QWidget>
  T* Child(const char* name) const {
    return shown_->findChild<T*>(QString::fromLatin1(name));
  }
  QString Text(const char* name) const { return Child<QLabel>(name)->text(); }
  static QWidget* Focused() { return QApplication::focusWidget(); }
  static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focused(), Qt::Key(key), modifiers);
  }
  // A button's mnemonic: the button clicks once its pressed look has been shown.
  void Press(const char* button, int key) {
    auto* pressed = Child<QPushButton>(button);
    // The window that a closed e-mail dialog gave the activation back to.
    if (!shown_->isActiveWindow()) {
      QApplication::setActiveWindow(shown_);
      ASSERT_TRUE(QTest::qWaitForWindowActive(shown_));
    }
    Key(key, Qt::AltModifier);
    QDeadlineTimer deadline(10000);
    while (pressed->isDown() && !deadline.hasExpired())
      QTest::qWait(10);
  }
  void Next() { Press("NextBitBtn", Qt::Key_N); }
  void Back() { Press("BackBitBtn", Qt::Key_B); }
  // Replaces the field's text as the user would; Tab leaves it.
  void Type(const char* name, const QString& text, bool leave = true) {
    Child(name)->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    QTest::keyClicks(Focused(), text);
    if (leave)
      Key(Qt::Key_Tab);
  }
  QString Stored(std::int32_t id, TPathEntry at) const { return GetStringValue(id, TPath{at}); }

  TSavingWindow window_;
  TQuoteDetails quote_;
  std::unique_ptr<TAcceptanceForm> wizard_;
  QDialog* shown_ = nullptr;
};

TEST_F(AcceptanceWizard, OneDriverGoesFromProposerToEmailAndBackKeepingTheChoice) {
  KeepDrivers(0);
  Open();
  EXPECT_EQ(wizard_->windowTitle(), "Acceptance Wizard");
  EXPECT_EQ(Text("AcceptCompanyLabel"),
            "Corrie & Vale - \u00A3412.50 (Incl Insurance Premium Tax)");
  EXPECT_FALSE(Child("BackBitBtn")->isEnabled());
  EXPECT_EQ(Focused(), Child("NextBitBtn"));

  Next();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::ProposerPage);
  EXPECT_EQ(Focused(), Child("TitleKwComboEdit"));
  EXPECT_EQ(Child<TKwComboEdit>("TitleKwComboEdit")->Text(), "Mr");
  EXPECT_EQ(Child<TKwEdit>("Address1KwEdit")->Text(), "27 Cotham Brow");
  // Tab visits the twelve fields in order, then the buttons.
  QStringList visited;
  for (int i = 0; i < 13; ++i, Key(Qt::Key_Tab))
    visited << Focused()->objectName();
  EXPECT_EQ(visited, QStringList({"TitleKwComboEdit", "ForenamesKwEdit", "SurnameKwEdit",
                                  "Address1KwEdit", "Address2KwEdit", "TownKwEdit", "CountyKwEdit",
                                  "PostCodeKwEdit", "HomeTelKwEdit", "WorkTelKwEdit", "FaxNoKwEdit",
                                  "EmailKwEdit", "BackBitBtn"}));
  // Typed values go to the Data Server as the field is left, capitalised as the field says;
  // Next stores the field still being edited.
  ClearModified();
  Type("Address2KwEdit", "cotham hill");
  EXPECT_EQ(Stored(Id::Locality, ProposerPath()), "Cotham Hill");
  EXPECT_TRUE(IsModified());
  Type("PostCodeKwEdit", "bs6 6ar");
  EXPECT_EQ(Stored(Id::ProposerPostcode, ProposerPath()), "BS6 6AR");
  Type("FaxNoKwEdit", "0117 496 0999", false);
  Next();
  EXPECT_EQ(Stored(Id::FaxNumber, ProposerPath()), "0117 496 0999");

  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  EXPECT_TRUE(Child<QRadioButton>("DialUpNetworkingRadioButton")->isChecked());
  EXPECT_EQ(Focused(), Child("DialUpNetworkingRadioButton"));
  EXPECT_EQ(Text("HelpLabel"),
            "Select this option if you normally connect to the Internet using a modem attached "
            "to this computer and a Dial-Up Networking connection.");
  Key(Qt::Key_Down);
  EXPECT_TRUE(Child<QRadioButton>("LANRadioButton")->isChecked());
  EXPECT_EQ(wizard_->ConnectionMethod(), TConnectionMethod::LocalNetwork);
  EXPECT_EQ(Text("HelpLabel"),
            "Select this option if your computer is connected to a Local Area Network that "
            "provides a gateway onto the Internet.");

  Back();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::ProposerPage);
  EXPECT_EQ(Focused(), Child("TitleKwComboEdit"));
  Next();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  EXPECT_TRUE(Child<QRadioButton>("LANRadioButton")->isChecked());
  EXPECT_TRUE(Text("HelpLabel").contains("Local Area Network"));

  // "View/Print Details" previews the summary on any page.
  Press("SummaryBitBtn", Qt::Key_V);
  EXPECT_EQ(otherDialogs_, QStringList({"TQuoteSummaryPreviewForm"}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(window_.saves, 0);
}

TEST_F(AcceptanceWizard, ThreeDriversGoThroughDriverOneAndTwoAndBackToTwo) {
  KeepDrivers(2);
  Open();
  Next();
  Next();
  ASSERT_EQ(wizard_->CurrentPage(), TAcceptanceForm::DriversPage);
  EXPECT_EQ(wizard_->CurrentDriver(), 1);
  EXPECT_EQ(Focused(), Child("DriverTitleKwComboEdit"));
  EXPECT_EQ(Child<TKwComboEdit>("DriverTitleKwComboEdit")->Text(), "Mrs");
  EXPECT_EQ(Child<TKwEdit>("DriverForenameKwEdit")->Text(), "Helen");
  EXPECT_EQ(Text("DriverLabel"), "Additional Driver: 1");
  EXPECT_EQ(Text("LabelDriverRelationship"), "Relationship to the Policyholder: Spouse");
  const QDate born = GetDateValue(Id::DateOfBirth, TPath{DriverPath(1)});
  EXPECT_EQ(Text("DriverDOBLabel"), "Date of Birth: " + born.toString("dd/MM/yyyy"));
  EXPECT_EQ(Text("DriverSexLabel"), "Sex of Driver: Female");
  EXPECT_EQ(Text("ClaimsLabel"), "Number of entered Claims: 1");
  EXPECT_EQ(Text("ConvictionsLabel"), "Number of entered Motoring Convictions: 0");
  Type("DriverForenameKwEdit", "helen mary", false);

  Next();
  EXPECT_EQ(wizard_->CurrentDriver(), 2);
  EXPECT_EQ(Stored(Id::Forenames, DriverPath(1)), "Helen Mary");
  EXPECT_EQ(Child<TKwEdit>("DriverForenameKwEdit")->Text(), "Thomas");
  EXPECT_EQ(Text("LabelDriverRelationship"), "Relationship to the Policyholder: Son");
  EXPECT_EQ(Text("ClaimsLabel"), "Number of entered Claims: 0");
  EXPECT_EQ(Text("ConvictionsLabel"), "Number of entered Motoring Convictions: 2");

  Next();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  Back();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::DriversPage);
  EXPECT_EQ(wizard_->CurrentDriver(), 2);
  EXPECT_EQ(Text("DriverLabel"), "Additional Driver: 2");
  Back();
  EXPECT_EQ(wizard_->CurrentDriver(), 1);
  EXPECT_EQ(Child<TKwEdit>("DriverForenameKwEdit")->Text(), "Helen Mary");
  Back();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::ProposerPage);
  EXPECT_EQ(wizard_->CurrentDriver(), 0);
  Back();
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::IntroPage);
  EXPECT_FALSE(Child("BackBitBtn")->isEnabled());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(AcceptanceWizard, AfterAQuotationRunConvictionsAreNotCountedAsClaims) {
  // The quotation run gives each conviction's incident a claim entry holding only its number.
  KeepDrivers(2);
  NumberConvictions();
  Open();
  Next();
  Next();
  Next();
  ASSERT_EQ(wizard_->CurrentDriver(), 2);
  EXPECT_EQ(Text("ClaimsLabel"), "Number of entered Claims: 0");
  EXPECT_EQ(Text("ConvictionsLabel"), "Number of entered Motoring Convictions: 2");
}

TEST_F(AcceptanceWizard, TheProposerRulesApplyInOrderAndKeepThePage) {
  KeepDrivers(0);
  Open();
  Next();
  struct TCase {
    QList<std::pair<const char*, QString>> fields;
    QString message;  // empty: the page is left for the Email page
    const char* focus;
  };
  const TCase cases[] = {
      {{{"SurnameKwEdit", ""}}, kNameRule, "SurnameKwEdit"},
      {{{"SurnameKwEdit", "Hargreaves"}, {"ForenamesKwEdit", ""}}, kNameRule, "ForenamesKwEdit"},
      {{{"ForenamesKwEdit", "David"}, {"Address1KwEdit", ""}}, kFirstLineRule, "Address1KwEdit"},
      // First line and postcode.
      {{{"Address1KwEdit", "27 Cotham Brow"}, {"TownKwEdit", ""}}, "", nullptr},
      // First line alone.
      {{{"PostCodeKwEdit", ""}}, kTwoLinesRule, "Address2KwEdit"},
      // First line and town.
      {{{"TownKwEdit", "Bristol"}}, "", nullptr},
      {{{"HomeTelKwEdit", ""}, {"WorkTelKwEdit", ""}}, kTelephoneRule, "HomeTelKwEdit"},
      // A work number alone.
      {{{"WorkTelKwEdit", "0117 496 0200"}}, "", nullptr},
  };
  for (const TCase& check : cases) {
    SCOPED_TRACE(check.message.isEmpty() ? std::string("passes") : check.message.toStdString());
    prompter_->Clear();
    for (const auto& [name, text] : check.fields)
      Type(name, text);
    Next();
    if (check.message.isEmpty()) {
      EXPECT_TRUE(prompter_->Prompts().isEmpty());
      EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
      Back();
      continue;
    }
    ASSERT_EQ(prompter_->Prompts().size(), 1);
    EXPECT_EQ(prompter_->Prompts()[0].text, check.message);
    EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
    EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::ProposerPage);
    EXPECT_EQ(Focused(), Child(check.focus));
  }
  // Escape closes the wizard; the field being edited keeps its value.
  Type("EmailKwEdit", "david@example.net", false);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(wizard_->isVisible());
  EXPECT_EQ(Stored(Id::EmailAddress, ProposerPath()), "david@example.net");
}

TEST_F(AcceptanceWizard, AWalkFromTheKeyboardSavesAndSendsTheProposalToTheBroker) {
  TSmtpTestServer server;
  AimAt(server);
  KeepDrivers(1);
  otherDialog_ = [&](QDialog& dialog) {
    auto* wizard = qobject_cast<TAcceptanceForm*>(&dialog);
    if (wizard == nullptr) {
      ADD_FAILURE() << "not the wizard: " << dialog.objectName().toStdString();
      return int(QDialog::Rejected);
    }
    Show(dialog);
    Key(Qt::Key_Return);  // Next is the default button
    EXPECT_EQ(Focused(), Child("TitleKwComboEdit"));
    Key(Qt::Key_Tab);  // from the title to the forenames
    Key(Qt::Key_End);
    QTest::keyClicks(Focused(), " john");
    for (int i = 0; i < 7; ++i)  // on to the home telephone
      Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), Child("HomeTelKwEdit"));
    Key(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Focused(), "0117 496 0123");
    Key(Qt::Key_Return);  // Next stores the field being edited
    EXPECT_EQ(wizard->CurrentPage(), TAcceptanceForm::DriversPage);
    EXPECT_EQ(Focused(), Child("DriverTitleKwComboEdit"));
    Key(Qt::Key_Tab);
    Key(Qt::Key_End);
    QTest::keyClicks(Focused(), " mary");
    Next();
    EXPECT_EQ(wizard->CurrentPage(), TAcceptanceForm::EmailPage);
    EXPECT_EQ(Focused(), Child("DialUpNetworkingRadioButton"));
    Key(Qt::Key_Down);    // the local network
    Key(Qt::Key_Return);  // saves and sends: the e-mail dialog's Send is pressed with Enter
    return dialog.result();
  };
  EXPECT_TRUE(OpenAcceptanceWizard(quote_));
  EXPECT_EQ(prompter_->Texts(), QStringList({kSent}));
  EXPECT_EQ(window_.saves, 1);
  EXPECT_EQ(otherDialogs_, QStringList({"TAcceptanceForm"}));

  ASSERT_TRUE(server.WaitForMessages(1));
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_TRUE(mail.Body.contains("PolicyHolder = Mr David John Hargreaves\r\n"));
  EXPECT_TRUE(mail.Body.contains("Driver 1 = Mrs Helen Mary Hargreaves\r\n"));
  EXPECT_TRUE(mail.Body.contains("Home Telephone Number = 0117 496 0123\r\n"));
  QFile saved(quotation_);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(AttachmentBytes(mail.Body, "Hargreaves.PCD"), saved.readAll());
  ASSERT_EQ(LoadProposalFile(quotation_), 0);
  EXPECT_EQ(Stored(Id::Forenames, DriverPath(0)), "David John");
  EXPECT_EQ(Stored(Id::Forenames, DriverPath(1)), "Helen Mary");
  EXPECT_EQ(Stored(Id::HomeTelephone, ProposerPath()), "0117 496 0123");
}

TEST_F(AcceptanceWizard, AFailedSaveOrSendKeepsTheEmailPageAndNextTriesAgain) {
  TSmtpServerOptions refusing;
  refusing.RejectRcpt = true;
  TSmtpTestServer refusingServer(refusing);
  TSmtpTestServer server;
  AimAt(refusingServer);
  KeepDrivers(0);
  Open();
  Next();
  Type("FaxNoKwEdit", "0117 496 0999");
  Next();
  Child<QRadioButton>("LANRadioButton")->click();

  window_.saveResult = false;
  Next();
  EXPECT_EQ(prompter_->Texts(), QStringList({kNotSaved}));
  EXPECT_EQ(form_, nullptr);  // the e-mail dialog never opened

  window_.saveResult = true;
  prompter_->Clear();
  prompter_->QueueAnswer(PromptAnswer::No);  // do not try again from the e-mail dialog
  Next();
  EXPECT_EQ(prompter_->Texts(),
            QStringList({TEMailForm::FailureText("The mail server refused the recipient "
                                                 "support@quillmarsh.example: 550 5.1.1 Mailbox "
                                                 "unavailable"),
                         kNotSent}));
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  EXPECT_TRUE(wizard_->isVisible());
  EXPECT_FALSE(wizard_->Sent());
  EXPECT_EQ(refusingServer.MessageCount(), 0);

  prompter_->Clear();
  AimAt(server);
  Next();
  EXPECT_EQ(prompter_->Texts(), QStringList({kSent}));
  EXPECT_TRUE(wizard_->Sent());
  EXPECT_FALSE(wizard_->isVisible());
  EXPECT_EQ(window_.saves, 3);
  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_TRUE(ParseMail(server.Message(1)).Body.contains("Fax Number = 0117 496 0999\r\n"));
}

TEST_F(AcceptanceWizard, DialUpWithoutADialUpConnectionSaysSoAndKeepsTheEmailPage) {
  // A modern desktop: the remote-access layer runs but holds no phone-book entries.
  auto backend = std::make_shared<TScriptedRasBackend>();
  const TTransmitSeamsGuard seams;
  TTransmitSeams::Current().rasBackend = backend;
  KeepDrivers(0);
  Open();
  Next();
  Next();
  ASSERT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  EXPECT_TRUE(Child<QRadioButton>("DialUpNetworkingRadioButton")->isChecked());
  Next();
  EXPECT_EQ(prompter_->Texts(), QStringList({TEMailForm::NoDialUpText()}));
  EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
  EXPECT_EQ(window_.saves, 0);  // nothing saved, and no e-mail dialog
  EXPECT_EQ(form_, nullptr);
  EXPECT_TRUE(backend->Dials().isEmpty());
}

}  // namespace
