#include "transmit/net/netmessageclient.h"

#include <QFile>
#include <QRegularExpression>

#include "platform/windows1252.h"
#include "transmit/net/netexceptions.h"

namespace {

// 45 bytes of a file make one Base64 line of 60 characters.
constexpr qint64 kAttachmentLineBytes = 45;
// A quoted-printable line holds at most 76 characters, its soft break included.
constexpr qsizetype kQuotedPrintableWidth = 76;

bool IsEightBit(const QString& line) {
  for (const char c : EncodeWindows1252(line)) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return true;
  }
  return false;
}

bool IsAscii(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() > 0x7E)
      return false;
  }
  return true;
}

// A parameter value as RFC 2231 writes one that is not plain ASCII: its UTF-8 bytes, each byte
// that is not a plain attribute character as "%XX".
QString ExtendedParameterValue(const QString& value) {
  static const QByteArray kPlain = QByteArrayLiteral("!#$&+-.^_`|~");
  QString encoded = QStringLiteral("utf-8''");
  for (const char c : value.toUtf8()) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z') || kPlain.contains(c))
      encoded += QLatin1Char(c);
    else
      encoded +=
          QLatin1Char('%') + QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
  }
  return encoded;
}

// `name="value"`, or `name*=utf-8''...` for a value that is not plain ASCII.
QString Parameter(const QString& name, const QString& value) {
  if (IsAscii(value))
    return name + QStringLiteral("=\"") + value + QLatin1Char('"');
  return name + QStringLiteral("*=") + ExtendedParameterValue(value);
}

}  // namespace

QStringList TNetMessageClient::BodyLines(const QStringList& text) {
  static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
  QStringList lines;
  for (const QString& line : text)
    lines += line.split(lineBreak);
  return lines;
}

TBodyEncoding TNetMessageClient::BodyEncoding(const QStringList& text, bool serverTakesEightBit) {
  for (const QString& line : text) {
    if (IsEightBit(line))
      return serverTakesEightBit ? TBodyEncoding::EightBit : TBodyEncoding::QuotedPrintable;
  }
  return TBodyEncoding::SevenBit;
}

QString TNetMessageClient::TextContentType(const TNetMessage& message, TBodyEncoding encoding) {
  if (encoding == TBodyEncoding::SevenBit ||
      message.ContentType.contains(QLatin1String("charset="), Qt::CaseInsensitive))
    return message.ContentType;
  return message.ContentType + QStringLiteral("; charset=windows-1252");
}

QString TNetMessageClient::TransferEncodingName(TBodyEncoding encoding) {
  switch (encoding) {
    case TBodyEncoding::SevenBit:
      return QStringLiteral("7bit");
    case TBodyEncoding::EightBit:
      return QStringLiteral("8bit");
    case TBodyEncoding::QuotedPrintable:
      return QStringLiteral("quoted-printable");
  }
  return QStringLiteral("7bit");
}

QStringList TNetMessageClient::QuotedPrintableLines(const QByteArray& line) {
  QStringList lines;
  QString current;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line.at(i));
    const bool last = i + 1 == line.size();
    QString piece;
    // Blanks stay as they are except at the end of a line, where transport may drop them.
    if ((byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !last))
      piece = QLatin1Char(static_cast<char>(byte));
    else
      piece = QStringLiteral("=%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    if (current.size() + piece.size() > kQuotedPrintableWidth - 1) {
      lines << current + QLatin1Char('=');
      current.clear();
    }
    current += piece;
  }
  lines << current;
  return lines;
}

void TNetMessageClient::WriteMessageBody(const TNetMessage& message, TBodyEncoding encoding) {
  if (message.Attachments.isEmpty()) {
    WriteBodyLines(message.Text, encoding);
    return;
  }
  const QString boundaryLine = QStringLiteral("--") + Boundary();
  WriteLine(QStringLiteral("This is a multi-part message in MIME format."));
  WriteLine(QString());
  WriteLine(boundaryLine);
  WriteLine(QStringLiteral("Content-Type: ") + TextContentType(message, encoding));
  WriteLine(QStringLiteral("Content-Transfer-Encoding: ") + TransferEncodingName(encoding));
  WriteLine(QString());
  WriteBodyLines(message.Text, encoding);
  for (const TAttachment& attachment : message.Attachments) {
    WriteLine(QString());
    WriteLine(boundaryLine);
    WriteAttachment(attachment);
  }
  WriteLine(boundaryLine + QStringLiteral("--"));
}

void TNetMessageClient::WriteBodyLines(const QStringList& text, TBodyEncoding encoding) {
  QStringList lines = BodyLines(text);
  if (encoding == TBodyEncoding::QuotedPrintable) {
    QStringList encoded;
    for (const QString& line : lines)
      encoded += QuotedPrintableLines(EncodeWindows1252(line));
    lines = encoded;
  }
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
  WriteLine(QStringLiteral("Content-Type: application/octet-stream;"));
  WriteLine(eightBlanks + Parameter(QStringLiteral("name"), attachment.FileName));
  WriteLine(QStringLiteral("Content-Transfer-Encoding: base64"));
  WriteLine(QStringLiteral("Content-Disposition: attachment;"));
  WriteLine(eightBlanks + Parameter(QStringLiteral("filename"), attachment.FileName));
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
