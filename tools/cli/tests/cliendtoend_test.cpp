// quillmarsh-cli end to end: the demo installation is installed into a private home, and the
// program quotes the sample proposals with the demo engine, or fails as each fault asks.

#include <gtest/gtest.h>
#include <signal.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>

#include "dataserver/dsv.h"
#include "motor/quotemessages.h"
#include "platform/prompt.h"
#include "platform/settingsstore.h"
#include "report/engine/tests/pdfprobe.h"
#include "settings/optionkeys.h"
#include "tools/cli/exitcodes.h"
#include "tools/install/demoinstaller.h"

namespace {

const QString kDemo = QStringLiteral(QM_DEMO_BUILD_DIR);
const QString kPound = QString(QChar(0x00A3));

struct TCliRunResult {
  int Code = -1;
  QString Out;
  QString Errors;
};

class CliEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QDir(home_.path()).mkpath(QStringLiteral("program"));
  }
  void TearDown() override { SetSettingsFolder(QString()); }

  void Install() {
    SetSettingsFolder(home_.filePath(QStringLiteral("config")));
    TDemoInstallRequest request;
    request.Source = kDemo;
    request.EngineProgram = kDemo + QStringLiteral("/engine/QuoForm1.pif");
    request.Target = home_.filePath(QStringLiteral("data"));
    request.ProgramFolder = home_.filePath(QStringLiteral("program"));
    request.Today = QDate::currentDate();
    const TDemoInstallResult result = InstallDemo(request);
    ASSERT_EQ(result.Outcome, TDemoInstallOutcome::Installed)
        << result.Lines.join('\n').toStdString();
    SetSettingsFolder(QString());
  }

  QString Installed(const QString& name) const {
    return home_.filePath(QStringLiteral("data/") + name);
  }
  static QString Sample(const QString& name) {
    return kDemo + QStringLiteral("/samples/") + name + QStringLiteral(".PCD");
  }

  // Replaces the installed engine with one of the stand-in engines.
  void ReplaceEngine(const QString& script) {
    const QString engine = Installed(QStringLiteral("engine/QuoForm1.pif"));
    QFile::remove(engine);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_TEST_ENGINES_DIR "/") + script, engine));
    QFile::setPermissions(engine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  TCliRunResult Run(const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("xdg")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QM_CLI_PROGRAM), arguments);
    TCliRunResult result;
    if (!process.waitForFinished(60000)) {
      process.kill();
      process.waitForFinished();
      return result;
    }
    result.Code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.Out = QString::fromUtf8(process.readAllStandardOutput());
    result.Errors = QString::fromUtf8(process.readAllStandardError());
    return result;
  }

  static QJsonArray Reports(const TCliRunResult& run) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.Out.toStdString();
    return document.array();
  }

  QTemporaryDir home_;
};

std::string Describe(const TCliRunResult& run) {
  return (QStringLiteral("exit %1\n--- out\n%2--- errors\n%3")
              .arg(run.Code)
              .arg(run.Out, run.Errors))
      .toStdString();
}

}  // namespace

TEST_F(CliEndToEnd, WithoutAnInstallationItSaysSo) {
  const TCliRunResult run = Run({"quote", Sample("young-driver")});
  EXPECT_EQ(run.Code, kExitNoInstallation) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("No Quillmarsh installation")) << Describe(run);
}

TEST_F(CliEndToEnd, TheOptionsBoxesForMissingSettingsArePrintedOnStandardError) {
  TCliRunResult run = Run({"check", Sample("family")});
  EXPECT_EQ(run.Code, kExitNoInstallation) << Describe(run);
  EXPECT_TRUE(
      run.Errors.startsWith("Error: No Dictionary version found\n"
                            "Error: No Dictionary path found\n"
                            "Error: No Quote engine path found\n"
                            "No Quillmarsh installation was found"))
      << Describe(run);

  // An installation whose engine setting is gone: only that setting is reported.
  Install();
  SetSettingsFolder(home_.filePath(QStringLiteral("config")));
  ASSERT_TRUE(TSettingsStore().DeleteKey(OptionKeys::kQuoteEngine));
  SetSettingsFolder(QString());
  run = Run({"check", Sample("family")});
  EXPECT_EQ(run.Code, kExitNoInstallation) << Describe(run);
  EXPECT_TRUE(
      run.Errors.startsWith("Error: No Quote engine path found\n"
                            "No Quillmarsh installation was found"))
      << Describe(run);
}

