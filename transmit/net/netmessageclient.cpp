#include "transmit/net/netmessageclient.h"

#include <QFile>

#include "transmit/net/netexceptions.h"

namespace {

// 45 bytes of a file make one Base64 line of 60 characters.
constexpr qint64 kAttachmentLineBytes = 45;

}  // namespace

void TNetMessageClient::WriteMessageBody(const TNetMessage& message) {
  if (message.Attachments.isEmpty()) {
    WriteBodyLines(message.Text);
    return;
  }
  const QString boundaryLine = QStringLiteral("--") + Boundary();
  WriteLine(QStringLiteral("This is a multi-part message in MIME format."));
  WriteLine(QString());
  WriteLine(boundaryLine);
  WriteLine(QStringLiteral("Content-Type: ") + message.ContentType);
  WriteLine(QStringLiteral("Content-Transfer-Encoding: 7bit"));
  WriteLine(QString());
  WriteBodyLines(message.Text);
  for (const TAttachment& attachment : message.Attachments) {
    WriteLine(QString());
    WriteLine(boundaryLine);
    WriteAttachment(attachment);
  }
  WriteLine(boundaryLine + QStringLiteral("--"));
}

void TNetMessageClient::WriteBodyLines(const QStringList& lines) {
  // A line that begins with a full stop gets another one, so that no body line can end the
  // message; the server takes the extra one away.
  for (const QString& line : lines) {
    if (line.startsWith(QLatin1Char('.')))
      WriteLine(QLatin1Char('.') + line);
    else
      WriteLine(line);
  }
}

void TNetMessageClient::WriteAttachment(const TAttachment& attachment) {
  QFile file(attachment.StoredPathName);
  if (!file.open(QIODevice::ReadOnly))
    throw ENetException(QStringLiteral("The attachment %1 cannot be read: %2")
                            .arg(attachment.StoredPathName, file.errorString()));
  const QString eightBlanks(8, QLatin1Char(' '));
  const QString quotedName = QLatin1Char('"') + attachment.FileName + QLatin1Char('"');
  WriteLine(QStringLiteral("Content-Type: application/octet-stream;"));
  WriteLine(eightBlanks + QStringLiteral("name=") + quotedName);
  WriteLine(QStringLiteral("Content-Transfer-Encoding: base64"));
  WriteLine(QStringLiteral("Content-Disposition: attachment;"));
  WriteLine(eightBlanks + QStringLiteral("filename=") + quotedName);
  WriteLine(QString());
  BeginWork(file.size());
  for (;;) {
    const QByteArray bytes = file.read(kAttachmentLineBytes);
    if (bytes.isEmpty())
      break;
    WriteBytes(bytes.toBase64() + QByteArrayLiteral("\r\n"));
    ReportWork(bytes.size());
  }
  if (file.error() != QFileDevice::NoError)
    throw ENetException(QStringLiteral("The attachment %1 cannot be read: %2")
                            .arg(attachment.StoredPathName, file.errorString()));
  EndWork();
  WriteLine(QString());
}
