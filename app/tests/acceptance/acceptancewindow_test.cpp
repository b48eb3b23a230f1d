// The acceptance wizard over the real main window: its Next on the Email page saves through the
// window's Save (Save As, with its dialog, for a proposal that has no file yet), a write that
// fails sends nothing, and the saved file reaches a real SMTP server.

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/tests/appfixture.h"
#include "controls/modaldialog.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "motor/quotedetails.h"
#include "tools/testsupport/filesizelimit.h"
#include "transmit/acceptanceform.h"
#include "transmit/emailform.h"
#include "transmit/net/tests/smtptestserver.h"

namespace {

const QString kNotSaved = QStringLiteral(
    "The policy details could not be saved. Either telephone Quillmarsh to arrange cover or try "
    "sending the details again.");
const QString kSent = QStringLiteral(
    "Your details have been emailed to Quillmarsh. Once your details have been processed "
    "Quillmarsh will call you back on the telephone number provided to confirm the cover and "
    "take the payment.\r\rNote - you are not insured until Quillmarsh have contacted you and "
    "confirmed the cover.");

QWidget* Focused() {
  return QApplication::focusWidget();
}

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(Focused(), Qt::Key(key), modifiers);
}

// Shows the dialog and waits until it is active, so that its keys reach it.
bool ShowActive(QDialog& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  return QTest::qWaitForWindowActive(&dialog);
}

// The e-mail dialog: Send is its default button; waits (with a generous guard) until it closes.
int SendFromTheKeyboard(QDialog& dialog) {
  QEventLoop loop;
  QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  dialog.open();
  QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Return); });
  loop.exec();
  return dialog.result();
}

}  // namespace

class AcceptanceInTheWindow : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartWindow();
    // A proposal in the window without a file of its own: Save is Save As.
    ASSERT_EQ(LoadProposalFile(Sample("family")), 0);
    window_->RebuildPages();
    ASSERT_TRUE(window_->CurrentFileName().isEmpty());
    prompter_->Clear();
    TControlsSeams::Current().modalDialog = [this](QDialog& dialog) {
      if (qobject_cast<TEMailForm*>(&dialog) != nullptr) {
        ++mailDialogs_;
        return SendFromTheKeyboard(dialog);
      }
      wizard_ = qobject_cast<TAcceptanceForm*>(&dialog);
      if (wizard_ == nullptr || !ShowActive(dialog)) {
        ADD_FAILURE() << "not the wizard, or not shown: " << dialog.objectName().toStdString();
        return int(QDialog::Rejected);
      }
      Walk();
      return dialog.result();
    };
  }

  void AimAt(const TSmtpTestServer& server) {
    ASSERT_TRUE(server.Started());
    ASSERT_TRUE(store_.CreateKey("\\Options"));
    store_.WriteText("\\Options", "MailServer", "127.0.0.1");
    store_.WriteText("\\Options", "MailPort", QString::number(server.Port()));
    store_.WriteText("\\Options", "MailTimeout", "20");
  }

  // Next's mnemonic: the button clicks once its pressed look has been shown.
  void Next() {
    auto* next = wizard_->findChild<QPushButton*>(QStringLiteral("NextBitBtn"));
    Key(Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([next] { return !next->isDown(); }, 10000));
  }

  // Through the pages to the Email page, the local network chosen; then Next twice: the first
  // save meets a full disk, the second succeeds and the proposal is sent.
  void Walk() {
    for (int i = 0; i < 6 && wizard_->CurrentPage() != TAcceptanceForm::EmailPage; ++i)
      Next();
    ASSERT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
    Key(Qt::Key_Down);
    ASSERT_EQ(wizard_->ConnectionMethod(), TConnectionMethod::LocalNetwork);
    ASSERT_TRUE(prompter_->Texts().isEmpty());

    prompter_->QueueFileName(saveAs_);
    {
      TFileSizeLimit full(16);  // the disk takes no more than 16 bytes of a new file
      Next();
    }
    // The save's own box names the file and why, then the wizard's.
    ASSERT_EQ(prompter_->Texts().size(), 2);
    EXPECT_TRUE(prompter_->Texts()[0].startsWith(
        QStringLiteral("Unable to open test case file\r%1: it could not be written")
            .arg(QDir::toNativeSeparators(saveAs_))));
    EXPECT_EQ(prompter_->Texts()[1], kNotSaved);
    EXPECT_EQ(mailDialogs_, 0);
    EXPECT_EQ(wizard_->CurrentPage(), TAcceptanceForm::EmailPage);
    EXPECT_TRUE(window_->CurrentFileName().isEmpty());
    EXPECT_TRUE(IsModified());

    prompter_->Clear();
    prompter_->QueueFileName(saveAs_);
    Next();
  }

  TAcceptanceForm* wizard_ = nullptr;
  int mailDialogs_ = 0;
  QString saveAs_ = Path("Hargreaves.PCD");
};

TEST_F(AcceptanceInTheWindow,
       SaveAsThroughTheWindowThenTheSavedFileIsSentAndAFailedWriteSendsNothing) {
  TSmtpTestServer server;
  AimAt(server);
  TQuoteDetails quote;
  quote.InsurerName = QStringLiteral("Corrie & Vale");
  quote.Premium = 412.5;
  SetStringValue(Id::EmailAddress, TPath{ProposerPath()}, QStringLiteral("david@example.net"));

  EXPECT_TRUE(OpenAcceptanceWizard(quote, window_.get()));
  EXPECT_EQ(prompter_->Texts(), QStringList({kSent}));
  EXPECT_EQ(mailDialogs_, 1);
  EXPECT_EQ(window_->CurrentFileName(), saveAs_);
  EXPECT_FALSE(IsModified());

  ASSERT_TRUE(server.WaitForMessages(1));
  const TReceivedMail mail = ParseMail(server.Message(1));
  QFile saved(saveAs_);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(AttachmentBytes(mail.Body, "Hargreaves.PCD"), saved.readAll());
  // What was stored before the wizard opened is in the saved file.
  ASSERT_EQ(LoadProposalFile(saveAs_), 0);
  EXPECT_EQ(GetStringValue(Id::EmailAddress, TPath{ProposerPath()}), "david@example.net");
}