TEST_F(CliEndToEnd, QuotesEverySampleOneAfterAnother) {
  Install();
  const TCliRunResult run =
      Run({"quote", Sample("young-driver"), Sample("family"), Sample("declined-by-all")});

  EXPECT_EQ(run.Code, kExitNothingQuoted) << Describe(run);
  EXPECT_TRUE(run.Out.contains(Sample("young-driver") + " (cover from ")) << Describe(run);
  EXPECT_TRUE(run.Out.contains(Sample("family") + " (cover from ")) << Describe(run);
  EXPECT_EQ(run.Out.count(QRegularExpression("^No +Insurer +Premium +Excess$",
                                             QRegularExpression::MultilineOption)),
            2)
      << Describe(run);
  EXPECT_TRUE(run.Out.contains("Total Policy Excess: " + kPound)) << Describe(run);
  EXPECT_TRUE(run.Out.contains("Referred")) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(Sample("declined-by-all") + ": " +
                                  PromptTextForDisplay(DeclinedMessage())))
      << Describe(run);
}

TEST_F(CliEndToEnd, JsonListsTheQuotationsWithNotesAndExcesses) {
  Install();
  const TCliRunResult run = Run({"quote", Sample("young-driver"), "--json"});
  ASSERT_EQ(run.Code, kExitQuoted) << Describe(run);

  const QJsonArray reports = Reports(run);
  ASSERT_EQ(reports.size(), 1);
  const QJsonObject report = reports[0].toObject();
  EXPECT_EQ(report["file"].toString(), Sample("young-driver"));
  EXPECT_EQ(report["start"].toString(), QDate::currentDate().toString("dd/MM/yyyy"));
  EXPECT_TRUE(report["missing"].toArray().isEmpty());
  const QJsonArray quotations = report["quotations"].toArray();
  ASSERT_FALSE(quotations.isEmpty());
  for (qsizetype i = 0; i < quotations.size(); ++i) {
    const QJsonObject quotation = quotations[i].toObject();
    EXPECT_EQ(quotation["no"].toInt(), i + 1);
    EXPECT_FALSE(quotation["insurer"].toString().isEmpty());
    EXPECT_TRUE(quotation["premium"].toString().startsWith(kPound) ||
                quotation["premium"].toString() == "Referred");
    EXPECT_EQ(quotation["excess"].toString(),
              kPound + QString::number(quotation["totalExcess"].toInt()));
    EXPECT_TRUE(quotation["notes"].isArray());
    EXPECT_TRUE(quotation["sectionExcesses"].isArray());
  }
}

TEST_F(CliEndToEnd, SortingByPremiumFollowsTheChosenDirection) {
  Install();
  for (const bool ascending : {true, false}) {
    const TCliRunResult run =
        Run({"quote", Sample("family"), "--json", "--sort", ascending ? "Premium:asc" : "Premium"});
    ASSERT_EQ(run.Code, kExitQuoted) << Describe(run);
    const QJsonArray quotations = Reports(run)[0].toObject()["quotations"].toArray();
    ASSERT_GE(quotations.size(), 2);
    double previous = ascending ? -1 : 1e18;
    for (const QJsonValue& value : quotations) {
      const QJsonObject quotation = value.toObject();
      const double premium =
          quotation["referred"].toBool() ? 2147483647.0 : quotation["premiumPounds"].toDouble();
      if (ascending) {
        EXPECT_GE(premium, previous - 1) << Describe(run);
      } else {
        EXPECT_LE(premium, previous + 1) << Describe(run);
      }
      previous = premium;
    }
  }
}

