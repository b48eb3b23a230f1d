// quillmarsh-cli: quotes saved quotation files without a window. See CliUsage() for the
// commands and exit codes.

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QTextStream>
#include <cstring>
#include <memory>

#include "platform/prompt.h"
#include "platform/seams.h"
#include "tools/cli/cliarguments.h"
#include "tools/cli/cliquote.h"
#include "tools/cli/consoleprompter.h"
#include "tools/cli/exitcodes.h"

int main(int argc, char* argv[]) {
  // The report command draws its pages with fonts, which need a GUI application; it needs no
  // display, so it draws offscreen unless told otherwise.
  const bool drawsPages = argc > 1 && std::strcmp(argv[1], "report") == 0;
  if (drawsPages && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  std::unique_ptr<QCoreApplication> application;
  if (drawsPages) {
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("Quillmarsh - Motor"));
  QTextStream out(stdout);
  QTextStream errors(stderr);
  // The program's message boxes are printed on standard error.
  TPlatformSeams::Current().prompter = std::make_shared<TConsolePrompter>();

  QString error;
  const auto arguments = ParseCliArguments(QCoreApplication::arguments().mid(1), error);
  if (!arguments) {
    errors << "quillmarsh-cli: " << error << "\n\n" << CliUsage();
    return kExitUsage;
  }
  const int code = RunCliCommand(*arguments, out, errors, QDate::currentDate());
  out.flush();
  errors.flush();
  return code;
}
