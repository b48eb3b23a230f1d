#include "platform/streamprompter.h"

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

TStreamPrompter::TStreamPrompter() : errors_(stderr), out_(&errors_) {}

void TStreamPrompter::WriteLine(const QString& line) {
  *out_ << line << '\n';
  out_->flush();
}

QString TStreamPrompter::AskOpenFileName(const FileDialogRequest& request) {
  WriteLine(QStringLiteral("Unanswered file dialog \"%1\" (cancelled)").arg(request.caption));
  return QString();
}

QString TStreamPrompter::AskSaveFileName(const FileDialogRequest& request) {
  return AskOpenFileName(request);
}

PromptAnswer TRefusingPrompter::Ask(PromptKind /*kind*/, PromptButtons buttons, const QString& text,
                                    const QString& caption) {
  const PromptAnswer answer = RefusingAnswer(buttons);
  WriteLine(QStringLiteral("Unanswered message box \"%1\" (answered %2): %3")
                .arg(caption, AnswerName(answer), PromptTextForDisplay(text)));
  return answer;
}
