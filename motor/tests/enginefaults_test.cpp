// A quote engine that fails in every way an outside program can: it crashes, hangs, writes
// garbage or half its results, leaves something unreadable, or is not installed at all. Each
// ends the quotation with a message that says what happened, shows no quotation, leaves no
// engine process behind (not even a zombie) and never holds up the event loop.

#include <gtest/gtest.h>
#include <QDir>
#include <QSignalSpy>
#include <QTimer>

#include <signal.h>
#include <cerrno>

#include "motor/quotemessages.h"
#include "motor/tests/quoterunfixture.h"

namespace {

// The process no longer exists: it ended and its parent has collected its exit status.
bool Reaped(qint64 pid) {
  return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

class EngineFaultTest : public QuoteRunTest {
 protected:
  explicit EngineFaultTest(const char* engine) : QuoteRunTest(engine) {}

  // Starts the run and waits for its end in the event loop, counting the ticks of a 10 ms
  // timer meanwhile: a window would be repainted at each.
  TQuoteConclusion Run(TQuoteRun& run) {
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [this] { ++ticks_; });
    tick.start(10);
    QSignalSpy finished(&run, &TQuoteRun::finished);
    run.Start();
    EXPECT_TRUE(finished.count() == 1 || finished.wait(20000));
    return ConcludeQuotation(run);
  }

  qint64 EnginePid() const { return engine_.Read("engine.pid").trimmed().toLongLong(); }

  int ticks_ = 0;
};

class CrashingEngine : public EngineFaultTest {
 protected:
  CrashingEngine() : EngineFaultTest("crashes.sh") {}
};

TEST_F(CrashingEngine, IsAFailureEvenWhenItLeftAResultsFile) {
  // What a crashed engine left may be cut anywhere, even at the end of a quotation, where it
  // would read as a shorter list: none of it is shown.
  engine_.Write("Prepared.001", ResultsText({Quote("10", "45000"), Quote("20", "38000")}));
  TQuoteRun run(Setup());

  const TQuoteConclusion conclusion = Run(run);

  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::NoResults);
  EXPECT_TRUE(run.Result().Crashed);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed);
  EXPECT_EQ(conclusion.Message,
            "The Quote engine stopped abnormally without producing any quotations");
  EXPECT_TRUE(run.Rows().isEmpty());
  EXPECT_EQ(run.Information().Count(), 0);
  EXPECT_TRUE(Reaped(EnginePid()));
}

class HangingEngine : public EngineFaultTest {
 protected:
  HangingEngine() : EngineFaultTest("sleeps.sh") {}
};

TEST_F(HangingEngine, IsStoppedWithEverythingItStartedWhileTheEventLoopRuns) {
  TQuoteRun run(Setup());
  run.SetTimeout(600);

  const TQuoteConclusion conclusion = Run(run);

  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::TimedOut);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed);
  EXPECT_EQ(conclusion.Message,
            "The Quote engine did not finish in time and was stopped\rNo quotation was obtained");
  // The wait ran in the event loop: the timer kept ticking.
  EXPECT_GE(ticks_, 10);
  EXPECT_TRUE(Reaped(EnginePid()));
  EXPECT_TRUE(WaitForProcessGone(engine_.Read("child.pid").trimmed().toLongLong()));
}

TEST_F(HangingEngine, CancelledIsStoppedAndNothingIsShown) {
  TQuoteRun run(Setup());
  QTimer::singleShot(0, &run, [&] {
    ASSERT_TRUE(engine_.WaitForFile("child.pid"));
    run.Cancel();
  });

  const TQuoteConclusion conclusion = Run(run);

  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Cancelled);
  EXPECT_TRUE(conclusion.Message.isEmpty());
  EXPECT_TRUE(Reaped(EnginePid()));
}

class ResultsFaultEngine : public EngineFaultTest {
 protected:
  ResultsFaultEngine() : EngineFaultTest("copies-results.sh") {}
};

TEST_F(ResultsFaultEngine, GarbageOrHalfTheResultsAreAFailureThatNamesTheLine) {
  QByteArray garbage;
  for (int i = 0; i < 3000; ++i)
    garbage.append(static_cast<char>((i * 151 + 7) % 256 == 0x1A ? 0 : (i * 151 + 7) % 256));
  // One whole quotation, then the next one cut off in its notes.
  const QByteArray half =
      ResultsText({Quote("10", "45000")}) + ResultsText({Quote("20", "38000")}).left(60);
  struct Case {
    const char* name;
    QByteArray results;
    const char* problem;
  };
  for (const Case& c : {Case{"garbage", garbage, "is not a number"},
                        Case{"half", half, "the file ends in the middle of a quotation"}}) {
    engine_.Write("Prepared.001", c.results);
    TQuoteRun run(Setup());

    const TQuoteConclusion conclusion = Run(run);

    EXPECT_EQ(run.Result().Outcome, TEngineOutcome::ResultsUnreadable) << c.name;
    EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed) << c.name;
    EXPECT_TRUE(conclusion.Message.startsWith(
        "The quotations produced by the Quote engine could not be read\r"))
        << c.name;
    EXPECT_TRUE(conclusion.Message.contains(engine_.Results() + ", line ")) << c.name;
    EXPECT_TRUE(conclusion.Message.contains(c.problem)) << conclusion.Message.toStdString();
    // A damaged line is quoted short and without its control characters.
    EXPECT_LT(conclusion.Message.size(), 300) << c.name;
    EXPECT_FALSE(conclusion.Message.contains(QChar(0))) << c.name;
    // The whole quotation before the damage is not offered alone.
    EXPECT_TRUE(run.Rows().isEmpty()) << c.name;
  }
}

class UnreadableResultsEngine : public EngineFaultTest {
 protected:
  UnreadableResultsEngine() : EngineFaultTest("leaves-a-folder.sh") {}
};

TEST_F(UnreadableResultsEngine, IsReportedAndTheNextRunSaysTheOldResultsAreInTheWay) {
  TQuoteRun run(Setup());

  TQuoteConclusion conclusion = Run(run);

  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::ResultsUnreadable);
  EXPECT_EQ(conclusion.Message, "The quotations produced by the Quote engine could not be read\r" +
                                    engine_.Results() + ": the quotation results cannot be read");
  EXPECT_TRUE(Reaped(EnginePid()));

  // The folder cannot be deleted as an old results file: the engine is not started to avoid
  // reading it as the new answer.
  QFile::remove(engine_.File("engine.pid"));
  conclusion = Run(run);
  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_EQ(conclusion.Message,
            "The details could not be written for the Quote engine\rNo quotation was "
            "obtained\rThe results of the last quotation (" +
                engine_.Results() + ") could not be deleted");
  EXPECT_FALSE(QFile::exists(engine_.File("engine.pid")));
}

class MissingEngineFolder : public EngineFaultTest {
 protected:
  MissingEngineFolder() : EngineFaultTest("copies-results.sh") {}
};

TEST_F(MissingEngineFolder, IsReportedAsAMissingEngineBeforeAnythingIsWritten) {
  const TQuoteRunSetup setup = Setup();
  ASSERT_TRUE(QDir(engine_.Folder()).removeRecursively());
  TQuoteRun run(setup);

  const TQuoteConclusion conclusion = Run(run);

  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::EngineMissing);
  EXPECT_EQ(conclusion.Message,
            "The Quote engine program could not be found\rPlease Reinstall the software\r" +
                engine_.Program());
  EXPECT_FALSE(QDir(engine_.Folder()).exists());
}

}  // namespace
