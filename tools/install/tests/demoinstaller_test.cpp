#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "dataserver/dsv.h"
#include "motor/quoteinformation.h"
#include "platform/settingsstore.h"
#include "settings/optionkeys.h"
#include "tools/install/demoinstaller.h"
#include "tools/testsupport/runprogram.h"

namespace {

using namespace OptionKeys;

class DemoInstaller : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    SetSettingsFolder(home_.filePath(QStringLiteral("config")));
    QDir(home_.path()).mkpath(QStringLiteral("program"));
    request_.Source = QStringLiteral(QM_DEMO_BUILD_DIR);
    request_.EngineProgram = request_.Source + QStringLiteral("/engine/QuoForm1.pif");
    request_.Target = home_.filePath(QStringLiteral("data"));
    request_.ProgramFolder = home_.filePath(QStringLiteral("program"));
    request_.Today = QDate(2026, 3, 14);
  }
  void TearDown() override { SetSettingsFolder(QString()); }

  QString Data(const QString& name) const { return home_.filePath(QStringLiteral("data/") + name); }

  QTemporaryDir home_;
  TDemoInstallRequest request_;
  TSettingsStore store_;
};

}  // namespace

TEST_F(DemoInstaller, CopiesTheFilesAndWritesEverySetting) {
  TDemoInstallResult result = InstallDemo(request_);
  ASSERT_EQ(result.Outcome, TDemoInstallOutcome::Installed)
      << result.Lines.join("\n").toStdString();
  for (const char* name :
       {"dictionary/Struct.BIN", "dictionary/Lists.BIN", "dictionary/Exports.BIN",
        "engine/PlanName.Dat", "engine/Choice.Dat", "engine/OccupMap.bin"})
    EXPECT_TRUE(QFileInfo(Data(QLatin1String(name))).isFile()) << name;
  QFileInfo engine(Data(QStringLiteral("engine/QuoForm1.pif")));
  EXPECT_TRUE(engine.isFile() && engine.isExecutable());
  EXPECT_TRUE(QFileInfo(home_.filePath(QStringLiteral("program/TTHelp.dat"))).isFile());

  EXPECT_EQ(store_.ReadInteger(kDictionary, kApplicationVersion), 1);
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath), Data(QStringLiteral("dictionary")));
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kPath), Data(QStringLiteral("engine")));
  EXPECT_EQ(store_.ReadInteger(kQuoteEngine, kExpiryDate), DayNumber(QDate(2027, 3, 14)));
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kRatesNotify), QStringLiteral("Yes"));
  EXPECT_EQ(store_.ReadText(kHelp, kHintsActive), QStringLiteral("Yes"));
  EXPECT_EQ(store_.ReadText(kHelp, kShowFirstHelp), QStringLiteral("Yes"));
}

TEST_F(DemoInstaller, DayNumbersCountFromThe30thOfDecember1899) {
  EXPECT_EQ(DayNumber(QDate(1899, 12, 30)), 0);
  EXPECT_EQ(DayNumber(QDate(2000, 1, 1)), 36526);
}

TEST_F(DemoInstaller, LeavesAnExistingInstallationAlone) {
  store_.CreateKey(kDictionary);
  store_.WriteText(kDictionary, kDictionaryPath, QStringLiteral("/opt/broker/dictionary"));
  TDemoInstallResult result = InstallDemo(request_);
  EXPECT_EQ(result.Outcome, TDemoInstallOutcome::AlreadyInstalled);
  EXPECT_TRUE(result.Lines.join(" ").contains(QStringLiteral("--force")));
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath),
            QStringLiteral("/opt/broker/dictionary"));
  EXPECT_FALSE(QFileInfo::exists(Data(QStringLiteral("dictionary"))));
  EXPECT_FALSE(store_.KeyExists(kQuoteEngine));
}

