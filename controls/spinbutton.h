#pragma once
// TSpinButton: a pair of small up and down buttons beside a number field (the vehicle year, the
// calendar's year). Holding a button repeats its click; the owner decides what a click does.

#include <QToolButton>
#include <QWidget>

#include "controls/controlevents.h"

class TSpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpinButton(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

  void SetOnUpClick(TNotifyEvent<TSpinButton> handler) { onUpClick_ = std::move(handler); }
  void SetOnDownClick(TNotifyEvent<TSpinButton> handler) { onDownClick_ = std::move(handler); }
  // How long a button is held before it repeats, and how often it repeats then.
  void SetRepeatTiming(int delayMs, int intervalMs);

 private:
  QToolButton* up_;
  QToolButton* down_;
  TNotifyEvent<TSpinButton> onUpClick_;
  TNotifyEvent<TSpinButton> onDownClick_;
};
