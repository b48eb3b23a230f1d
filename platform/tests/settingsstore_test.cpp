#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/settingsstore.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    SetSettingsFolder(folder_.path());
  }
  void TearDown() override { SetSettingsFolder(QString()); }

  void WriteFile(const QByteArray& json) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(SettingsFileName()).path()));
    QFile file(SettingsFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
  }

  QTemporaryDir folder_;
  TSettingsStore store_;
};

TEST_F(SettingsStoreTest, TheStoreLivesInTheOverriddenFolderUnderTheCompanyAndProgramNames) {
  EXPECT_TRUE(SettingsFileName().startsWith(folder_.path()));
  EXPECT_TRUE(SettingsFileName().contains("Quillmarsh"));
  EXPECT_TRUE(SettingsFileName().contains("PrivateMotor"));
}

TEST_F(SettingsStoreTest, AnEmptyStoreHasNoKeysAndNoValues) {
  EXPECT_FALSE(store_.KeyExists("\\Dictionary"));
  EXPECT_EQ(store_.ValueType("\\Dictionary", "DictionaryPath"), TSettingType::Missing);
  EXPECT_FALSE(store_.ReadText("\\Dictionary", "DictionaryPath").has_value());
  EXPECT_FALSE(store_.ReadInteger("\\Dictionary", "ApplicationVersion").has_value());
  EXPECT_TRUE(store_.ValueNames("\\Dictionary").isEmpty());
}

TEST_F(SettingsStoreTest, AKeyWithoutValuesExistsAndSurvivesReopening) {
  ASSERT_TRUE(store_.CreateKey("\\Help"));
  EXPECT_TRUE(TSettingsStore().KeyExists("\\Help"));
  EXPECT_TRUE(store_.ValueNames("\\Help").isEmpty());
  EXPECT_EQ(store_.ValueType("\\Help", "HintsActive"), TSettingType::Missing);
}

TEST_F(SettingsStoreTest, WritesNeverCreateTheKey) {
  EXPECT_FALSE(store_.WriteText("\\QuoteEngine", "RatesNotify", "Yes"));
  EXPECT_FALSE(store_.WriteInteger("\\QuoteEngine", "ED", 5));
  EXPECT_FALSE(store_.KeyExists("\\QuoteEngine"));
}

TEST_F(SettingsStoreTest, IntegersAndTextsKeepTheirTypes) {
  ASSERT_TRUE(store_.CreateKey("\\Dictionary"));
  ASSERT_TRUE(store_.WriteInteger("\\Dictionary", "ApplicationVersion", 7));
  ASSERT_TRUE(store_.WriteText("\\Dictionary", "DictionaryPath", "/opt/dict"));
  ASSERT_TRUE(store_.WriteText("\\Dictionary", "Numeric", "12"));

  TSettingsStore fresh;
  EXPECT_EQ(fresh.ValueType("\\Dictionary", "ApplicationVersion"), TSettingType::Integer);
  EXPECT_EQ(fresh.ReadInteger("\\Dictionary", "ApplicationVersion"), 7);
  EXPECT_FALSE(fresh.ReadText("\\Dictionary", "ApplicationVersion").has_value());

  EXPECT_EQ(fresh.ValueType("\\Dictionary", "DictionaryPath"), TSettingType::Text);
  EXPECT_EQ(fresh.ReadText("\\Dictionary", "DictionaryPath"), QString("/opt/dict"));
  // Text that looks like a number is still text.
  EXPECT_EQ(fresh.ValueType("\\Dictionary", "Numeric"), TSettingType::Text);
  EXPECT_FALSE(fresh.ReadInteger("\\Dictionary", "Numeric").has_value());
}

TEST_F(SettingsStoreTest, AnEmptyTextIsAValueNotAMissingOne) {
  ASSERT_TRUE(store_.CreateKey("\\Options"));
  ASSERT_TRUE(store_.WriteText("\\Options", "EMailTo", ""));
  EXPECT_EQ(store_.ValueType("\\Options", "EMailTo"), TSettingType::Text);
  EXPECT_EQ(store_.ReadText("\\Options", "EMailTo"), QString(""));
}

TEST_F(SettingsStoreTest, KeyAndValueNamesMatchWithoutRegardToCase) {
  ASSERT_TRUE(store_.CreateKey("\\Options"));
  ASSERT_TRUE(store_.WriteInteger("\\options", "MotorSummaryWndHeight", 200));
  EXPECT_TRUE(store_.KeyExists("OPTIONS"));
  EXPECT_EQ(store_.ReadInteger("\\Options", "motorsummarywndheight"), 200);
  // One key, spelled as it was first created.
  ASSERT_TRUE(store_.WriteInteger("\\OPTIONS", "MOTORSUMMARYWNDHEIGHT", 150));
  EXPECT_EQ(store_.ValueNames("\\Options"), QStringList{"MotorSummaryWndHeight"});
  EXPECT_EQ(store_.ReadInteger("\\Options", "MotorSummaryWndHeight"), 150);
}

TEST_F(SettingsStoreTest, DeletingTheLastValueKeepsTheKey) {
  ASSERT_TRUE(store_.CreateKey("\\Options"));
  ASSERT_TRUE(store_.WriteText("\\Options", "CurrentInternetMailServer", "mail.example"));
  EXPECT_TRUE(store_.DeleteValue("\\Options", "CurrentInternetMailServer"));
  EXPECT_TRUE(store_.KeyExists("\\Options"));
  EXPECT_EQ(store_.ValueType("\\Options", "CurrentInternetMailServer"), TSettingType::Missing);
  EXPECT_FALSE(store_.DeleteValue("\\Options", "CurrentInternetMailServer"));
}

