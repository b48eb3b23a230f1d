#pragma once
// The help viewer: the help file's contents in a help window, and the pop-up help of one help
// context. Our help file is a set of HTML pages installed with the program (and compiled into
// it); the "Help" "FileName" setting may name another contents page.
//
// Pop-up texts come from "popups.html" beside the contents page, one block per context:
// <div class="popup" id="ctxNNN">...</div>. A context without a block shows its lines from the
// hint file.

#include <QLabel>
#include <QPoint>
#include <QString>
#include <QWidget>

class QTextBrowser;

// The help window: a browser on the help pages with Contents, Back and Close.
class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  THelpWindow();
  QTextBrowser* Browser() const { return browser_; }
  void ShowContents(const QString& helpFile);

 private:
  QTextBrowser* browser_;
  QString contents_;
};

// The help file the program names when the setting names none: our contents page, from the
// installed help folder when there is one, else from the program itself.
QString DefaultHelpFile();
// The application's help file (empty means ours).
void SetApplicationHelpFile(const QString& helpFile);
QString ApplicationHelpFile();

// Help contents: opens the help window on the help file's contents page.
void ShowHelpContents();
// A pop-up with the help of the context, its top-left corner at the global position.
void ShowHelpPopup(int context, const QPoint& globalPosition);
// The pop-up's text (rich text) for a context.
QString HelpPopupText(int context);
// Closes the help window and any pop-up.
void QuitHelp();

// For tests: the help window and the pop-up when they exist.
THelpWindow* ExistingHelpWindow();
QLabel* ExistingHelpPopup();
