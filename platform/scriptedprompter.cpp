#include "platform/scriptedprompter.h"

#include <utility>

#include "platform/seams.h"

PromptAnswer TScriptedPrompter::Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                                    const QString& caption) {
  prompts_.append({kind, buttons, text, caption});
  if (!answers_.empty()) {
    PromptAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return AcceptingAnswer(buttons);
}

QString TScriptedPrompter::AskOpenFileName(const FileDialogRequest& request) {
  fileDialogs_.append(request);
  if (fileNames_.empty())
    return QString();
  QString name = fileNames_.front();
  fileNames_.pop_front();
  return name;
}

QString TScriptedPrompter::AskSaveFileName(const FileDialogRequest& request) {
  return AskOpenFileName(request);
}

QStringList TScriptedPrompter::Texts() const {
  QStringList texts;
  for (const auto& p : prompts_)
    texts.append(p.text);
  return texts;
}

void TScriptedPrompter::Clear() {
  answers_.clear();
  fileNames_.clear();
  prompts_.clear();
  fileDialogs_.clear();
}

ScopedScriptedPrompter::ScopedScriptedPrompter()
    : prompter_(std::make_shared<TScriptedPrompter>()),
      previous_(std::exchange(TPlatformSeams::Current().prompter, prompter_)) {}

ScopedScriptedPrompter::~ScopedScriptedPrompter() {
  TPlatformSeams::Current().prompter = previous_;
}
