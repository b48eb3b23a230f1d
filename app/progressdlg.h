#pragma once
// TProgressDlg ("Calling Quote System"): the modal dialog shown while the quote engine works,
// with its message, the MovingFolder animation, the time the engine has been running (so that a
// slow engine does not look hung) and Cancel, which ends the dialog with Rejected. Whoever runs
// the engine closes it with Accepted when the engine has answered.

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;
class QPushButton;
class TAnimatedSymbol;

class TProgressDlg : public QDialog {
  Q_OBJECT

 public:
  static const QString kCaption;
  static const QString kClipName;

  // A clip that cannot be loaded is reported (the run goes on without the animation).
  explicit TProgressDlg(QWidget* parent = nullptr);

  // The message, with "\r" for line breaks.
  void SetMessage(const QString& message);
  QString Message() const { return message_; }
  // Restarts the clock shown below the message (the dialog starts it when it is shown).
  void StartClock();

  QLabel* MessageLabel() const { return messageLabel_; }
  QLabel* ElapsedLabel() const { return elapsedLabel_; }
  TAnimatedSymbol* Animation() const { return animation_; }
  QPushButton* CancelButton() const { return cancelButton_; }

  // "Running for 1 second", "Running for 12 seconds".
  static QString ElapsedText(qint64 seconds);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowElapsed();

  QString message_;
  QLabel* messageLabel_;
  QLabel* elapsedLabel_;
  TAnimatedSymbol* animation_;
  QPushButton* cancelButton_;
  QElapsedTimer clock_;
  QTimer ticker_;
};
