#pragma once
// TTvHintWindow: the pop-up hint that follows the focus. It shows the lines of the focused
// control's help context from the hint file just below the control, with two links: "Hide"
// hides it until the focus moves on, "Don't show again" turns hints off. It never takes the
// focus. One instance lives for the whole run (app/hints.h).

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/hintfile.h"

class QToolButton;

class TTvHintWindow : public QWidget {
  Q_OBJECT

 public:
  static const QString kHintsDisabledMessage;

  TTvHintWindow();

  // Reads the hint file; false (and no hints) when it cannot be opened.
  bool LoadHintFile(const QString& fileName);
  void SetHintFile(const THintFile& file) { hintFile_ = file; }
  bool HintFileLoaded() const { return hintFile_.has_value(); }
  // The lines of a context in the hint file (none without the file).
  QStringList LinesFor(int context) const {
    return hintFile_ ? hintFile_->Lines(context) : QStringList();
  }

  // Shows the hint for the control, or hides the window when hints are off, the control has no
  // help context or its section holds no lines.
  void ShowHintFor(QWidget* control);
  // The key names of the section shown last (the work list), and the lines shown.
  const QStringList& WorkList() const { return workList_; }
  QStringList Lines() const { return lines_; }

  // The links' actions (also run by the small buttons beside them).
  void HideClick();
  void DontShowAgainClick();

 signals:
  // "Don't show again", after its message: the main window turns hints off everywhere. With
  // nobody connected the setting alone is turned off.
  void hintsOffRequested();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 public:
  void setVisible(bool visible) override;

 private:
  // The links' rich text is laid out the first time the window shows, not at start-up.
  void ShowLinkTexts();

  QWidget* AddLink(const QString& name, const QString& caption, const QString& glyph,
                   void (TTvHintWindow::*action)());

  std::optional<THintFile> hintFile_;
  QStringList workList_;
  QStringList lines_;
  QLabel* text_;
  QList<std::pair<QLabel*, QString>> linkTexts_;
};

// Where the hint goes for a control's rectangle (global coordinates): 5 pixels below it, or
// above it when it would pass the bottom of the screen; moved left to stay on the screen.
QPoint PlaceHintWindow(const QRect& control, const QSize& hint, const QRect& screen);
// The rectangle a hint is placed against: the control's own, or for a tab bar its current tab.
QRect HintAnchorRect(const QWidget* control);
