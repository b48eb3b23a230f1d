#pragma once
// TInitForm: the splash picture shown while the program starts, released the first time the
// main window is shown.

#include <QWidget>

class TInitForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 449;
  static constexpr int kHeight = 350;

  TInitForm();
  // Shows the form centred on the screen and paints it at once, before the event loop runs.
  void ShowNow();
};
