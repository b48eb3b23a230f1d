#include "controls/numericedit.h"

#include <gtest/gtest.h>

#include <QTest>

#include "controls/tests/testsupport.h"

namespace {

const QString kPound = QString(QChar(0x00A3));

// A focused number field in an active window, followed by another field.
using NumberWindow = TFieldWindow<TNumericEdit>;

}  // namespace

TEST(NumericEditValue, DefaultsToZeroPositiveAnyDecimals) {
  TNumericEdit field;
  EXPECT_EQ(field.AsInteger(), 0);
  EXPECT_EQ(field.DisplayText(), "0");
  EXPECT_EQ(field.DecimalPlaces(), -1);
  EXPECT_TRUE(field.PositiveNumbersOnly());
  EXPECT_EQ(field.NumberType(), TNumberType::ntNone);
  EXPECT_EQ(field.width(), 96);
  EXPECT_EQ(field.height(), 25);
}

TEST(NumericEditValue, AsIntegerRoundsHalvesToEven) {
  TNumericEdit field;
  field.SetAsDouble(2.5);
  EXPECT_EQ(field.AsInteger(), 2);
  field.SetAsDouble(3.5);
  EXPECT_EQ(field.AsInteger(), 4);
  field.SetAsDouble(3.49);
  EXPECT_EQ(field.AsInteger(), 3);
}

TEST(NumericEditValue, AsDoubleIsRoundedToTenThousandths) {
  TNumericEdit field;
  field.SetAsDouble(1.23456);
  EXPECT_EQ(field.DisplayText(), "1.2346");
  EXPECT_DOUBLE_EQ(field.AsDouble(), 1.2346);
  field.SetAsDouble(0.1 + 0.2);
  EXPECT_EQ(field.DisplayText(), "0.3");
}

TEST(NumericEditValue, DecimalPlacesFormatTheValue) {
  TNumericEdit field;
  field.SetDecimalPlaces(0);
  field.SetAsDouble(2.5);
  EXPECT_EQ(field.DisplayText(), "2");
  field.SetDecimalPlaces(2);
  field.SetAsDouble(3);
  EXPECT_EQ(field.DisplayText(), "3.00");
  field.SetAsInteger(7);
  EXPECT_EQ(field.DisplayText(), "7.00");
  EXPECT_EQ(field.AsInteger(), 7);
}

TEST(NumericEditValue, ChangingDecimalPlacesRewritesTheValue) {
  TNumericEdit field;
  field.SetAsDouble(2.75);
  field.SetDecimalPlaces(0);
  EXPECT_EQ(field.DisplayText(), "3");
  EXPECT_EQ(field.AsInteger(), 3);
}

TEST(NumericEditValue, MoneyWithANegativeValueShowsMinusPoundThenDigits) {
  TNumericEdit field;
  field.SetNumberType(TNumberType::ntMoney);
  field.SetPositiveNumbersOnly(false);
  field.SetAsInteger(-20);
  EXPECT_EQ(field.DisplayText(), "-" + kPound + "20");
  EXPECT_EQ(field.AsInteger(), -20);
}

TEST(NumericEditValue, PercentShowsTheSignAfterTheDigits) {
  TNumericEdit field;
  field.SetNumberType(TNumberType::ntPercent);
  field.SetAsDouble(12.5);
  EXPECT_EQ(field.DisplayText(), "12.5%");
}

TEST(NumericEditValue, APositiveOnlyFieldShowsTheAbsoluteValue) {
  TNumericEdit field;
  field.SetAsInteger(-5);
  EXPECT_EQ(field.DisplayText(), "5");
  EXPECT_EQ(field.AsInteger(), 5);
  field.SetPositiveNumbersOnly(false);
  field.SetAsDouble(-5.5);
  EXPECT_DOUBLE_EQ(field.AsDouble(), -5.5);
  field.SetPositiveNumbersOnly(true);
  EXPECT_DOUBLE_EQ(field.AsDouble(), 5.5);
}