TEST_F(CliEndToEnd, CheckListsNothingForTheSamples) {
  Install();
  const TCliRunResult run = Run({"check", Sample("young-driver"), Sample("family")});
  EXPECT_EQ(run.Code, kExitQuoted) << Describe(run);
  EXPECT_EQ(run.Out.count("nothing is missing"), 2) << Describe(run);
}

TEST_F(CliEndToEnd, MissingAnswersAreListedAndNothingIsQuoted) {
  Install();
  // A copy of a sample without the proposer's date of birth and the second driver's licence.
  const QString file = home_.filePath("missing.PCD");
  const QByteArray lists = QFile::encodeName(Installed("dictionary/Lists.BIN"));
  const QByteArray structure = QFile::encodeName(Installed("dictionary/Struct.BIN"));
  ASSERT_EQ(DsvOpen(1, 1, lists.constData(), structure.constData(), ""), 0);
  ASSERT_EQ(DsvLoadSection(QFile::encodeName(Sample("family")).constData(), "Tolvane"), 0);
  const TPathEntry proposer{15, 0, 0};
  const TPathEntry second{15, 0, 2};
  EXPECT_EQ(DsvDeleteValue(0xF0005, 1, &proposer), 0);
  EXPECT_EQ(DsvDeleteValue(0xF000F, 1, &second), 0);
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(file).constData(), "Tolvane"), 0);
  DsvClose();

  for (const char* command : {"check", "quote"}) {
    const TCliRunResult run = Run({command, file});
    EXPECT_EQ(run.Code, kExitMissingData) << Describe(run);
    EXPECT_TRUE(run.Errors.contains(
        "    Date of Birth not entered for the proposer (page 0, DOBKwDate)\n"
        "    No Driving Licence selected for driver 2 (page 3, LicenceTypeKwComboEdit)\n"))
        << Describe(run);
    EXPECT_FALSE(run.Out.contains("Insurer")) << Describe(run);
  }
}

TEST_F(CliEndToEnd, AnswersNoPageShowsAreFlaggedNotQuoted) {
  Install();
  // Copies of the family sample: one restricted to the proposer with its three drivers still
  // stored, one whose proposer has a marital status the list does not hold.
  const QString hidden = home_.filePath("hidden-drivers.PCD");
  const QString unknown = home_.filePath("unknown-code.PCD");
  const QByteArray lists = QFile::encodeName(Installed("dictionary/Lists.BIN"));
  const QByteArray structure = QFile::encodeName(Installed("dictionary/Struct.BIN"));
  ASSERT_EQ(DsvOpen(1, 1, lists.constData(), structure.constData(), ""), 0);
  const TPathEntry cover{13, 0, 0};
  const TPathEntry proposer{15, 0, 0};
  const std::int32_t proposerOnly = 1;
  const std::int32_t noSuchStatus = 9999;
  ASSERT_EQ(DsvLoadSection(QFile::encodeName(Sample("family")).constData(), "Tolvane"), 0);
  ASSERT_EQ(DsvSetValue(0xD0006, 1, &cover, &proposerOnly), 0);
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(hidden).constData(), "Tolvane"), 0);
  ASSERT_EQ(DsvClearAll(), 0);
  ASSERT_EQ(DsvLoadSection(QFile::encodeName(Sample("family")).constData(), "Tolvane"), 0);
  std::int32_t stored = 0;
  // The Data Server takes any code; only the check knows the list does not hold it.
  ASSERT_EQ(DsvSetValue(0xF0008, 1, &proposer, &noSuchStatus), 0);
  ASSERT_EQ(DsvQueryValue(0xF0008, 1, &proposer, &stored), 0);
  ASSERT_EQ(stored, noSuchStatus);
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(unknown).constData(), "Tolvane"), 0);
  DsvClose();

  TCliRunResult run = Run({"quote", hidden});
  EXPECT_EQ(run.Code, kExitMissingData) << Describe(run);
  EXPECT_TRUE(
      run.Errors.contains("Vehicle driving restrictions allow 0 additional driver(s), but "
                          "3 are stored (page 1, DrivingRestrictionsKwComboEdit)"))
      << Describe(run);
  EXPECT_FALSE(run.Out.contains("Insurer")) << Describe(run);

  run = Run({"quote", unknown});
  EXPECT_EQ(run.Code, kExitMissingData) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(
      "No Marial Status selected for the proposer (page 0, MaritalStatusKwComboEdit)"))
      << Describe(run);
}

