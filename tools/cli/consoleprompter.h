#pragma once
// Message boxes on the command line: the text goes to standard error, one line per line of the
// box, and the first button is taken as the answer (nobody is there to click).

#include <QTextStream>

#include "platform/prompt.h"

class TConsolePrompter : public TPrompter {
 public:
  // Writes to standard error, or to the given stream (tests).
  TConsolePrompter();
  explicit TConsolePrompter(QTextStream* out) : out_(out) {}

  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
  // There is no file dialog on the command line: every dialog is cancelled.
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;

 private:
  QTextStream errors_;
  QTextStream* out_;
};
