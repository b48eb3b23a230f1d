// Quotations sharing one engine folder: each run holds it from writing the input to reading the
// results, waits while another holds it, and takes over a hold left by a killed program.
#include <gtest/gtest.h>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>

#include <unistd.h>

#include "motor/enginerun.h"
#include "motor/tests/testengine.h"

namespace {

// A run whose input is its own name and which remembers the results it read.
struct TNamedRun {
  TNamedRun(const TTestEngineFolder& folder, const QByteArray& name)
      : run(
            TEngineFiles{folder.Program(), folder.Results()},
            [this, &folder, name] {
              ++writes;
              folder.Write("QuoForm1.001", name);
              return DsvStatus(0);
            },
            [this](const QString& file, QString&) {
              QFile results(file);
              read = results.open(QIODevice::ReadOnly) ? results.readAll() : QByteArray();
              return true;
            }) {}
  TEngineRun run;
  int writes = 0;
  QByteArray read;
};

qint64 DeadProcessId() {
  QProcess gone;
  gone.start(QStringLiteral("true"), {});
  gone.waitForStarted();
  const qint64 pid = gone.processId();
  gone.waitForFinished();
  return pid;
}

}  // namespace

TEST(EngineFolder, TwoRunsStartedTogetherEachReadTheirOwnResults) {
  TTestEngineFolder folder("answers-its-input.sh");
  TNamedRun first(folder, "window A");
  TNamedRun second(folder, "window B");
  QSignalSpy firstDone(&first.run, &TEngineRun::finished);
  QSignalSpy secondDone(&second.run, &TEngineRun::finished);

  first.run.Start();
  second.run.Start();
  // The second waits: its input would replace the first's under the running engine.
  QCoreApplication::processEvents();
  EXPECT_EQ(second.writes, 0);
  ASSERT_TRUE(firstDone.wait(10000));
  ASSERT_TRUE(secondDone.count() == 1 || secondDone.wait(10000));

  EXPECT_EQ(first.run.Result().Outcome, TEngineOutcome::Results);
  EXPECT_EQ(second.run.Result().Outcome, TEngineOutcome::Results);
  EXPECT_EQ(first.read, "window A");
  EXPECT_EQ(second.read, "window B");
  EXPECT_FALSE(QFile::exists(folder.File("QuoForm1.lck")));
}

TEST(EngineFolder, AWaitingRunAnswersCancelAndItsTimeOut) {
  TTestEngineFolder folder("answers-its-input.sh");
  QLockFile other(folder.File("QuoForm1.lck"));
  ASSERT_TRUE(other.tryLock(0));

  TNamedRun cancelled(folder, "cancelled");
  QSignalSpy done(&cancelled.run, &TEngineRun::finished);
  cancelled.run.Start();
  QCoreApplication::processEvents();
  cancelled.run.Cancel();
  ASSERT_TRUE(done.wait(5000));
  EXPECT_EQ(cancelled.run.Result().Outcome, TEngineOutcome::Cancelled);

  TNamedRun late(folder, "late");
  late.run.SetTimeout(300);
  const TEngineRunResult result = late.run.RunAndWait();
  EXPECT_EQ(result.Outcome, TEngineOutcome::TimedOut);
  EXPECT_TRUE(result.Detail.contains("Another quotation")) << result.Detail.toStdString();

  // Neither wrote its input over the holder's.
  EXPECT_EQ(cancelled.writes + late.writes, 0);
  EXPECT_TRUE(other.isLocked());
}

TEST(EngineFolder, AHoldLeftByAKilledProgramIsTakenOverWithWhatItsEngineLeftRunning) {
  TTestEngineFolder folder("answers-its-input.sh");
  // What a killed program leaves: its lock, and its engine's group still working in the folder.
  folder.Write("QuoForm1.lck", QByteArray::number(DeadProcessId()) + "\nquillmarsh\n" +
                                   QSysInfo::machineHostName().toUtf8() + "\n");
  QProcess leftover;
  leftover.setWorkingDirectory(folder.Folder());
  leftover.setChildProcessModifier([] { ::setpgid(0, 0); });
  leftover.start(QStringLiteral("sleep"), {QStringLiteral("600")});
  ASSERT_TRUE(leftover.waitForStarted());
  folder.Write("QuoForm1.run", QByteArray::number(leftover.processId()));

  TNamedRun run(folder, "after the crash");
  const TEngineRunResult result = run.run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::Results);
  EXPECT_EQ(run.read, "after the crash");
  // Its end may already have been noticed while the run waited.
  EXPECT_TRUE(leftover.state() == QProcess::NotRunning || leftover.waitForFinished(3000));
  EXPECT_EQ(leftover.exitStatus(), QProcess::CrashExit);
  EXPECT_FALSE(QFile::exists(folder.File("QuoForm1.run")));
}