TEST_F(CliEndToEnd, ACoverStartBeyondTheRatesExpiryIsRefusedWithTheirDate) {
  Install();
  const QString beyond = QStringLiteral("31/12/9999");
  const TCliRunResult run = Run({"quote", Sample("young-driver"), "--start", beyond});
  EXPECT_EQ(run.Code, kExitUsage) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("after the current rates expire")) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(QRegularExpression("valid until \\d\\d/\\d\\d/\\d{4}")))
      << Describe(run);
}

TEST_F(CliEndToEnd, FilesThatAreNotThereOrNotQuotationsAreRefused) {
  Install();
  TCliRunResult run = Run({"quote", home_.filePath("nothere.PCD")});
  EXPECT_EQ(run.Code, kExitBadFile) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("file not found")) << Describe(run);

  const QString text = home_.filePath("notes.PCD");
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("just some notes, not a quotation\n");
  file.close();
  run = Run({"quote", text});
  EXPECT_EQ(run.Code, kExitBadFile) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("not a quotation file")) << Describe(run);

  // A bad file does not stop the others from being quoted.
  run = Run({"quote", text, Sample("young-driver")});
  EXPECT_EQ(run.Code, kExitBadFile) << Describe(run);
  EXPECT_TRUE(run.Out.contains(Sample("young-driver") + " (cover from ")) << Describe(run);
}

TEST_F(CliEndToEnd, ACoverStartBeforeTodayIsRefused) {
  Install();
  const QString yesterday = QDate::currentDate().addDays(-1).toString("dd/MM/yyyy");
  TCliRunResult run = Run({"quote", Sample("young-driver"), "--start", yesterday});
  EXPECT_EQ(run.Code, kExitUsage) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(PromptTextForDisplay(CoverBeforeTodayMessage())))
      << Describe(run);

  const QString later = QDate::currentDate().addDays(10).toString("dd/MM/yyyy");
  run = Run({"quote", Sample("young-driver"), "--start", later});
  EXPECT_EQ(run.Code, kExitQuoted) << Describe(run);
  EXPECT_TRUE(run.Out.contains("(cover from " + later + ")")) << Describe(run);
}

TEST_F(CliEndToEnd, ABadCommandLineShowsTheUsage) {
  const TCliRunResult run = Run({"quote", "--sort", "Price", Sample("family")});
  EXPECT_EQ(run.Code, kExitUsage) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("Usage:")) << Describe(run);
}

TEST_F(CliEndToEnd, ADamagedDictionaryCannotBeOpened) {
  Install();
  QFile dictionary(Installed("dictionary/Struct.BIN"));
  ASSERT_TRUE(dictionary.open(QIODevice::WriteOnly | QIODevice::Truncate));
  dictionary.write("damaged");
  dictionary.close();
  const TCliRunResult run = Run({"quote", Sample("young-driver")});
  EXPECT_EQ(run.Code, kExitDictionary) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("ERROR - Opening Corvane Data Server")) << Describe(run);
}

