#pragma once
// The capture pages and dialogs on the demo installation: the demo dictionary in the Data
// Server, settings that name the demo dictionary folder (the engine's field widths) and engine
// folder (the occupation map), today fixed at 15 June 2026, a scripted prompter for every box, a
// main window that records what the pages ask of it, and a runner that drives each modal dialog
// instead of blocking in exec().

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "controls/kwcomboedit.h"
#include "controls/modaldialog.h"
#include "controls/seams.h"
#include "controls/today.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/tests/fakemainwindow.h"
#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "settings/optionkeys.h"
#include "settings/options.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDate& date, std::ostream* out) {
  *out << date.toString(Qt::ISODate).toStdString();
}
QT_END_NAMESPACE

inline const QDate kToday(2026, 6, 15);

class CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string dictionary = QM_DEMO_BUILD_DIR "/dictionary";
    ASSERT_EQ(DsvOpen(1, 1, (dictionary + "/Lists.BIN").c_str(),
                      (dictionary + "/Struct.BIN").c_str(), ""),
              0);
    ASSERT_TRUE(home_.isValid());
    SetSettingsFolder(home_.path());
    TSettingsStore store;
    ASSERT_TRUE(store.CreateKey(OptionKeys::kQuoteEngine));
    ASSERT_TRUE(store.WriteText(OptionKeys::kQuoteEngine, OptionKeys::kPath,
                                QStringLiteral(QM_DEMO_BUILD_DIR "/engine")));
    // The dictionary folder holds the engine's field widths, which number fields are held to.
    ASSERT_TRUE(store.CreateKey(OptionKeys::kDictionary));
    ASSERT_TRUE(store.WriteText(OptionKeys::kDictionary, OptionKeys::kDictionaryPath,
                                QStringLiteral(QM_DEMO_BUILD_DIR "/dictionary")));
    CreateOptions();
    TControlsSeams::Current().today = [] { return kToday; };
    TControlsSeams::Current().modalDialog = [this](QDialog& dialog) { return Drive(dialog); };
    ClearModified();
  }

  void TearDown() override {
    ReleaseOptions();
    SetSettingsFolder(QString());
    DsvClose();
  }

 public:
  // Shows the widget's window, active, so that fields are left as the user leaves them.
  static bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
  }

  // Types into the field and leaves it with Tab.
  static void TypeAndTab(QWidget* field, const char* keys) {
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, keys);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Gives the field the focus, presses the key and leaves with Tab.
  static void KeyAndTab(QWidget* field, Qt::Key key, int times = 1) {
    field->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < times; ++i)
      QTest::keyClick(field, key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Answers a yes/no field with the key, as the user does.
  static void Answer(QWidget* field, char key) {
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, key);
  }

 protected:
  // Each modal dialog is shown and handed to `act` with the dialogs opened before it still open;
  // it ends with what `act` made of it. Without `act` a dialog closes with its Close button.
  void Drive(const std::function<void(QDialog&)>& act) { act_ = act; }

  QStringList Prompts() { return prompter_->Texts(); }
  // The texts of the boxes shown, one line each.
  std::string PromptLog() { return prompter_->Texts().join('|').toStdString(); }

  QTemporaryDir home_;
  ScopedScriptedPrompter prompter_;
  TFakeMainWindow mainWindow_;
  QStringList dialogsRun_;  // object names and window titles of the dialogs run

 private:
  int Drive(QDialog& dialog) {
    dialogsRun_ << dialog.objectName() + QStringLiteral(": ") + dialog.windowTitle();
    QWidget* returnTo = QApplication::activeWindow();
    EXPECT_TRUE(ShowActive(&dialog));
    if (act_) {
      act_(dialog);
    } else if (auto* close = dialog.findChild<QAbstractButton*>(QStringLiteral("CloseBitBtn"))) {
      QTest::mouseClick(close, Qt::LeftButton);
    }
    const int result = dialog.result();
    dialog.hide();
    if (returnTo != nullptr) {
      returnTo->activateWindow();
      QApplication::setActiveWindow(returnTo);
    }
    return result;
  }

  std::function<void(QDialog&)> act_;
  const TControlsSeamsGuard seams_;
};

// The code of the list's first entry (0 when the list cannot be read).
inline std::int32_t FirstCode(std::int32_t listId) {
  ListItems items;
  FillEnumList(listId, items);
  return items.isEmpty() ? 0 : items.first().code;
}

// Clicks the dialog's button by object name.
inline void ClickButton(QDialog& dialog, const char* name) {
  auto* button = dialog.findChild<QAbstractButton*>(QLatin1String(name));
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

// The form's control by object name.
template <class Control>
Control* In(QWidget& form, const char* name) {
  auto* control = form.findChild<Control*>(QLatin1String(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// Chooses the list item at `index` by typing its text, and leaves with Tab.
inline void ChooseItem(TKwComboEdit* combo, int index) {
  combo->setFocus(Qt::TabFocusReason);
  QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(combo, combo->ItemText(index));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

// Types the keys into the field and leaves it with Tab.
inline void TypeInto(QWidget* field, const char* keys) {
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, keys);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}
