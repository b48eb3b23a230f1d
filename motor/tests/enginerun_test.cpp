#include "motor/enginerun.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <memory>

#include "motor/tests/testengine.h"

namespace {

const QByteArray kPrepared = "10\r\n12345\r\n";

// A run over a test engine folder with a writer and a reader that record what they saw.
struct TRecordingRun {
  explicit TRecordingRun(const TTestEngineFolder& folder, DsvStatus writerStatus = 0)
      : run(
            TEngineFiles{folder.Program(), folder.Results()},
            [this, writerStatus, &folder] {
              ++writes;
              resultsPresentWhenWriting = QFile::exists(folder.Results());
              return writerStatus;
            },
            [this](const QString& file, QString& error) {
              ++reads;
              QFile results(file);
              if (!results.open(QIODevice::ReadOnly)) {
                error = "cannot open";
                return false;
              }
              read = results.readAll();
              if (failRead) {
                error = "line 2 is not a number";
                return false;
              }
              return true;
            }) {}

  TEngineRun run;
  int writes = 0;
  int reads = 0;
  bool failRead = false;
  bool resultsPresentWhenWriting = false;
  QByteArray read;
};

qint64 ReadPid(const TTestEngineFolder& folder, const QString& name) {
  return folder.Read(name).trimmed().toLongLong();
}

}  // namespace

TEST(EngineRunContract, StartsTheProgramInItsFolderWithNoArgumentsAndReadsItsResults) {
  TTestEngineFolder folder("copies-results.sh");
  folder.Write("Prepared.001", kPrepared);
  qputenv("QM_ENGINE_PROBE", "inherited");
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::Results);
  EXPECT_EQ(recording.writes, 1);
  EXPECT_EQ(recording.reads, 1);
  EXPECT_EQ(recording.read, kPrepared);
  EXPECT_EQ(folder.Read("started-with-arguments.txt").trimmed(), "0");
  EXPECT_EQ(QDir(QString::fromLocal8Bit(folder.Read("started-in.txt").trimmed())).canonicalPath(),
            QDir(folder.Folder()).canonicalPath());
  EXPECT_EQ(folder.Read("started-with-probe.txt"), "inherited");
  qunsetenv("QM_ENGINE_PROBE");
}

TEST(EngineRunContract, DeletesTheLastResultsBeforeWritingTheInput) {
  TTestEngineFolder folder("writes-nothing.sh");
  folder.Write("Formula1.001", kPrepared);
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_FALSE(recording.resultsPresentWhenWriting);
  EXPECT_EQ(result.Outcome, TEngineOutcome::NoResults);
  EXPECT_EQ(recording.reads, 0);
}

TEST(EngineRunContract, TheExitCodeIsNotLookedAtWhenResultsWereWritten) {
  TTestEngineFolder folder("fails-after-results.sh");
  folder.Write("Prepared.001", kPrepared);
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::Results);
  EXPECT_EQ(result.ExitCode, 5);
}

TEST(EngineRunFailures, AFailedInputWriteStartsNoEngine) {
  TTestEngineFolder folder("writes-nothing.sh");
  TRecordingRun recording(folder, 240);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_EQ(result.InputStatus, 240);
  EXPECT_FALSE(QFile::exists(folder.File("started.txt")));
  EXPECT_EQ(recording.reads, 0);
}

TEST(EngineRunFailures, AnInputWriterThatThrowsIsReportedAsInputNotWritten) {
  TTestEngineFolder folder("writes-nothing.sh");
  TEngineRun run(
      TEngineFiles{folder.Program(), folder.Results()},
      []() -> DsvStatus { throw std::runtime_error("disk full"); }, nullptr);

  const TEngineRunResult result = run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_EQ(result.Detail, "disk full");
}

TEST(EngineRunFailures, AMissingProgramIsReportedAsEngineMissing) {
  TTestEngineFolder folder("writes-nothing.sh");
  QFile::remove(folder.Program());
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::EngineMissing);
  EXPECT_EQ(recording.writes, 1);
}

TEST(EngineRunFailures, AProgramThatCannotBeStartedIsReportedAsNotStarted) {
  TTestEngineFolder folder("writes-nothing.sh", /*executable=*/false);
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::EngineNotStarted);
  EXPECT_FALSE(result.Detail.isEmpty());
}

TEST(EngineRunFailures, AnEngineThatLeavesNoResultsIsReportedWithItsErrorOutput) {
  TTestEngineFolder folder("fails.sh");
  TRecordingRun recording(folder);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::NoResults);
  EXPECT_EQ(result.ExitCode, 3);
  EXPECT_EQ(result.Detail, "QuoForm1.001: line 3 is not a number");
  EXPECT_EQ(recording.reads, 0);
}

