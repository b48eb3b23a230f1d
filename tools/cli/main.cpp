// quillmarsh-cli: quotes saved quotation files without a window. See CliUsage() for the
// commands and exit codes.

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>
#include <memory>

#include "platform/prompt.h"
#include "tools/cli/cliarguments.h"
#include "tools/cli/cliquote.h"
#include "tools/cli/consoleprompter.h"
#include "tools/cli/exitcodes.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Quillmarsh - Motor"));
  QTextStream out(stdout);
  QTextStream errors(stderr);
  // The program's message boxes are printed on standard error.
  SetPrompter(std::make_shared<TConsolePrompter>());

  QString error;
  const auto arguments = ParseCliArguments(application.arguments().mid(1), error);
  if (!arguments) {
    errors << "quillmarsh-cli: " << error << "\n\n" << CliUsage();
    return kExitUsage;
  }
  const int code = RunCliCommand(*arguments, out, errors, QDate::currentDate());
  out.flush();
  errors.flush();
  return code;
}
