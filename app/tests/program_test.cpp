// The real program, started offscreen on a demo installation in a private home: it reaches its
// main window and ends cleanly, and says why when it cannot start.

#include <QProcess>

#include "app/startup.h"
#include "app/tests/appfixture.h"

using namespace OptionKeys;

namespace {

struct TRun {
  int Status = -1;
  QString Errors;
};

}  // namespace

class Program : public AppTest {
 protected:
  TRun Run(const QStringList& arguments) const {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), Path("home"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), Path("xdg"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path("runtime"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QM_PROGRAM), arguments);
    TRun run;
    if (!program.waitForFinished(60000)) {
      program.kill();
      program.waitForFinished();
      return run;
    }
    run.Status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.Errors = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
  }
};

TEST_F(Program, ReachesItsMainWindowAndEndsCleanly) {
  QDir().mkpath(Path("runtime"));
  const TRun run = Run({QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(run.Status, 0) << run.Errors.toStdString();
  EXPECT_FALSE(run.Errors.contains(QStringLiteral("unanswered"))) << run.Errors.toStdString();
  // The main window's creation rewrote the hints setting.
  EXPECT_EQ(store_.ReadText(kHelp, kHintsActive), kYes);
}

TEST_F(Program, AStartUpCheckFailsOnAnyBoxOnTheWay) {
  store_.WriteText(kHelp, kShowFirstHelp, kYes);
  const TRun run = Run({QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(run.Status, kExitCheckFailed);
  EXPECT_TRUE(run.Errors.contains(QStringLiteral("unanswered: form Getting Started")))
      << run.Errors.toStdString();
}

TEST_F(Program, WithoutTheDictionaryItSaysSoAndEnds) {
  store_.WriteText(kDictionary, kDictionaryPath, Path("nowhere"));
  const TRun run = Run({QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(run.Status, kExitNoDataServer);
  EXPECT_TRUE(run.Errors.contains(QStringLiteral("ERROR - Opening Corvane Data Server")))
      << run.Errors.toStdString();
  EXPECT_EQ(Run({QStringLiteral("--frobnicate")}).Status, kExitUsage);
}

TEST_F(Program, OpensTheQuotationNamedOnItsCommandLine) {
  QDir().mkpath(Path("runtime"));
  const QString sample = Sample("family");
  const TRun run = Run({sample, QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(run.Status, 0) << run.Errors.toStdString();
  // Opened through Open: the file heads the recent files.
  EXPECT_EQ(TOptions().ReadRecentFile(0), sample);

  // A file that is not a quotation gets Open's error box, which fails the check.
  const TRun refused = Run({Path("missing.PCD"), QStringLiteral("--quit-when-idle")});
  EXPECT_EQ(refused.Status, kExitCheckFailed);
  EXPECT_TRUE(refused.Errors.contains(
      QStringLiteral("unanswered: Quillmarsh - Motor: Unable to open test case file with "
                     "errorcode : 1020")))
      << refused.Errors.toStdString();
  EXPECT_EQ(Run({sample, sample}).Status, kExitUsage);
}
