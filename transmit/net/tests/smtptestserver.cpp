#include "transmit/net/tests/smtptestserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QThread>

TSmtpTestServer::TSmtpTestServer(const TSmtpServerOptions& options) {
  QStringList arguments{QStringLiteral(QM_SMTP_TEST_SERVER), QStringLiteral("--maildir"),
                        mailFolder_.path()};
  if (options.GreetingLines > 0)
    arguments << QStringLiteral("--greeting-lines") << QString::number(options.GreetingLines);
  if (options.RejectRcpt)
    arguments << QStringLiteral("--reject-rcpt");
  if (options.DataDelay > 0)
    arguments << QStringLiteral("--data-delay") << QString::number(options.DataDelay);
  if (options.Silent)
    arguments << QStringLiteral("--silent");
  if (!options.TlsCert.isEmpty())
    arguments << QStringLiteral("--tls-cert") << options.TlsCert << QStringLiteral("--tls-key")
              << options.TlsKey;
  if (options.ImplicitTls)
    arguments << QStringLiteral("--implicit-tls");
  if (options.No8BitMime)
    arguments << QStringLiteral("--no-8bitmime");
  if (!options.Auth.isEmpty())
    arguments << QStringLiteral("--auth") << options.Auth;
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // Debian's own interpreter, which has aiosmtpd (another python3 on the path may not).
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

TSmtpTestServer::~TSmtpTestServer() {
  // The server ends when its input closes; a kill makes sure.
  process_.closeWriteChannel();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

int TSmtpTestServer::MessageCount() const {
  return static_cast<int>(
      QDir(mailFolder_.path()).entryList({QStringLiteral("*.json")}, QDir::Files).size());
}

bool TSmtpTestServer::WaitForMessages(int count, int timeoutMs) const {
  const QDeadlineTimer deadline(timeoutMs);
  while (MessageCount() < count) {
    if (deadline.hasExpired())
      return false;
    QThread::msleep(20);
  }
  return true;
}

bool TSmtpTestServer::WaitForReceived(int count, int timeoutMs) const {
  const QDeadlineTimer deadline(timeoutMs);
  while (QDir(mailFolder_.path()).entryList({QStringLiteral("*.received")}, QDir::Files).size() <
         count) {
    if (deadline.hasExpired())
      return false;
    QThread::msleep(20);
  }
  return true;
}

QByteArray TSmtpTestServer::Message(int n) const {
  QFile file(mailFolder_.filePath(QStringLiteral("%1.eml").arg(n, 4, 10, QLatin1Char('0'))));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject TSmtpTestServer::Envelope(int n) const {
  QFile file(mailFolder_.filePath(QStringLiteral("%1.json").arg(n, 4, 10, QLatin1Char('0'))));
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QJsonDocument::fromJson(file.readAll()).object();
}

QList<QSslCertificate> TTestCertificate::Certificates() const {
  return QSslCertificate::fromPath(CaFile);
}

namespace {

bool RunOpenSsl(const QStringList& arguments) {
  QProcess openssl;
  openssl.setProcessChannelMode(QProcess::MergedChannels);
  openssl.start(QStringLiteral("openssl"), arguments);
  return openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit &&
         openssl.exitCode() == 0;
}

}  // namespace

bool MakeTestCertificate(const QString& folder, TTestCertificate& certificate,
                         const QString& names) {
  certificate.CaFile = folder + QStringLiteral("/ca.pem");
  certificate.CertFile = folder + QStringLiteral("/cert.pem");
  certificate.KeyFile = folder + QStringLiteral("/key.pem");
  const QString caKey = folder + QStringLiteral("/ca-key.pem");
  const QString request = folder + QStringLiteral("/cert.csr");
  const QString extensions = folder + QStringLiteral("/cert.ext");
  QFile extensionFile(extensions);
  if (!extensionFile.open(QIODevice::WriteOnly))
    return false;
  extensionFile.write("subjectAltName=" + names.toLatin1() + "\n");
  extensionFile.close();
  const QString commonName = names.section(QLatin1Char(','), 0, 0).section(QLatin1Char(':'), 1);
  const QStringList ecKey{QStringLiteral("-newkey"), QStringLiteral("ec"),
                          QStringLiteral("-pkeyopt"),
                          QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
  return RunOpenSsl(
             QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ecKey +
             QStringList{
                 QStringLiteral("-keyout"), caKey, QStringLiteral("-out"), certificate.CaFile,
                 QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                 QStringLiteral("/CN=Quillmarsh test authority"), QStringLiteral("-addext"),
                 QStringLiteral("basicConstraints=critical,CA:TRUE"), QStringLiteral("-addext"),
                 QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")}) &&
         RunOpenSsl(QStringList{QStringLiteral("req")} + ecKey +
                    QStringList{QStringLiteral("-keyout"), certificate.KeyFile,
                                QStringLiteral("-out"), request, QStringLiteral("-subj"),
                                QStringLiteral("/CN=") + commonName}) &&
         RunOpenSsl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), request,
                     QStringLiteral("-CA"), certificate.CaFile, QStringLiteral("-CAkey"), caKey,
                     QStringLiteral("-CAcreateserial"), QStringLiteral("-days"),
                     QStringLiteral("2"), QStringLiteral("-extfile"), extensions,
                     QStringLiteral("-out"), certificate.CertFile}) &&
         QFile::exists(certificate.CertFile);
}

QString TReceivedMail::Header(const QString& name) const {
  const QString prefix = name + QStringLiteral(": ");
  for (const QString& line : HeaderLines) {
    if (line.startsWith(prefix, Qt::CaseInsensitive))
      return line.mid(prefix.size());
  }
  return QString();
}

TReceivedMail ParseMail(const QByteArray& message) {
  TReceivedMail mail;
  const qsizetype end = message.indexOf("\r\n\r\n");
  const QByteArray head = end < 0 ? message : message.left(end);
  for (const QByteArray& line : head.split('\n')) {
    const QString text = QString::fromLatin1(line).remove(QLatin1Char('\r'));
    mail.HeaderLines << text;
    mail.HeaderNames << text.section(QLatin1Char(':'), 0, 0);
  }
  mail.Body = end < 0 ? QByteArray() : message.mid(end + 4);
  return mail;
}

QStringList AttachmentLines(const QByteArray& body, const QString& fileName) {
  const QByteArray marker = "filename=\"" + fileName.toLatin1() + "\"\r\n\r\n";
  const qsizetype start = body.indexOf(marker);
  if (start < 0)
    return {};
  const qsizetype from = start + marker.size();
  const qsizetype end = body.indexOf("\r\n\r\n", from);
  QStringList lines;
  for (const QByteArray& line : body.mid(from, end - from).split('\n'))
    lines << QString::fromLatin1(line).remove(QLatin1Char('\r'));
  return lines;
}

QByteArray AttachmentBytes(const QByteArray& body, const QString& fileName) {
  return QByteArray::fromBase64(AttachmentLines(body, fileName).join(QString()).toLatin1());
}
