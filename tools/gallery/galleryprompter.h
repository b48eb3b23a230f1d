#pragma once
// Real message boxes for the gallery, so that the controls' messages can be seen.

#include "platform/prompt.h"

class TGalleryPrompter : public TPrompter {
 public:
  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;
};
