#pragma once
// "What is" mode: the cursor becomes the HelpPointer and the next mouse press, anywhere in the
// program, is taken to name a control; the kind of that control gives a help context whose
// pop-up is shown where the mouse was pressed. Escape leaves the mode without a pop-up.

#include <QObject>
#include <QPoint>

class QWidget;

// The help context of the kind of control the widget is, or belongs to (a list's edit box
// belongs to its list, a status bar's panel to the status bar); 0 for any other control.
int WhatsThisContext(const QWidget* widget);

class TWhatsThisMode : public QObject {
  Q_OBJECT

 public:
  // Enters the mode (nothing happens when it is on already).
  static void Start();
  static bool Active();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TWhatsThisMode() = default;
  void Finish();
};
