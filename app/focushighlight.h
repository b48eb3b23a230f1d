#pragma once
// TFocusHighlight: the focused field turns yellow (the field kinds that take input; a memo does
// not), and gets its own colours back when the focus moves on.

#include <QPalette>
#include <QPointer>
#include <QWidget>

class TFocusHighlight {
 public:
  // The focus is now on `control`: the last field gets its colours back and this one turns
  // yellow when it is of a kind that does.
  void Follow(QWidget* control);
  // The field that last had the focus.
  QWidget* Control() const { return control_; }

 private:
  void Restore();

  QPointer<QWidget> control_;
  QPalette savedPalette_;
  bool savedOwnPalette_ = false;
  bool savedAutoFill_ = false;
  bool coloured_ = false;
};
