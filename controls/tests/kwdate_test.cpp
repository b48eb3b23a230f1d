#include "controls/kwdate.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>

#include "controls/dateserial.h"
#include "controls/mycalendar.h"
#include "controls/tests/testsupport.h"
#include "platform/scriptedprompter.h"

namespace {

const QString kInvalidDate =
    "Invalid Date Entered.\rYou must enter a valid number of days for the month.";

// "Today" is fixed before the fields exist (bases are built first).
struct FixedToday {
  TFixedToday today{QDate(2026, 5, 14)};
};
struct DateWindow : FixedToday, TFieldWindow<TKwDate> {};

}  // namespace

TEST(KwDateDefaults, FirstOfJanuaryThisYearInTheCalendarStyle) {
  TFixedToday today(QDate(2026, 5, 14));
  TKwDate field;
  EXPECT_EQ(field.DateStyle(), TDateStyle::dsDate);
  EXPECT_EQ(field.AsString(), "01/01/2026");
  EXPECT_TRUE(field.TreatTodayAsNegative());
  EXPECT_TRUE(field.HasDropDownButton());
  EXPECT_EQ(field.DropDownButtonRect().width(), 21);
}

TEST(KwDateDefaults, ChangingTheStyleReplacesTheStrategyAndResetsTheCaret) {
  TKwDate field;
  field.SetDateStyle(TDateStyle::dsAge);
  EXPECT_NE(dynamic_cast<const TAgeDate*>(&field.Strategy()), nullptr);
  EXPECT_FALSE(field.HasDropDownButton());
  EXPECT_EQ(field.CaretPosition(), 1);
  field.SetAsNumber(-400);
  EXPECT_EQ(field.AsString(), "01.00.28 Ago");
  EXPECT_EQ(field.width(), field.fontMetrics().horizontalAdvance("00/00/00 Hence") + 8);
  EXPECT_EQ(field.height(), field.fontMetrics().height() + 8);
}

TEST(KwDateValue, AsNumberIsTheDateSerial) {
  TKwDate field;
  field.SetAsNumber(DateToSerial(QDate(1999, 4, 3)));
  EXPECT_EQ(field.AsString(), "03/04/1999");
  EXPECT_EQ(field.Day(), 3);
  EXPECT_EQ(field.Month(), 4);
  EXPECT_EQ(field.Year(), 1999);
  EXPECT_EQ(field.GetAsNumber(), DateToSerial(QDate(1999, 4, 3)));
  field.SetAsNumber(0);
  EXPECT_EQ(field.AsString(), "00/00/0000");
  EXPECT_EQ(field.GetAsNumber(), 0);
  field.SetAsString("25/12/2020");
  EXPECT_EQ(field.GetAsNumber(), DateToSerial(QDate(2020, 12, 25)));
}

TEST(KwDateValue, PeriodPartsAreNormalisedWhenSet) {
  TKwDate field;
  field.SetDateStyle(TDateStyle::dsAge);
  field.SetDate(40, 14, 1);
  EXPECT_EQ(field.Year(), 2);
  EXPECT_EQ(field.Month(), 3);
  EXPECT_EQ(field.Day(), 9);
  EXPECT_THROW(field.SetAsString("nonsense"), EDateFormatError);
}

TEST(KwDateTyping, ThreeSlashFourSlashNinetyNineLeftGives1999) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type("3/4/99");
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "03/04/1999");
  EXPECT_EQ(w.field->CaretPosition(), 10);
}

TEST(KwDateTyping, TwentyFiveForTheYearGives2025) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type("3/4/25");
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "03/04/2025");
}

TEST(KwDateTyping, EnterCompletesTheTwoDigitYear) {
  DateWindow w;
  TModalDriver driver([](QDialog&) { return QDialog::Rejected; });
  ASSERT_TRUE(w.Focus());
  w.Type("01/02/87");
  QTest::keyClick(w.field, Qt::Key_Return);
  EXPECT_EQ(w.field->AsString(), "01/02/1987");
  EXPECT_EQ(driver.Runs(), 1);  // and the calendar opened
}

