// The binding on the installed files and the recent-file list that the settings name.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "motor/getmotordsv.h"
#include "motor/tests/fakemainwindow.h"
#include "motor/tests/motortestdictionary.h"
#include "platform/prompt.h"
#include "platform/scriptedprompter.h"
#include "platform/seams.h"
#include "platform/settingsstore.h"
#include "settings/optionkeys.h"
#include "settings/options.h"

using namespace testdict;

namespace {

// A settings store in a temporary folder holding what the installation writes.
class InstalledSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(settingsFolder_.isValid());
    SetSettingsFolder(settingsFolder_.path());
    CreateOptions();
    TPlatformSeams::Current().endProgram = [this](int code) { exitCodes_.append(code); };
  }
  void TearDown() override {
    ReleaseOptions();
    SetSettingsFolder(QString());
  }

  void InstallDictionary(qint32 version) {
    ASSERT_TRUE(store_.CreateKey(OptionKeys::kDictionary));
    ASSERT_TRUE(
        store_.WriteInteger(OptionKeys::kDictionary, OptionKeys::kApplicationVersion, version));
    ASSERT_TRUE(store_.WriteText(OptionKeys::kDictionary, OptionKeys::kDictionaryPath,
                                 installFolder_.path()));
  }
  void InstallEngine() {
    ASSERT_TRUE(store_.CreateKey(OptionKeys::kQuoteEngine));
    ASSERT_TRUE(
        store_.WriteText(OptionKeys::kQuoteEngine, OptionKeys::kPath, installFolder_.path()));
  }

  QTemporaryDir settingsFolder_;
  QTemporaryDir installFolder_;
  TSettingsStore store_;
  ScopedScriptedPrompter prompter_;
  const TPlatformSeamsGuard seams_;
  QList<int> exitCodes_;
};

}  // namespace

TEST_F(InstalledSettingsTest, TheEngineOpensOnTheInstalledDictionary) {
  WriteMotorDictionary(installFolder_.path());
  InstallDictionary(kVersion);
  EXPECT_EQ(OpenQuoteEngine(), 0);
  EXPECT_EQ(GetListText(kRestriction, 2), "Insured and spouse");
  CloseQuoteEngine();
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(InstalledSettingsTest, AnInstalledVersionThatDiffersIsReported) {
  WriteMotorDictionary(installFolder_.path());
  InstallDictionary(kVersion + 1);
  EXPECT_EQ(OpenQuoteEngine(), 1008);
  EXPECT_EQ(prompter_->Texts(), QStringList{"ERROR - Opening Corvane Data Server"});
}

TEST_F(InstalledSettingsTest, ADamagedSettingsFileIsNamedOnceWithWhatIsWrongAndTheWayOut) {
  WriteMotorDictionary(installFolder_.path());
  InstallDictionary(kVersion);
  QFile file(SettingsFileName());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("{\"Dictionary\": {\"Path\": ");  // cut off, as a full disk leaves it
  file.close();

  EXPECT_EQ(OpenQuoteEngine(), 1004);
  ASSERT_EQ(prompter_->Texts().size(), 1) << prompter_->Texts().join("|").toStdString();
  const QString text = prompter_->Texts()[0];
  EXPECT_TRUE(text.startsWith("ERROR - Opening Corvane Data Server\r")) << text.toStdString();
  EXPECT_TRUE(text.contains(QDir::toNativeSeparators(SettingsFileName()))) << text.toStdString();
  EXPECT_TRUE(text.contains("it is not valid settings text")) << text.toStdString();
  EXPECT_TRUE(text.contains("To start afresh")) << text.toStdString();
}

TEST_F(InstalledSettingsTest, WithoutSettingsTheDataServerCannotOpen) {
  EXPECT_EQ(OpenQuoteEngine(), 1003);
  // The settings say what is missing, then the Data Server box follows.
  ASSERT_FALSE(prompter_->Texts().isEmpty());
  EXPECT_TRUE(prompter_->Texts().contains("No Dictionary version found"));
  EXPECT_TRUE(prompter_->Texts().contains("No Dictionary path found"));
  EXPECT_EQ(prompter_->Texts().last(), "ERROR - Opening Corvane Data Server");
}

TEST_F(InstalledSettingsTest, TheInstalledChoiceFileIsStamped) {
  InstallEngine();
  QFile choice(QDir(installFolder_.path()).filePath("Choice.Dat"));
  ASSERT_TRUE(choice.open(QIODevice::WriteOnly));
  choice.write("CHOICES\r\nC:\\ENGINE\r\n");
  choice.close();
  EXPECT_TRUE(CheckQuoteEngine());
  ASSERT_TRUE(choice.open(QIODevice::ReadOnly));
  EXPECT_EQ(choice.readAll(), QByteArray("CHOICES\r\nC:/ENGINE\r\n"));
  EXPECT_TRUE(exitCodes_.isEmpty());
}

TEST_F(InstalledSettingsTest, AnEngineFolderWithoutItsChoiceFileAbandonsTheQuotation) {
  InstallEngine();
  EXPECT_FALSE(CheckQuoteEngine());
  EXPECT_EQ(prompter_->Texts(),
            QStringList{"The Quote engine cound not be found\rPlease Reinstall the software"});
  EXPECT_TRUE(exitCodes_.isEmpty());
}

// ---- Recent files -------------------------------------------------------------------------------

TEST_F(InstalledSettingsTest, WithNoRecentFilesTheMenuHasNoItemsAndNoMarker) {
  TFakeMainWindow window;
  window.recentMarkerVisible = true;
  window.recentCaptions << "stale";
  RebuildRecentFilesMenu();
  EXPECT_TRUE(window.recentCaptions.isEmpty());
  EXPECT_FALSE(window.recentMarkerVisible);
}

TEST_F(InstalledSettingsTest, RecentFilesAreListedMostRecentFirstWithoutFolderOrExtension) {
  TFakeMainWindow window;
  AddRecentFile("/home/user/Data/Smith.PCD");
  AddRecentFile("/home/user/Data/Jones.family.PCD");
  EXPECT_EQ(window.recentCaptions, (QStringList{"&1 Jones.family", "&2 Smith"}));
  EXPECT_EQ(window.recentFiles,
            (QStringList{"/home/user/Data/Jones.family.PCD", "/home/user/Data/Smith.PCD"}));
  EXPECT_TRUE(window.recentMarkerVisible);

  AddRecentFile("/home/user/Data/Smith.PCD");
  EXPECT_EQ(window.recentCaptions, (QStringList{"&1 Smith", "&2 Jones.family"}));
}

TEST_F(InstalledSettingsTest, AFifthFilePushesTheOldestOut) {
  TFakeMainWindow window;
  for (const char* name : {"/q/A.PCD", "/q/B.PCD", "/q/C.PCD", "/q/D.PCD", "/q/E.PCD"})
    AddRecentFile(name);
  EXPECT_EQ(window.recentCaptions, (QStringList{"&1 E", "&2 D", "&3 C", "&4 B"}));
}

TEST(RecentFilesAlone, WithoutAMainWindowTheListIsStillRecorded) {
  QTemporaryDir folder;
  SetSettingsFolder(folder.path());
  CreateOptions();
  ASSERT_EQ(MainWindowLink(), nullptr);
  AddRecentFile("/q/Kept.PCD");
  EXPECT_EQ(Options()->ReadRecentFile(0), "/q/Kept.PCD");
  ReleaseOptions();
  SetSettingsFolder(QString());
}
