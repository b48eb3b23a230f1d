#include "tools/cli/cliarguments.h"

namespace {

std::optional<QDate> ParseDate(const QString& text) {
  for (const char* format : {"dd/MM/yyyy", "d/M/yyyy"}) {
    const QDate date = QDate::fromString(text, QLatin1String(format));
    if (date.isValid()) {
      return date;
    }
  }
  return std::nullopt;
}

bool ParseSort(const QString& text, TCliArguments& arguments) {
  const QStringList parts = text.split(QLatin1Char(':'));
  if (parts.size() > 2) {
    return false;
  }
  const auto column = ParseResultColumn(parts.front());
  if (!column) {
    return false;
  }
  arguments.SortColumn = column;
  if (parts.size() == 2) {
    const QString direction = parts.back().toLower();
    if (direction == QLatin1String("asc")) {
      arguments.SortDescending = false;
    } else if (direction == QLatin1String("desc")) {
      arguments.SortDescending = true;
    } else {
      return false;
    }
  }
  return true;
}

// Which command takes an option; --json goes with every command.
bool CommandTakes(TCliCommand command, const QString& option) {
  if (option == QLatin1String("--json")) {
    return true;
  }
  if (option == QLatin1String("--start") || option == QLatin1String("--timeout")) {
    return command == TCliCommand::Quote || command == TCliCommand::Report;
  }
  if (option == QLatin1String("--sort")) {
    return command == TCliCommand::Quote;
  }
  return command == TCliCommand::Report;  // --plan, -o, --output
}

// The commands that take an option, for the message refusing it elsewhere.
QString OptionOwners(const QString& option) {
  if (option == QLatin1String("--start") || option == QLatin1String("--timeout")) {
    return QStringLiteral("the quote command and the report command");
  }
  if (option == QLatin1String("--sort")) {
    return QStringLiteral("the quote command");
  }
  return QStringLiteral("the report command");
}

bool IsOption(const QString& argument) {
  return argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-o");
}

bool IsKnownOption(const QString& argument) {
  static const QStringList known{"--json", "--start", "--sort",  "--timeout",
                                 "--plan", "-o",      "--output"};
  return known.contains(argument);
}

}  // namespace

std::optional<TCliArguments> ParseCliArguments(const QStringList& arguments, QString& error) {
  TCliArguments result;
  if (arguments.isEmpty()) {
    error = QStringLiteral("No command given");
    return std::nullopt;
  }
  const QString command = arguments.front();
  if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
      command == QLatin1String("help")) {
    result.Command = TCliCommand::Help;
    return result;
  }
  if (command == QLatin1String("quote")) {
    result.Command = TCliCommand::Quote;
  } else if (command == QLatin1String("check")) {
    result.Command = TCliCommand::Check;
  } else if (command == QLatin1String("listing")) {
    result.Command = TCliCommand::Listing;
  } else if (command == QLatin1String("report")) {
    result.Command = TCliCommand::Report;
  } else {
    error = QStringLiteral("Unknown command \"%1\"").arg(command);
    return std::nullopt;
  }

  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!IsOption(argument)) {
      result.Files << argument;
      continue;
    }
    if (argument == QLatin1String("--help")) {
      result.Command = TCliCommand::Help;
      return result;
    }
    if (result.Command == TCliCommand::Listing) {
      error = QStringLiteral("The listing command takes no options (%1)").arg(argument);
      return std::nullopt;
    }
    if (!IsKnownOption(argument)) {
      error = QStringLiteral("Unknown option %1").arg(argument);
      return std::nullopt;
    }
    if (!CommandTakes(result.Command, argument)) {
      error = QStringLiteral("%1 is an option of %2").arg(argument, OptionOwners(argument));
      return std::nullopt;
    }
    if (argument == QLatin1String("--json")) {
      result.Json = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      error = QStringLiteral("%1 needs a value").arg(argument);
      return std::nullopt;
    }
    const QString value = arguments[++i];
    if (argument == QLatin1String("--start")) {
      result.Start = ParseDate(value);
      if (!result.Start) {
        error = QStringLiteral("The cover start \"%1\" is not a date (DD/MM/YYYY)").arg(value);
        return std::nullopt;
      }
    } else if (argument == QLatin1String("--plan")) {
      bool ok = false;
      result.Plan = value.toInt(&ok);
      if (!ok || result.Plan <= 0) {
        error = QStringLiteral("The plan \"%1\" is not a quotation number (1, 2, ...)").arg(value);
        return std::nullopt;
      }
    } else if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
      result.Output = value;
    } else if (argument == QLatin1String("--sort")) {
      if (!ParseSort(value, result)) {
        error = QStringLiteral(
                    "Cannot sort by \"%1\": use No, Insurer, Premium or Excess, optionally "
                    "followed by :asc or :desc")
                    .arg(value);
        return std::nullopt;
      }
    } else {
      bool ok = false;
      result.TimeoutSeconds = value.toInt(&ok);
      if (!ok || result.TimeoutSeconds <= 0) {
        error = QStringLiteral("The timeout \"%1\" is not a whole number of seconds above 0")
                    .arg(value);
        return std::nullopt;
      }
    }
  }
  if (result.Files.isEmpty()) {
    error = QStringLiteral("No quotation file given");
    return std::nullopt;
  }
  if (result.Command == TCliCommand::Report) {
    if (result.Files.size() > 1) {
      error = QStringLiteral("report takes one quotation file");
      return std::nullopt;
    }
    if (result.Plan == 0) {
      error = QStringLiteral("report needs --plan N, the quotation's number in the quote listing");
      return std::nullopt;
    }
    if (result.Output.isEmpty()) {
      error = QStringLiteral("report needs -o FILE.pdf, the file to write");
      return std::nullopt;
    }
  }
  return result;
}

QString CliUsage() {
  return QStringLiteral(
      "Usage:\n"
      "  quillmarsh-cli quote FILE.PCD... [--start DD/MM/YYYY] [--sort COLUMN[:asc|:desc]]\n"
      "                                   [--json] [--timeout SECONDS]\n"
      "  quillmarsh-cli check FILE.PCD... [--json]\n"
      "  quillmarsh-cli report FILE.PCD --plan N -o OUT.pdf [--start DD/MM/YYYY] [--json]\n"
      "                                 [--timeout SECONDS]\n"
      "  quillmarsh-cli listing FILE.PCD...\n"
      "\n"
      "quote   checks each saved quotation for missing answers, runs the quote engine on it\n"
      "        and lists every insurer's quotation with its notes and excesses.\n"
      "        --start    the date cover starts (default today; not before today)\n"
      "        --sort     No, Insurer, Premium or Excess (descending unless :asc); without it\n"
      "                   the quotations stand in the engine's order\n"
      "        --json     print JSON instead of a table\n"
      "        --timeout  stop the engine after this many seconds (default 120)\n"
      "check   only lists the answers that are missing.\n"
      "listing prints the proposal as the broker's e-mail lists it (ages at the cover start).\n"
      "report  quotes the file as quote does, then writes the printed summary of quotation N\n"
      "        (its number in the No column of the quote listing) as a PDF file.\n"
      "\n"
      "Exit codes: 0 quoted (check: nothing missing), 1 answers missing, 2 wrong command line\n"
      "or cover start before today, 3 no installation, 4 dictionary cannot be opened, 5 file\n"
      "not found or not a quotation file, 6 quote engine missing, 7 quote engine failed or\n"
      "timed out, 8 every insurer declined, 9 (report) no quotation has that number, 10 (report)\n"
      "the PDF file cannot be written. With several files, the first failure's code.\n");
}
