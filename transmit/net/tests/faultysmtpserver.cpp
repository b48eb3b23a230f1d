#include "transmit/net/tests/faultysmtpserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

TFaultySmtpServer::TFaultySmtpServer(const TFaultySmtpOptions& options) {
  QStringList arguments{QStringLiteral(QM_FAULTY_SMTP_SERVER), QStringLiteral("--maildir"),
                        mailFolder_.path(), QStringLiteral("--faulty"),
                        QString::number(options.FaultyConnections)};
  if (options.DropInDataAfter > 0)
    arguments << QStringLiteral("--drop-in-data") << QString::number(options.DropInDataAfter);
  if (!options.LongReplyTo.isEmpty())
    arguments << QStringLiteral("--long-reply")
              << options.LongReplyTo + QLatin1Char(':') + QString::number(options.LongReplyLength);
  if (!options.EndlessLineTo.isEmpty())
    arguments << QStringLiteral("--endless-line") << options.EndlessLineTo;
  if (!options.EndlessReplyTo.isEmpty())
    arguments << QStringLiteral("--endless-reply") << options.EndlessReplyTo;
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start(QStringLiteral("/usr/bin/python3"), arguments);
  if (!process_.waitForStarted(10000))
    return;
  const QDeadlineTimer deadline(20000);
  while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() == QProcess::Running)
    process_.waitForReadyRead(100);
  const QByteArray line = process_.readLine().trimmed();
  if (line.startsWith("PORT "))
    port_ = static_cast<quint16>(line.mid(5).toUInt());
}

TFaultySmtpServer::~TFaultySmtpServer() {
  // The server ends when its input closes; a kill makes sure.
  process_.closeWriteChannel();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

int TFaultySmtpServer::MessageCount() const {
  return static_cast<int>(
      QDir(mailFolder_.path()).entryList({QStringLiteral("*.eml")}, QDir::Files).size());
}

QByteArray TFaultySmtpServer::Message(int n) const {
  QFile file(mailFolder_.filePath(QStringLiteral("%1.eml").arg(n, 4, 10, QLatin1Char('0'))));
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return file.readAll();
}
