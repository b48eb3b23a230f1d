#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/userdatafolder.h"

TEST(UserDataFolder, IsCreatedOnDemandAndNamesDiagnosticFilesInside) {
  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  QString folder = base.path() + "/data/motor";
  SetUserDataFolder(folder);
  EXPECT_EQ(UserDataFolder(), QDir::cleanPath(folder));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(UserDataFile("MemErr.log"), QDir::cleanPath(folder) + "/MemErr.log");
  SetUserDataFolder(QString());
}

TEST(UserDataFolder, DefaultsToAPerUserFolderOfTheProgram) {
  QStandardPaths::setTestModeEnabled(true);
  SetUserDataFolder(QString());
  EXPECT_TRUE(UserDataFolder().endsWith("Quillmarsh/PrivateMotor"));
  QStandardPaths::setTestModeEnabled(false);
}
