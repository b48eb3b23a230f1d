// Send e-mail end to end: the broker's mailbox on a real SMTP server receives the listing and
// the quotation file; failures, time-outs and Cancel end as the user is told.

#include <QElapsedTimer>
#include <QJsonArray>

#include "motor/proposallisting.h"
#include "platform/windows1252.h"
#include "transmit/tests/emailfixture.h"

namespace {

TEST_F(EMailTest, TheBrokerReceivesTheListingAndTheQuotationWhileTheWindowStaysResponsive) {
  TSmtpServerOptions options;
  options.DataDelay = 1;  // the server takes a second to accept: the window must keep working
  TSmtpTestServer server(options);
  AimAt(server);
  SetOption("EMailTo", "Quotes Desk <quotes@broker.example>");
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  afterSend_ = [&](TEMailForm& form) {
    EXPECT_TRUE(form.Sending());
    EXPECT_FALSE(Button("SendBitBtn")->isEnabled());
    ticker.start(20);
  };

  EXPECT_TRUE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  ticker.stop();
  EXPECT_TRUE(finishedInTime_);
  EXPECT_GE(ticks, 10);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(Options()->GetMailServer(), "127.0.0.1");
  EXPECT_EQ(store_.ReadText("\\Options", "CurrentInternetMailServer"), QString("127.0.0.1"));

  ASSERT_TRUE(server.WaitForMessages(1));
  EXPECT_EQ(server.Envelope(1)["rcpt_tos"].toArray().toVariantList(),
            QVariantList({"support@quillmarsh.example", "quotes@broker.example"}));
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_EQ(mail.HeaderNames, QStringList({"Subject", "From", "Date", "MIME-Version",
                                           "Content-Type", "To", "X-Library"}));
  EXPECT_EQ(mail.Header("Subject"), "Quillmarsh");
  EXPECT_EQ(mail.Header("From"), "quillmarsh@quillmarsh.example");
  EXPECT_EQ(mail.Header("To"), "Quotes Desk <quotes@broker.example>");
  const QByteArray listing =
      EncodeWindows1252(ProposalListingLines().join(QStringLiteral("\r\n"))) + "\r\n";
  EXPECT_TRUE(mail.Body.contains("Content-Transfer-Encoding: 7bit\r\n\r\n" + listing +
                                 "\r\n--=_NextPart_2rfksadvnqw3nerasdf\r\n"));
  QFile file(quotation_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_EQ(AttachmentBytes(mail.Body, "Hargreaves.PCD"), bytes);
  // The bar followed the attachment to its end.
  ASSERT_FALSE(progressValues_.isEmpty());
  EXPECT_GE(progressValues_.size(), 3);
  EXPECT_EQ(progressValues_.last(), bytes.size());
}

TEST_F(EMailTest, AFailedSendAsksToTryAgainAndNoEndsWithoutSending) {
  TSmtpServerOptions options;
  options.RejectRcpt = true;
  TSmtpTestServer server(options);
  AimAt(server);
  prompter_->QueueAnswer(PromptAnswer::Yes);
  prompter_->QueueAnswer(PromptAnswer::No);

  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  ASSERT_EQ(prompter_->Prompts().size(), 2);
  for (const RecordedPrompt& prompt : prompter_->Prompts()) {
    // The question as it always read, and beneath it the reason.
    EXPECT_EQ(prompt.text.toStdString(),
              "Unable to connect to the Internet. \r\rPlease Check your Internet settings, or "
              "connect manually to the Internet before Sending.\r\rDo you want to try and "
              "connect again now?\r\rThe mail server refused the recipient "
              "support@quillmarsh.example: 550 5.1.1 Mailbox unavailable");
    EXPECT_EQ(prompt.kind, PromptKind::Confirmation);
    EXPECT_EQ(prompt.buttons, PromptButtons::YesNo);
  }
  EXPECT_EQ(server.MessageCount(), 0);
  EXPECT_FALSE(store_.ValueExists("\\Options", "CurrentInternetMailServer"));
}

TEST_F(EMailTest, AServerThatNeverAnswersEndsInTheRetryPromptWithinTheTimeOut) {
  TSmtpServerOptions options;
  options.Silent = true;
  TSmtpTestServer server(options);
  AimAt(server, 1);
  prompter_->QueueAnswer(PromptAnswer::No);
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_LT(clock.elapsed(), 20000);
  EXPECT_EQ(
      prompter_->Texts().join("|").toStdString(),
      TEMailForm::FailureText("The mail server did not answer in time (the server's greeting).")
          .toStdString());
}

TEST_F(EMailTest, CancelDuringASlowServerClosesTheDialogAtOnce) {
  TSmtpServerOptions options;
  options.DataDelay = 60;
  TSmtpTestServer server(options);
  AimAt(server);
  QElapsedTimer sinceCancel;
  afterSend_ = [&](TEMailForm& form) {
    QTimer::singleShot(500, &form, [&] {
      sinceCancel.start();
      QTest::mouseClick(Button("CancelBitBtn"), Qt::LeftButton);
    });
  };
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_TRUE(finishedInTime_);
  EXPECT_LT(sinceCancel.elapsed(), 2000);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(EMailTest, AnEMailToWithALineBreakIsRefusedBeforeAnythingIsSent) {
  TSmtpTestServer server;
  AimAt(server);
  SetOption("EMailTo", "quotes@broker.example\r\nBcc: someone@elsewhere.example");
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(SendEMail(quotation_, TConnectionMethod::LocalNetwork));
  EXPECT_EQ(prompter_->Texts().join("|").toStdString(),
            TEMailForm::FailureText("The To header holds a line break; the message is not sent.")
                .toStdString());
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(EMailTest, AMissingQuotationFileSendsTheListingAlone) {
  TSmtpTestServer server;
  AimAt(server);
  EXPECT_TRUE(SendEMail(files_.filePath("Gone.PCD"), TConnectionMethod::Manual));
  ASSERT_TRUE(server.WaitForMessages(1));
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_FALSE(mail.HeaderNames.contains("MIME-Version"));
  EXPECT_EQ(mail.Header("Content-Type"), "text/plain");
  EXPECT_EQ(mail.Header("To"), "broker@quillmarsh.example");
  EXPECT_TRUE(mail.Body.startsWith("Insurer Plan ID = "));
}

}  // namespace
