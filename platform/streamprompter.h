#pragma once
// Prompters with nobody to click: each box is written as text to standard error (or to a given
// stream, in tests) and answered by rule; file dialogs are cancelled.

#include <QTextStream>

#include "platform/prompt.h"

class TStreamPrompter : public TPrompter {
 public:
  TStreamPrompter();
  explicit TStreamPrompter(QTextStream* out) : out_(out) {}

  // Cancelled, with a line that says so.
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;

 protected:
  void WriteLine(const QString& line);

 private:
  QTextStream errors_;
  QTextStream* out_;
};

// The program's prompter until the window (or the command line) installs its own. It refuses:
// each box is reported with the answer it got, and the answer is the one that changes nothing
// (Cancel, or No without a Cancel button; a box with OK alone only informs). A window or command
// that forgot to install its prompter therefore never confirms a removal or a save by itself.
class TRefusingPrompter : public TStreamPrompter {
 public:
  using TStreamPrompter::TStreamPrompter;
  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
};
