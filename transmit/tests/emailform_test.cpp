// The "Send Quotation" dialog itself: its controls and texts, the message's fixed settings, and
// the dial-up connection that method 2 makes first.

#include <QLabel>

#include "transmit/dialupnetworkingform.h"
#include "transmit/emaildialup.h"
#include "transmit/rasscriptedbackend.h"
#include "transmit/tests/emailfixture.h"

namespace {

// A dial-up connection that answers as told and counts what it was asked.
struct TScriptedDialUp : TEMailDialUp {
  struct Calls {
    bool Available = true;
    bool Connects = false;
    int Dials = 0;
    int HangUps = 0;
  };
  explicit TScriptedDialUp(Calls& calls) : calls_(calls) {}
  bool Available() override { return calls_.Available; }
  bool Dial(QWidget*) override {
    ++calls_.Dials;
    return calls_.Connects;
  }
  void HangUp() override { ++calls_.HangUps; }
  Calls& calls_;
};

class EMailFormTest : public EMailTest {
 protected:
  void SetUp() override {
    EMailTest::SetUp();
    TTransmitSeams::Current().emailDialUp = [this] {
      return std::make_unique<TScriptedDialUp>(calls_);
    };
  }
  static QString Instruction(const TEMailForm& form) {
    return form.findChild<QLabel*>(QStringLiteral("InstructionLabel"))->text();
  }

  TScriptedDialUp::Calls calls_;
};

TEST_F(EMailFormTest, TheDialogNamesItsControlsAndTellsWhatToDoByMethod) {
  TEMailForm local(quotation_, TConnectionMethod::LocalNetwork);
  EXPECT_EQ(local.objectName(), "TEMailForm");
  EXPECT_EQ(local.windowTitle(), "Send Quotation");
  const auto* heading = local.findChild<QLabel*>(QStringLiteral("StatusLabel"));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->text(), "Status");
  EXPECT_TRUE(heading->font().bold());
  const auto* progress = local.findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
  EXPECT_EQ(progress->maximum(), 100);
  const auto* send = local.findChild<QPushButton*>(QStringLiteral("SendBitBtn"));
  const auto* cancel = local.findChild<QPushButton*>(QStringLiteral("CancelBitBtn"));
  EXPECT_EQ(send->text(), "&Send");
  EXPECT_EQ(cancel->text(), "&Cancel");
  EXPECT_TRUE(send->isDefault());
  EXPECT_EQ(send->nextInFocusChain(), cancel);
  const QString click =
      "Click 'Send' to send details of your quotation to Quillmarsh now. Click 'Cancel' to abort "
      "the transfer.";
  EXPECT_EQ(Instruction(local), click);
  EXPECT_EQ(Instruction(TEMailForm(quotation_, TConnectionMethod::DialUp)), click);
  EXPECT_EQ(Instruction(TEMailForm(quotation_, TConnectionMethod::Manual)),
            "Manually connect to the Internet now. When you have connected click 'Send' to "
            "transmit your details, else click'Cancel' to abort the transfer.");

  // The message's fixed settings; EMailTo, when set, replaces the whole To list.
  EXPECT_EQ(local.Msg().Headers(),
            QStringList({"Subject=Quillmarsh", "From=quillmarsh@quillmarsh.example"}));
  EXPECT_EQ(local.Msg().Too, QStringList({"broker@quillmarsh.example"}));
  EXPECT_EQ(local.Msg().BCCList, QStringList({"support@quillmarsh.example"}));
  EXPECT_TRUE(local.Msg().CCList.isEmpty());
  SetOption("EMailTo", "quotes@broker.example");
  EXPECT_EQ(TEMailForm(quotation_, TConnectionMethod::LocalNetwork).Msg().Too,
            QStringList({"quotes@broker.example"}));
  SetOption("EMailTo", "");
  EXPECT_EQ(TEMailForm(quotation_, TConnectionMethod::LocalNetwork).Msg().Too,
            QStringList({"broker@quillmarsh.example"}));
}

