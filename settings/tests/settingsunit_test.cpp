#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/settingsstore.h"
#include "settings/options.h"
#include "settings/settingsunit.h"

namespace {

TEST(SettingsUnit, StartUpCreatesTheOptionsBeforeOpeningTheDataServerAndAnswersItsStatus) {
  QTemporaryDir folder;
  SetSettingsFolder(folder.path());
  bool optionsExistedAtOpen = false;
  int status = StartSettings([&] {
    optionsExistedAtOpen = Options() != nullptr;
    return 7;
  });
  EXPECT_EQ(status, 7);
  EXPECT_TRUE(optionsExistedAtOpen);
  EXPECT_EQ(QLocale().language(), QLocale::English);

  bool optionsExistedAtClose = false;
  EndSettings([&] { optionsExistedAtClose = Options() != nullptr; });
  EXPECT_TRUE(optionsExistedAtClose);
  EXPECT_EQ(Options(), nullptr);
  SetSettingsFolder(QString());
}

}  // namespace