TEST(EngineRunFailures, ResultsThatCannotBeReadAreReportedWithTheReadersReason) {
  TTestEngineFolder folder("copies-results.sh");
  folder.Write("Prepared.001", kPrepared);
  TRecordingRun recording(folder);
  recording.failRead = true;

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::ResultsUnreadable);
  EXPECT_EQ(result.Detail, "line 2 is not a number");
}

TEST(EngineRunFailures, AReaderThatThrowsIsReportedAsUnreadable) {
  TTestEngineFolder folder("copies-results.sh");
  folder.Write("Prepared.001", kPrepared);
  TEngineRun run(TEngineFiles{folder.Program(), folder.Results()}, nullptr,
                 [](const QString&, QString&) -> bool { throw std::runtime_error("truncated"); });

  const TEngineRunResult result = run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::ResultsUnreadable);
  EXPECT_EQ(result.Detail, "truncated");
}

TEST(EngineRunStopping, CancelStopsTheEngineAndEverythingItStartedAndReadsNothing) {
  TTestEngineFolder folder("sleeps.sh");
  TRecordingRun recording(folder);
  QSignalSpy finished(&recording.run, &TEngineRun::finished);

  recording.run.Start();
  ASSERT_TRUE(folder.WaitForFile("child.pid"));
  const qint64 engine = ReadPid(folder, "engine.pid");
  const qint64 child = ReadPid(folder, "child.pid");
  ASSERT_FALSE(ProcessGone(engine));
  ASSERT_FALSE(ProcessGone(child));
  recording.run.Cancel();
  ASSERT_TRUE(finished.wait(5000));

  EXPECT_EQ(recording.run.Result().Outcome, TEngineOutcome::Cancelled);
  EXPECT_EQ(recording.reads, 0);
  EXPECT_TRUE(WaitForProcessGone(engine));
  EXPECT_TRUE(WaitForProcessGone(child));
}

TEST(EngineRunStopping, ATimeoutStopsTheEngineAndEverythingItStarted) {
  TTestEngineFolder folder("sleeps.sh");
  TRecordingRun recording(folder);
  recording.run.SetTimeout(300);

  const TEngineRunResult result = recording.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::TimedOut);
  EXPECT_EQ(recording.reads, 0);
  EXPECT_TRUE(WaitForProcessGone(ReadPid(folder, "engine.pid")));
  EXPECT_TRUE(WaitForProcessGone(ReadPid(folder, "child.pid")));
}

TEST(EngineRunStopping, ReleasingARunningRunStopsTheEngine) {
  TTestEngineFolder folder("sleeps.sh");
  auto recording = std::make_unique<TRecordingRun>(folder);
  recording->run.Start();
  ASSERT_TRUE(folder.WaitForFile("child.pid"));

  recording.reset();

  EXPECT_TRUE(WaitForProcessGone(ReadPid(folder, "engine.pid")));
  EXPECT_TRUE(WaitForProcessGone(ReadPid(folder, "child.pid")));
}

TEST(EngineRunStopping, ACancelBeforeTheHandOverWinsOverAnEarlyFailure) {
  TTestEngineFolder folder("writes-nothing.sh");
  TRecordingRun recording(folder, 240);
  QSignalSpy finished(&recording.run, &TEngineRun::finished);

  recording.run.Start();
  recording.run.Cancel();
  ASSERT_TRUE(finished.wait(5000));

  EXPECT_EQ(recording.run.Result().Outcome, TEngineOutcome::Cancelled);
}

TEST(EngineRunSignals, FinishedComesOnceAndOnlyFromTheEventLoop) {
  TTestEngineFolder folder("writes-nothing.sh");
  TRecordingRun recording(folder, 240);
  QSignalSpy finished(&recording.run, &TEngineRun::finished);

  recording.run.Start();
  EXPECT_EQ(finished.count(), 0);
  EXPECT_TRUE(recording.run.IsRunning());
  ASSERT_TRUE(finished.wait(5000));
  QCoreApplication::processEvents();

  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(recording.run.IsRunning());
}

TEST(EngineRunSignals, ARunCanBeStartedAgainAfterItFinished) {
  TTestEngineFolder folder("copies-results.sh");
  folder.Write("Prepared.001", kPrepared);
  TRecordingRun recording(folder);

  EXPECT_EQ(recording.run.RunAndWait().Outcome, TEngineOutcome::Results);
  EXPECT_EQ(recording.run.RunAndWait().Outcome, TEngineOutcome::Results);
  EXPECT_EQ(recording.writes, 2);
  EXPECT_EQ(recording.reads, 2);
}
