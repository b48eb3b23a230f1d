#include "app/widgetprompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <climits>

namespace {

// Windows names files without regard to case; the other platforms do not.
constexpr bool kCaseSensitiveNames =
#ifdef _WIN32
    false;
#else
    true;
#endif

QMessageBox::Icon IconOf(PromptKind kind) {
  switch (kind) {
    case PromptKind::Information:
      return QMessageBox::Information;
    case PromptKind::Warning:
      return QMessageBox::Warning;
    case PromptKind::Error:
      return QMessageBox::Critical;
    case PromptKind::Confirmation:
      return QMessageBox::Question;
    case PromptKind::Plain:
      break;
  }
  return QMessageBox::NoIcon;
}

QList<QMessageBox::StandardButton> ButtonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return {QMessageBox::Ok};
    case PromptButtons::OkCancel:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case PromptButtons::YesNo:
      return {QMessageBox::Yes, QMessageBox::No};
    case PromptButtons::YesNoCancel:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
  }
  return {QMessageBox::Ok};
}

// A text taller than about half the screen (an engine's long error output) would push the
// buttons off it: its first line stays the box's text, and the whole text is shown below in a
// scrolling field of its own.
void FitTextToScreen(QMessageBox& box, const QString& shown) {
  const QScreen* screen = box.screen() != nullptr ? box.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr)
    return;
  const QFontMetrics metrics(box.font());
  const int wrapWidth = metrics.averageCharWidth() * 80;
  const int height =
      metrics.boundingRect(QRect(0, 0, wrapWidth, INT_MAX), Qt::TextWordWrap, shown).height();
  if (height <= screen->availableGeometry().height() / 2)
    return;
  constexpr int kFirstLineCharacters = 200;
  QString first = shown.section(QLatin1Char('\n'), 0, 0);
  if (first.size() > kFirstLineCharacters)
    first = first.left(kFirstLineCharacters) + QChar(0x2026);
  box.setText(first);
  box.setDetailedText(shown);
  // Shown at once: the details button's first click opens them.
  for (QAbstractButton* button : box.buttons()) {
    if (box.buttonRole(button) == QMessageBox::ActionRole)
      button->click();
  }
}

QWidget* DialogParent() {
  return QApplication::activeWindow();
}

QString Run(const FileDialogRequest& request, bool save) {
  std::unique_ptr<QFileDialog> dialog = BuildFileDialog(request, save, DialogParent());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
    return QString();
  return dialog->selectedFiles().first();
}

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(PromptKind kind, PromptButtons buttons,
                                             const QString& text, const QString& caption,
                                             QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setIcon(IconOf(kind));
  box->setWindowTitle(caption.isEmpty() ? QApplication::applicationName() : caption);
  box->setTextFormat(Qt::PlainText);
  const QString shown = PromptTextForDisplay(text);
  box->setText(shown);
  const QList<QMessageBox::StandardButton> set = ButtonsOf(buttons);
  for (QMessageBox::StandardButton button : set)
    box->addButton(button);
  FitTextToScreen(*box, shown);
  box->setDefaultButton(set.first());
  // Escape answers Cancel, or No when there is no Cancel, as the platform's boxes do.
  if (set.contains(QMessageBox::Cancel))
    box->setEscapeButton(QMessageBox::Cancel);
  else if (set.contains(QMessageBox::No))
    box->setEscapeButton(QMessageBox::No);
  else
    box->setEscapeButton(set.first());
  return box;
}

PromptAnswer AnswerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    default:
      return PromptAnswer::Cancel;
  }
}

PromptAnswer TWidgetPrompter::Ask(PromptKind kind, PromptButtons buttons, const QString& text,
                                  const QString& caption) {
  std::unique_ptr<QMessageBox> box = BuildMessageBox(kind, buttons, text, caption, DialogParent());
  box->exec();
  return AnswerOf(box->standardButton(box->clickedButton()));
}

QString TWidgetPrompter::AskOpenFileName(const FileDialogRequest& request) {
  return Run(request, false);
}

QString TWidgetPrompter::AskSaveFileName(const FileDialogRequest& request) {
  return Run(request, true);
}

QStringList NameFiltersOf(const QString& filter, bool caseSensitiveNames) {
  QStringList filters;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      QStringList variants{trimmed};
      if (caseSensitiveNames)
        variants << trimmed.toLower() << trimmed.toUpper();
      for (const QString& variant : variants) {
        if (!patterns.contains(variant))
          patterns.append(variant);
      }
    }
    filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' '))));
  }
  return filters;
}

std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& request, bool save,
                                             QWidget* parent) {
  auto dialog = std::make_unique<QFileDialog>(parent, request.caption, request.initialFolder);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setNameFilters(NameFiltersOf(request.filter, kCaseSensitiveNames));
  dialog->setDefaultSuffix(request.defaultExtension);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !(save && request.overwritePrompt));
  if (!request.proposedName.isEmpty())
    dialog->selectFile(request.proposedName);
  return dialog;
}
