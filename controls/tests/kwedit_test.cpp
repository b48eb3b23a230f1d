#include "controls/kwedit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

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

// What the user sees is what is stored: one line, only characters the files and the engine can
// hold (accented letters among them), and no spaces at either end once the field is left.
TEST(KwEditText, PastedLinesJoinAndUnwritableCharactersAreRefusedAndNamed) {
  QMainWindow window;
  auto* holder = new QWidget(&window);
  auto* layout = new QVBoxLayout(holder);
  auto* edit = new TKwEdit(holder);
  auto* next = new TKwEdit(holder);
  layout->addWidget(edit);
  layout->addWidget(next);
  window.setCentralWidget(holder);
  window.statusBar();  // a main window shows status lines once it has its bar
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  edit->setFocus(Qt::TabFocusReason);
  TBeepCounter beeps;

  QApplication::clipboard()->setText(QStringLiteral("12 High Street\r\nClifton\nBristol"));
  QTest::keySequence(edit, QKeySequence::Paste);
  EXPECT_EQ(edit->Text(), "12 High Street Clifton Bristol");
  EXPECT_EQ(beeps.Count(), 0);

  edit->SetText(QString());
  QTest::keyClicks(edit, "Zo");
  QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString::fromUcs4(U"\U0001F600", 1),
                      Qt::NoModifier);
  EXPECT_EQ(edit->Text(), "Zo");
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_TRUE(window.statusBar()->currentMessage().contains("U+1F600"))
      << window.statusBar()->currentMessage().toStdString();

  // A paste holding one such character is refused whole; the euro sign and accents are kept.
  QApplication::clipboard()->setText(QStringLiteral("\u00EB M\u00FCller \u2192"));
  QTest::keySequence(edit, QKeySequence::Paste);
  EXPECT_EQ(edit->Text(), "Zo");
  EXPECT_EQ(beeps.Count(), 2);
  QApplication::clipboard()->setText(QStringLiteral("\u00EB M\u00FCller \u20AC5 "));
  QTest::keySequence(edit, QKeySequence::Paste);
  EXPECT_EQ(edit->Text(), QStringLiteral("Zo\u00EB M\u00FCller \u20AC5 "));

  edit->home(false);
  QTest::keyClicks(edit, "  ");
  next->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(edit->Text(), QStringLiteral("Zo\u00EB M\u00FCller \u20AC5"));
  EXPECT_EQ(beeps.Count(), 2);

  // Text assigned by the program (a file's) is one line too.
  edit->SetText(QStringLiteral("Flat 2\r\nThe Mews"));
  EXPECT_EQ(edit->Text(), "Flat 2 The Mews");
}
