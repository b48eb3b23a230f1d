#pragma once
// TEMailForm ("Send Quotation"): sends the accepted proposal to the broker. Send builds the
// proposal listing as the message body, attaches the saved quotation file and hands the message
// to a TMailSender, which runs the SMTP exchange on a worker thread: the dialog stays
// responsive, the progress bar follows the attachment, and Cancel ends the exchange at once.
//
// Success records the mail server (CurrentInternetMailServer) and closes the dialog with OK. Any
// failure (including a time-out) asks whether to try again, naming the reason beneath the
// question; No closes it with Cancel. A Cancel while the exchange runs waits the moment the
// exchange needs to stop: when the server had already taken the message, the dialog closes as
// sent, so that nobody sends it twice.
//
// The exchange is secured as MailSecurity says (STARTTLS whenever offered, by default), and the
// password of a log-in comes from the desktop's secret store (TOptions::GetMailPassword).

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>

#include "transmit/emaildialup.h"
#include "transmit/net/mailsender.h"
#include "transmit/net/netmessage.h"

class QLabel;
class QProgressBar;
class QPushButton;

// How the user's computer reaches the Internet (the acceptance wizard's choice).
enum class TConnectionMethod { LocalNetwork = 0, Manual = 1, DialUp = 2 };

// The message's fixed settings.
namespace BrokerMail {
inline const QString kSubject = QStringLiteral("Quillmarsh");
inline const QString kFrom = QStringLiteral("quillmarsh@quillmarsh.example");
// The broker's mailbox; the EMailTo setting replaces it when set.
inline const QString kTo = QStringLiteral("broker@quillmarsh.example");
// The service's support contact, sent a blind copy.
inline const QString kBcc = QStringLiteral("support@quillmarsh.example");
}  // namespace BrokerMail

class TEMailForm : public QDialog {
  Q_OBJECT
 public:
  // The retry question, with the reason beneath it when one is known.
  static QString FailureText(const QString& reason = QString());
  // Dial-up was chosen but the computer has no dial-up connection.
  static QString NoDialUpText();

  TEMailForm(const QString& attachmentPath, TConnectionMethod method, QWidget* parent = nullptr);
  // Ends an exchange still running and hangs up a dial-up connection made here.
  ~TEMailForm() override;

  // The message as it will be (or was last) sent.
  const TNetMessage& Msg() const { return msg_; }
  bool Dialled() const { return dialled_; }
  bool Sending() const { return !sender_.isNull(); }

 public slots:
  void SendBitBtnClick();
  // The attachment's progress: bytes done of the total.
  void SMTPWork(qint64 done, qint64 total);
  // Cancel, Escape or closing the window: stops a running exchange and closes with Cancel.
  void reject() override;

 private:
  void BuildBody();
  void StartSender();
  void SenderCompleted(bool success, const QString& error);
  // The stopped exchange did not answer in time: the dialog closes without it.
  void AbandonSender();

  QString attachmentPath_;
  TConnectionMethod method_;
  bool dialled_ = false;
  bool closing_ = false;
  QString server_;
  TNetMessage msg_;
  std::unique_ptr<TEMailDialUp> dialUp_;
  QPointer<TMailSender> sender_;
  QLabel* heading_ = nullptr;
  QLabel* instruction_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* send_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