TEST(NumericEditValue, EveryAssignmentRaisesOnChange) {
  TNumericEdit field;
  int changes = 0;
  QObject::connect(&field, &TNumericEdit::changed, [&] { ++changes; });
  field.SetAsInteger(1);
  field.SetAsDouble(2);
  field.SetDecimalPlaces(0);
  EXPECT_EQ(changes, 3);
}

TEST(NumericEditTyping, FocusingAFieldShowing150AndTyping2Gives2) {
  NumberWindow w;
  w.field->SetAsInteger(150);
  ASSERT_TRUE(w.Focus());
  EXPECT_TRUE(w.field->ValueSelected());
  w.Type("2");
  EXPECT_EQ(w.field->AsInteger(), 2);
  EXPECT_EQ(w.field->DisplayText(), "2");
  EXPECT_FALSE(w.field->ValueSelected());
}

TEST(NumericEditTyping, TypingZeroOnZeroKeepsZero) {
  NumberWindow w;
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("0");
  EXPECT_EQ(w.field->DisplayText(), "0");
  w.Type("0");
  EXPECT_EQ(w.field->DisplayText(), "0");
  EXPECT_EQ(beeps.Count(), 1);  // the second 0 is refused; the first replaced the selection
  w.Type("305");
  EXPECT_EQ(w.field->AsInteger(), 305);
}

TEST(NumericEditTyping, MinusOnAPositiveOnlyFieldChangesNothing) {
  NumberWindow w;
  w.field->SetAsInteger(42);
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type("-");
  EXPECT_EQ(w.field->AsInteger(), 42);
  EXPECT_TRUE(w.field->ValueSelected());
  EXPECT_EQ(beeps.Count(), 1);
}

TEST(NumericEditTyping, MinusAndPlusSetTheSign) {
  NumberWindow w;
  w.field->SetPositiveNumbersOnly(false);
  w.field->SetNumberType(TNumberType::ntMoney);
  ASSERT_TRUE(w.Focus());
  w.Type("-20");
  EXPECT_EQ(w.field->DisplayText(), "-" + kPound + "20");
  EXPECT_EQ(w.field->AsInteger(), -20);
  w.Type("+");
  EXPECT_EQ(w.field->AsInteger(), 20);
}

TEST(NumericEditTyping, OtherCharactersBeepAndChangeNothing) {
  NumberWindow w;
  w.field->SetAsInteger(12);
  ASSERT_TRUE(w.Focus());
  w.Type("3");
  TBeepCounter beeps;
  w.Type("a,");
  EXPECT_EQ(beeps.Count(), 2);
  EXPECT_EQ(w.field->DisplayText(), "3");
}

TEST(NumericEditTyping, PointRules) {
  NumberWindow w;
  ASSERT_TRUE(w.Focus());
  w.Type(".5");
  EXPECT_EQ(w.field->DisplayText(), "0.5");
  w.Type(".");  // with a point already there the caret jumps after it
  EXPECT_EQ(w.field->CaretPosition(), 3);
  w.Type("7");
  EXPECT_EQ(w.field->DisplayText(), "0.75");

  QTest::keyClick(w.field, Qt::Key_Space);  // selects the whole value
  w.Type("12");
  QTest::keyClick(w.field, Qt::Key_Left);
  w.Type(".");
  EXPECT_EQ(w.field->DisplayText(), "1.2");
  QTest::keyClick(w.field, Qt::Key_Home);
  QTest::keyClick(w.field, Qt::Key_Delete);
  EXPECT_EQ(w.field->DisplayText(), "0.2");
}

TEST(NumericEditTyping, PointIsRefusedForWholeNumbers) {
  NumberWindow w;
  w.field->SetDecimalPlaces(0);
  w.field->SetAsInteger(12);
  ASSERT_TRUE(w.Focus());
  TBeepCounter beeps;
  w.Type(".");
  EXPECT_EQ(beeps.Count(), 1);
  EXPECT_EQ(w.field->AsInteger(), 12);
}

