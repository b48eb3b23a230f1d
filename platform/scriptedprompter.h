#pragma once
// A prompter for tests: records every box and file dialog, answers from a script.

#include <QList>
#include <QString>
#include <deque>

#include "platform/prompt.h"

struct RecordedPrompt {
  PromptKind kind;
  PromptButtons buttons;
  QString text;
  QString caption;
};

class TScriptedPrompter : public TPrompter {
 public:
  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;

  // Answers given in order; when the script is empty the first button of the set is chosen
  // (OK or Yes).
  void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
  void QueueFileName(const QString& name) { fileNames_.push_back(name); }

  const QList<RecordedPrompt>& Prompts() const { return prompts_; }
  const QList<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
  QStringList Texts() const;
  void Clear();

 private:
  std::deque<PromptAnswer> answers_;
  std::deque<QString> fileNames_;
  QList<RecordedPrompt> prompts_;
  QList<FileDialogRequest> fileDialogs_;
};

// Installs a fresh scripted prompter for the lifetime of the object and restores the previous one.
class ScopedScriptedPrompter {
 public:
  ScopedScriptedPrompter();
  ~ScopedScriptedPrompter();
  TScriptedPrompter& operator*() { return *prompter_; }
  TScriptedPrompter* operator->() { return prompter_.get(); }

 private:
  std::shared_ptr<TScriptedPrompter> prompter_;
  std::shared_ptr<TPrompter> previous_;
};