TEST(KwDateTyping, ASlashAfterACompletedPartIsTakenAsTheSeparatorAlreadySkipped) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("29/02/2000");
  EXPECT_EQ(w.field->AsString(), "29/02/2000");
  w.Type("/");
  EXPECT_EQ(beeps.Count(), 0);
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "29/02/2000");
}

TEST(KwDateTyping, FullDateTypedWithoutSeparators) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type("29022000");
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "29/02/2000");
  EXPECT_TRUE(w.next->hasFocus());
}

TEST(KwDateTyping, OnChangeRunsForEditsButNotForCaretMoves) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.field, &TKwDate::changed, [&] { ++changes; });
  w.Type("1");
  QTest::keyClick(w.field, Qt::Key_Right);
  QTest::keyClick(w.field, Qt::Key_End);
  QTest::keyClick(w.field, Qt::Key_Home);
  EXPECT_EQ(changes, 1);
  QTest::keyClick(w.field, Qt::Key_Delete);
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(changes, 3);
}

TEST(KwDateTyping, NavigationSkipsSeparators) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_Right);
  QTest::keyClick(w.field, Qt::Key_Right);
  EXPECT_EQ(w.field->CaretPosition(), 4);
  QTest::keyClick(w.field, Qt::Key_End);
  EXPECT_EQ(w.field->CaretPosition(), 10);
  QTest::keyClick(w.field, Qt::Key_Right);
  EXPECT_EQ(w.field->CaretPosition(), 10);
  QTest::keyClick(w.field, Qt::Key_Home);
  QTest::keyClick(w.field, Qt::Key_Left);
  EXPECT_EQ(w.field->CaretPosition(), 1);
}

TEST(KwDateTyping, BackspaceZeroesTheDigitAndMovesBack) {
  DateWindow w;
  w.field->SetDate(25, 12, 2020);
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_Right);
  QTest::keyClick(w.field, Qt::Key_Right);  // month tens
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->AsString(), "25/02/2020");
  EXPECT_EQ(w.field->CaretPosition(), 2);
  QTest::keyClick(w.field, Qt::Key_Delete);
  EXPECT_EQ(w.field->AsString(), "20/02/2020");
  EXPECT_EQ(w.field->CaretPosition(), 2);
}

TEST(KwDateTyping, OtherCharactersBeep) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("a.-");
  EXPECT_EQ(beeps.Count(), 3);
  EXPECT_EQ(w.field->AsString(), "01/01/2026");
}

TEST(KwDateTyping, AClickPutsTheCaretOnTheCharacterButNotOnASeparator) {
  DateWindow w;
  ASSERT_TRUE(w.window.ShowActive());
  const QFontMetrics metrics = w.field->fontMetrics();
  const int y = w.field->height() / 2;
  const int month = 4 + metrics.horizontalAdvance("01/0") + 1;
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(month, y));
  EXPECT_TRUE(w.field->hasFocus());
  EXPECT_EQ(w.field->CaretPosition(), 5);
  const int slash = 4 + metrics.horizontalAdvance("01/01") + 1;
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(slash, y));
  EXPECT_EQ(w.field->CaretPosition(), 7);
}

TEST(KwDateValidation, ThirtyFirstOfFebruaryIsRefusedAndKeepsTheFocus) {
  ScopedScriptedPrompter prompter;
  DateWindow w;
  int exits = 0;
  QObject::connect(w.field, &TKwDate::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  w.Type("31022000");
  w.Leave();
  ASSERT_EQ(prompter->Prompts().size(), 1);
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Warning);
  EXPECT_EQ(prompter->Prompts()[0].text, kInvalidDate);
  EXPECT_TRUE(w.field->hasFocus());
  EXPECT_EQ(exits, 0);
}

