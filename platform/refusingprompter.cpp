#include "platform/refusingprompter.h"

#include <cstdio>

namespace {

QString AnswerName(PromptAnswer answer) {
  switch (answer) {
    case PromptAnswer::Ok:
      return QStringLiteral("OK");
    case PromptAnswer::Cancel:
      return QStringLiteral("Cancel");
    case PromptAnswer::Yes:
      return QStringLiteral("Yes");
    case PromptAnswer::No:
      return QStringLiteral("No");
  }
  return QString();
}

}  // namespace

TRefusingPrompter::TRefusingPrompter() : errors_(stderr), out_(&errors_) {}

PromptAnswer TRefusingPrompter::Ask(PromptKind /*kind*/, PromptButtons buttons, const QString& text,
                                    const QString& caption) {
  const PromptAnswer answer = RefusingAnswer(buttons);
  *out_ << "Unanswered message box \"" << caption << "\" (answered " << AnswerName(answer)
        << "): " << PromptTextForDisplay(text) << '\n';
  out_->flush();
  return answer;
}

QString TRefusingPrompter::AskOpenFileName(const FileDialogRequest& request) {
  *out_ << "Unanswered file dialog \"" << request.caption << "\" (cancelled)\n";
  out_->flush();
  return QString();
}

QString TRefusingPrompter::AskSaveFileName(const FileDialogRequest& request) {
  return AskOpenFileName(request);
}
