#pragma once
// One run of the external quote engine, as its contract asks: the old results file is deleted,
// the input file is written, the engine program is started by its full path in its own folder
// (no arguments, the caller's environment, no window), and when it ends its results are read.
// A run can be cancelled at any time; the results are then not read.
//
// A run holds the engine folder (TEngineFolderLock) from writing the input until its results
// are read; a run that finds it held waits, still answering Cancel, up to its time-out. The
// engine cannot outlive the program: on Linux it is killed when the program dies, and what it
// started is stopped by the next run.
//
// The run is asynchronous and driven by the event loop of the calling thread, so a window can
// keep painting while the engine works; RunAndWait() is the blocking form for the command line.
// finished() is emitted exactly once per Start(), always from the event loop, never from inside
// Start() or Cancel().

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <functional>

#include "dataserver/pathentry.h"
#include "motor/enginefolderlock.h"

// The engine files one run touches.
struct TEngineFiles {
  QString Program;  // the engine program, full path; its folder is the working directory
  QString Results;  // the results file the engine leaves behind
};

enum class TEngineOutcome {
  Results,            // the engine ended and its results were read
  InputNotWritten,    // the last results could not be removed or the input could not be written
  EngineMissing,      // there is no engine program
  EngineNotStarted,   // the engine program is there but could not be started
  NoResults,          // the engine left no results file, or was killed by a signal (crashed)
  ResultsUnreadable,  // the results file is there but could not be read
  Cancelled,          // the caller cancelled; the engine was stopped and nothing was read
  TimedOut,           // the engine ran longer than allowed and was stopped, or another
                      // quotation held the engine folder for the whole time allowed
};

struct TEngineRunResult {
  TEngineOutcome Outcome = TEngineOutcome::Cancelled;
  DsvStatus InputStatus = 0;  // the input writer's status (InputNotWritten)
  int ExitCode = 0;           // the engine's exit code, when it ended by itself
  bool Crashed = false;       // the engine ended by a signal rather than by exiting
  QString Detail;             // the engine's error output, or what the results reader said
  qint64 EngineMilliseconds = 0;
};

class TEngineRun : public QObject {
  Q_OBJECT
 public:
  // Writes the engine input; answers the Data Server status (0 for success).
  using InputWriter = std::function<DsvStatus()>;
  // Reads the results file; answers false with a reason when it cannot be read.
  using ResultsReader = std::function<bool(const QString& resultsFile, QString& error)>;

  TEngineRun(TEngineFiles files, InputWriter writer, ResultsReader reader,
             QObject* parent = nullptr);
  // A run still going is stopped and waited for: no engine outlives its run.
  ~TEngineRun() override;

  // Stop the engine after this many milliseconds, counted from Start() and so including any
  // wait for another quotation (0, the default, waits for ever).
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
  void Start();
  // Stops the engine (and anything it started) at once. The results are not read.
  void Cancel();
  bool IsRunning() const { return running_; }
  const TEngineRunResult& Result() const { return result_; }

  // Start() and wait in a local event loop until the run has finished.
  TEngineRunResult RunAndWait();

 signals:
  void finished(const TEngineRunResult& result);

 private:
  void Fail(TEngineOutcome outcome, const QString& detail);
  void FinishLater(TEngineRunResult result);
  void OnProcessFinished(int exitCode, QProcess::ExitStatus status);
  void OnProcessError(QProcess::ProcessError error);
  void OnTimeout();
  void OnErrorOutput();
  void StopEngine();
  void TryTakeFolder();
  void RunEngine();

  TEngineFiles files_;
  InputWriter writer_;
  ResultsReader reader_;
  QProcess process_;
  QTimer timer_;
  QTimer folderPoll_;  // while another quotation holds the engine folder
  TEngineFolderLock folder_;
  QElapsedTimer clock_;
  QByteArray errorOutput_;
  TEngineRunResult result_;
  int timeoutMs_ = 0;
  qint64 engineGroup_ = 0;  // the running engine's process group (its own process id)
  bool running_ = false;
  bool cancelled_ = false;
  bool timedOut_ = false;
  bool waiting_ = false;  // for the engine folder
};

Q_DECLARE_METATYPE(TEngineRunResult)
