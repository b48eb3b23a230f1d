#include "app/launch.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStatusTipEvent>

#include "app/mainwindow.h"
#include "platform/prompt.h"
#include "platform/userdatafolder.h"
#include "tools/install/demoinstaller.h"

std::optional<TProgramArguments> ParseProgramArguments(const QStringList& arguments) {
  TProgramArguments result;
  bool filesOnly = false;  // after "--" a name that starts with '-' is a file
  for (const QString& argument : arguments) {
    if (!filesOnly && argument == QLatin1String("--")) {
      filesOnly = true;
    } else if (!filesOnly && argument == QLatin1String("--quit-when-idle")) {
      result.QuitWhenIdle = true;
    } else if ((filesOnly || !argument.startsWith(QLatin1Char('-'))) && !argument.isEmpty() &&
               result.FileName.isEmpty()) {
      result.FileName = QFileInfo(argument).absoluteFilePath();
    } else {
      return std::nullopt;
    }
  }
  return result;
}

QString ProgramUsage() {
  return QStringLiteral("usage: quillmarsh [--quit-when-idle] [FILE.PCD]\n");
}

TFirstStart InstallDemoOnFirstStart(const QString& programFolder, const QDate& today) {
  TFirstStart result;
  TDemoInstallRequest request;
  // Only the packaged demo: a program in a build tree is given its installation by scripts/run.
  // The installer leaves an existing installation alone (either folder setting present).
  if (!FindDemoSource(programFolder, QString(), request))
    return result;
  request.Target = UserDataFolder();
  request.ProgramFolder = programFolder;
  request.Today = today;
  const TDemoInstallResult installed =
      request.Target.isEmpty() ? TDemoInstallResult{} : InstallDemo(request);
  if (installed.Outcome == TDemoInstallOutcome::Installed) {
    result.StatusMessage =
        QStringLiteral("The demo installation is ready: sample quotations are in %1")
            .arg(QDir::toNativeSeparators(request.Target + QStringLiteral("/samples")));
  } else if (installed.Outcome == TDemoInstallOutcome::Failed) {
    result.Failed = true;
    const QString reason = installed.Lines.isEmpty()
                               ? QStringLiteral("The user's data folder cannot be created.")
                               : installed.Lines.join(QLatin1Char('\r'));
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("The demo installation could not be installed for you:\r") + reason);
  }
  return result;
}

void FinishStart(TTolvaneForm& window, const TProgramArguments& arguments, const QString& message) {
  // A proposal a crash left comes first: the file is opened only when the user declined it.
  const bool recovered = window.OfferRecovery();
  if (!recovered && !arguments.FileName.isEmpty()) {
    const QString fileName = arguments.FileName;
    window.RunCommand([&window, fileName] { return window.FileOpen(fileName); });
  }
  if (!message.isEmpty()) {
    // The first panel shows status tips; the next focus change replaces the message.
    QStatusTipEvent tip(message);
    QApplication::sendEvent(&window, &tip);
  }
}
