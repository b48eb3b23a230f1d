#include "tools/cli/consoleprompter.h"

#include <cstdio>

TConsolePrompter::TConsolePrompter() : errors_(stderr), out_(&errors_) {}

PromptAnswer TConsolePrompter::Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                                   const QString& /*caption*/) {
  QString prefix;
  switch (kind) {
    case PromptKind::Error:
      prefix = QStringLiteral("Error: ");
      break;
    case PromptKind::Warning:
      prefix = QStringLiteral("Warning: ");
      break;
    case PromptKind::Plain:
    case PromptKind::Information:
    case PromptKind::Confirmation:
      break;
  }
  *out_ << prefix << PromptTextForDisplay(text) << '\n';
  out_->flush();
  return AcceptingAnswer(buttons);
}

QString TConsolePrompter::AskOpenFileName(const FileDialogRequest& /*request*/) {
  return QString();
}

QString TConsolePrompter::AskSaveFileName(const FileDialogRequest& /*request*/) {
  return QString();
}
