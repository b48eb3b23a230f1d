#include "controls/kwcomboedit.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>

#include "controls/tests/testsupport.h"
#include "platform/scriptedprompter.h"

namespace {

void FillMaritalStatus(TKwComboEdit* combo) {
  combo->ClearItems();
  combo->AddItem("Divorced", 0x10);
  combo->AddItem("Married", 0x11);
  combo->AddItem("Divided", 0x12);
  combo->AddItem("Single", 0x13);
}

// A window with a combo followed by a plain edit to move the focus to.
struct ComboWindow {
  TTestWindow window;
  TKwComboEdit* combo = window.Add<TKwComboEdit>();
  TKwComboEdit* next = window.Add<TKwComboEdit>();

  ComboWindow() {
    FillMaritalStatus(combo);
    next->SetListItemsOnly(false);
  }
  bool Focus() {
    if (!window.ShowActive())
      return false;
    combo->setFocus();
    return combo->hasFocus();
  }
};

}  // namespace

TEST(KwComboEditItems, ItemsCarryTheirCodes) {
  TKwComboEdit combo;
  FillMaritalStatus(&combo);
  EXPECT_EQ(combo.ItemCount(), 4);
  EXPECT_EQ(combo.ItemCode(2), 0x12);
  EXPECT_EQ(combo.IndexOfCode(0x13), 3);
  EXPECT_EQ(combo.IndexOfCode(0x99), -1);
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), "Married");
  combo.SetItemIndex(-1);
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
}

TEST(KwComboEditItems, SettingTheListIdOrBuildingTheListRunsTheBuild) {
  TKwComboEdit combo;
  std::vector<std::int32_t> builtFor;
  QObject::connect(&combo, &TKwComboEdit::buildList, [&, sender = &combo] {
    builtFor.push_back(sender->ListID());
    FillMaritalStatus(sender);
  });
  combo.BuildList();
  EXPECT_EQ(builtFor, std::vector<std::int32_t>({0}));
  combo.SetListID(0x220006);
  EXPECT_EQ(builtFor, std::vector<std::int32_t>({0, 0x220006}));
  EXPECT_EQ(combo.ItemCount(), 4);
}

TEST(KwComboEditItems, SettingTextSelectsTheItemItNames) {
  TKwComboEdit combo;
  FillMaritalStatus(&combo);
  combo.SetText("single");
  EXPECT_EQ(combo.ItemIndex(), 3);
  EXPECT_EQ(combo.Text(), "Single");
  combo.SetText("Other");
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "Other");
  // Set from outside, a text shows from its beginning (a long one is not scrolled to its end).
  EXPECT_EQ(combo.lineEdit()->cursorPosition(), 0);
  combo.SetItemIndex(3);
  EXPECT_EQ(combo.lineEdit()->cursorPosition(), 0);
}

TEST(KwComboEditItems, PrefixSearchStartsAtTheSecondItemAndEndsWithTheFirst) {
  TKwComboEdit combo;
  FillMaritalStatus(&combo);
  EXPECT_EQ(combo.FindItemStartingWith("di"), 2);
  EXPECT_EQ(combo.FindItemStartingWith("divo"), 0);
  EXPECT_EQ(combo.FindItemStartingWith("x"), -1);
  EXPECT_EQ(combo.FindItem("MARRIED"), 1);
  EXPECT_EQ(combo.FindItem("Marr"), -1);
}

TEST(KwComboEditTab, TypingTwoLettersThenTabSelectsTheThirdItemAndMovesOn) {
  ComboWindow w;
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.combo, &TKwComboEdit::changed, [&] { ++changes; });
  QTest::keyClicks(w.combo, "di");
  EXPECT_TRUE(w.combo->DroppedDown());
  QTest::keyClick(w.combo, Qt::Key_Tab);
  EXPECT_FALSE(w.combo->DroppedDown());
  EXPECT_EQ(w.combo->ItemIndex(), 2);
  EXPECT_EQ(w.combo->Text(), "Divided");
  EXPECT_TRUE(w.next->hasFocus());
  EXPECT_EQ(changes, 3);  // two typed letters and the selection
}