TEST_F(SettingsStoreTest, NestedKeysAndKeyDeletion) {
  ASSERT_TRUE(store_.CreateKey("\\Outer\\Inner"));
  EXPECT_TRUE(store_.KeyExists("\\Outer"));
  EXPECT_TRUE(store_.KeyExists("Outer/Inner"));
  ASSERT_TRUE(store_.WriteText("\\Outer\\Inner", "Name", "x"));
  EXPECT_TRUE(store_.DeleteKey("\\Outer"));
  EXPECT_FALSE(store_.KeyExists("\\Outer\\Inner"));
  EXPECT_FALSE(store_.KeyExists("\\Outer"));
}

TEST_F(SettingsStoreTest, ReadsAFileWrittenByAnotherProgram) {
  WriteFile(R"({"Dictionary": {"ApplicationVersion": 3, "DictionaryPath": "/d"},
               "QuoteEngine": {}, "Help": {"Ratio": 1.5}})");
  TSettingsStore store;
  EXPECT_EQ(store.ReadInteger("\\Dictionary", "ApplicationVersion"), 3);
  EXPECT_EQ(store.ReadText("\\Dictionary", "DictionaryPath"), QString("/d"));
  EXPECT_TRUE(store.KeyExists("\\QuoteEngine"));
  EXPECT_EQ(store.ValueType("\\Help", "Ratio"), TSettingType::Other);
}

TEST_F(SettingsStoreTest, EveryCallSeesChangesMadeOutsideTheProgram) {
  ASSERT_TRUE(store_.CreateKey("\\QuoteEngine"));
  ASSERT_TRUE(store_.WriteText("\\QuoteEngine", "Path", "/a"));
  EXPECT_EQ(store_.ReadText("\\QuoteEngine", "Path"), QString("/a"));
  WriteFile(R"({"QuoteEngine": {"Path": "/somewhere/else/entirely"}})");
  EXPECT_EQ(store_.ReadText("\\QuoteEngine", "Path"), QString("/somewhere/else/entirely"));
}

// What is stored already is not written again, so the file is not rewritten at every start;
// a different value, or the same digits as text instead of an integer, is.
TEST_F(SettingsStoreTest, WritingTheStoredValueAgainLeavesTheFileAlone) {
  ASSERT_TRUE(store_.CreateKey("\\Help"));
  ASSERT_TRUE(store_.WriteText("\\Help", "HintsActive", "Yes"));
  ASSERT_TRUE(store_.WriteInteger("\\Help", "Speed", 3));
  const QDateTime past = QDateTime::currentDateTime().addDays(-2);
  auto untouched = [&past] {
    QFile file(SettingsFileName());
    return file.open(QIODevice::ReadOnly) &&
           file.fileTime(QFileDevice::FileModificationTime) == past;
  };
  auto setPast = [&past] {
    QFile file(SettingsFileName());
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(past, QFileDevice::FileModificationTime);
  };
  ASSERT_TRUE(setPast());
  EXPECT_TRUE(store_.WriteText("\\help", "hintsactive", "Yes"));
  EXPECT_TRUE(store_.WriteInteger("\\Help", "Speed", 3));
  EXPECT_TRUE(untouched());

  EXPECT_TRUE(store_.WriteText("\\Help", "Speed", "3"));
  EXPECT_FALSE(untouched());
  EXPECT_EQ(store_.ValueType("\\Help", "Speed"), TSettingType::Text);
  ASSERT_TRUE(setPast());
  EXPECT_TRUE(store_.WriteText("\\Help", "HintsActive", "No"));
  EXPECT_FALSE(untouched());
  EXPECT_EQ(store_.ReadText("\\Help", "HintsActive"), QString("No"));
  EXPECT_EQ(store_.ValueNames("\\Help"), QStringList({"HintsActive", "Speed"}));

  // A store that cannot be written still answers false, whatever it holds.
  ASSERT_TRUE(QFile::setPermissions(SettingsFileName(), QFileDevice::ReadOwner));
  if (!QFileInfo(SettingsFileName()).isWritable()) {  // not so for the superuser
    EXPECT_FALSE(store_.WriteText("\\Help", "HintsActive", "No"));
  }
  ASSERT_TRUE(
      QFile::setPermissions(SettingsFileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

unsigned FileMode(const QString& fileName) {
  struct stat status {};
  if (stat(QFile::encodeName(fileName).constData(), &status) != 0)
    return 0;
  return status.st_mode & 0777;
}

TEST_F(SettingsStoreTest, TheFileIsCreatedAndRewrittenForItsOwnerAlone) {
  // A generous umask, as on most desktops: the file must not follow it.
  const mode_t previous = umask(022);
  ASSERT_TRUE(store_.CreateKey("\\Options"));
  EXPECT_EQ(FileMode(SettingsFileName()), 0600u);
  ASSERT_TRUE(store_.WriteText("\\Options", "MailPassword", "s3cret"));
  EXPECT_EQ(FileMode(SettingsFileName()), 0600u);

  // A file an earlier version left readable by everyone is narrowed when next read or written.
  ASSERT_TRUE(QFile::setPermissions(SettingsFileName(),
                                    QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ReadOther));
  EXPECT_EQ(store_.ReadText("\\Options", "MailPassword"), QString("s3cret"));
  EXPECT_EQ(FileMode(SettingsFileName()), 0600u);
  ASSERT_TRUE(QFile::setPermissions(SettingsFileName(), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ReadOther));
  ASSERT_TRUE(store_.DeleteValue("\\Options", "MailPassword"));
  EXPECT_EQ(FileMode(SettingsFileName()), 0600u);
  umask(previous);
}

}  // namespace
