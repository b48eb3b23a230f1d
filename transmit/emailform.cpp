#include "transmit/emailform.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <limits>

#include "motor/proposallisting.h"
#include "platform/prompt.h"
#include "platform/windows1252.h"
#include "settings/options.h"

namespace {

// The program's settings object (created before any dialog).
TOptions& MailOptions() {
  return *Options();
}

// The body lines of a listing stream: the text up to its terminating zero, split at CR LF.
QStringList BodyLines(const QByteArray& stream) {
  const qsizetype end = stream.indexOf('\0');
  QStringList lines = DecodeWindows1252(QByteArrayView(stream).first(end < 0 ? stream.size() : end))
                          .split(QStringLiteral("\r\n"));
  // A final line end closes the last line; it does not start another.
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines;
}

// How long a stopped exchange may take to say whether the server had taken the message.
constexpr int kCancelGraceMs = 3000;

TSmtpSecurity SmtpSecurity(TMailSecurity security) {
  switch (security) {
    case TMailSecurity::Opportunistic:
      return TSmtpSecurity::Opportunistic;
    case TMailSecurity::Required:
      return TSmtpSecurity::Required;
    case TMailSecurity::Tls:
      return TSmtpSecurity::Tls;
    case TMailSecurity::None:
      return TSmtpSecurity::None;
  }
  return TSmtpSecurity::Opportunistic;
}

// A notice that needs no answer: on standard error, and in the main window's status bar when
// the program has one.
void ShowNotice(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<QMainWindow*>(widget)) {
      QStatusTipEvent tip(text);
      QCoreApplication::sendEvent(window, &tip);
      return;
    }
  }
}

}  // namespace

QString TEMailForm::FailureText(const QString& reason) {
  const QString question = QStringLiteral(
      "Unable to connect to the Internet. \r\rPlease Check your Internet settings, or connect "
      "manually to the Internet before Sending.\r\rDo you want to try and connect again now?");
  return reason.isEmpty() ? question : question + QStringLiteral("\r\r") + reason;
}

QString TEMailForm::NoDialUpText() {
  return QStringLiteral(
      "No dial-up connection is set up on this computer.\r\rIf this computer reaches the "
      "Internet through a network, choose 'I connect to the Internet through a Local Area "
      "Network or Proxy Server'; if you start the connection yourself, choose 'I will manually "
      "connect to the Internet'.");
}