TEST(KwComboEditTab, NoMatchSelectsNothingWithListItemsOnly) {
  ComboWindow w;
  ASSERT_TRUE(w.Focus());
  QTest::keyClicks(w.combo, "zz");
  QTest::keyClick(w.combo, Qt::Key_Tab);
  EXPECT_EQ(w.combo->ItemIndex(), -1);
  EXPECT_EQ(w.combo->Text(), "");
  EXPECT_TRUE(w.next->hasFocus());
}

TEST(KwComboEditTab, WithoutListItemsOnlyTheTypedTextStays) {
  ComboWindow w;
  w.combo->SetListItemsOnly(false);
  ASSERT_TRUE(w.Focus());
  QTest::keyClicks(w.combo, "Separated");
  QTest::keyClick(w.combo, Qt::Key_Tab);
  EXPECT_EQ(w.combo->Text(), "Separated");
  EXPECT_TRUE(w.next->hasFocus());
}

TEST(KwComboEditTab, ShiftTabMovesBack) {
  ComboWindow w;
  ASSERT_TRUE(w.window.ShowActive());
  w.next->setFocus();
  QTest::keyClick(w.next, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(w.combo->hasFocus());
}

TEST(KwComboEditEnter, EnterOpensTheListThenTakesTheTypedTextWithoutLeaving) {
  ComboWindow w;
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.combo, Qt::Key_Return);
  EXPECT_TRUE(w.combo->DroppedDown());
  QTest::keyClicks(w.combo, "m");
  QTest::keyClick(w.combo, Qt::Key_Return);
  EXPECT_FALSE(w.combo->DroppedDown());
  EXPECT_EQ(w.combo->ItemIndex(), 1);
  EXPECT_EQ(w.combo->Text(), "Married");
  EXPECT_TRUE(w.combo->hasFocus());
  EXPECT_EQ(w.combo->ItemCount(), 4);  // Enter never adds the text as an item
}

TEST(KwComboEditTyping, ALetterOrDigitOnAWholeSelectionClearsTheChoice) {
  ComboWindow w;
  ASSERT_TRUE(w.Focus());
  w.combo->SetItemIndex(3);
  w.combo->lineEdit()->selectAll();
  QTest::keyClicks(w.combo, "m");
  EXPECT_EQ(w.combo->ItemIndex(), -1);
  EXPECT_EQ(w.combo->Text(), "m");
  EXPECT_TRUE(w.combo->DroppedDown());
  EXPECT_EQ(w.combo->lineEdit()->cursorPosition(), 1);
}

TEST(KwComboEditTyping, CaseRules) {
  TKwComboEdit combo;
  combo.SetTextCase(TTextCase::tcUpperCaps);
  QTest::keyClicks(&combo, "ab1");
  EXPECT_EQ(combo.Text(), "AB1");
  combo.hidePopup();

  TKwComboEdit lower;
  lower.SetTextCase(TTextCase::tcLowerCaps);
  QTest::keyClicks(&lower, "AbC");
  EXPECT_EQ(lower.Text(), "abc");
  lower.hidePopup();

  TKwComboEdit initial;
  initial.SetTextCase(TTextCase::tcInitialCaps);
  QTest::keyClicks(&initial, "gREAT bRITAIN");
  EXPECT_EQ(initial.Text(), "Great Britain");
  initial.hidePopup();

  TKwComboEdit digits;
  digits.SetTextCase(TTextCase::tcDigit);
  QTest::keyClicks(&digits, "1a2b");
  EXPECT_EQ(digits.Text(), "12");
  digits.hidePopup();
}

TEST(KwComboEditTyping, KeyEventsMayChangeOrDropTheKey) {
  TKwComboEdit combo;
  std::vector<QChar> after;
  QObject::connect(&combo, &TKwComboEdit::beforeKeyPress, [](QChar& key) {
    if (key == QLatin1Char('x'))
      key = QChar();
    else if (key == QLatin1Char('-'))
      key = QLatin1Char('/');
  });
  QObject::connect(&combo, &TKwComboEdit::afterKeyPress, [&](QChar& key) { after.push_back(key); });
  QTest::keyClicks(&combo, "1x-2");
  EXPECT_EQ(combo.Text(), "1/2");
  // The after event sees the key as the before event and the field's own handling left it.
  EXPECT_EQ(after,
            std::vector<QChar>({QLatin1Char('1'), QChar(), QLatin1Char('/'), QLatin1Char('2')}));
  combo.hidePopup();
}

