#pragma once
// A quotation run as the program makes it: the engine run of motor/enginerun.h with the engine
// input written by the Data Server's export and the results read into a TQuoteInformation, from
// which the result rows are built. The results dialog and the command line both run quotations
// through this.

#include <QList>
#include <QObject>
#include <QString>

#include "motor/enginerun.h"
#include "motor/quoteinformation.h"
#include "motor/resultrows.h"

// The files and numbers a run needs, all from the settings.
struct TQuoteRunSetup {
  TEngineFiles Engine;  // QuoForm1.pif and Formula1.001
  QString Input;        // QuoForm1.001
  QString Exports;      // Exports.BIN
  QString PlanNames;    // PlanName.Dat
  int ApplicationNumber = 1;
  int ApplicationVersion = 0;
};

// Reads the setup from the options object (which must exist).
TQuoteRunSetup QuoteRunSetupFromOptions();

class TQuoteRun : public QObject {
  Q_OBJECT
 public:
  explicit TQuoteRun(TQuoteRunSetup setup, QObject* parent = nullptr);

  void SetTimeout(int milliseconds) { engine_.SetTimeout(milliseconds); }
  // The results of an earlier run are forgotten when a run starts.
  void Start();
  void Cancel() { engine_.Cancel(); }
  TEngineRunResult RunAndWait();
  bool IsRunning() const { return engine_.IsRunning(); }

  const TEngineRunResult& Result() const { return engine_.Result(); }
  const TQuoteInformation& Information() const { return information_; }
  // The rows of the last results read, in reading order; empty until then.
  const QList<TResultRow>& Rows() const { return rows_; }

 signals:
  void finished(const TEngineRunResult& result);

 private:
  void Forget();
  DsvStatus WriteInput();
  bool ReadResults(const QString& resultsFile, QString& error);

  TQuoteRunSetup setup_;
  TQuoteInformation information_;
  QList<TResultRow> rows_;
  TEngineRun engine_;
};

// How a finished run ends for the user.
enum class TQuoteEnding {
  ShowResults,  // at least one row: show them
  Declined,     // the engine answered, but no scheme is listed
  Failed,       // the engine could not give an answer (the message says why)
  Cancelled,    // the user cancelled: nothing is shown
};

struct TQuoteConclusion {
  TQuoteEnding Ending = TQuoteEnding::Cancelled;
  QString Message;  // the declined message or the failure, for an information box
};

TQuoteConclusion ConcludeQuotation(const TQuoteRun& run);
