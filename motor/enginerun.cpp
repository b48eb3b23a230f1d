#include "motor/enginerun.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <exception>
#include <utility>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {

// Enough of the engine's error output to explain a failure, without keeping a chatty engine's
// whole output in memory.
constexpr qsizetype kErrorOutputLimit = 4096;
// How often a run waiting for the engine folder looks again.
constexpr int kFolderPollMs = 100;

QString ErrorOutputText(const QByteArray& bytes) {
  return QString::fromLocal8Bit(bytes).trimmed();
}

}  // namespace

TEngineRun::TEngineRun(TEngineFiles files, InputWriter writer, ResultsReader reader,
                       QObject* parent)
    : QObject(parent),
      files_(std::move(files)),
      writer_(std::move(writer)),
      reader_(std::move(reader)),
      folder_(files_.Program) {
  qRegisterMetaType<TEngineRunResult>();
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TEngineRun::OnTimeout);
  folderPoll_.setInterval(kFolderPollMs);
  connect(&folderPoll_, &QTimer::timeout, this, &TEngineRun::TryTakeFolder);
  connect(&process_, &QProcess::finished, this, &TEngineRun::OnProcessFinished);
  connect(&process_, &QProcess::errorOccurred, this, &TEngineRun::OnProcessError);
  connect(&process_, &QProcess::readyReadStandardError, this, &TEngineRun::OnErrorOutput);
#ifdef Q_OS_UNIX
  // The engine leads a process group of its own, so that stopping it also stops whatever it
  // started (a shell script's children, for instance).
  const pid_t program = ::getpid();
  process_.setChildProcessModifier([program] {
    ::setpgid(0, 0);
#ifdef Q_OS_LINUX
    // The engine dies with the program that started it, even when that is killed; a program
    // that died before this line leaves the engine another parent.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != program)
      ::_exit(127);
#endif
  });
#endif
}

TEngineRun::~TEngineRun() {
  QObject::disconnect(&process_, nullptr, this, nullptr);
  if (process_.state() != QProcess::NotRunning) {
    StopEngine();
    process_.waitForFinished(5000);
  }
}

void TEngineRun::Start() {
  if (running_) {
    return;
  }
  running_ = true;
  cancelled_ = false;
  timedOut_ = false;
  waiting_ = false;
  errorOutput_.clear();
  result_ = TEngineRunResult{};

  // Without its folder there is no engine: nothing is written for it (the input's folder is
  // the engine's too, and its write failure would hide the real fault).
  if (!QFileInfo(files_.Program).absoluteDir().exists()) {
    Fail(TEngineOutcome::EngineMissing, files_.Program);
    return;
  }
  if (timeoutMs_ > 0)
    timer_.start(timeoutMs_);
  TryTakeFolder();
}

void TEngineRun::TryTakeFolder() {
  switch (folder_.TryTake()) {
    case TEngineFolderLock::TAttempt::Taken:
      waiting_ = false;
      folderPoll_.stop();
      RunEngine();
      return;
    case TEngineFolderLock::TAttempt::Busy:
      waiting_ = true;
      if (!folderPoll_.isActive())
        folderPoll_.start();
      return;
    case TEngineFolderLock::TAttempt::Failed:
      waiting_ = false;
      folderPoll_.stop();
      Fail(TEngineOutcome::InputNotWritten, folder_.Error());
      return;
  }
}

void TEngineRun::RunEngine() {
  QFileInfo program(files_.Program);

  // A results file left by an earlier run would be read as this run's answer.
  if (QFile::exists(files_.Results) && !QFile::remove(files_.Results)) {
    Fail(TEngineOutcome::InputNotWritten,
         QStringLiteral("The results of the last quotation (%1) could not be deleted")
             .arg(files_.Results));
    return;
  }

  DsvStatus status = 0;
  try {
    status = writer_ ? writer_() : 0;
  } catch (const std::exception& error) {
    Fail(TEngineOutcome::InputNotWritten, QString::fromLocal8Bit(error.what()));
    return;
  }
  if (status != 0) {
    result_.InputStatus = status;
    Fail(TEngineOutcome::InputNotWritten, QString());
    return;
  }

  program.refresh();
  if (!program.exists() || program.isDir()) {
    Fail(TEngineOutcome::EngineMissing, files_.Program);
    return;
  }

  process_.setProgram(program.absoluteFilePath());
  process_.setArguments({});
  process_.setWorkingDirectory(program.absolutePath());
  process_.setStandardInputFile(QProcess::nullDevice());
  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.setProcessChannelMode(QProcess::SeparateChannels);
  clock_.start();
  process_.start();
  // A failure to start arrives through errorOccurred (possibly already delivered above).
  engineGroup_ = process_.state() != QProcess::NotRunning ? process_.processId() : 0;
  folder_.NoteEngineGroup(engineGroup_);
}

