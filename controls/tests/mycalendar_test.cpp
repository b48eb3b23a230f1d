#include "controls/mycalendar.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "controls/tests/testsupport.h"

TEST(MyCalendar, CaptionMonthListAndGridHint) {
  TMyCalendar calendar;
  EXPECT_EQ(calendar.windowTitle(), "Select a Date");
  ASSERT_EQ(calendar.MonthCombo()->count(), 12);
  EXPECT_EQ(calendar.MonthCombo()->itemText(0), "January");
  EXPECT_EQ(calendar.MonthCombo()->itemText(11), "December");
  EXPECT_EQ(calendar.Calendar1()->toolTip(), "Click on Date to select");
  EXPECT_EQ(calendar.findChild<QComboBox*>("MonthCombo"), calendar.MonthCombo());
  EXPECT_EQ(calendar.findChild<TNumericEdit*>("YearNumericEdit"), calendar.YearNumericEdit());
  EXPECT_EQ(calendar.findChild<QCalendarWidget*>("Calendar1"), calendar.Calendar1());
}

TEST(MyCalendar, OpeningShowsTheDateInTheMonthListAndYearField) {
  TMyCalendar calendar;
  calendar.SetDate(QDate(1999, 4, 3));
  EXPECT_EQ(calendar.MonthCombo()->currentIndex(), 3);
  EXPECT_EQ(calendar.YearNumericEdit()->AsInteger(), 1999);
  EXPECT_EQ(calendar.Calendar1()->yearShown(), 1999);
  EXPECT_EQ(calendar.Calendar1()->monthShown(), 4);
  EXPECT_EQ(calendar.Date(), QDate(1999, 4, 3));
}

TEST(MyCalendar, ChoosingAMonthMovesTheGridKeepingTheDayInTheMonth) {
  TMyCalendar calendar;
  calendar.SetDate(QDate(2000, 1, 31));
  calendar.MonthCombo()->setCurrentIndex(1);
  EXPECT_EQ(calendar.Calendar1()->monthShown(), 2);
  EXPECT_EQ(calendar.Date(), QDate(2000, 2, 29));
}

TEST(MyCalendar, TypingAYearMovesTheGrid) {
  TTestWindow window;
  auto* calendar = new TMyCalendar(&window);
  calendar->SetDate(QDate(2000, 6, 15));
  calendar->show();
  calendar->activateWindow();
  QApplication::setActiveWindow(calendar);
  ASSERT_TRUE(QTest::qWaitForWindowActive(calendar));
  calendar->YearNumericEdit()->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(calendar->YearNumericEdit(), "1987");
  EXPECT_EQ(calendar->Calendar1()->yearShown(), 1987);
  EXPECT_EQ(calendar->Date(), QDate(1987, 6, 15));
}

TEST(MyCalendar, AYearThatIsNoYearRestoresThePreviousOneOnLeaving) {
  TTestWindow window;
  auto* calendar = new TMyCalendar(&window);
  calendar->SetDate(QDate(2000, 6, 15));
  calendar->show();
  QApplication::setActiveWindow(calendar);
  ASSERT_TRUE(QTest::qWaitForWindowActive(calendar));
  calendar->YearNumericEdit()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(calendar->YearNumericEdit(), Qt::Key_Delete);  // clears the selected year
  EXPECT_EQ(calendar->YearNumericEdit()->AsInteger(), 0);
  EXPECT_EQ(calendar->Calendar1()->yearShown(), 2000);
  calendar->MonthCombo()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(calendar->YearNumericEdit()->AsInteger(), 2000);
}

TEST(MyCalendar, TheSpinButtonsStepTheYear) {
  TMyCalendar calendar;
  calendar.SetDate(QDate(2000, 2, 29));
  QTest::mouseClick(calendar.YearSpinButton()->UpButton(), Qt::LeftButton);
  EXPECT_EQ(calendar.YearNumericEdit()->AsInteger(), 2001);
  EXPECT_EQ(calendar.Date(), QDate(2001, 2, 28));
  QTest::mouseClick(calendar.YearSpinButton()->DownButton(), Qt::LeftButton);
  QTest::mouseClick(calendar.YearSpinButton()->DownButton(), Qt::LeftButton);
  EXPECT_EQ(calendar.Calendar1()->yearShown(), 1999);
  calendar.SetDate(QDate(9999, 1, 1));
  QTest::mouseClick(calendar.YearSpinButton()->UpButton(), Qt::LeftButton);
  EXPECT_EQ(calendar.YearNumericEdit()->AsInteger(), 9999);
}

TEST(MyCalendar, ADoubleClickOnADayChoosesIt) {
  TMyCalendar calendar;
  calendar.SetDate(QDate(2010, 10, 10));
  calendar.Calendar1()->setSelectedDate(QDate(2010, 10, 20));
  emit calendar.Calendar1()->activated(QDate(2010, 10, 20));
  EXPECT_EQ(calendar.result(), QDialog::Accepted);
  EXPECT_EQ(calendar.Date(), QDate(2010, 10, 20));
}

TEST(MyCalendar, ShowCalendarAnswersTheChosenDateOnlyOnOk) {
  TTestWindow window;
  auto* field = window.Add<QWidget>();
  window.show();
  QDate date(2020, 5, 5);
  TModalDriver cancel([](QDialog& dialog) {
    QTest::mouseClick(static_cast<TMyCalendar&>(dialog).CancelBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
  EXPECT_FALSE(ShowCalendar(field, date));
  EXPECT_EQ(date, QDate(2020, 5, 5));
}

TEST(SpinButton, EachButtonReportsItsClick) {
  TSpinButton spin;
  int ups = 0, downs = 0;
  QObject::connect(&spin, &TSpinButton::upClicked, [&] { ++ups; });
  QObject::connect(&spin, &TSpinButton::downClicked, [&] { ++downs; });
  QTest::mouseClick(spin.UpButton(), Qt::LeftButton);
  QTest::mouseClick(spin.DownButton(), Qt::LeftButton);
  QTest::mouseClick(spin.DownButton(), Qt::LeftButton);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(spin.UpButton()->focusPolicy(), Qt::NoFocus);
}

TEST(SpinButton, HoldingAButtonRepeatsItsClick) {
  TTestWindow window;
  auto* spin = window.Add<TSpinButton>();
  window.show();
  spin->SetRepeatTiming(30, 10);
  int ups = 0;
  QObject::connect(spin, &TSpinButton::upClicked, [&] { ++ups; });
  QTest::mousePress(spin->UpButton(), Qt::LeftButton);
  QTest::qWait(150);
  QTest::mouseRelease(spin->UpButton(), Qt::LeftButton);
  EXPECT_GE(ups, 3);
}
