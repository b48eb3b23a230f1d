// A mail server that fails the client in mid-exchange: it drops the connection while the message
// is being sent, answers with a reply line of 100 kB, with a line that never ends or with a reply
// whose lines never end. Each ends the send with a failure, closes the connection, and keeps the
// client's memory bounded.

#include <QElapsedTimer>

#include "transmit/net/netexceptions.h"
#include "transmit/net/tests/faultysmtpserver.h"
#include "transmit/net/tests/smtpclientfixture.h"

namespace {

// What the read buffer may grow to: the longest reply line accepted (1 MB) and a chunk or two.
constexpr qsizetype kBufferBound = 1024 * 1024 + 4 * TNetReadBuffer::kDefaultChunk;

class SmtpFaultTest : public SmtpClientTest {
 protected:
  void AimAt(const TFaultySmtpServer& server) {
    ASSERT_TRUE(server.Started());
    smtp_.SetHost(QStringLiteral("127.0.0.1"));
    smtp_.SetPort(server.Port());
    smtp_.SetTimeout(20000);
  }

  // Sends the message; answers the failure's text, or "no failure".
  QString SendFailing(TNetMessage& message) {
    try {
      smtp_.Send(message);
    } catch (const ENetException& error) {
      return error.Message();
    }
    return QStringLiteral("no failure");
  }

  // The broker's message with a quotation file of 60 kB attached, long enough to be cut.
  TNetMessage MessageWithAttachment() {
    TNetMessage message = BrokerMessage();
    message.Text = QStringList{"Proposal listing"};
    message.Attachments << TAttachment{"Hargreaves.PCD", WriteFile("Hargreaves.PCD", Bytes(60000))};
    return message;
  }
};

TEST_F(SmtpFaultTest, AConnectionDroppedInTheMiddleOfTheMessageFailsAndARetrySendsItWhole) {
  TFaultySmtpOptions options;
  options.DropInDataAfter = 20000;
  TFaultySmtpServer server(options);
  AimAt(server);
  TNetMessage message = MessageWithAttachment();

  // The server's reset comes as a closed connection or as a socket error, as the timing goes.
  EXPECT_NE(SendFailing(message), "no failure");
  EXPECT_FALSE(smtp_.Connected());
  EXPECT_EQ(server.MessageCount(), 0);

  // The message and its attachment are as they were: the second connection takes it whole.
  EXPECT_EQ(SendFailing(message), "no failure");
  ASSERT_EQ(server.MessageCount(), 1);
  const TReceivedMail mail = ParseMail(server.Message(1));
  EXPECT_EQ(AttachmentBytes(mail.Body, "Hargreaves.PCD"), Bytes(60000));
}

TEST_F(SmtpFaultTest, AReplyLineOf100KilobytesIsTheFailureItSays) {
  for (const char* command : {"MAIL", "DATA"}) {
    TFaultySmtpOptions options;
    options.LongReplyTo = command;
    options.LongReplyLength = 100 * 1024;
    TFaultySmtpServer server(options);
    AimAt(server);
    TNetMessage message = MessageWithAttachment();

    const QString failure = SendFailing(message);

    EXPECT_EQ(failure.size(), 100 * 1024) << command;
    EXPECT_TRUE(failure.startsWith("554 xxxx")) << command;
    EXPECT_FALSE(smtp_.Connected()) << command;
    EXPECT_LE(smtp_.Buffer().Size(), kBufferBound) << command;
    EXPECT_EQ(server.MessageCount(), 0) << command;
  }
}

TEST_F(SmtpFaultTest, ALineOrAReplyThatNeverEndsIsRefusedWithoutReadingItAll) {
  struct Case {
    bool line;  // one endless line, or endless "250-" lines of one reply
    const char* failure;
  };
  for (const Case& c : {Case{true, "The server sent a line too long to be a reply."},
                        Case{false, "The server sent a reply too long to be a reply."}}) {
    TFaultySmtpOptions options;
    (c.line ? options.EndlessLineTo : options.EndlessReplyTo) = "RCPT";
    TFaultySmtpServer server(options);
    AimAt(server);
    TNetMessage message = MessageWithAttachment();
    QElapsedTimer clock;
    clock.start();

    EXPECT_EQ(SendFailing(message), c.failure);

    EXPECT_LT(clock.elapsed(), 15000) << c.failure;
    EXPECT_FALSE(smtp_.Connected()) << c.failure;
    EXPECT_LE(smtp_.Buffer().Size(), kBufferBound) << c.failure;
    EXPECT_TRUE(smtp_.ReplyLines().size() < 20000) << c.failure;
    EXPECT_EQ(server.MessageCount(), 0) << c.failure;
  }
}

}  // namespace
