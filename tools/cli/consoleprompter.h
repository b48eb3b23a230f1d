#pragma once
// Message boxes on the command line: the text goes to standard error, one line per line of the
// box, and the first button is taken as the answer (nobody is there to click). File dialogs are
// cancelled.

#include "platform/streamprompter.h"

class TConsolePrompter : public TStreamPrompter {
 public:
  using TStreamPrompter::TStreamPrompter;
  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
};
