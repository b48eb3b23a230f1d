// The drop-down field typed into as a user types: while its list is open the window system gives
// the keys to the list, so these tests send them to the open list's view, shortcut check and all.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "controls/kwcomboedit.h"
#include "controls/tests/testsupport.h"
#include "platform/scriptedprompter.h"

namespace {

struct TitleWindow {
  TTestWindow window;
  TKwComboEdit* combo = window.Add<TKwComboEdit>();
  TKwComboEdit* next = window.Add<TKwComboEdit>();

  explicit TitleWindow(const QStringList& items) {
    std::int32_t code = 1;
    for (const QString& item : items)
      combo->AddItem(item, code++);
    next->SetListItemsOnly(false);
  }
  bool Focus() {
    if (!window.ShowActive())
      return false;
    combo->setFocus(Qt::TabFocusReason);
    return combo->hasFocus();
  }
  // The widget that gets the keys now: the open list's view, or the focused field.
  QWidget* KeyTarget() const {
    if (QWidget* popup = QApplication::activePopupWidget())
      return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
  }
  void Type(const char* keys) { QTest::keyClicks(KeyTarget(), keys); }
  void Press(Qt::Key key) { QTest::keyClick(KeyTarget(), key); }
};

}  // namespace

TEST(KwComboEditList, AWholeItemTypedThenTabWinsOverALongerItem) {
  ScopedScriptedPrompter prompter;
  for (const QStringList& items :
       {QStringList{"Mr", "Mrs", "Miss"}, QStringList{"Full UK", "Full UK - automatic only"},
        QStringList{"Other", "Other relative", "Spouse"}}) {
    TitleWindow w(items);
    ASSERT_TRUE(w.Focus());
    w.Type(items[0].toLower().toLatin1().constData());
    ASSERT_TRUE(w.combo->DroppedDown());
    ASSERT_EQ(w.KeyTarget(), w.combo->view());
    w.Press(Qt::Key_Tab);
    EXPECT_EQ(w.combo->Text(), items[0]);
    EXPECT_EQ(w.combo->ItemIndex(), 0);
    EXPECT_TRUE(w.next->hasFocus());
  }
  // The prefix search still serves when no item is the whole text.
  TitleWindow w({"Mr", "Mrs", "Miss"});
  ASSERT_TRUE(w.Focus());
  w.Type("mi");
  w.Press(Qt::Key_Tab);
  EXPECT_EQ(w.combo->Text(), "Miss");
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST(KwComboEditList, AnItemChosenInTheListKeepsItsChoiceOnTab) {
  TitleWindow w({"Mr", "Mrs", "Miss"});
  ASSERT_TRUE(w.Focus());
  w.Type("m");
  w.Press(Qt::Key_Down);  // the highlight moves from "Mrs" (type-ahead) to "Miss"
  w.Press(Qt::Key_Up);
  w.Press(Qt::Key_Up);
  EXPECT_EQ(w.combo->Text(), "Mr");
  w.Press(Qt::Key_Tab);
  EXPECT_EQ(w.combo->Text(), "Mr");
  EXPECT_TRUE(w.next->hasFocus());
}

TEST(KwComboEditList, EnterInTheOpenListClosesItChoosesAndKeepsTheFocus) {
  TitleWindow w({"Mr", "Mrs", "Miss"});
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.combo, &TKwComboEdit::changed, [&] { ++changes; });
  w.Type("mr");
  ASSERT_EQ(w.KeyTarget(), w.combo->view());
  changes = 0;
  w.Press(Qt::Key_Return);
  EXPECT_FALSE(w.combo->DroppedDown());
  EXPECT_EQ(w.combo->Text(), "Mr");
  EXPECT_EQ(w.combo->ItemIndex(), 0);
  EXPECT_TRUE(w.combo->hasFocus());
  EXPECT_EQ(changes, 1);
  // Enter on the closed list opens it.
  w.Press(Qt::Key_Enter);
  EXPECT_TRUE(w.combo->DroppedDown());
  w.Press(Qt::Key_Enter);
  EXPECT_FALSE(w.combo->DroppedDown());
  EXPECT_EQ(w.combo->Text(), "Mr");
}

TEST(KwComboEditList, QtsOwnSelectionFollowsTheTextRule) {
  TKwComboEdit combo;
  combo.AddItem("Mr", 1);
  combo.AddItem("Mrs", 2);
  combo.setCurrentIndex(1);
  combo.lineEdit()->setText("Mrs Smith");
  combo.setCurrentIndex(1);  // the same index shows the item's text again
  EXPECT_EQ(combo.Text(), "Mrs");
  combo.setProperty("currentIndex", -1);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
  QMetaObject::invokeMethod(&combo, "setCurrentIndex", Q_ARG(int, 0));
  EXPECT_EQ(combo.Text(), "Mr");
  combo.lineEdit()->setText("x");
  static_cast<QComboBox&>(combo).setProperty("currentIndex", 0);
  EXPECT_EQ(combo.Text(), "Mr");
  combo.setCurrentIndex(7);  // out of range: nothing
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
}