TEST_F(CliEndToEnd, AMissingChoiceFileMeansTheEngineIsMissing) {
  Install();
  ASSERT_TRUE(QFile::remove(Installed("engine/Choice.Dat")));
  const TCliRunResult run = Run({"quote", Sample("young-driver"), Sample("family")});
  EXPECT_EQ(run.Code, kExitEngineMissing) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(PromptTextForDisplay(EngineNotFoundMessage()))) << Describe(run);
  EXPECT_EQ(run.Errors.count(PromptTextForDisplay(EngineNotFoundMessage())), 1) << Describe(run);
}

TEST_F(CliEndToEnd, AMissingEngineProgramIsReported) {
  Install();
  ASSERT_TRUE(QFile::remove(Installed("engine/QuoForm1.pif")));
  const TCliRunResult run = Run({"quote", Sample("young-driver")});
  EXPECT_EQ(run.Code, kExitEngineMissing) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("The Quote engine program could not be found")) << Describe(run);
}

TEST_F(CliEndToEnd, AnEngineThatFailsIsReportedWithItsOwnWords) {
  Install();
  ReplaceEngine("fails.sh");
  const TCliRunResult run = Run({"quote", Sample("young-driver")});
  EXPECT_EQ(run.Code, kExitEngineFailed) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("without producing any quotations")) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("QuoForm1.001: line 3 is not a number")) << Describe(run);
}

TEST_F(CliEndToEnd, AnEngineThatRunsTooLongIsStoppedWithEverythingItStarted) {
  Install();
  ReplaceEngine("sleeps.sh");
  const TCliRunResult run = Run({"quote", Sample("young-driver"), "--timeout", "1"});
  EXPECT_EQ(run.Code, kExitEngineFailed) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("did not finish in time")) << Describe(run);

  QFile childPid(Installed("engine/child.pid"));
  ASSERT_TRUE(childPid.open(QIODevice::ReadOnly));
  const pid_t child = childPid.readAll().trimmed().toInt();
  ASSERT_GT(child, 0);
  // Gone, or at most a zombie waiting for its new parent to reap it.
  bool gone = false;
  for (int attempt = 0; attempt < 300 && !gone; ++attempt) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(child));
    gone = (::kill(child, 0) != 0 && errno == ESRCH) || !stat.open(QIODevice::ReadOnly) ||
           stat.readAll().contains(") Z ");
    if (!gone) {
      QThread::msleep(10);
    }
  }
  EXPECT_TRUE(gone);
}

TEST_F(CliEndToEnd, AKilledProgramLeavesNoEngineBehindAndTheNextQuotationProceeds) {
  Install();
  ReplaceEngine("sleeps.sh");
  QProcess killed;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
  environment.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("xdg")));
  killed.setProcessEnvironment(environment);
  killed.start(QStringLiteral(QM_CLI_PROGRAM), {"quote", Sample("young-driver")});
  QFile childPid(Installed("engine/child.pid"));
  for (int attempt = 0; attempt < 500 && childPid.size() == 0; ++attempt) {
    QThread::msleep(10);
  }
  ASSERT_GT(childPid.size(), 0);
  ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
  ASSERT_TRUE(killed.waitForFinished(5000));

  const auto pidIn = [this](const char* name) {
    QFile file(Installed(QStringLiteral("engine/") + name));
    return file.open(QIODevice::ReadOnly) ? static_cast<pid_t>(file.readAll().trimmed().toInt())
                                          : pid_t(0);
  };
  const auto gone = [](pid_t pid) {
    for (int attempt = 0; attempt < 300; ++attempt) {
      QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
      if ((::kill(pid, 0) != 0 && errno == ESRCH) || !stat.open(QIODevice::ReadOnly) ||
          stat.readAll().contains(") Z ")) {
        return true;
      }
      QThread::msleep(10);
    }
    return false;
  };
  // The engine dies with its program; what it started is stopped by the next quotation, which
  // takes over the engine folder the killed program held.
  EXPECT_TRUE(gone(pidIn("engine.pid")));
  const pid_t child = pidIn("child.pid");
  ASSERT_GT(child, 0);
  const QString engine = Installed(QStringLiteral("engine/QuoForm1.pif"));
  QFile::remove(engine);
  ASSERT_TRUE(QFile::copy(kDemo + QStringLiteral("/engine/QuoForm1.pif"), engine));
  QFile::setPermissions(engine, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const TCliRunResult next = Run({"quote", Sample("young-driver"), "--timeout", "20"});
  EXPECT_EQ(next.Code, kExitQuoted) << Describe(next);
  EXPECT_TRUE(gone(child));
}