TEST(KwDateValidation, TwentyNinthOfFebruary2000IsAcceptedButNot1900) {
  ScopedScriptedPrompter prompter;
  DateWindow w;
  int exits = 0;
  QObject::connect(w.field, &TKwDate::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  w.Type("29021900");
  w.Leave();
  EXPECT_EQ(prompter->Texts(), QStringList({kInvalidDate}));
  ASSERT_TRUE(w.field->hasFocus());
  QTest::keyClick(w.field, Qt::Key_End);
  for (int i = 0; i < 3; ++i)
    QTest::keyClick(w.field, Qt::Key_Left);
  w.Type("2000");
  EXPECT_EQ(w.field->AsString(), "29/02/2000");
  w.Leave();
  EXPECT_EQ(prompter->Prompts().size(), 1);
  EXPECT_TRUE(w.next->hasFocus());
  EXPECT_EQ(exits, 1);
}

TEST(KwDateValidation, TabAndClearingTheFocusAreRefusedAlike) {
  ScopedScriptedPrompter prompter;
  DateWindow w;
  int nextEntered = 0;
  QObject::connect(w.next, &TKwDate::entered, [&] { ++nextEntered; });
  ASSERT_TRUE(w.Focus());
  w.Type("31042001");
  QTest::keyClick(w.field, Qt::Key_Tab);
  EXPECT_TRUE(w.field->hasFocus());
  w.field->clearFocus();  // how the main window makes a field store its value
  EXPECT_TRUE(w.field->hasFocus());
  EXPECT_EQ(prompter->Prompts().size(), 2);
  EXPECT_EQ(nextEntered, 0);
}

TEST(KwDateValidation, AnEmptyDateLeavesQuietly) {
  ScopedScriptedPrompter prompter;
  DateWindow w;
  w.field->SetAsNumber(0);
  ASSERT_TRUE(w.Focus());
  w.Leave();
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  EXPECT_TRUE(w.next->hasFocus());
}

TEST(KwDatePeriod, TypingOneYearFourteenMonthsShowsTwoYearsTwoMonths) {
  DateWindow w;
  w.field->SetDateStyle(TDateStyle::dsAge);
  w.field->SetAsNumber(0);
  ASSERT_TRUE(w.Focus());
  w.Type("0114");
  EXPECT_EQ(w.field->AsString(), "02.02.00 (Days)");
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "02.02.00 Ago");
  EXPECT_EQ(w.field->GetAsNumber(), -(2 * 372 + 2 * 31));
}

TEST(KwDatePeriod, SpaceTogglesAgoAndHence) {
  DateWindow w;
  w.field->SetDateStyle(TDateStyle::dsAge);
  w.field->SetAsNumber(-40);
  ASSERT_TRUE(w.Focus());
  EXPECT_EQ(w.field->AsString(), "00.01.09 (Yrs)");
  QTest::keyClick(w.field, Qt::Key_Space);
  EXPECT_EQ(w.field->AsString(), "00.01.09 Yrs");
  w.Leave();
  EXPECT_EQ(w.field->AsString(), "00.01.09 Hence");
  EXPECT_EQ(w.field->GetAsNumber(), 40);
}

TEST(KwDatePeriod, SlashIsAcceptedQuietlyAndThePointMovesOn) {
  DateWindow w;
  w.field->SetDateStyle(TDateStyle::dsAge);
  w.field->SetAsNumber(0);
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("3/.5.");
  EXPECT_EQ(beeps.Count(), 0);
  EXPECT_EQ(w.field->Year(), 3);
  EXPECT_EQ(w.field->Month(), 5);
  EXPECT_EQ(w.field->CaretPosition(), 7);
}

TEST(KwDatePeriod, ZeroWithTreatTodayAsNegativeShowsTodayAndReadsZero) {
  TKwDate field;
  field.SetDateStyle(TDateStyle::dsAge);
  field.SetAsNumber(0);
  EXPECT_EQ(field.AsString(), "00.00.00 Today");
  EXPECT_EQ(field.GetAsNumber(), 0);
}

