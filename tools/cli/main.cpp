// quillmarsh-cli: quotes saved quotation files without a window.

#include <QCoreApplication>

#include "tools/cli/cliarguments.h"
#include "tools/cli/exitcodes.h"

#include <cstdio>

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Quillmarsh - Motor"));
  QString error;
  const auto arguments = ParseCliArguments(application.arguments().mid(1), error);
  if (!arguments) {
    std::fprintf(stderr, "quillmarsh-cli: %s\n%s", qPrintable(error), qPrintable(CliUsage()));
    return kExitUsage;
  }
  std::fputs(qPrintable(CliUsage()), stdout);
  return kExitQuoted;
}
