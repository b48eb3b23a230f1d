#include "platform/prompt.h"

#include <QCoreApplication>

#include "platform/streamprompter.h"

namespace {

std::shared_ptr<TPrompter>& CurrentPrompter() {
  static std::shared_ptr<TPrompter> prompter = std::make_shared<TRefusingPrompter>();
  return prompter;
}

FieldErrorHandler& CurrentFieldErrorHandler() {
  static FieldErrorHandler handler;
  return handler;
}

EndProgramHandler& CurrentEndProgramHandler() {
  static EndProgramHandler handler;
  return handler;
}

}  // namespace

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
  return *CurrentPrompter();
}

std::shared_ptr<TPrompter> SetPrompter(std::shared_ptr<TPrompter> prompter) {
  auto previous = CurrentPrompter();
  CurrentPrompter() = prompter ? std::move(prompter) : std::make_shared<TRefusingPrompter>();
  return previous;
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
  if (CurrentFieldErrorHandler()) {
    CurrentFieldErrorHandler()(field, message, refocus);
    return;
  }
  Ask(PromptKind::Information, PromptButtons::Ok, message);
}

FieldErrorHandler SetFieldErrorHandler(FieldErrorHandler handler) {
  auto previous = CurrentFieldErrorHandler();
  CurrentFieldErrorHandler() = std::move(handler);
  return previous;
}

void EndProgram(int exitCode) {
  if (CurrentEndProgramHandler()) {
    CurrentEndProgramHandler()(exitCode);
    return;
  }
  // Only a running event loop is asked to end; the caller returns, and the program ends through
  // its normal shut-down. Leaving the process from here would skip it (and crash in it).
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::exit(exitCode);
}

EndProgramHandler SetEndProgramHandler(EndProgramHandler handler) {
  auto previous = CurrentEndProgramHandler();
  CurrentEndProgramHandler() = std::move(handler);
  return previous;
}
