#include "app/startup.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "app/helpviewer.h"
#include "app/hints.h"
#include "app/launch.h"
#include "app/mainwindow.h"
#include "app/quoteworkflow.h"
#include "app/resourceimages.h"
#include "app/seams.h"
#include "app/splashform.h"
#include "app/widgetprompter.h"
#include "controls/modaldialog.h"
#include "controls/today.h"
#include "dataserver/tracker.h"
#include "motor/getmotordsv.h"
#include "platform/prompt.h"
#include "platform/userdatafolder.h"
#include "settings/options.h"
#include "settings/settingsunit.h"

namespace {

const QString kApplicationTitle = QStringLiteral("Quillmarsh - Motor");

// The start-up check's prompter: nobody is there to answer, so each box is written to standard
// error and answered with its last button (Cancel or No), and the check fails.
class TCheckPrompter : public TPrompter {
 public:
  PromptAnswer Ask(PromptKind, PromptButtons buttons, const QString& text,
                   const QString& caption) override {
    Report(caption + QStringLiteral(": ") + PromptTextForDisplay(text));
    return RefusingAnswer(buttons);
  }
  QString AskOpenFileName(const FileDialogRequest&) override {
    Report(QStringLiteral("open dialog"));
    return QString();
  }
  QString AskSaveFileName(const FileDialogRequest&) override {
    Report(QStringLiteral("save dialog"));
    return QString();
  }
  bool Failed() const { return failed_; }

  void Report(const QString& what) {
    failed_ = true;
    QTextStream(stderr) << "quillmarsh: unanswered: " << what << "\n";
  }

 private:
  bool failed_ = false;
};

}  // namespace

bool StartUnits(const QString& programFolder) {
  CreateHintWindow(programFolder);
  if (StartSettings([] { return static_cast<int>(OpenQuoteEngine()); }) != 0) {
    ReleaseOptions();
    DestroyHintWindow();
    return false;
  }
  ClearModified();
  return true;
}

void EndUnits() {
  QuitHelp();
  DestroyHintWindow();
  EndSettings(CloseQuoteEngine);
}

int RunQuillmarsh(int argc, char** argv, const TWindowCreatedHook& windowCreated) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);
  QApplication::setWindowIcon(ImageIcon(QStringLiteral("quillmarsh")));
  QApplication::setDesktopFileName(kDesktopFileName);
  const std::optional<TProgramArguments> arguments =
      ParseProgramArguments(QApplication::arguments().mid(1));
  if (!arguments) {
    QTextStream(stderr) << ProgramUsage();
    return kExitUsage;
  }
  const bool check = arguments->QuitWhenIdle;
  // The seams are back as they were when the run ends.
  const TSeamsGuard seams;
  std::shared_ptr<TCheckPrompter> checkPrompter;
  if (check) {
    checkPrompter = std::make_shared<TCheckPrompter>();
    // Forms such as "Getting Started" are not shown either.
    FillProgramSeams(checkPrompter, [checkPrompter](QDialog& dialog) {
      checkPrompter->Report(QStringLiteral("form ") + dialog.windowTitle());
      return static_cast<int>(QDialog::Rejected);
    });
  } else {
    FillProgramSeams(std::make_shared<TWidgetPrompter>());
  }
  SetTraceReportFile(UserDataFile(QStringLiteral("MemErr.log")).toStdString());

  // 1. The program's units, in order.
  const QString programFolder = QApplication::applicationDirPath();
  const TFirstStart firstStart = InstallDemoOnFirstStart(programFolder, Today());
  if (firstStart.Failed || !StartUnits(programFolder)) {
    EndProgram(kExitNoDataServer);
    return kExitNoDataServer;
  }
  auto* splash = new TInitForm;
  splash->ShowNow();
  QApplication::processEvents();

  // 2. The title was set above; the help file is ours until the settings name another.
  SetApplicationHelpFile(QString());

  // 3. The main window and the message loop.
  int status = 0;
  {
    TTolvaneForm window(programFolder);
    TQuoteWorkflow quotation(&window);
    window.SetSplash(splash);
    QObject::connect(&window, &TTolvaneForm::firstShowFinished, &window,
                     [&] { FinishStart(window, *arguments, firstStart.StatusMessage); });
    if (check) {
      QObject::connect(&window, &TTolvaneForm::firstShowFinished, &window,
                       [&window] { QTimer::singleShot(0, &window, &QWidget::close); });
    }
    if (windowCreated)
      windowCreated(window);
    window.show();
    status = app.exec();
  }

  // 4. Shut-down.
  EndUnits();
  if (check && checkPrompter->Failed())
    return kExitCheckFailed;
  return status;
}