TEST_F(EMailFormTest, WithoutADialUpConnectionSendIsEnabledAgainAndNothingIsSent) {
  TSmtpTestServer server;
  AimAt(server);
  afterSend_ = [&](TEMailForm& form) {
    EXPECT_FALSE(form.Sending());
    EXPECT_TRUE(Button("SendBitBtn")->isEnabled());
    QTimer::singleShot(0, &form, [this] { QTest::keyClick(form_, Qt::Key_Escape); });
  };
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::DialUp));
  EXPECT_EQ(calls_.Dials, 1);
  EXPECT_GE(calls_.HangUps, 1);  // hung up when the dialog went
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(EMailFormTest, ADialledConnectionCarriesTheSendAndIsHungUpBeforeARetry) {
  TSmtpServerOptions options;
  options.RejectRcpt = true;
  TSmtpTestServer refusing(options);
  AimAt(refusing);
  calls_.Connects = true;
  prompter_->QueueAnswer(PromptAnswer::Yes);
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::DialUp));
  EXPECT_EQ(calls_.Dials, 2);    // dialled again for the retry
  EXPECT_EQ(calls_.HangUps, 2);  // before the retry, and when the dialog went
  EXPECT_EQ(prompter_->Prompts().size(), 2);

  TSmtpTestServer server;
  AimAt(server);
  calls_ = {};
  calls_.Connects = true;
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::DialUp));
  EXPECT_EQ(calls_.Dials, 1);
  EXPECT_EQ(calls_.HangUps, 1);
  EXPECT_TRUE(server.WaitForMessages(1));
}

}  // namespace

// The program's own dial-up: the "Dial-up Connection" dialog on the remote-access layer.
class EMailRasTest : public EMailTest {
 protected:
  void SetUp() override {
    EMailTest::SetUp();
    backend_ = std::make_shared<TScriptedRasBackend>();
    TTransmitSeams::Current().rasBackend = backend_;
  }
  std::shared_ptr<TScriptedRasBackend> backend_;
};

TEST_F(EMailRasTest, WithoutPhoneBookEntriesTheUserIsToldAndSendIsEnabledAgain) {
  afterSend_ = [&](TEMailForm& form) {
    EXPECT_TRUE(Button("SendBitBtn")->isEnabled());
    QTimer::singleShot(0, &form, [this] { QTest::keyClick(form_, Qt::Key_Escape); });
  };
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::DialUp));
  EXPECT_TRUE(otherDialogs_.isEmpty());  // no dial-up dialog with nothing in it
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].text, TEMailForm::NoDialUpText());
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_TRUE(TEMailForm::NoDialUpText().startsWith(
      "No dial-up connection is set up on this computer.\r\r"));
}

TEST_F(EMailRasTest, TheDialUpDialogConnectsFirstAndTheLineIsHungUpAfterTheSend) {
  TSmtpTestServer server;
  AimAt(server);
  backend_->AddEntry(QStringLiteral("Office modem"), QStringLiteral("quotes"),
                     QStringLiteral("dial-in"));
  otherDialog_ = [&](QDialog& dialog) {
    auto* form = qobject_cast<TDialUpNewtorkingForm*>(&dialog);
    EXPECT_NE(form, nullptr);
    if (form == nullptr)
      return int(QDialog::Rejected);
    dialog.open();
    QTest::mouseClick(form->OkBitBtn(), Qt::LeftButton);
    backend_->Notify(RasState::kOpenPort);
    backend_->Notify(RasState::kConnected);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 10000));
    return dialog.result();
  };
  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::DialUp));
  EXPECT_EQ(otherDialogs_, QStringList({"TDialUpNewtorkingForm"}));
  ASSERT_EQ(backend_->Dials().size(), 1);
  EXPECT_EQ(backend_->Dials().first().entryName, "Office modem");
  EXPECT_TRUE(server.WaitForMessages(1));
  EXPECT_EQ(backend_->LiveConnection(), 0u);  // hung up when the dialog went
}
