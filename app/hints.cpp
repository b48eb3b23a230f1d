#include "app/hints.h"

#include <QApplication>
#include <QDir>
#include <memory>

#include "app/helpviewer.h"
#include "app/hintwindow.h"
#include "platform/prompt.h"
#include "settings/options.h"
#include "settings/optionsnotifier.h"

namespace {

std::unique_ptr<TTvHintWindow>& Instance() {
  static std::unique_ptr<TTvHintWindow> window;
  return window;
}

void FollowHintsSetting(bool active) {
  if (active) {
    ShowHintFor(QApplication::focusWidget());
  } else {
    QuitHelp();
    HideHint();
  }
}

}  // namespace

void CreateHintWindow(const QString& programFolder) {
  Instance() = std::make_unique<TTvHintWindow>();
  if (!Instance()->LoadHintFile(QDir(programFolder).filePath(kHintFileName)))
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to open the Help File.\rHints will be disabled"));
  // The connection goes with the window.
  QObject::connect(&OptionsNotifier(), &TOptionsNotifier::hintsActiveChanged, Instance().get(),
                   FollowHintsSetting);
}

void DestroyHintWindow() {
  Instance().reset();
}

TTvHintWindow* HintWindow() {
  return Instance().get();
}

bool HintFileLoaded() {
  return Instance() != nullptr && Instance()->HintFileLoaded();
}

void ShowHintFor(QWidget* control) {
  if (Instance())
    Instance()->ShowHintFor(control);
}

void HideHint() {
  if (Instance())
    Instance()->hide();
}