TEST_F(CliEndToEnd, ListingPrintsTheProposalAsTheBrokerReceivesIt) {
  Install();
  const TCliRunResult run = Run({"listing", Sample("family")});
  ASSERT_EQ(run.Code, kExitQuoted) << Describe(run);
  EXPECT_TRUE(
      run.Out.startsWith("Insurer Plan ID =  (Scheme = )\nPremium = \n\nPolicyHolder = "
                         "Mr David Hargreaves\n"))
      << Describe(run);
  // Ages count to the stored cover start.
  EXPECT_TRUE(run.Out.contains("\nAge Of Proposer = 47\n")) << Describe(run);
  EXPECT_TRUE(run.Out.endsWith("\nModification 1 = Tow bar (Code = 19)\n")) << Describe(run);

  EXPECT_EQ(Run({"listing", Sample("no-such-sample")}).Code, kExitBadFile);
  EXPECT_EQ(Run({"listing", Sample("family"), "--json"}).Code, kExitUsage);
}

TEST_F(CliEndToEnd, ReportWritesTheSummaryOfTheChosenQuotationAsPdf) {
  Install();
  const TCliRunResult quote = Run({"quote", Sample("family"), "--json"});
  ASSERT_EQ(quote.Code, kExitQuoted) << Describe(quote);
  const QJsonArray quotations = Reports(quote)[0].toObject()["quotations"].toArray();
  ASSERT_GE(quotations.size(), 2);
  const QJsonObject second = quotations[1].toObject();

  const QString pdf = home_.filePath("family summary.pdf");
  TCliRunResult run = Run({"report", Sample("family"), "--plan", "2", "-o", pdf});
  ASSERT_EQ(run.Code, kExitQuoted) << Describe(run);
  EXPECT_TRUE(run.Out.contains("the summary of quotation 2, " + second["insurer"].toString()))
      << Describe(run);
  const QString text = pdfprobe::FlatText(pdf);
  EXPECT_TRUE(text.contains("Insurer (Scheme): " + second["insurer"].toString()))
      << text.toStdString();
  EXPECT_TRUE(text.contains("Premium " + second["premium"].toString())) << text.toStdString();
  EXPECT_TRUE(text.contains("Identifier of Driver Miss Amy Hargreaves")) << text.toStdString();
  const int pages = pdfprobe::PageCount(pdf);
  ASSERT_GT(pages, 1);
  EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %1").arg(pages))) << text.toStdString();

  // A number the listing does not have: the listing is shown and nothing is written.
  const QString none = home_.filePath("none.pdf");
  run = Run({"report", Sample("family"), "--plan", "99", "-o", none});
  EXPECT_EQ(run.Code, kExitNoSuchPlan) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("there is no quotation 99")) << Describe(run);
  EXPECT_TRUE(run.Errors.contains(second["insurer"].toString())) << Describe(run);
  EXPECT_FALSE(QFile::exists(none));

  // A folder that is not there.
  run = Run({"report", Sample("family"), "--plan", "1", "-o", home_.filePath("no/such.pdf")});
  EXPECT_EQ(run.Code, kExitReportFailed) << Describe(run);
  EXPECT_TRUE(run.Errors.contains("could not be written")) << Describe(run);

  // Declined by everyone: there is nothing to print.
  run = Run({"report", Sample("declined-by-all"), "--plan", "1", "-o", none});
  EXPECT_EQ(run.Code, kExitNothingQuoted) << Describe(run);
  EXPECT_FALSE(QFile::exists(none));
}
