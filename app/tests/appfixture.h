#pragma once
// The program's pieces on the demo installation, for the window tests: a private settings store
// and user folder, the demo dictionary and engine installed into them, the hint file in a
// program folder of its own, the units started as the program starts them, and every box
// answered by a scripted prompter.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>

#include "app/hints.h"
#include "app/mainwindow.h"
#include "app/pagetabcontrol.h"
#include "app/seams.h"
#include "app/startup.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "platform/userdatafolder.h"
#include "settings/optionkeys.h"
#include "settings/options.h"
#include "tools/install/demoinstaller.h"

// Readable test failures for Qt's strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

inline const QString kDemoFolder = QStringLiteral(QM_DEMO_BUILD_DIR);

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    SetSettingsFolder(Path("config"));
    SetUserDataFolder(Path("user"));
    QDir().mkpath(ProgramFolder());
    TDemoInstallRequest request;
    request.Source = kDemoFolder;
    request.EngineProgram = kDemoFolder + QStringLiteral("/engine/QuoForm1.pif");
    request.Target = Path("data");
    request.ProgramFolder = ProgramFolder();
    request.Today = QDate::currentDate();
    const TDemoInstallResult result = InstallDemo(request);
    ASSERT_EQ(result.Outcome, TDemoInstallOutcome::Installed)
        << result.Lines.join('\n').toStdString();
    // The first show asks nothing unless a test wants it to.
    store_.WriteText(OptionKeys::kHelp, OptionKeys::kShowFirstHelp, OptionKeys::kNo);
  }

  void TearDown() override {
    window_.reset();
    if (started_)
      EndUnits();
    SetSettingsFolder(QString());
    SetUserDataFolder(QString());
  }

  QString Path(const char* name) const { return home_.filePath(QLatin1String(name)); }
  QString ProgramFolder() const { return Path("program"); }
  static QString Sample(const char* name) {
    return kDemoFolder + QStringLiteral("/samples/") + QLatin1String(name) + QStringLiteral(".PCD");
  }

  // The units as the program starts them.
  void StartProgramUnits() {
    ASSERT_TRUE(StartUnits(ProgramFolder()));
    started_ = true;
  }

  // The units and a shown, active main window whose first show has run.
  void StartWindow() {
    StartProgramUnits();
    window_ = std::make_unique<TTolvaneForm>(ProgramFolder());
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window_->FirstShowDone(); }, 5000));
  }

  // The captions of the window's page tabs.
  QStringList Tabs() const {
    QStringList captions;
    QTabBar* tabs = window_->PagesTabControl()->TabBar();
    for (int i = 0; i < tabs->count(); ++i)
      captions << tabs->tabText(i);
    return captions;
  }

  // Every seam is back as it was once the window and the units are gone.
  const TSeamsGuard seams_;
  QTemporaryDir home_;
  TSettingsStore store_;
  ScopedScriptedPrompter prompter_;
  std::unique_ptr<TTolvaneForm> window_;
  bool started_ = false;
};
