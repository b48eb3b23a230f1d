// The Data folder: created with its parents, beside the program unless the program is installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/datafolder.h"
#include "platform/userdatafolder.h"

TEST(DataFolder, IsCreatedWithItsParentsAndATrailingSeparatorIsIgnored) {
  QTemporaryDir root;
  const QString folder = root.filePath(QStringLiteral("a/b/Data/"));
  EXPECT_TRUE(ForceDirectories(folder));
  EXPECT_TRUE(QFileInfo(root.filePath(QStringLiteral("a/b/Data"))).isDir());
  // A drive-sized name is never created.
  EXPECT_FALSE(ForceDirectories(QStringLiteral("zq")));
  EXPECT_FALSE(QFileInfo::exists(QStringLiteral("zq")));
}

TEST(DataFolder, LiesBesideTheProgramOrInTheUsersFolderForAnInstalledOne) {
  QTemporaryDir root;
  SetUserDataFolder(root.filePath(QStringLiteral("user")));
  const QString build = root.filePath(QStringLiteral("build/app"));
  const QString installed = root.filePath(QStringLiteral("usr/bin"));
  QDir().mkpath(build);
  QDir().mkpath(installed);
  EXPECT_EQ(DataFolderFor(build), build + QStringLiteral("/Data"));
  EXPECT_EQ(DataFolderFor(installed), root.filePath(QStringLiteral("user/Data")));
  SetUserDataFolder(QString());
}
