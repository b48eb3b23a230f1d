// Send e-mail against a mail server that fails in mid-exchange: the user is asked whether to
// try again, and nothing is lost: the saved quotation and the proposal stay as they were, and a
// retry sends the whole message.

#include "motor/proposallisting.h"
#include "transmit/net/tests/faultysmtpserver.h"
#include "transmit/tests/emailfixture.h"

namespace {

class EMailFaultTest : public EMailTest {
 protected:
  void AimAtFaulty(const TFaultySmtpServer& server) {
    ASSERT_TRUE(server.Started());
    SetOption("MailServer", "127.0.0.1");
    SetOption("MailPort", QString::number(server.Port()));
    SetOption("MailTimeout", "20");
  }

  QByteArray QuotationBytes() const {
    QFile file(quotation_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // The retry question with the reason beneath it.
  void ExpectOneFailurePrompt(const QString& reason) {
    ASSERT_EQ(prompter_->Prompts().size(), 1);
    EXPECT_EQ(prompter_->Prompts()[0].text.toStdString(),
              TEMailForm::FailureText(reason).toStdString());
    EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Confirmation);
    EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::YesNo);
  }
};

TEST_F(EMailFaultTest, AConnectionDroppedInTheMiddleOfTheMessageIsToldAndARetrySendsItWhole) {
  TFaultySmtpOptions options;
  options.DropInDataAfter = 2000;
  TFaultySmtpServer server(options);
  AimAtFaulty(server);
  const QByteArray quotation = QuotationBytes();
  const QStringList listing = ProposalListingLines();
  prompter_->QueueAnswer(PromptAnswer::Yes);

  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));

  EXPECT_TRUE(finishedInTime_);
  ExpectOneFailurePrompt("The mail server closed the connection (the acceptance of the message).");
  ASSERT_EQ(server.MessageCount(), 1);
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_EQ(AttachmentBytes(mail.Body, "Hargreaves.PCD"), quotation);
  EXPECT_EQ(QuotationBytes(), quotation);
  EXPECT_EQ(ProposalListingLines(), listing);
}

TEST_F(EMailFaultTest, AReplyLineOf100KilobytesIsToldAndNoKeepsEverything) {
  TFaultySmtpOptions options;
  options.LongReplyTo = "RCPT";
  options.LongReplyLength = 100 * 1024;
  TFaultySmtpServer server(options);
  AimAtFaulty(server);
  const QByteArray quotation = QuotationBytes();
  const QStringList listing = ProposalListingLines();
  prompter_->QueueAnswer(PromptAnswer::No);

  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));

  EXPECT_TRUE(finishedInTime_);
  // A reply of pages is cut to its start.
  ExpectOneFailurePrompt("The mail server refused the recipient support@quillmarsh.example: 554 " +
                         QString(196, 'x') + "...");
  EXPECT_EQ(server.MessageCount(), 0);
  EXPECT_EQ(QuotationBytes(), quotation);
  EXPECT_EQ(ProposalListingLines(), listing);
  EXPECT_FALSE(store_.ValueExists("\\Options", "CurrentInternetMailServer"));
}

}  // namespace
