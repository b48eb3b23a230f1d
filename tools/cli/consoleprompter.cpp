#include "tools/cli/consoleprompter.h"

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
  WriteLine(prefix + PromptTextForDisplay(text));
  return AcceptingAnswer(buttons);
}
