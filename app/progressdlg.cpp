#include "app/progressdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/animatedsymbol.h"
#include "platform/prompt.h"

const QString TProgressDlg::kCaption = QStringLiteral("Calling Quote System");
const QString TProgressDlg::kClipName = QStringLiteral("MovingFolder");

TProgressDlg::TProgressDlg(QWidget* parent)
    : QDialog(
          parent,
          // Always on top, with a caption but no window buttons: Cancel is the way out.
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TProgressDlg"));
  setWindowTitle(kCaption);
  setModal(true);

  animation_ = new TAnimatedSymbol(this);
  animation_->setObjectName(QStringLiteral("AnimatedSymbol"));
  messageLabel_ = new QLabel(this);
  messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
  messageLabel_->setAlignment(Qt::AlignCenter);
  elapsedLabel_ = new QLabel(this);
  elapsedLabel_->setObjectName(QStringLiteral("ElapsedLabel"));
  elapsedLabel_->setAlignment(Qt::AlignCenter);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("CancelBitBtn"));
  cancelButton_->setDefault(true);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addWidget(messageLabel_);
  column->addWidget(animation_, 0, Qt::AlignHCenter);
  column->addWidget(elapsedLabel_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton_);
  buttons->addStretch();
  column->addLayout(buttons);
  setMinimumWidth(280);

  ticker_.setInterval(1000);
  connect(&ticker_, &QTimer::timeout, this, &TProgressDlg::ShowElapsed);
  StartClock();

  try {
    animation_->SetAVIName(kClipName);
  } catch (const EAnimationError& error) {
    // The picture is only decoration: say what went wrong and let the quotation go on.
    Ask(PromptKind::Error, PromptButtons::Ok, error.Message());
  }
}

void TProgressDlg::SetMessage(const QString& message) {
  message_ = message;
  messageLabel_->setText(PromptTextForDisplay(message));
}

void TProgressDlg::StartClock() {
  clock_.start();
  ticker_.start();
  ShowElapsed();
}

void TProgressDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  StartClock();
}

void TProgressDlg::ShowElapsed() {
  elapsedLabel_->setText(ElapsedText(clock_.elapsed() / 1000));
}

QString TProgressDlg::ElapsedText(qint64 seconds) {
  return seconds == 1 ? QStringLiteral("Running for 1 second")
                      : QStringLiteral("Running for %1 seconds").arg(seconds);
}
