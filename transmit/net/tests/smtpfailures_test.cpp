// Replies the client must read right and the failures it must end in: multi-line replies,
// refused recipients, silent servers, refused connections, cancelling, and messages refused
// before anything is sent.

#include <QElapsedTimer>
#include <QTcpServer>
#include <thread>

#include "transmit/net/netexceptions.h"
#include "transmit/net/tests/smtpclientfixture.h"

namespace {

template <typename Exception>
QString FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  } catch (const std::exception& error) {
    return QStringLiteral("other exception: ") + QString::fromUtf8(error.what());
  }
  return QStringLiteral("no failure");
}

// What the user is told when the action fails.
QString ReasonOf(const TNetSMTP& smtp, const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    return DescribeFailure(error, smtp.Step());
  }
  return QStringLiteral("no failure");
}

TEST_F(SmtpClientTest, MultiLineRepliesAreReadAsOneReplyWithTheirLastLine) {
  TSmtpServerOptions options;
  options.GreetingLines = 2;
  TSmtpTestServer server(options);
  Aim(server);
  smtp_.Connect();
  EXPECT_TRUE(smtp_.Connected());
  EXPECT_EQ(smtp_.ReplyCode(), 250);  // the greeting's three lines were one reply, then Helo
  EXPECT_EQ(FailureOf<ENetAlreadyConnected>([&] { smtp_.Connect(); }), "Already connected.");

  // aiosmtpd's answer to Ehlo is a multi-line reply too.
  EXPECT_EQ(smtp_.SendCommand("Ehlo test", 250, QString()), 250);
  ASSERT_GE(smtp_.ReplyLines().size(), 3);
  EXPECT_TRUE(smtp_.ReplyLines().first().startsWith("250-qm-test-smtp"));
  EXPECT_EQ(smtp_.ReplyText(), smtp_.ReplyLines().last());
  EXPECT_TRUE(smtp_.ReplyText().startsWith("250 "));
  smtp_.Disconnect();
  EXPECT_FALSE(smtp_.Connected());

  TNetMessage message = BrokerMessage();
  smtp_.Send(message);
  EXPECT_TRUE(server.WaitForMessages(1));
}

TEST_F(SmtpClientTest, ARefusedRecipientEndsTheSendWithTheServersReply) {
  TSmtpServerOptions options;
  options.RejectRcpt = true;
  TSmtpTestServer server(options);
  Aim(server);
  TNetMessage message = BrokerMessage();
  EXPECT_EQ(FailureOf<ENetResponseError>([&] { smtp_.Send(message); }),
            "550 5.1.1 Mailbox unavailable");
  EXPECT_FALSE(smtp_.Connected());
  EXPECT_EQ(written_.last(), "Quit");
  EXPECT_EQ(ReasonOf(smtp_, [&] { smtp_.Send(message); }),
            "The mail server refused the recipient support@quillmarsh.example: 550 5.1.1 Mailbox "
            "unavailable");
  EXPECT_EQ(server.MessageCount(), 0);
}

TEST_F(SmtpClientTest, ASilentServerTimesOutInsteadOfHangingForEver) {
  TSmtpServerOptions options;
  options.Silent = true;
  TSmtpTestServer server(options);
  Aim(server, 700);
  TNetMessage message = BrokerMessage();
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(FailureOf<ENetSocketError>([&] { smtp_.Send(message); }),
            "Socket Error #10060\r\nConnection timed out.");
  EXPECT_LT(clock.elapsed(), 15000);
  EXPECT_FALSE(smtp_.Connected());
  EXPECT_EQ(ReasonOf(smtp_, [&] { smtp_.Send(message); }),
            "The mail server did not answer in time (the server's greeting).");
}

TEST_F(SmtpClientTest, ConnectionFailuresCarryTheirWinsockNumbers) {
  // A port that was free a moment ago: nobody listens there.
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const quint16 closedPort = probe.serverPort();
  probe.close();
  smtp_.SetHost(QStringLiteral("localhost"));
  smtp_.SetPort(closedPort);
  EXPECT_EQ(FailureOf<ENetSocketError>([&] { smtp_.Connect(); }),
            "Socket Error #10061\r\nConnection refused.");
  EXPECT_FALSE(smtp_.Connected());
  EXPECT_EQ(
      ReasonOf(smtp_, [&] { smtp_.Connect(); }),
      QStringLiteral("Socket Error #10061 Connection refused. (connecting to localhost port %1)")
          .arg(closedPort));

  smtp_.SetHost(QStringLiteral("no-such-host.invalid"));
  EXPECT_EQ(FailureOf<ENetSocketError>([&] { smtp_.Connect(); }),
            "Socket Error #11001\r\nHost not found.");

  EXPECT_EQ(FailureOf<ENetClosedSocket>([&] { smtp_.WriteLine("Noop"); }),
            "Socket is closed, cannot write");
}

TEST_F(SmtpClientTest, CancellingEndsAnExchangeThatIsWaitingForTheServer) {
  TSmtpServerOptions options;
  options.DataDelay = 60;
  TSmtpTestServer server(options);
  Aim(server);
  std::atomic<bool> cancel{false};
  smtp_.SetCancelFlag(&cancel);
  TNetMessage message = BrokerMessage();
  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    cancel = true;
  });
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(ReasonOf(smtp_, [&] { smtp_.Send(message); }), "");  // nothing to tell
  canceller.join();
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_FALSE(smtp_.Connected());
}

TEST_F(SmtpClientTest, MessagesThatCannotGoOutAsWrittenAreRefusedBeforeAnythingIsSent) {
  TSmtpTestServer server;
  Aim(server);
  const QString refused = QStringLiteral("no failure");

  TNetMessage injected = BrokerMessage();
  injected.SetHeader(THeader::Subject, "Quote\r\nBcc: victim@elsewhere.example");
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(injected); }),
            "The Subject header holds a line break; the message is not sent.");

  TNetMessage badTo = BrokerMessage();
  badTo.Too = QStringList{"broker@quillmarsh.example\nBcc: victim@elsewhere.example"};
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(badTo); }),
            "The To header holds a line break; the message is not sent.");

  TNetMessage noAtSign = BrokerMessage();
  noAtSign.Too = QStringList{"Broker <broker>"};
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(noAtSign); }),
            "The recipient \"broker\" is not a mail address; the message is not sent.");

  TNetMessage noFrom = BrokerMessage();
  noFrom.SetHeader(THeader::From, QString());
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(noFrom); }), "From not specified.");

  TNetMessage noTo = BrokerMessage();
  noTo.Too.clear();
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(noTo); }), "TO not specified.");

  TNetMessage badName = BrokerMessage();
  badName.Attachments << TAttachment{"q\r\n.PCD", WriteFile("q.PCD", "x")};
  EXPECT_EQ(FailureOf<ENetException>([&] { smtp_.Send(badName); }),
            "The attachment name q\r\n.PCD cannot be sent.");

  // Nothing was written, so the server never saw a connection.
  EXPECT_TRUE(written_.isEmpty());
  EXPECT_FALSE(smtp_.Connected());
}

}  // namespace
