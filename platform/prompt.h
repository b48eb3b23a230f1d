#pragma once
// The one way the program asks the user anything. Every message box goes through Ask(); file
// dialogs go through AskOpenFileName()/AskSaveFileName(). The widget implementation shows real
// boxes; tests install a scripted prompter that records each box and answers from a script.
//
// Texts are passed exactly as the program's messages are written, with "\r" for line breaks.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

enum class PromptKind { Plain, Information, Warning, Error, Confirmation };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  QString caption;
  QString initialFolder;
  QString proposedName;
  QString filter;            // "Insurance Quotation|*.PCD" style, as the program writes it
  QString defaultExtension;  // without the dot
  bool overwritePrompt = false;
};

class TPrompter {
 public:
  virtual ~TPrompter() = default;
  virtual PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                           const QString& caption) = 0;
  // The chosen file name, or an empty string when the user cancelled.
  virtual QString AskOpenFileName(const FileDialogRequest& request) = 0;
  virtual QString AskSaveFileName(const FileDialogRequest& request) = 0;
};

// The answer that goes ahead (the first button: OK or Yes) and the one that changes nothing
// (Cancel, else No; OK when it is the only button).
PromptAnswer AcceptingAnswer(PromptButtons buttons);
PromptAnswer RefusingAnswer(PromptButtons buttons);

// The prompter of the platform seams (platform/seams.h). Until the window or the command line
// fills in its own, a refusing one (platform/streamprompter.h) reports every box on standard
// error and answers Cancel or No.
TPrompter& Prompter();

// Shorthand for Prompter().Ask(...). The caption defaults to the application's title.
PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                 const QString& caption = QString());

// "\r" (and "\r\n") line breaks as "\n", for showing a program text in a widget.
QString PromptTextForDisplay(const QString& text);

// A rejected field value: the main window fills in its own handler (platform/seams.h; it knows
// about the command in progress); until then the message is asked as an information box with OK.
// `field` is the control whose value was refused; `refocus` asks for the focus to go back to it.
using FieldErrorHandler = std::function<void(QObject* field, const QString& message, bool refocus)>;
void ShowFieldError(QObject* field, const QString& message, bool refocus);

// Ending the program where the original would halt the process (for example when the Data Server
// cannot be opened). The default quits the application with the given exit code; tests observe it
// through the platform seams.
using EndProgramHandler = std::function<void(int exitCode)>;
void EndProgram(int exitCode);