TEST(NumericEditTyping, FixedDecimalsAreOverwritten) {
  NumberWindow w;
  w.field->SetDecimalPlaces(2);
  ASSERT_TRUE(w.Focus());
  w.Type("1");
  EXPECT_EQ(w.field->DisplayText(), "1.00");
  w.Type(".2");
  EXPECT_EQ(w.field->DisplayText(), "1.20");
  w.Type("59");  // the caret stays on the last decimal
  EXPECT_EQ(w.field->DisplayText(), "1.29");
  EXPECT_EQ(w.field->CaretPosition(), 4);
  // Backspace away from the point removes the digit left of the caret; the decimals close up.
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->DisplayText(), "1.90");
  EXPECT_EQ(w.field->CaretPosition(), 3);
  // Right after the point it zeroes the digit under the caret.
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->DisplayText(), "1.00");
  EXPECT_EQ(w.field->CaretPosition(), 2);
  QTest::keyClick(w.field, Qt::Key_End);
  EXPECT_EQ(w.field->CaretPosition(), 4);
}

TEST(NumericEditTyping, BackspaceRules) {
  NumberWindow w;
  w.field->SetAsInteger(150);
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_End);
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->DisplayText(), "15");
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->DisplayText(), "1");
  QTest::keyClick(w.field, Qt::Key_Backspace);  // a one-digit integer part becomes 0
  EXPECT_EQ(w.field->DisplayText(), "0");
  EXPECT_EQ(w.field->CaretPosition(), 1);
  int changes = 0;
  QObject::connect(w.field, &TNumericEdit::changed, [&] { ++changes; });
  QTest::keyClick(w.field, Qt::Key_Backspace);  // nothing at the start
  EXPECT_EQ(w.field->DisplayText(), "0");
  EXPECT_EQ(changes, 0);
}

TEST(NumericEditTyping, BackspaceOnASelectedValueClearsIt) {
  NumberWindow w;
  w.field->SetAsInteger(987);
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_Backspace);
  EXPECT_EQ(w.field->DisplayText(), "0");
}

TEST(NumericEditTyping, DeleteRules) {
  NumberWindow w;
  w.field->SetAsDouble(105.5);
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_Home);
  QTest::keyClick(w.field, Qt::Key_Delete);  // no leading zero is left behind
  EXPECT_EQ(w.field->DisplayText(), "5.5");
  QTest::keyClick(w.field, Qt::Key_Right);
  QTest::keyClick(w.field, Qt::Key_Delete);  // the point: the decimals join the integer part
  EXPECT_EQ(w.field->DisplayText(), "55");
  QTest::keyClick(w.field, Qt::Key_Space);
  QTest::keyClick(w.field, Qt::Key_Delete);
  EXPECT_EQ(w.field->DisplayText(), "0");
}

TEST(NumericEditTyping, DigitsAreInsertedAtTheCaret) {
  NumberWindow w;
  w.field->SetAsInteger(15);
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_Home);
  QTest::keyClick(w.field, Qt::Key_Right);
  w.Type("2");
  EXPECT_EQ(w.field->DisplayText(), "125");
  QTest::keyClick(w.field, Qt::Key_Home);
  TBeepCounter beeps;
  w.Type("0");  // a 0 at the very start is refused
  EXPECT_EQ(beeps.Count(), 1);
  w.Type("9");
  EXPECT_EQ(w.field->DisplayText(), "9125");
}

TEST(NumericEditTyping, ADigitAfterALoneZeroReplacesIt) {
  NumberWindow w;
  ASSERT_TRUE(w.Focus());
  QTest::keyClick(w.field, Qt::Key_End);
  w.Type("5");
  EXPECT_EQ(w.field->DisplayText(), "5");
}

