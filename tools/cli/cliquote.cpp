#include "tools/cli/cliquote.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <exception>
#include <functional>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/missingdata.h"
#include "motor/quotemessages.h"
#include "motor/quoterun.h"
#include "platform/prompt.h"
#include "platform/settingsstore.h"
#include "report/summarypdf.h"
#include "settings/optionkeys.h"
#include "settings/options.h"
#include "settings/settingsunit.h"
#include "tools/cli/clilisting.h"
#include "tools/cli/clioutput.h"
#include "tools/cli/exitcodes.h"

namespace {

const char* const kSection = "Tolvane";

// The settings that name an installation, read through the options object: each one that is
// missing shows its box, which the console prompter prints on standard error.
bool InstallationPresent(const TOptions& options) {
  const int version = options.GetApplicationVersion();
  const QString dictionary = options.GetDictionaryPath();
  const QString engine = options.GetQuoteEnginePath();
  return version > 0 && !dictionary.isEmpty() && !engine.isEmpty();
}

// Starts the settings unit for the run: the options object, then the Data Server when the
// settings name an installation. Closes both again, whatever happens in between.
class TOpenInstallation {
 public:
  TOpenInstallation() {
    status_ = StartSettings([this] {
      installed_ = InstallationPresent(*Options());
      return installed_ ? static_cast<int>(OpenQuoteEngine()) : 0;
    });
  }
  ~TOpenInstallation() {
    EndSettings(Opened() ? std::function<void()>([] { CloseQuoteEngine(); })
                         : std::function<void()>());
  }
  bool Installed() const { return installed_; }
  bool Opened() const { return installed_ && status_ == 0; }
  int Status() const { return status_; }

 private:
  bool installed_ = false;
  int status_ = 0;
};

class TCliRun {
 public:
  TCliRun(const TCliArguments& arguments, QTextStream& out, QTextStream& errors, const QDate& today)
      : arguments_(arguments), out_(out), errors_(errors), today_(today) {}

  int Run();

 private:
  int QuoteFile(const QString& file, QJsonObject& report);
  int WriteSummary(const QString& file, const QList<TResultRow>& rows, QJsonObject& report);
  bool Quotes() const {
    return arguments_.Command == TCliCommand::Quote || arguments_.Command == TCliCommand::Report;
  }
  bool LoadFile(const QString& file, QJsonObject& report);
  void Say(const QString& message) { errors_ << ConsoleText(message) << '\n'; }
  void Note(int code) {
    if (exit_ == kExitQuoted) {
      exit_ = code;
    }
  }