TEST(KwDateCalendar, TheDropDownButtonShowsTheCalendarAndOkStoresTheDate) {
  DateWindow w;
  w.field->SetDate(3, 4, 1999);
  ASSERT_TRUE(w.window.ShowActive());
  QDate shown;
  QString caption;
  TModalDriver driver([&](QDialog& dialog) {
    auto* calendar = qobject_cast<TMyCalendar*>(&dialog);
    EXPECT_NE(calendar, nullptr);
    caption = dialog.windowTitle();
    shown = calendar->Date();
    calendar->Calendar1()->setSelectedDate(QDate(1999, 4, 17));
    QTest::mouseClick(calendar->OKBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
  int changes = 0;
  QObject::connect(w.field, &TKwDate::changed, [&] { ++changes; });
  QTest::mouseClick(w.field, Qt::LeftButton, {}, w.field->DropDownButtonRect().center());
  EXPECT_EQ(driver.Runs(), 1);
  EXPECT_EQ(caption, "Select a Date");
  EXPECT_EQ(shown, QDate(1999, 4, 3));
  EXPECT_EQ(w.field->AsString(), "17/04/1999");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(w.field->hasFocus());
}

TEST(KwDateCalendar, CancelKeepsTheDate) {
  DateWindow w;
  w.field->SetDate(3, 4, 1999);
  ASSERT_TRUE(w.Focus());
  TModalDriver driver([](QDialog& dialog) {
    auto* calendar = qobject_cast<TMyCalendar*>(&dialog);
    calendar->Calendar1()->setSelectedDate(QDate(2001, 1, 1));
    QTest::mouseClick(calendar->CancelBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
  int changes = 0;
  QObject::connect(w.field, &TKwDate::changed, [&] { ++changes; });
  w.field->DropDownCalendar();
  EXPECT_EQ(driver.Runs(), 1);
  EXPECT_EQ(w.field->AsString(), "03/04/1999");
  EXPECT_EQ(changes, 0);
}

TEST(KwDateCalendar, AnEmptyDateStartsTheCalendarToday) {
  DateWindow w;
  w.field->SetAsNumber(0);
  ASSERT_TRUE(w.Focus());
  QDate shown;
  TModalDriver driver([&](QDialog& dialog) {
    shown = qobject_cast<TMyCalendar*>(&dialog)->Date();
    return int(QDialog::Rejected);
  });
  w.field->DropDownCalendar();
  EXPECT_EQ(shown, QDate(2026, 5, 14));
}

TEST(KwDateCalendar, AnInvalidDateWarnsInsteadOfOpening) {
  ScopedScriptedPrompter prompter;
  DateWindow w;
  w.field->SetDate(31, 2, 2000);
  ASSERT_TRUE(w.Focus());
  TModalDriver driver([](QDialog&) { return int(QDialog::Accepted); });
  w.field->DropDownCalendar();
  EXPECT_EQ(driver.Runs(), 0);
  EXPECT_EQ(prompter->Texts(), QStringList({kInvalidDate}));
}

TEST(KwDateCalendar, APeriodFieldHasNoCalendar) {
  DateWindow w;
  w.field->SetDateStyle(TDateStyle::dsAge);
  ASSERT_TRUE(w.Focus());
  TModalDriver driver([](QDialog&) { return int(QDialog::Accepted); });
  QTest::keyClick(w.field, Qt::Key_Return);
  w.field->DropDownCalendar();
  EXPECT_EQ(driver.Runs(), 0);
}

TEST(KwDateCalendar, TheCalendarIsPlacedBelowTheField) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  QPoint position;
  TModalDriver driver([&](QDialog& dialog) {
    position = dialog.pos();
    return int(QDialog::Rejected);
  });
  w.field->DropDownCalendar();
  EXPECT_EQ(position, w.field->mapToGlobal(QPoint(0, w.field->height())));
}

TEST(KwDateDrawing, DrawsCaretAndButtonWithThePalette) {
  DateWindow w;
  ASSERT_TRUE(w.Focus());
  const QImage focused = w.field->grab().toImage();
  w.Leave();
  const QImage unfocused = w.field->grab().toImage();
  EXPECT_NE(focused, unfocused);
}