TEST(NumericEditTyping, SpaceTogglesTheSelectionOnly) {
  NumberWindow w;
  w.field->SetAsInteger(33);
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.field, &TNumericEdit::changed, [&] { ++changes; });
  QTest::keyClick(w.field, Qt::Key_Space);
  EXPECT_FALSE(w.field->ValueSelected());
  QTest::keyClick(w.field, Qt::Key_Space);
  EXPECT_TRUE(w.field->ValueSelected());
  EXPECT_EQ(w.field->AsInteger(), 33);
  EXPECT_EQ(changes, 0);
}

TEST(NumericEditTyping, EveryEditRaisesOnChange) {
  NumberWindow w;
  ASSERT_TRUE(w.Focus());
  int changes = 0;
  QObject::connect(w.field, &TNumericEdit::changed, [&] { ++changes; });
  w.Type("12");
  QTest::keyClick(w.field, Qt::Key_Backspace);
  QTest::keyClick(w.field, Qt::Key_Left);  // moving the caret is no edit
  EXPECT_EQ(changes, 3);
}

TEST(NumericEditFocus, GainingSelectsLosingClearsAndPutsTheCaretAtTheStart) {
  NumberWindow w;
  w.field->SetAsInteger(150);
  ASSERT_TRUE(w.Focus());
  EXPECT_TRUE(w.field->ValueSelected());
  EXPECT_EQ(w.field->CaretPosition(), 4);
  w.next->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(w.field->ValueSelected());
  EXPECT_EQ(w.field->CaretPosition(), 1);
}

TEST(NumericEditFocus, AClickOnAnUnfocusedFieldOnlyFocusesIt) {
  NumberWindow w;
  w.field->SetAsInteger(150);
  ASSERT_TRUE(w.window.ShowActive());
  w.next->setFocus();
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(6, w.field->height() / 2));
  EXPECT_TRUE(w.field->hasFocus());
  EXPECT_TRUE(w.field->ValueSelected());
}

TEST(NumericEditFocus, AClickOnAFocusedFieldPlacesTheCaretBeforeTheCharacter) {
  NumberWindow w;
  w.field->SetAsInteger(150);
  ASSERT_TRUE(w.Focus());
  const int digit = w.field->fontMetrics().horizontalAdvance(QLatin1Char('1'));
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(5 + digit + 1, w.field->height() / 2));
  EXPECT_FALSE(w.field->ValueSelected());
  EXPECT_EQ(w.field->CaretPosition(), 2);
  QTest::mouseClick(w.field, Qt::LeftButton, {}, QPoint(w.field->width() - 3, 5));
  EXPECT_EQ(w.field->CaretPosition(), 4);  // never past the last digit
}

TEST(NumericEditFocus, ExitRunsWhenTheFocusLeaves) {
  NumberWindow w;
  ASSERT_TRUE(w.Focus());
  int exitValue = -1;
  QObject::connect(w.field, &TNumericEdit::exited,
                   [&, sender = w.field] { exitValue = sender->AsInteger(); });
  w.Type("77");
  QTest::keyClick(w.field, Qt::Key_Tab);
  EXPECT_TRUE(w.next->hasFocus());
  EXPECT_EQ(exitValue, 77);
}

TEST(NumericEditDrawing, DrawsWithoutErrorsInEveryState) {
  NumberWindow w;
  w.field->SetDecimalPlaces(2);
  w.field->SetNumberType(TNumberType::ntMoney);
  ASSERT_TRUE(w.Focus());
  const QImage selected = w.field->grab().toImage();
  QTest::keyClick(w.field, Qt::Key_Home);
  const QImage caret = w.field->grab().toImage();
  EXPECT_NE(selected, caret);  // the highlight is gone, the caret drawn
  w.field->setEnabled(false);
  EXPECT_NE(w.field->grab().toImage(), caret);
}
