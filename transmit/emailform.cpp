#include "transmit/emailform.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "motor/proposallisting.h"
#include "platform/prompt.h"
#include "platform/windows1252.h"
#include "settings/options.h"
#include "transmit/net/senderthread.h"

namespace {

// The settings object of the program; a private one where none was created (a test of the
// dialog alone), which reads the same store.
TOptions& MailOptions() {
  static TOptions fallback;
  return Options() != nullptr ? *Options() : fallback;
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

}  // namespace

QString TEMailForm::FailureText() {
  return QStringLiteral(
      "Unable to connect to the Internet. \r\rPlease Check your Internet settings, or connect "
      "manually to the Internet before Sending.\r\rDo you want to try and connect again now?");
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
  const TOptions& options = MailOptions();
  auto smtp = std::make_unique<TNetSMTP>();
  smtp->SetHost(server_);
  smtp->SetPort(static_cast<quint16>(options.GetMailPort()));
  smtp->SetBufferChunk(8192);
  smtp->SetTimeout(options.GetMailTimeoutSeconds() * 1000);
  smtp->SetCredentials(options.GetMailUser(), options.GetMailPassword());

  progress_->setRange(0, 100);
  progress_->setValue(0);
  auto* sender = new TSenderThread(std::move(smtp), msg_);
  sender_ = sender;
  connect(sender, &TSenderThread::Work, this, &TEMailForm::SMTPWork);
  connect(sender, &TSenderThread::Completed, this, &TEMailForm::SenderCompleted);
  sender->StartDetached();
}

void TEMailForm::SMTPWork(qint64 done, qint64 total) {
  // The maximum first: the bar ignores a position beyond its range. Files too large for the
  // bar's range are shown in kilobytes.
  const int shift = total > std::numeric_limits<int>::max() ? 10 : 0;
  progress_->setMaximum(static_cast<int>(total >> shift));
  progress_->setValue(static_cast<int>(done >> shift));
}

void TEMailForm::SenderCompleted(bool success, const QString& error) {
  Q_UNUSED(error);  // the user is told that the connection failed, not why
  sender_ = nullptr;
  if (closing_)
    return;
  if (success) {
    MailOptions().SetCurrentInternetMailServer(server_);
    accept();
    return;
  }
  if (Ask(PromptKind::Confirmation, PromptButtons::YesNo, FailureText()) != PromptAnswer::Yes) {
    QDialog::reject();
    return;
  }
  dialUp_->HangUp();
  dialled_ = false;
  SendBitBtnClick();
}

void TEMailForm::reject() {
  closing_ = true;
  if (sender_) {
    sender_->Cancel();
    sender_ = nullptr;
  }
  QDialog::reject();
}