TEST_F(DemoInstaller, AnEngineFolderSettingAloneAlsoCountsAsAnInstallation) {
  store_.CreateKey(kQuoteEngine);
  store_.WriteText(kQuoteEngine, kPath, QStringLiteral("/opt/broker/engine"));
  EXPECT_EQ(InstallDemo(request_).Outcome, TDemoInstallOutcome::AlreadyInstalled);
}

TEST_F(DemoInstaller, ForceReplacesTheSettingsOfAnExistingInstallation) {
  store_.CreateKey(kDictionary);
  store_.WriteText(kDictionary, kDictionaryPath, QStringLiteral("/opt/broker/dictionary"));
  store_.WriteInteger(kDictionary, kApplicationVersion, 9);
  request_.Force = true;
  ASSERT_EQ(InstallDemo(request_).Outcome, TDemoInstallOutcome::Installed);
  EXPECT_EQ(store_.ReadText(kDictionary, kDictionaryPath), Data(QStringLiteral("dictionary")));
  EXPECT_EQ(store_.ReadInteger(kDictionary, kApplicationVersion), 1);
}

TEST_F(DemoInstaller, AnIncompleteSourceChangesNothing) {
  QTemporaryDir source;
  QDir(source.path()).mkpath(QStringLiteral("dictionary"));
  request_.Source = source.path();
  TDemoInstallResult result = InstallDemo(request_);
  EXPECT_EQ(result.Outcome, TDemoInstallOutcome::Failed);
  EXPECT_TRUE(result.Lines.join(" ").contains(QStringLiteral("Struct.BIN")));
  EXPECT_FALSE(store_.KeyExists(kDictionary));
  EXPECT_FALSE(QFileInfo::exists(Data(QStringLiteral("dictionary"))));
}

TEST_F(DemoInstaller, AProgramFolderThatCannotTakeTheHintFileStopsBeforeCopying) {
  request_.ProgramFolder = home_.filePath(QStringLiteral("no such folder"));
  TDemoInstallResult result = InstallDemo(request_);
  EXPECT_EQ(result.Outcome, TDemoInstallOutcome::Failed);
  EXPECT_TRUE(result.Lines.join(" ").contains(QStringLiteral("TTHelp.dat")));
  EXPECT_FALSE(QFileInfo::exists(Data(QStringLiteral("dictionary"))));
  EXPECT_FALSE(store_.KeyExists(kDictionary));
}

TEST_F(DemoInstaller, AHintFileAlreadyBesideTheProgramIsOnlyReplacedWhenItDiffers) {
  // A packaged program has its own copy, in a folder owned by the package manager: untouched.
  const QString hints = home_.filePath(QStringLiteral("program/TTHelp.dat"));
  ASSERT_TRUE(QFile::copy(request_.Source + QStringLiteral("/TTHelp.dat"), hints));
  const QDateTime packaged(QDate(2020, 1, 2), QTime(3, 4, 5));
  {
    QFile file(hints);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(packaged, QFileDevice::FileModificationTime));
  }
  ASSERT_EQ(InstallDemo(request_).Outcome, TDemoInstallOutcome::Installed);
  EXPECT_EQ(QFileInfo(hints).lastModified(), packaged);

  // An old hint file is brought up to date.
  {
    QFile file(hints);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("stale");
  }
  request_.Force = true;
  ASSERT_EQ(InstallDemo(request_).Outcome, TDemoInstallOutcome::Installed);
  QFile source(request_.Source + QStringLiteral("/TTHelp.dat")), placed(hints);
  ASSERT_TRUE(source.open(QIODevice::ReadOnly) && placed.open(QIODevice::ReadOnly));
  EXPECT_EQ(placed.readAll(), source.readAll());
}

