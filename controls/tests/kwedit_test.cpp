#include "controls/kwedit.h"

#include <gtest/gtest.h>

#include <QTest>

#include "controls/tests/testsupport.h"

TEST(KwEditUppercaseWords, AssigningTwoLowerCaseWordsCapitalisesBoth) {
  TKwEdit edit;
  edit.SetUppercaseWords(true);
  edit.SetText("john smith");
  EXPECT_EQ(edit.Text(), "John Smith");
}

TEST(KwEditUppercaseWords, LettersAfterAnApostropheOrHyphenStayLowerCase) {
  TKwEdit edit;
  edit.SetUppercaseWords(true);
  edit.SetText("o'neil smith-jones");
  EXPECT_EQ(edit.Text(), "O'neil Smith-jones");
}

TEST(KwEditUppercaseWords, OtherCharactersOfAnAssignedTextStayAsTheyAre) {
  TKwEdit edit;
  edit.SetUppercaseWords(true);
  edit.SetText("1 high STREET  east");
  EXPECT_EQ(edit.Text(), "1 High STREET  East");
}

TEST(KwEditUppercaseWords, SwitchingItOnCapitalisesTheWholeText) {
  TKwEdit edit;
  edit.SetText("mary ann");
  EXPECT_EQ(edit.Text(), "mary ann");
  edit.SetUppercaseWords(true);
  EXPECT_EQ(edit.Text(), "Mary Ann");
}

TEST(KwEditUppercaseWords, TypedLettersAreCapitalisedAtTheStartAndAfterASpace) {
  TKwEdit edit;
  edit.SetUppercaseWords(true);
  QTest::keyClicks(&edit, "anne o'hara-lee");
  EXPECT_EQ(edit.Text(), "Anne O'hara-lee");
}

TEST(KwEditUppercaseWords, TypingOverAWholeSelectionCapitalises) {
  TKwEdit edit;
  edit.SetUppercaseWords(true);
  edit.SetText("Old");
  edit.selectAll();
  QTest::keyClicks(&edit, "new");
  EXPECT_EQ(edit.Text(), "New");
}

TEST(KwEditUppercaseWords, WithoutItTypedTextIsUnchanged) {
  TKwEdit edit;
  QTest::keyClicks(&edit, "anne lee");
  EXPECT_EQ(edit.Text(), "anne lee");
}

TEST(KwEditCase, UpperCaseRuleAppliesToTypingAndAssignment) {
  TKwEdit edit;
  edit.SetCharCase(TEditCharCase::ecUpperCase);
  QTest::keyClicks(&edit, "sw1a");
  EXPECT_EQ(edit.Text(), "SW1A");
  edit.SetText("ab1 2cd");
  EXPECT_EQ(edit.Text(), "AB1 2CD");
}

TEST(KwEditCase, MaximumLengthLimitsTyping) {
  TKwEdit edit;
  edit.SetMaxLength(4);
  QTest::keyClicks(&edit, "abcdef");
  EXPECT_EQ(edit.Text(), "abcd");
}

TEST(KwEditEvents, OnChangeRunsForTypingAndAssignment) {
  TKwEdit edit;
  int changes = 0;
  QObject::connect(&edit, &TKwEdit::changed, [&, sender = &edit] {
    EXPECT_EQ(sender, &edit);
    ++changes;
  });
  QTest::keyClicks(&edit, "ab");
  edit.SetText("x");
  EXPECT_EQ(changes, 3);
}

TEST(KwEditEvents, EnterAndExitRunWhenTheFocusMovesBetweenFields) {
  TTestWindow window;
  auto* first = window.Add<TKwEdit>();
  auto* second = window.Add<TKwEdit>();
  QStringList events;
  QObject::connect(first, &TKwEdit::entered, [&] { events << "enter1"; });
  QObject::connect(first, &TKwEdit::exited,
                   [&, sender = first] { events << "exit1:" + sender->Text(); });
  QObject::connect(second, &TKwEdit::entered, [&] { events << "enter2"; });
  ASSERT_TRUE(window.ShowActive());
  first->setFocus();
  QTest::keyClicks(first, "abc");
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_TRUE(second->hasFocus());
  EXPECT_EQ(events, QStringList({"enter1", "exit1:abc", "enter2"}));
}

TEST(KwEditEvents, ClearingTheFocusRunsTheExitSynchronously) {
  TTestWindow window;
  auto* edit = window.Add<TKwEdit>();
  window.Add<TKwEdit>();
  int exits = 0;
  QObject::connect(edit, &TKwEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(window.ShowActive());
  edit->setFocus();
  edit->clearFocus();
  EXPECT_EQ(exits, 1);
}

TEST(KwEditEvents, SwitchingToAnotherWindowIsNotLeavingTheField) {
  TTestWindow window;
  auto* edit = window.Add<TKwEdit>();
  int exits = 0;
  QObject::connect(edit, &TKwEdit::exited, [&] { ++exits; });
  ASSERT_TRUE(window.ShowActive());
  edit->setFocus();
  TTestWindow other;
  other.Add<TKwEdit>();
  ASSERT_TRUE(other.ShowActive());
  EXPECT_EQ(exits, 0);
  ASSERT_TRUE(window.ShowActive());
  EXPECT_TRUE(edit->hasFocus());
  edit->clearFocus();
  EXPECT_EQ(exits, 1);
}
