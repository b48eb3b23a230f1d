#pragma once
// TSpinButton: a pair of small up and down buttons beside a number field (the vehicle year, the
// calendar's year). Holding a button repeats its click; the owner decides what a click does.

#include <QToolButton>
#include <QWidget>

class TSpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpinButton(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

  // How long a button is held before it repeats, and how often it repeats then.
  void SetRepeatTiming(int delayMs, int intervalMs);

 signals:
  // One click of a button, or one repeat while it is held.
  void upClicked();
  void downClicked();

 private:
  QToolButton* up_;
  QToolButton* down_;
};
