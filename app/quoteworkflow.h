#pragma once
// The quotation workflow of the window: what Quote runs (app/quotehook.h). In order: the engine
// check (its failure ends the program), the proposal prepared for quoting, the missing-data
// check (the missing-data form takes over when anything is missing), the conditions and the
// date cover starts, then the engine run behind the progress dialog, and the results dialog, or
// the message that tells the user why there is nothing to show. A cancelled run shows nothing.

#include <QObject>
#include <QPointer>

class TTolvaneForm;

class TQuoteWorkflow : public QObject {
  Q_OBJECT

 public:
  // An engine that has not answered in this time is stopped.
  static constexpr int kDefaultEngineTimeoutMs = 10 * 60 * 1000;

  // Installs itself as the Quote handler for the window and enables the Quote commands; the
  // handler is removed again when the workflow goes, which must be before the window goes.
  explicit TQuoteWorkflow(TTolvaneForm* window);
  ~TQuoteWorkflow() override;

  // checkMissingData: list what is missing first. Answers true when results were shown.
  bool StartQuote(bool checkMissingData);

  void SetEngineTimeout(int milliseconds) { engineTimeoutMs_ = milliseconds; }

 private:
  QPointer<TTolvaneForm> window_;
  int engineTimeoutMs_ = kDefaultEngineTimeoutMs;
};