TEMailForm::TEMailForm(const QString& attachmentPath, TConnectionMethod method, QWidget* parent)
    : QDialog(parent), attachmentPath_(attachmentPath), method_(method) {
  setObjectName(QStringLiteral("TEMailForm"));
  setWindowTitle(QStringLiteral("Send Quotation"));

  heading_ = new QLabel(QStringLiteral("Status"), this);
  heading_->setObjectName(QStringLiteral("StatusLabel"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  instruction_ = new QLabel(this);
  instruction_->setObjectName(QStringLiteral("InstructionLabel"));
  instruction_->setWordWrap(true);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ProgressBar"));
  progress_->setRange(0, 100);
  progress_->setValue(0);
  send_ = new QPushButton(QStringLiteral("&Send"), this);
  send_->setObjectName(QStringLiteral("SendBitBtn"));
  send_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
  cancel_->setObjectName(QStringLiteral("CancelBitBtn"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(send_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(instruction_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);
  setTabOrder(send_, cancel_);
  setMinimumWidth(420);
  connect(send_, &QPushButton::clicked, this, &TEMailForm::SendBitBtnClick);
  connect(cancel_, &QPushButton::clicked, this, &TEMailForm::reject);

  dialUp_ = CreateEMailDialUp();
  msg_.ContentType = QStringLiteral("text/plain");
  msg_.SetHeader(THeader::Subject, BrokerMail::kSubject);
  msg_.SetHeader(THeader::From, BrokerMail::kFrom);
  msg_.Too << BrokerMail::kTo;
  msg_.BCCList << BrokerMail::kBcc;
  const QString eMailTo = MailOptions().GetEMailTo();
  if (!eMailTo.isEmpty())
    msg_.Too = QStringList{eMailTo};

  if (method_ == TConnectionMethod::Manual)
    instruction_->setText(QStringLiteral(
        "Manually connect to the Internet now. When you have connected click 'Send' to transmit "
        "your details, else click'Cancel' to abort the transfer."));
  else
    instruction_->setText(
        QStringLiteral("Click 'Send' to send details of your quotation to Quillmarsh now. Click "
                       "'Cancel' to abort the transfer."));
}

TEMailForm::~TEMailForm() {
  if (sender_)
    sender_->Cancel();
  dialUp_->HangUp();
  dialled_ = false;
}

void TEMailForm::SendBitBtnClick() {
  if (sender_)
    return;
  send_->setEnabled(false);
  setResult(0);
  TOptions& options = MailOptions();
  server_ = options.GetMailServer();

  msg_.Attachments.clear();
  const QFileInfo attachment(attachmentPath_);
  if (attachment.isFile())
    msg_.Attachments << TAttachment{attachment.fileName(), attachment.absoluteFilePath()};

  if (method_ == TConnectionMethod::DialUp) {
    if (!dialUp_->Available()) {
      Ask(PromptKind::Information, PromptButtons::Ok, NoDialUpText());
      send_->setEnabled(true);
      return;
    }
    dialled_ = dialUp_->Dial(this);
    repaint();
    if (!dialled_) {
      send_->setEnabled(true);
      return;
    }
  }
  BuildBody();
  StartSender();
}

void TEMailForm::BuildBody() {
  try {
    QByteArray stream;
    WriteProposalListing(stream);
    stream.append('\0');
    msg_.Text = BodyLines(stream);
  } catch (...) {
    // The body keeps the lines it had: a listing that cannot be built must not stop the send.
  }
}

void TEMailForm::StartSender() {
  TOptions& options = MailOptions();
  TMailServer server;
  server.Host = server_;
  server.Port = static_cast<quint16>(options.GetMailPort());
  server.BufferChunk = 8192;
  server.TimeoutMs = options.GetMailTimeoutSeconds() * 1000;
  server.Security = SmtpSecurity(options.GetMailSecurity());
  const QString user = options.GetMailUser();
  if (!user.isEmpty()) {
    // The secret store may take a moment (or ask the user to unlock it); Cancel meanwhile
    // closes the dialog before anything is sent.
    const TOptions::TMailPassword password = options.GetMailPassword();
    if (!password.Notice.isEmpty())
      ShowNotice(password.Notice);
    if (closing_)
      return;
    server.User = user;
    server.Password = password.Password;
  }

  progress_->setRange(0, 100);
  progress_->setValue(0);
  auto* sender = new TMailSender(std::move(server), msg_, this);
  sender_ = sender;
  connect(sender, &TMailSender::work, this, &TEMailForm::SMTPWork);
  connect(sender, &TMailSender::completed, this, &TEMailForm::SenderCompleted);
  sender->Start();
}

void TEMailForm::SMTPWork(qint64 done, qint64 total) {
  // The maximum first: the bar ignores a position beyond its range. Files too large for the
  // bar's range are shown in kilobytes.
  const int shift = total > std::numeric_limits<int>::max() ? 10 : 0;
  progress_->setMaximum(static_cast<int>(total >> shift));
  progress_->setValue(static_cast<int>(done >> shift));
}

void TEMailForm::SenderCompleted(bool success, const QString& error) {
  if (sender_)
    sender_->deleteLater();
  sender_ = nullptr;
  if (success) {
    // Also after a Cancel: the server has the message, and a retry would send it twice.
    MailOptions().SetCurrentInternetMailServer(server_);
    accept();
    return;
  }
  if (closing_) {
    QDialog::reject();
    return;
  }
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, FailureText(error)) !=
      PromptAnswer::Yes) {
    QDialog::reject();
    return;
  }
  dialUp_->HangUp();
  dialled_ = false;
  SendBitBtnClick();
}

void TEMailForm::reject() {
  if (closing_)
    return;
  closing_ = true;
  if (!sender_) {
    QDialog::reject();
    return;
  }
  // The exchange stops within a fraction of a second; its answer says whether the server had
  // already taken the message (SenderCompleted closes the dialog).
  sender_->Cancel();
  cancel_->setEnabled(false);
  QTimer::singleShot(kCancelGraceMs, this, &TEMailForm::AbandonSender);
}

void TEMailForm::AbandonSender() {
  if (!sender_)
    return;
  // The exchange ends on its own; the dialog no longer waits for it.
  disconnect(sender_, nullptr, this, nullptr);
  sender_->deleteLater();
  sender_ = nullptr;
  QDialog::reject();
}