void TEngineRun::Cancel() {
  if (!running_) {
    return;
  }
  cancelled_ = true;
  if (waiting_) {
    waiting_ = false;
    folderPoll_.stop();
    Fail(TEngineOutcome::Cancelled, QString());
    return;
  }
  if (process_.state() != QProcess::NotRunning) {
    StopEngine();
  }
}

TEngineRunResult TEngineRun::RunAndWait() {
  QEventLoop loop;
  bool done = false;
  auto connection = connect(this, &TEngineRun::finished, &loop, [&] {
    done = true;
    loop.quit();
  });
  Start();
  if (!done) {
    loop.exec();
  }
  disconnect(connection);
  return result_;
}

void TEngineRun::Fail(TEngineOutcome outcome, const QString& detail) {
  TEngineRunResult result = result_;
  result.Outcome = outcome;
  result.Detail = detail;
  FinishLater(std::move(result));
}

void TEngineRun::FinishLater(TEngineRunResult result) {
  timer_.stop();
  folderPoll_.stop();
  // The results have been read (or never will be): the next quotation may have the folder.
  if (process_.state() == QProcess::NotRunning)
    folder_.Release();
  result_ = std::move(result);
  // Always delivered from the event loop, so that a receiver may release this run.
  QTimer::singleShot(0, this, [this] {
    if (!running_) {
      return;
    }
    if (cancelled_) {
      // A cancel that came before the hand-over wins: nothing is shown for this run.
      result_.Outcome = TEngineOutcome::Cancelled;
    }
    running_ = false;
    emit finished(result_);
  });
}

void TEngineRun::OnProcessFinished(int exitCode, QProcess::ExitStatus status) {
#ifdef Q_OS_UNIX
  // Nothing the engine started may go on writing into the folder once the next run has it.
  if (engineGroup_ > 0)
    ::kill(-static_cast<pid_t>(engineGroup_), SIGKILL);
#endif
  engineGroup_ = 0;
  TEngineRunResult result = result_;
  result.EngineMilliseconds = clock_.elapsed();
  result.Crashed = status == QProcess::CrashExit;
  result.ExitCode = result.Crashed ? 0 : exitCode;
  OnErrorOutput();
  result.Detail = ErrorOutputText(errorOutput_);

  if (cancelled_) {
    result.Outcome = TEngineOutcome::Cancelled;
  } else if (timedOut_) {
    result.Outcome = TEngineOutcome::TimedOut;
  } else if (result.Crashed || !QFile::exists(files_.Results)) {
    // The contract does not look at the exit code; a missing results file is the failure. An
    // engine killed by a signal did not end: what it left may be cut anywhere, even between two
    // quotations, where it would read as a shorter list. It is not read.
    result.Outcome = TEngineOutcome::NoResults;
  } else {
    QString error;
    bool read = false;
    try {
      read = reader_ ? reader_(files_.Results, error) : true;
    } catch (const std::exception& failure) {
      error = QString::fromLocal8Bit(failure.what());
    }
    result.Outcome = read ? TEngineOutcome::Results : TEngineOutcome::ResultsUnreadable;
    if (!read) {
      result.Detail = error;
    }
  }
  FinishLater(std::move(result));
}

void TEngineRun::OnProcessError(QProcess::ProcessError error) {
  if (error == QProcess::FailedToStart && running_) {
    Fail(TEngineOutcome::EngineNotStarted, process_.errorString());
  }
}

void TEngineRun::OnTimeout() {
  if (waiting_) {
    waiting_ = false;
    folderPoll_.stop();
    Fail(TEngineOutcome::TimedOut,
         QStringLiteral("Another quotation was using the Quote engine all that time"));
    return;
  }
  if (process_.state() == QProcess::NotRunning) {
    return;
  }
  timedOut_ = true;
  StopEngine();
}

void TEngineRun::OnErrorOutput() {
  errorOutput_ += process_.readAllStandardError();
  if (errorOutput_.size() > kErrorOutputLimit) {
    errorOutput_ = errorOutput_.right(kErrorOutputLimit);
  }
}

void TEngineRun::StopEngine() {
  timer_.stop();
#ifdef Q_OS_UNIX
  const qint64 pid = process_.processId();
  if (pid > 0) {
    ::kill(-static_cast<pid_t>(pid), SIGKILL);
  }
#endif
  process_.kill();
}