TEST_F(DemoInstaller, FindsTheFilesOfAPackagedInstallationBesideTheProgram) {
  QTemporaryDir prefix;
  QDir root(prefix.path());
  root.mkpath(QStringLiteral("bin"));
  root.mkpath(QStringLiteral("share/quillmarsh/demo/dictionary"));
  QFile(root.filePath(QStringLiteral("share/quillmarsh/demo/dictionary/Struct.BIN")))
      .open(QIODevice::WriteOnly);
  TDemoInstallRequest found;
  ASSERT_TRUE(FindDemoSource(root.filePath(QStringLiteral("bin")), QString(), found));
  EXPECT_EQ(found.Source, root.filePath(QStringLiteral("share/quillmarsh/demo")));
  EXPECT_EQ(found.EngineProgram, root.filePath(QStringLiteral("libexec/quillmarsh/QuoForm1.pif")));

  TDemoInstallRequest fromBuild;
  ASSERT_TRUE(FindDemoSource(home_.path(), QStringLiteral(QM_DEMO_BUILD_DIR), fromBuild));
  EXPECT_TRUE(fromBuild.EngineProgram.endsWith(QStringLiteral("/engine/QuoForm1.pif")));
  TDemoInstallRequest none;
  EXPECT_FALSE(FindDemoSource(home_.path(), QString(), none));
}

TEST(DemoInstallerProgram, InstallsOnceAndThenRefusesWithoutForce) {
  QTemporaryDir home;
  QDir(home.path()).mkpath(QStringLiteral("program"));
  std::string env = "XDG_CONFIG_HOME='" + home.filePath(QStringLiteral("config")).toStdString() +
                    "' XDG_DATA_HOME='" + home.filePath(QStringLiteral("data")).toStdString() +
                    "' ";
  std::string command = env + QM_INSTALLER_PROGRAM + " --program-dir '" +
                        home.filePath(QStringLiteral("program")).toStdString() + "'";
  TProgramRun first = RunProgram(command);
  EXPECT_EQ(first.Status, 0) << first.Output;
  EXPECT_NE(first.Output.find("Engine folder:"), std::string::npos);
  EXPECT_TRUE(
      QFileInfo(home.filePath(QStringLiteral("data/Quillmarsh/PrivateMotor/engine/QuoForm1.pif")))
          .isFile());
  TProgramRun second = RunProgram(command);
  EXPECT_EQ(second.Status, 3) << second.Output;
  TProgramRun forced = RunProgram(command + " --force");
  EXPECT_EQ(forced.Status, 0) << forced.Output;
  EXPECT_EQ(RunProgram(env + QM_INSTALLER_PROGRAM + " --bogus").Status, 64);
}

TEST_F(DemoInstaller, TheInstalledDictionaryOpensAndTheInstalledEngineQuotesASample) {
  ASSERT_EQ(InstallDemo(request_).Outcome, TDemoInstallOutcome::Installed);
  const std::string dictionary = store_.ReadText(kDictionary, kDictionaryPath)->toStdString();
  const std::string engine = store_.ReadText(kQuoteEngine, kPath)->toStdString();
  auto version = static_cast<std::int16_t>(*store_.ReadInteger(kDictionary, kApplicationVersion));
  ASSERT_EQ(DsvOpen(1, version, (dictionary + "/Lists.BIN").c_str(),
                    (dictionary + "/Struct.BIN").c_str(), (dictionary + "/corvane.msg").c_str()),
            0);
  EXPECT_EQ(DsvLoadSection((std::string(QM_DEMO_BUILD_DIR) + "/samples/young-driver.PCD").c_str(),
                           "Tolvane"),
            0);
  EXPECT_EQ(DsvExport(1, version, 0, 0, 0, (dictionary + "/Exports.BIN").c_str(),
                      (engine + "/QuoForm1.001").c_str()),
            0);
  DsvClose();
  TProgramRun run = RunProgram("cd '" + engine + "' && ./QuoForm1.pif");
  EXPECT_EQ(run.Status, 0) << run.Output;
  TQuoteInformation results;
  results.LoadFromFile(QString::fromStdString(engine + "/Formula1.001"),
                       QString::fromStdString(engine + "/PlanName.Dat"), 0);
  EXPECT_EQ(results.Count(), 9);
}
