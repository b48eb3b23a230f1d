#include "controls/kwtime.h"

#include <gtest/gtest.h>

#include <QTest>

#include "controls/tests/testsupport.h"

namespace {

using TimeWindow = TFieldWindow<TKwTime>;

}  // namespace

TEST(KwTimeValue, DefaultsToNoonAndShowsHoursColonMinutes) {
  TKwTime field;
  EXPECT_EQ(field.Hour(), 12);
  EXPECT_EQ(field.Minute(), 0);
  EXPECT_EQ(field.AsString(), "12:00");
  field.SetHour(7);
  field.SetMinute(5);
  EXPECT_EQ(field.AsString(), "07:05");
  field.SetHour(24);
  field.SetMinute(60);
  EXPECT_EQ(field.AsString(), "07:05");
  field.SetAsString("9:45");
  EXPECT_EQ(field.AsString(), "09:45");
  field.SetAsString("25:00");
  EXPECT_EQ(field.AsString(), "09:45");
}

TEST(KwTimeTyping, TwoAtTheStartGives22AndAFollowingSevenIsRefused) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("2");
  EXPECT_EQ(w.field->AsString(), "22:00");
  EXPECT_EQ(w.field->CaretPosition(), 2);
  w.Type("7");
  EXPECT_EQ(w.field->AsString(), "22:00");
  EXPECT_EQ(w.field->CaretPosition(), 2);
  EXPECT_EQ(beeps.Count(), 1);
}

TEST(KwTimeTyping, SevenAtTheStartGivesSevenOClockWithTheCaretOnTheMinutes) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type("7");
  EXPECT_EQ(w.field->AsString(), "07:00");
  EXPECT_EQ(w.field->CaretPosition(), 4);
}

TEST(KwTimeTyping, TwoOnFifteenHundredGivesTwentyHundred) {
  TimeWindow w;
  w.field->SetHour(15);
  ASSERT_TRUE(w.Focus());
  w.Type("2");
  EXPECT_EQ(w.field->AsString(), "20:00");
  EXPECT_EQ(w.field->CaretPosition(), 2);
}

TEST(KwTimeTyping, MinutesAboveFiftyNineAreRefused) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("0930");
  EXPECT_EQ(w.field->AsString(), "09:30");
  EXPECT_EQ(w.field->CaretPosition(), 5);
  QTest::keyClick(w.field, Qt::Key_Left);
  w.Type("6");
  EXPECT_EQ(beeps.Count(), 1);
  w.Type("59");
  EXPECT_EQ(w.field->AsString(), "09:59");
  EXPECT_EQ(w.field->CaretPosition(), 5);
}

TEST(KwTimeTyping, ColonEndsAOneDigitHour) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type("1:15");
  EXPECT_EQ(w.field->AsString(), "01:15");
}

TEST(KwTimeTyping, BackspaceAndDeleteChangeNothingButReportAChange) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.field, &TKwTime::changed, [&] { ++changes; });
  QTest::keyClick(w.field, Qt::Key_Backspace);
  QTest::keyClick(w.field, Qt::Key_Delete);
  EXPECT_EQ(w.field->AsString(), "12:00");
  EXPECT_EQ(changes, 2);
}

TEST(KwTimeTyping, OtherCharactersBeepAndNavigationSkipsTheColon) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("a.");
  EXPECT_EQ(beeps.Count(), 2);
  QTest::keyClick(w.field, Qt::Key_Right);
  QTest::keyClick(w.field, Qt::Key_Right);
  EXPECT_EQ(w.field->CaretPosition(), 4);
  QTest::keyClick(w.field, Qt::Key_Left);
  EXPECT_EQ(w.field->CaretPosition(), 2);
  QTest::keyClick(w.field, Qt::Key_End);
  EXPECT_EQ(w.field->CaretPosition(), 5);
  QTest::keyClick(w.field, Qt::Key_Home);
  EXPECT_EQ(w.field->CaretPosition(), 1);
}

TEST(KwTimeTyping, AClickPutsTheCaretOnTheClickedDigit) {
  TimeWindow w;
  ASSERT_TRUE(w.window.ShowActive());
  const int x = 4 + w.field->fontMetrics().horizontalAdvance("12:0") + 1;
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(x, w.field->height() / 2));
  EXPECT_TRUE(w.field->hasFocus());
  EXPECT_EQ(w.field->CaretPosition(), 5);
}

TEST(KwTimeFocus, ExitRunsWhenTheFocusLeaves) {
  TimeWindow w;
  ASSERT_TRUE(w.Focus());
  QString left;
  QObject::connect(w.field, &TKwTime::exited, [&, sender = w.field] { left = sender->AsString(); });
  w.Type("1845");
  QTest::keyClick(w.field, Qt::Key_Tab);
  EXPECT_TRUE(w.next->hasFocus());
  EXPECT_EQ(left, "18:45");
}
