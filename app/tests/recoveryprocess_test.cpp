// Crash recovery with real processes, offscreen on a demo installation in a private home: a
// proposal typed into the program and never saved survives SIGKILL and comes back at the next
// start with every answer; a second program running beside the first is never offered its
// copy; the real quillmarsh named with a file offers the copy first and opens the file when the
// offer is declined, which moves the copy aside.

#include <QFile>
#include <QProcess>

#include "app/tests/appfixture.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "motor/recoverystore.h"

namespace {

const char kQuestion[] = "Quillmarsh closed before your last changes were saved.";

QStringList ReportLines(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class RecoveryProcess : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    QDir().mkpath(Path("runtime"));
    QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(store_.CreateKey(OptionKeys::kOptions));
    ASSERT_TRUE(store_.WriteInteger(OptionKeys::kOptions, OptionKeys::kAutoSaveSeconds, 1));
    // The copies are read back with the Data Server of this process.
    StartProgramUnits();
  }
  void TearDown() override {
    for (QProcess* program : {&typist_, &other_}) {
      program->kill();
      program->waitForFinished();
    }
    AppTest::TearDown();
  }

  void Prepare(QProcess& program) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), Path("home"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), Path("xdg"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path("runtime"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    program.setProcessEnvironment(environment);
  }
  QString Folder() const {
    return Path("xdg") + QStringLiteral("/Quillmarsh/PrivateMotor/Recovery");
  }
  QStringList Copies(const QString& sub = QString()) const {
    return QDir(Folder() + sub).entryList({QStringLiteral("*.PCD")}, QDir::Files);
  }

  // Starts a session that types the answers, and waits until its copy holds all of them.
  void TypeAndWaitForTheCopy() {
    Prepare(typist_);
    typist_.start(QStringLiteral(QM_TEST_SESSION), {QStringLiteral("type"), Path("typed.txt")});
    ASSERT_TRUE(typist_.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return ReportLines(Path("typed.txt")).value(0) == QLatin1String("typed"); },
        60000))
        << typist_.readAllStandardError().toStdString();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
          const QStringList copies = Copies();
          return copies.size() == 1 &&
                 LoadProposalFile(Folder() + QLatin1Char('/') + copies[0]) == 0 &&
                 GetDateValue(Id::DateOfBirth, {DriverPath(0)}) == QDate(1980, 6, 15) &&
                 GetStringValue(Id::ProposerPostcode, {ProposerPath()}) == "BS6 6AR" &&
                 ValueExists(Id::LicenceStartDate, {DriverPath(0)}) &&
                 ValueExists(Id::MaritalStatus, {DriverPath(0)});
        },
        20000))
        << Copies().join(' ').toStdString() << " dob "
        << GetDateValue(Id::DateOfBirth, {DriverPath(0)}).toString().toStdString() << " postcode "
        << GetStringValue(Id::ProposerPostcode, {ProposerPath()}).toStdString() << " licence "
        << ValueExists(Id::LicenceStartDate, {DriverPath(0)}) << " marital "
        << ValueExists(Id::MaritalStatus, {DriverPath(0)}) << " "
        << typist_.readAllStandardError().toStdString();
  }

  // Runs a program to its end; answers its exit status (-1 when it crashed or hung) and fills
  // errors with what it wrote to standard error.
  int RunToEnd(const QString& program, const QStringList& arguments, QString* errors = nullptr) {
    QProcess process;
    Prepare(process);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
      process.kill();
      process.waitForFinished();
      return -1;
    }
    if (errors != nullptr)
      *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  QProcess typist_;
  QProcess other_;
};

TEST_F(RecoveryProcess, ATypedProposalSurvivesSigkillAndComesBackWithEveryAnswer) {
  ASSERT_NO_FATAL_FAILURE(TypeAndWaitForTheCopy());

  // A second program started beside the running one is not offered its copy.
  QString errors;
  EXPECT_EQ(RunToEnd(QStringLiteral(QM_PROGRAM), {QStringLiteral("--quit-when-idle")}, &errors), 0)
      << errors.toStdString();
  EXPECT_FALSE(errors.contains(QLatin1String(kQuestion))) << errors.toStdString();
  EXPECT_EQ(Copies().size(), 1);

  typist_.kill();  // SIGKILL
  ASSERT_TRUE(typist_.waitForFinished());
  ASSERT_EQ(Copies().size(), 1);

  // Started again: Yes brings every answer back, "Modified" and untitled; the normal close
  // afterwards (not saving) leaves no copy.
  ASSERT_EQ(RunToEnd(QStringLiteral(QM_TEST_SESSION),
                     {QStringLiteral("recover"), Path("shown.txt")}, &errors),
            0)
      << errors.toStdString();
  const QStringList shown = ReportLines(Path("shown.txt"));
  EXPECT_TRUE(shown.contains("dob=15/06/1980")) << shown.join(' ').toStdString();
  EXPECT_TRUE(shown.contains("postcode=BS6 6AR")) << shown.join(' ').toStdString();
  EXPECT_TRUE(shown.contains("licenceyears=10")) << shown.join(' ').toStdString();
  // The marital status the first program chose, its text as the list shows it.
  const QString marital = ReportLines(Path("typed.txt")).value(1);
  EXPECT_TRUE(marital.size() > QStringLiteral("marital=").size()) << marital.toStdString();
  EXPECT_TRUE(shown.contains(marital)) << shown.join(' ').toStdString();
  EXPECT_TRUE(shown.contains("modified=Modified")) << shown.join(' ').toStdString();
  EXPECT_TRUE(shown.contains("file=<None>")) << shown.join(' ').toStdString();
  ASSERT_FALSE(shown.filter("box=").isEmpty());
  EXPECT_TRUE(shown.filter("box=")[0].startsWith(
      QStringLiteral("box=") + kQuestion +
      "||Recover the quotation you were working on (Untitled, last changed "));
  EXPECT_TRUE(Copies().isEmpty());
  EXPECT_TRUE(Copies("/Discarded").isEmpty());
}

TEST_F(RecoveryProcess, TheProgramNamedWithAFileOffersTheCopyFirstAndOpensTheFileWhenDeclined) {
  ASSERT_NO_FATAL_FAILURE(TypeAndWaitForTheCopy());
  typist_.kill();
  ASSERT_TRUE(typist_.waitForFinished());

  // The start-up check answers No to every box (and fails because one was asked).
  const QString sample = Sample("family");
  QString errors;
  EXPECT_EQ(
      RunToEnd(QStringLiteral(QM_PROGRAM), {QStringLiteral("--quit-when-idle"), sample}, &errors),
      kExitCheckFailed);
  EXPECT_TRUE(errors.contains(QLatin1String(kQuestion))) << errors.toStdString();
  EXPECT_TRUE(Copies().isEmpty());
  EXPECT_EQ(Copies("/Discarded").size(), 1);
  // Declined, so the file was opened: it heads the recent files.
  EXPECT_EQ(TOptions().ReadRecentFile(0), sample);
}
