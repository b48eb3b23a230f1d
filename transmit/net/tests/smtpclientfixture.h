#pragma once
// Shared set-up of the SMTP client tests: a client aimed at a test server, a recorded trace of
// the lines it writes, and the preset message of the e-mail dispatch.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "transmit/net/netmessage.h"
#include "transmit/net/netsmtp.h"
#include "transmit/net/tests/smtptestserver.h"

class SmtpClientTest : public ::testing::Test {
 protected:
  // A client for the server, tracing every line it writes.
  void Aim(const TSmtpTestServer& server, int timeoutMs = 20000) {
    ASSERT_TRUE(server.Started());
    smtp_.SetHost(QStringLiteral("127.0.0.1"));
    smtp_.SetPort(server.Port());
    smtp_.SetTimeout(timeoutMs);
    smtp_.SetOnTrace([this](bool incoming, const QByteArray& line) {
      if (!incoming)
        written_ << QString::fromLatin1(line);
    });
  }

  // The message as the dispatch presets it: Subject and From first.
  static TNetMessage BrokerMessage() {
    TNetMessage message;
    message.SetHeader(THeader::Subject, QStringLiteral("Quillmarsh"));
    message.SetHeader(THeader::From, QStringLiteral("quillmarsh@quillmarsh.example"));
    message.Too << QStringLiteral("Broker Desk <broker@quillmarsh.example>");
    message.BCCList << QStringLiteral("support@quillmarsh.example");
    return message;
  }

  QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = folder_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }

  static QByteArray Bytes(int n) {
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i)
      bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    return bytes;
  }

  QTemporaryDir folder_;
  TNetSMTP smtp_;
  QStringList written_;
};
