#pragma once
// The command line:
//   quillmarsh-cli quote FILE.PCD... [--start DD/MM/YYYY] [--sort COLUMN[:asc|:desc]] [--json]
//                                    [--timeout SECONDS]
//   quillmarsh-cli check FILE.PCD...
//   quillmarsh-cli listing FILE.PCD...
//   quillmarsh-cli report FILE.PCD --plan N -o OUT.pdf [--start DD/MM/YYYY] [--json]
//                                  [--timeout SECONDS]
//   quillmarsh-cli --help

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

#include "motor/resultrows.h"

enum class TCliCommand { Quote, Check, Listing, Report, Help };

struct TCliArguments {
  TCliCommand Command = TCliCommand::Help;
  QStringList Files;
  std::optional<QDate> Start;  // today when not given
  std::optional<TResultColumn> SortColumn;
  bool SortDescending = true;  // the results list's own direction when none is given
  bool Json = false;
  int TimeoutSeconds = 120;
  int Plan = 0;    // report: the quotation's number in the "No" column of the quote listing
  QString Output;  // report: the PDF file to write
};

// Parses the arguments after the program name. On a mistake answers nothing and sets `error`.
std::optional<TCliArguments> ParseCliArguments(const QStringList& arguments, QString& error);

QString CliUsage();
