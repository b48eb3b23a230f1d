#include "motor/quoterun.h"

#include <QFile>
#include <stdexcept>
#include <utility>

#include "dataserver/dsv.h"
#include "dataserver/dsvexport.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/quotemessages.h"
#include "motor/quoteresultserror.h"
#include "settings/options.h"

TQuoteRunSetup QuoteRunSetupFromOptions() {
  TOptions* options = Options();
  TQuoteRunSetup setup;
  setup.Engine.Program = options->EngineProgramFile();
  setup.Engine.Results = options->EngineResultsFile();
  setup.Input = options->EngineInputFile();
  setup.Exports = options->ExportsFile();
  setup.PlanNames = options->PlanNameFile();
  setup.ApplicationNumber = options->GetApplicationNumber();
  setup.ApplicationVersion = options->GetApplicationVersion();
  return setup;
}

TQuoteRun::TQuoteRun(TQuoteRunSetup setup, QObject* parent)
    : QObject(parent),
      setup_(std::move(setup)),
      engine_(
          setup_.Engine, [this] { return WriteInput(); },
          [this](const QString& file, QString& error) { return ReadResults(file, error); }) {
  connect(&engine_, &TEngineRun::finished, this, &TQuoteRun::finished);
}

void TQuoteRun::Start() {
  if (!engine_.IsRunning()) {
    Forget();
  }
  engine_.Start();
}

TEngineRunResult TQuoteRun::RunAndWait() {
  if (!engine_.IsRunning()) {
    Forget();
  }
  return engine_.RunAndWait();
}

void TQuoteRun::Forget() {
  information_.Clear();
  rows_.clear();
}

DsvStatus TQuoteRun::WriteInput() {
  const QByteArray exports = QFile::encodeName(setup_.Exports);
  const QByteArray input = QFile::encodeName(setup_.Input);
  const DsvStatus status = DsvExport(static_cast<std::int16_t>(setup_.ApplicationNumber),
                                     static_cast<std::int16_t>(setup_.ApplicationVersion), 0, 0, 0,
                                     exports.constData(), input.constData());
  if (status == dsv_status::kValueDoesNotFit) {
    // The engine run reports a writer's exception as the reason the input was not written.
    throw std::runtime_error(ValueDoesNotFitReason().toLocal8Bit().toStdString());
  }
  return status;
}

bool TQuoteRun::ReadResults(const QString& resultsFile, QString& error) {
  try {
    information_.LoadFromFile(resultsFile, setup_.PlanNames,
                              GetListValue(Id::CoverType, TPath{CoverPath()}));
  } catch (const EQuoteResultsError& failure) {
    error = failure.Message();
    return false;
  }
  rows_ = BuildResultRows(information_);
  return true;
}

TQuoteConclusion ConcludeQuotation(const TQuoteRun& run) {
  const TEngineRunResult& result = run.Result();
  switch (result.Outcome) {
    case TEngineOutcome::Cancelled:
      return {TQuoteEnding::Cancelled, QString()};
    case TEngineOutcome::Results:
      if (run.Rows().isEmpty()) {
        return {TQuoteEnding::Declined, DeclinedMessage()};
      }
      return {TQuoteEnding::ShowResults, QString()};
    default:
      return {TQuoteEnding::Failed, EngineRunMessage(result)};
  }
}