  const TCliArguments& arguments_;
  QTextStream& out_;
  QTextStream& errors_;
  QDate today_;
  QDate start_;
  int exit_ = kExitQuoted;
};

int TCliRun::Run() {
  start_ = arguments_.Start.value_or(today_);
  if (Quotes() && !CoverStartAcceptable(start_, today_)) {
    Say(CoverBeforeTodayMessage());
    return kExitUsage;
  }
  TOpenInstallation installation;
  if (!installation.Installed()) {
    Say(QStringLiteral(
        "No Quillmarsh installation was found for this user: the settings name no dictionary "
        "or quote engine folder.\rInstall one first (scripts/run installs the demo "
        "installation)."));
    return kExitNoInstallation;
  }
  if (!installation.Opened()) {
    Say(QStringLiteral("The dictionary cannot be opened [Error : %1]").arg(installation.Status()));
    return kExitDictionary;
  }

  if (Quotes()) {
    const QString refusal = CoverStartRefusal(
        start_, today_, Options() != nullptr ? Options()->GetRatesExpiryDate() : QDate());
    if (!refusal.isEmpty()) {
      Say(refusal);
      return kExitUsage;
    }
  }

  // A failed engine check stops the command line with its own exit code.
  QJsonArray reports;
  for (const QString& file : arguments_.Files) {
    QJsonObject report{{"file", file}};
    const int code = QuoteFile(file, report);
    report.insert("exitCode", code);
    reports.append(report);
    Note(code);
    if (code == kExitEngineMissing) {
      break;  // no further file can be quoted either
    }
  }

  if (arguments_.Json) {
    out_ << QJsonDocument(reports).toJson(QJsonDocument::Indented);
  }
  return exit_;
}

bool TCliRun::LoadFile(const QString& file, QJsonObject& report) {
  const QFileInfo info(file);
  if (!info.isFile()) {
    Say(QStringLiteral("%1: file not found").arg(file));
    report.insert("error", "file not found");
    return false;
  }
  DsvStatus status = 0;
  QString reason;
  try {
    status = DsvLoadSection(QFile::encodeName(info.absoluteFilePath()).constData(), kSection);
  } catch (const std::exception& error) {
    status = dsv_status::kInternalError;
    reason = QString::fromLocal8Bit(error.what());
  }
  if (status != 0) {
    Say(QStringLiteral("%1: not a quotation file (Unable to open test case file with errorcode : "
                       "%2)%3")
            .arg(file)
            .arg(status)
            .arg(reason.isEmpty() ? QString() : QStringLiteral("\r") + reason));
    report.insert("error", "not a quotation file");
    DsvClearAll();
    return false;
  }
  return true;
}

int TCliRun::QuoteFile(const QString& file, QJsonObject& report) {
  if (!LoadFile(file, report)) {
    return kExitBadFile;
  }
  if (arguments_.Command == TCliCommand::Listing) {
    if (arguments_.Files.size() > 1) {
      out_ << QStringLiteral("==> %1 <==\n").arg(file);
    }
    PrintProposalListing(out_, today_);
    return kExitQuoted;
  }
  if (Quotes()) {
    if (!CheckQuoteEngine()) {
      report.insert("error", "quote engine missing");
      return kExitEngineMissing;
    }
    PrepareQuote();
  }

  const QList<TMissingItem> missing = FindMissingData(AdditionalDriversToCheck(), today_);
  report.insert("missing", MissingJson(missing));
  if (!missing.isEmpty()) {
    Say(QStringLiteral("%1: The following details have not been entered.").arg(file));
    errors_ << MissingList(missing);
    return kExitMissingData;
  }
  if (arguments_.Command == TCliCommand::Check) {
    if (!arguments_.Json) {
      out_ << QStringLiteral("%1: nothing is missing\n").arg(file);
    }
    return kExitQuoted;
  }

  SetPolicyStartDate(start_);
  report.insert("start", start_.toString(QStringLiteral("dd/MM/yyyy")));
  TQuoteRun run(QuoteRunSetupFromOptions());
  run.SetTimeout(arguments_.TimeoutSeconds * 1000);
  run.RunAndWait();
  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  switch (conclusion.Ending) {
    case TQuoteEnding::ShowResults: {
      if (arguments_.Command == TCliCommand::Report) {
        return WriteSummary(file, run.Rows(), report);
      }
      QList<TResultRow> rows = run.Rows();
      if (arguments_.SortColumn) {
        SortResultRows(rows, *arguments_.SortColumn, arguments_.SortDescending);
      }
      report.insert("quotations", QuotationsJson(rows));
      if (!arguments_.Json) {
        out_ << QStringLiteral("%1 (cover from %2)\n")
                    .arg(file, start_.toString(QStringLiteral("dd/MM/yyyy")))
             << QuotationTable(rows) << '\n';
      }
      return kExitQuoted;
    }
    case TQuoteEnding::Declined:
      Say(QStringLiteral("%1: ").arg(file) + conclusion.Message);
      report.insert("quotations", QJsonArray());
      report.insert("error", "declined");
      return kExitNothingQuoted;
    case TQuoteEnding::Failed:
    case TQuoteEnding::Cancelled:
      break;
  }
  Say(QStringLiteral("%1: ").arg(file) + conclusion.Message);
  report.insert("error", ConsoleText(conclusion.Message));
  const TEngineOutcome outcome = run.Result().Outcome;
  return outcome == TEngineOutcome::EngineMissing || outcome == TEngineOutcome::EngineNotStarted
             ? kExitEngineMissing
             : kExitEngineFailed;
}

// The printed summary of the quotation numbered as the quote listing numbers it.
int TCliRun::WriteSummary(const QString& file, const QList<TResultRow>& rows, QJsonObject& report) {
  const QString wanted = QString::number(arguments_.Plan);
  const auto chosen = std::find_if(rows.begin(), rows.end(), [&](const TResultRow& row) {
    return row.No == wanted && row.Details != nullptr;
  });
  report.insert("quotations", QuotationsJson(rows));
  if (chosen == rows.end()) {
    Say(QStringLiteral("%1: there is no quotation %2; the quotations are:").arg(file, wanted));
    errors_ << QuotationTable(rows);
    report.insert("error", "no such quotation");
    return kExitNoSuchPlan;
  }
  QString error;
  if (!WriteQuoteSummaryPdf(*chosen->Details, arguments_.Output, error, today_)) {
    Say(QStringLiteral("%1: the summary could not be written to %2: %3")
            .arg(file, arguments_.Output, error));
    report.insert("error", "summary not written");
    return kExitReportFailed;
  }
  report.insert("summary", arguments_.Output);
  report.insert("plan", arguments_.Plan);
  if (!arguments_.Json) {
    out_ << QStringLiteral("%1 (cover from %2): the summary of quotation %3, %4 %5, is in %6\n")
                .arg(file, start_.toString(QStringLiteral("dd/MM/yyyy")), wanted, chosen->Insurer,
                     chosen->PremiumText, arguments_.Output);
  }
  return kExitQuoted;
}

}  // namespace

int RunCliCommand(const TCliArguments& arguments, QTextStream& out, QTextStream& errors,
                  const QDate& today) {
  if (arguments.Command == TCliCommand::Help) {
    out << CliUsage();
    return kExitQuoted;
  }
  return TCliRun(arguments, out, errors, today).Run();
}
