#include "app/quoteworkflow.h"

#include "app/mainwindow.h"
#include "app/missingdataform.h"
#include "app/policyconditionsform.h"
#include "app/quotehook.h"
#include "app/quotesummarydlg.h"
#include "app/seams.h"
#include "controls/modaldialog.h"
#include "motor/getmotordsv.h"
#include "platform/prompt.h"

TQuoteWorkflow::TQuoteWorkflow(TTolvaneForm* window) : window_(window) {
  TAppSeams::Current().quote = [this](bool checkMissingData) {
    return StartQuote(checkMissingData);
  };
  window->UpdateQuoteCommands();
}

TQuoteWorkflow::~TQuoteWorkflow() {
  TAppSeams::Current().quote = nullptr;
  if (window_)
    window_->UpdateQuoteCommands();
}

bool TQuoteWorkflow::StartQuote(bool checkMissingData) {
  if (!window_)
    return false;
  // 1. Without its choice file the engine is not installed: the check says so and this
  // quotation is abandoned; the program and the proposal stay.
  if (!CheckQuoteEngine())
    return false;
  // 2. Convictions numbered, today as the policy start.
  PrepareQuote();
  // 3. What is missing is answered first.
  if (checkMissingData && !TMissingDataForm::CheckMissingData(window_, true))
    return false;
  // 4. The conditions and the date cover starts.
  {
    TAcceptPolicyConditionsForm conditions(window_);
    if (RunModalDialog(conditions) != QDialog::Accepted)
      return false;
  }
  // 5. The engine, then the results or why there are none.
  TQuoteSummaryDlgForm results(window_);
  results.SetEngineTimeout(engineTimeoutMs_);
  const TQuoteConclusion conclusion = results.RunEngine();
  switch (conclusion.Ending) {
    case TQuoteEnding::ShowResults:
      RunModalDialog(results);
      return true;
    case TQuoteEnding::Declined:
      Ask(PromptKind::Information, PromptButtons::Ok, conclusion.Message);
      return false;
    case TQuoteEnding::Failed:
      Ask(PromptKind::Error, PromptButtons::Ok, conclusion.Message);
      return false;
    case TQuoteEnding::Cancelled:
      break;
  }
  return false;
}
