#pragma once
// The commands of quillmarsh-cli on the program's own quotation workflow: open the installation
// named by the settings, load each quotation file's "Tolvane" section, list what is missing and,
// for quote, run the engine and print the quotations.

#include <QDate>
#include <QTextStream>

#include "tools/cli/cliarguments.h"

// Runs one parsed command; the quotations (or JSON) go to `out`, messages to `errors`. Answers
// the exit code (tools/cli/exitcodes.h). `today` is the date cover may start from.
int RunCliCommand(const TCliArguments& arguments, QTextStream& out, QTextStream& errors,
                  const QDate& today);
