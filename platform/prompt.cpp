#include "platform/prompt.h"

#include <QCoreApplication>

#include "platform/seams.h"
#include "platform/streamprompter.h"

PromptAnswer AcceptingAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
    case PromptButtons::OkCancel:
      return PromptAnswer::Ok;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
      return PromptAnswer::Yes;
  }
  return PromptAnswer::Ok;
}

PromptAnswer RefusingAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
      return PromptAnswer::Cancel;
    case PromptButtons::YesNo:
      return PromptAnswer::No;
  }
  return PromptAnswer::Cancel;
}

TPrompter& Prompter() {
  if (const auto& prompter = TPlatformSeams::Current().prompter)
    return *prompter;
  static TRefusingPrompter refusing;
  return refusing;
}

PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                 const QString& caption) {
  QString shown = caption;
  if (shown.isNull())
    shown = QCoreApplication::applicationName();
  return Prompter().Ask(kind, buttons, text, shown);
}

QString PromptTextForDisplay(const QString& text) {
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void ShowFieldError(QObject* field, const QString& message, bool refocus) {
  if (TPlatformSeams::Current().fieldError) {
    TPlatformSeams::Current().fieldError(field, message, refocus);
    return;
  }
  Ask(PromptKind::Information, PromptButtons::Ok, message);
}

void EndProgram(int exitCode) {
  if (TPlatformSeams::Current().endProgram) {
    TPlatformSeams::Current().endProgram(exitCode);
    return;
  }
  // Only a running event loop is asked to end; the caller returns, and the program ends through
  // its normal shut-down. Leaving the process from here would skip it (and crash in it).
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::exit(exitCode);
}
