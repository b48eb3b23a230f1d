#pragma once
// The program's prompter: message boxes as QMessageBox and file dialogs as QFileDialog. The
// program installs it at start-up; tests install the scripted prompter instead.

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

#include "platform/prompt.h"

class TWidgetPrompter : public TPrompter {
 public:
  PromptAnswer Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                   const QString& caption) override;
  QString AskOpenFileName(const FileDialogRequest& request) override;
  QString AskSaveFileName(const FileDialogRequest& request) override;
};

// The box Ask() shows, built but not run: the kind's icon, the button set with its first button
// as the default, the text with "\r" as line breaks, and the caption (the application's title
// when empty).
std::unique_ptr<QMessageBox> BuildMessageBox(PromptKind kind, PromptButtons buttons,
                                             const QString& text, const QString& caption,
                                             QWidget* parent = nullptr);
PromptAnswer AnswerOf(QMessageBox::StandardButton button);

// The program's filters ("Insurance Quotation|*.PCD", description and patterns in pairs,
// patterns separated by ';') as Qt's name filters ("Insurance Quotation (*.PCD *.pcd)"). On a
// file system whose names are case-sensitive every pattern is also given in lower and upper case.
QStringList NameFiltersOf(const QString& filter, bool caseSensitiveNames);

// The dialog the prompter runs, built but not run.
std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& request, bool save,
                                             QWidget* parent = nullptr);
