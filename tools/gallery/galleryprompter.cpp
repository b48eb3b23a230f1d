#include "tools/gallery/galleryprompter.h"

#include <QApplication>
#include <QMessageBox>

PromptAnswer TGalleryPrompter::Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                                   const QString& caption) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(caption);
  box.setText(PromptTextForDisplay(text));
  switch (kind) {
    case PromptKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case PromptKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case PromptKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case PromptKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      break;
    case PromptKind::Plain:
      break;
  }
  switch (buttons) {
    case PromptButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case PromptButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case PromptButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case PromptButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    default:
      return PromptAnswer::Ok;
  }
}

QString TGalleryPrompter::AskOpenFileName(const FileDialogRequest&) {
  return QString();
}

QString TGalleryPrompter::AskSaveFileName(const FileDialogRequest&) {
  return QString();
}