TEST(KwComboEditExit, ALetterThatBeginsNoItemShowsTheErrorAndKeepsTheFocus) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  int exits = 0;
  QObject::connect(w.combo, &TKwComboEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  QTest::keyClicks(w.combo, "q");
  w.combo->hidePopup();
  w.next->setFocus();
  ASSERT_EQ(prompter->Prompts().size(), 1) << prompter->Texts().join("|").toStdString();
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Error);
  EXPECT_EQ(prompter->Prompts()[0].text,
            "Entered item is not in the list\rYou must select an item from the list");
  EXPECT_TRUE(w.combo->hasFocus());
  EXPECT_EQ(exits, 0);
}

TEST(KwComboEditExit, TheRefusedFocusChangeDoesNotEnterOrLeaveTheOtherField) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  QStringList events;
  QObject::connect(w.next, &TKwComboEdit::entered, [&] { events << "enter"; });
  QObject::connect(w.next, &TKwComboEdit::exited, [&] { events << "exit"; });
  ASSERT_TRUE(w.Focus());
  w.combo->SetText("q");
  w.next->setFocus();
  EXPECT_TRUE(w.combo->hasFocus());
  EXPECT_TRUE(events.isEmpty());
}

TEST(KwComboEditExit, AnEmptyTextIsAcceptedEvenWithListItemsOnly) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  int exits = 0;
  QObject::connect(w.combo, &TKwComboEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  w.next->setFocus();
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  EXPECT_TRUE(w.next->hasFocus());
  EXPECT_EQ(w.combo->ItemIndex(), -1);
  EXPECT_EQ(exits, 1);
}

TEST(KwComboEditExit, AWholeItemTypedInAnyCaseSelectsIt) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  int exitIndex = -2;
  QObject::connect(w.combo, &TKwComboEdit::exited,
                   [&, sender = w.combo] { exitIndex = sender->ItemIndex(); });
  ASSERT_TRUE(w.Focus());
  w.combo->SetItemIndex(0);
  w.combo->SetText("");
  QTest::keyClicks(w.combo, "SINGLE");
  w.combo->hidePopup();
  w.next->setFocus();
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  EXPECT_EQ(exitIndex, 3);
  EXPECT_EQ(w.combo->Text(), "Single");
}

TEST(KwComboEditExit, FreeTextIsAcceptedWithoutListItemsOnly) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  w.combo->SetListItemsOnly(false);
  int exits = 0;
  QObject::connect(w.combo, &TKwComboEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  w.combo->SetText("Separated");
  w.next->setFocus();
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(w.combo->Text(), "Separated");
}

TEST(KwComboEditExit, OpeningTheListIsNotLeavingTheField) {
  ScopedScriptedPrompter prompter;
  ComboWindow w;
  int exits = 0;
  QObject::connect(w.combo, &TKwComboEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  QTest::keyClicks(w.combo, "q");
  EXPECT_TRUE(w.combo->DroppedDown());
  w.combo->hidePopup();
  EXPECT_EQ(exits, 0);
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST(KwComboEditMaking, TheBoxIsEditableAsSetEditableMakesItWithNoCompleterLeft) {
  QComboBox plain;
  plain.setEditable(true);
  TKwComboEdit combo;
  ASSERT_TRUE(combo.isEditable());
  EXPECT_EQ(combo.completer(), nullptr);
  EXPECT_EQ(combo.lineEdit()->completer(), nullptr);
  EXPECT_EQ(combo.lineEdit()->parent(), &combo);
  EXPECT_TRUE(combo.findChildren<QCompleter*>().isEmpty());
  // The list is the one an editable box has: its delegate, its scroll bar, its frame.
  EXPECT_STREQ(combo.itemDelegate()->metaObject()->className(),
               plain.itemDelegate()->metaObject()->className());
  EXPECT_EQ(combo.view()->verticalScrollBarPolicy(), plain.view()->verticalScrollBarPolicy());
  EXPECT_EQ(combo.view()->parentWidget()->metaObject()->className(),
            QString::fromLatin1(plain.view()->parentWidget()->metaObject()->className()));
  EXPECT_EQ(combo.focusPolicy(), plain.focusPolicy());
  EXPECT_EQ(combo.lineEdit()->hasFrame(), plain.lineEdit()->hasFrame());
  EXPECT_EQ(combo.testAttribute(Qt::WA_InputMethodEnabled),
            plain.testAttribute(Qt::WA_InputMethodEnabled));
}
