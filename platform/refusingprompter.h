#pragma once
// The program's prompter until the window (or the command line) installs its own: nobody is
// there to answer, so it refuses. Each box is reported on standard error with the answer it got,
// and the answer is the one that changes nothing (Cancel, or No without a Cancel button; a box
// with OK alone only informs). File dialogs are cancelled. A window or command that forgot to
// install its prompter therefore never confirms a removal or a save by itself.

#include <QTextStream>

#include "platform/prompt.h"

class TRefusingPrompter : public TPrompter {
 public:
  // Reports on standard error, or on the given stream (tests).
  TRefusingPrompter();
  explicit TRefusingPrompter(QTextStream* out) : out_(out) {}

  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;

 private:
  QTextStream errors_;
  QTextStream* out_;
};
