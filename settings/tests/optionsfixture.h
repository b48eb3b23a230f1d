#pragma once
// A fresh, empty settings store in a temporary folder, a scripted prompter and the options
// object, for each test.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "platform/tests/privatesecretservice.h"
#include "settings/options.h"

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No secret store runs for these tests (and the user's own is never touched).
    UseNoSessionBus();
    ASSERT_TRUE(folder_.isValid());
    SetSettingsFolder(folder_.path());
    CreateOptions();
  }
  void TearDown() override {
    ReleaseOptions();
    SetSettingsFolder(QString());
  }

  TOptions& options() { return *Options(); }
  QStringList Boxes() { return prompter_->Texts(); }

  // Writes a value as the installation would, creating its key.
  void InstallText(const QString& key, const QString& name, const QString& value) {
    ASSERT_TRUE(store_.CreateKey(key));
    ASSERT_TRUE(store_.WriteText(key, name, value));
  }
  void InstallInteger(const QString& key, const QString& name, qint32 value) {
    ASSERT_TRUE(store_.CreateKey(key));
    ASSERT_TRUE(store_.WriteInteger(key, name, value));
  }

  QTemporaryDir folder_;
  ScopedScriptedPrompter prompter_;
  TSettingsStore store_;
};
