// The message's header list, recipient addresses, the Date header, the socket error texts and
// the read buffer's sizing: no server needed.

#include <gtest/gtest.h>

#include <QTimeZone>

#include "transmit/net/netexceptions.h"
#include "transmit/net/netmessage.h"
#include "transmit/net/netreadbuffer.h"
#include "transmit/net/netsocket.h"

namespace {

TEST(NetMessageTest, HeadersAreReplacedInPlaceAppendedAtTheEndAndRemovedWhenEmpty) {
  TNetMessage message;
  message.SetHeader(THeader::Subject, "Quillmarsh");
  message.SetHeader(THeader::From, "a@quillmarsh.example");
  message.SetHeader("X-Extra", "one=two");
  EXPECT_EQ(message.Headers(),
            QStringList({"Subject=Quillmarsh", "From=a@quillmarsh.example", "X-Extra=one=two"}));
  message.SetHeader("subject", "Replaced");
  EXPECT_EQ(message.Headers().first(), "subject=Replaced");
  EXPECT_EQ(message.Header("SUBJECT"), "Replaced");
  EXPECT_EQ(message.Header("x-extra"), "one=two");
  message.SetHeader(THeader::From, QString());
  EXPECT_EQ(message.Headers(), QStringList({"subject=Replaced", "X-Extra=one=two"}));
  EXPECT_EQ(message.Header(THeader::ReplyTo), "");
  EXPECT_EQ(HeaderName(THeader::ReplyTo), "Reply-To");
  EXPECT_EQ(HeaderName(THeader::MessageID), "Message-ID");
  EXPECT_EQ(message.ContentType, "text/plain");
  EXPECT_TRUE(message.UseNowForDate);
}

TEST(NetMessageTest, AddressesAreTakenFromEitherFormOfEntry) {
  QString name;
  EXPECT_EQ(ExtractAddress(" Broker Desk  < broker@q.example > ", &name), "broker@q.example");
  EXPECT_EQ(name, "Broker Desk");
  EXPECT_EQ(ExtractAddress("\"Quoted Name\" <q@q.example>", &name), "q@q.example");
  EXPECT_EQ(name, "Quoted Name");
  EXPECT_EQ(ExtractAddress("'Single' <s@q.example>", &name), "s@q.example");
  EXPECT_EQ(name, "Single");
  EXPECT_EQ(ExtractAddress("desk@q.example (The Desk)", &name), "desk@q.example");
  EXPECT_EQ(name, "The Desk");
  EXPECT_EQ(ExtractAddress("<bare@q.example>", &name), "bare@q.example");
  EXPECT_EQ(name, "bare@q.example");
  EXPECT_EQ(ExtractAddress("plain@q.example", &name), "plain@q.example");
  EXPECT_EQ(name, "plain@q.example");
  EXPECT_EQ(ExtractAddress("   "), "");
}

TEST(NetMessageTest, TheDateHeaderIsEnglishWithTheZoneOffset) {
  const QDateTime summer(QDate(2024, 7, 5), QTime(9, 3, 7), QTimeZone(3600));
  EXPECT_EQ(DateHeaderValue(summer), "Fri, 5 Jul 2024 09:03:07 +0100");
  const QDateTime west(QDate(2023, 12, 31), QTime(23, 59, 59), QTimeZone(-(5 * 3600 + 30 * 60)));
  EXPECT_EQ(DateHeaderValue(west), "Sun, 31 Dec 2023 23:59:59 -0530");
  const QDateTime utc(QDate(2000, 2, 29), QTime(0, 0), QTimeZone::utc());
  EXPECT_EQ(DateHeaderValue(utc), "Tue, 29 Feb 2000 00:00:00 +0000");
  try {
    DateHeaderValue(QDateTime());
    FAIL();
  } catch (const ENetException& error) {
    EXPECT_EQ(error.Message(), "Failed attempting to retrieve time zone information.");
  }
}

TEST(NetMessageTest, SocketErrorsCarryTheWinsockNumberAndText) {
  EXPECT_EQ(SocketErrorText(10061), "Socket Error #10061\r\nConnection refused.");
  EXPECT_EQ(SocketErrorText(10035), "Socket Error #10035\r\nOperation would block. ");
  EXPECT_EQ(SocketErrorText(11004),
            "Socket Error #11004\r\nValid name, no data record (check DNS setup).");
  EXPECT_EQ(SocketErrorText(12345), "Socket Error #12345\r\n");
  EXPECT_EQ(ENetSocketError(10060).ErrorNumber(), 10060);
  EXPECT_EQ(WinsockErrorNumber(QAbstractSocket::ConnectionRefusedError), 10061);
  EXPECT_EQ(WinsockErrorNumber(QAbstractSocket::HostNotFoundError), 11001);
  EXPECT_EQ(WinsockErrorNumber(QAbstractSocket::SocketTimeoutError), 10060);
}

TEST(NetReadBufferTest, TheBufferGrowsAndShrinksByChunks) {
  TNetReadBuffer buffer(16);
  qsizetype room = 0;
  char* into = buffer.PrepareRead(room);
  EXPECT_EQ(buffer.Size(), 16);  // empty: one chunk
  std::memcpy(into, "abcdefghij\r\nklm", 15);
  buffer.Commit(15);
  EXPECT_EQ(buffer.IndexOf("\r\n"), 10);
  // Less than half free: one chunk more.
  buffer.PrepareRead(room);
  EXPECT_EQ(buffer.Size(), 32);
  EXPECT_EQ(room, 17);
  EXPECT_EQ(buffer.Take(10), "abcdefghij");
  buffer.Skip(2);
  EXPECT_EQ(buffer.Available(), 3);
  // The waiting bytes move to the front.
  into = buffer.PrepareRead(room);
  EXPECT_EQ(room, 29);
  std::memcpy(into, std::string(29, 'x').data(), 29);
  buffer.Commit(29);
  for (int i = 0; i < 4; ++i)
    buffer.PrepareRead(room), buffer.Commit(room);
  EXPECT_GT(buffer.Size(), 64);
  const qsizetype grown = buffer.Size();
  buffer.Skip(buffer.Available() - 1);
  // Far more than two chunks free: one chunk less at each read.
  buffer.PrepareRead(room);
  EXPECT_EQ(buffer.Size(), grown - 16);
  buffer.Clear();
  EXPECT_EQ(buffer.Available(), 0);
}

}  // namespace
