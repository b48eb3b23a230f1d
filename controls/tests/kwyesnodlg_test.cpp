#include "controls/kwyesnodlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "controls/dateserial.h"
#include "controls/kwdate.h"
#include "controls/numericedit.h"
#include "controls/tests/testsupport.h"
#include "controls/yesnodlg.h"
#include "platform/scriptedprompter.h"

namespace {

const QDate kToday(2026, 5, 14);

struct YesNoWindow {
  TFixedToday today{kToday};
  TTestWindow window;
  TKwYesNoDlg* control = window.Add<TKwYesNoDlg>();
  TKwYesNoDlg* next = window.Add<TKwYesNoDlg>();

  bool Focus() {
    if (!window.ShowActive())
      return false;
    control->setFocus(Qt::TabFocusReason);
    return control->hasFocus();
  }
};

TYesNoData SomeDetails() {
  TYesNoData data;
  data.note = "Hit a wall";
  data.amount = 250;
  data.date = DateToSerial(QDate(2024, 3, 1));
  return data;
}

// Confirms every pop-up unchanged and counts them.
TModalDriver* ConfirmingDriver() {
  return new TModalDriver([](QDialog& dialog) {
    QTest::mouseClick(static_cast<TYesNoDlg&>(dialog).OKBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
}

}  // namespace

TEST(KwYesNoDlgState, DefaultsAndArming) {
  TKwYesNoDlg control;
  EXPECT_EQ(control.State(), TKwYesNoState::ynNo);
  EXPECT_EQ(control.CallDialogOn(), TCallDialogOn::cdNone);
  EXPECT_EQ(control.DialogType(), TDialogType::dtMemo);
  EXPECT_EQ(control.AmtTitle(), "Period");
  EXPECT_EQ(control.sizeHint(), QSize(control.fontMetrics().horizontalAdvance("Yes") + 21 + 8,
                                      control.fontMetrics().height() + 8));
  EXPECT_FALSE(control.HasButton());
  EXPECT_FALSE(control.Armed());
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  EXPECT_TRUE(control.Armed());
  EXPECT_EQ(control.ButtonRect().width(), 21);
  control.SetState(TKwYesNoState::ynYes);
  EXPECT_FALSE(control.Armed());
  control.SetCallDialogOn(TCallDialogOn::cdEither);
  EXPECT_TRUE(control.Armed());
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  EXPECT_TRUE(control.Armed());
}

TEST(KwYesNoDlgState, AnyOtherValueIsTakenAsNo) {
  TKwYesNoDlg control;
  control.SetState(TKwYesNoState::ynYes);
  control.SetState(static_cast<TKwYesNoState>(7));
  EXPECT_EQ(control.State(), TKwYesNoState::ynNo);
}

TEST(KwYesNoDlgState, SettingTheAnswerBackToNoClearsTheDetails) {
  TFixedToday today(kToday);
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  control.SetState(TKwYesNoState::ynYes);
  int clears = 0;
  QObject::connect(&control, &TKwYesNoDlg::clearUserData, [&] { ++clears; });
  control.SetData(SomeDetails());
  control.SetState(TKwYesNoState::ynYes);  // still armed: kept
  EXPECT_EQ(control.Data().note, "Hit a wall");
  EXPECT_EQ(clears, 0);
  control.SetState(TKwYesNoState::ynNo);
  EXPECT_EQ(control.Data().note, "");
  EXPECT_EQ(control.Data().amount, 0);
  EXPECT_EQ(control.Data().date, DateToSerial(kToday));
  EXPECT_EQ(control.Data().amountTitle, "Period");
  EXPECT_EQ(clears, 1);
}

TEST(KwYesNoDlgKeys, YNSpaceAndArrowsSetTheAnswer) {
  TKwYesNoDlg control;
  int changes = 0;
  QObject::connect(&control, &TKwYesNoDlg::changed, [&] { ++changes; });
  QTest::keyClicks(&control, "y");
  EXPECT_EQ(control.State(), TKwYesNoState::ynYes);
  QTest::keyClicks(&control, "Y");  // no change, no event
  EXPECT_EQ(changes, 1);
  QTest::keyClicks(&control, "n");
  EXPECT_EQ(control.State(), TKwYesNoState::ynNo);
  QTest::keyClick(&control, Qt::Key_Space);
  EXPECT_EQ(control.State(), TKwYesNoState::ynYes);
  QTest::keyClick(&control, Qt::Key_Down);
  EXPECT_EQ(control.State(), TKwYesNoState::ynNo);
  QTest::keyClick(&control, Qt::Key_Left);
  EXPECT_EQ(control.State(), TKwYesNoState::ynYes);
  EXPECT_EQ(changes, 5);
  TBeepCounter beeps;
  QTest::keyClicks(&control, "x1");
  EXPECT_EQ(beeps.Count(), 2);
  EXPECT_EQ(changes, 5);
}

TEST(KwYesNoDlgKeys, ADoubleClickOnTheTextToggles) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  QTest::mouseDClick(&control, Qt::LeftButton, {}, QPoint(6, control.height() / 2));
  EXPECT_EQ(control.State(), TKwYesNoState::ynYes);
}

TEST(KwYesNoDlgPopUp, TypingYOnNoRaisesOnChangeThenOpensTheDetailsOnce) {
  TFixedToday today(kToday);
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  control.SetAutoPopUp(true);
  QStringList events;
  QObject::connect(&control, &TKwYesNoDlg::changed, [&] { events << "change"; });
  TModalDriver driver([&](QDialog&) {
    events << "details";
    return int(QDialog::Rejected);
  });
  QTest::keyClicks(&control, "y");
  EXPECT_EQ(events, QStringList({"change", "details"}));
  EXPECT_TRUE(control.DetailsOpened());
  QTest::keyClicks(&control, "y");
  EXPECT_EQ(events, QStringList({"change", "details"}));
}

TEST(KwYesNoDlgPopUp, NoAutoPopUpWhenTheChangeHandlerDisarms) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  control.SetAutoPopUp(true);
  QObject::connect(&control, &TKwYesNoDlg::changed,
                   [sender = &control] { sender->SetCallDialogOn(TCallDialogOn::cdNo); });
  TModalDriver driver([](QDialog&) { return int(QDialog::Rejected); });
  QTest::keyClicks(&control, "y");
  EXPECT_EQ(driver.Runs(), 0);
}

TEST(KwYesNoDlgPopUp, EnterOpensTheDetailsOnlyWhenArmed) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  TModalDriver driver([](QDialog&) { return int(QDialog::Rejected); });
  QTest::keyClick(&control, Qt::Key_Return);
  EXPECT_EQ(driver.Runs(), 0);
  control.SetState(TKwYesNoState::ynYes);
  QTest::keyClick(&control, Qt::Key_Return);
  EXPECT_EQ(driver.Runs(), 1);
}

TEST(KwYesNoDlgPopUp, UserDefinedDetailsRaiseOnCallDialogAfterTheClick) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdEither);
  control.SetDialogType(TDialogType::dtUserDefined);
  QStringList events;
  QObject::connect(&control, &TKwYesNoDlg::clicked, [&] { events << "click"; });
  QObject::connect(&control, &TKwYesNoDlg::callDialog, [&, sender = &control] {
    events << "call";
    EXPECT_EQ(sender, &control);
  });
  TModalDriver driver([](QDialog&) { return int(QDialog::Rejected); });
  control.CallDialog();
  EXPECT_EQ(events, QStringList({"click", "call"}));
  EXPECT_EQ(driver.Runs(), 0);
  EXPECT_TRUE(control.DetailsOpened());
}

TEST(KwYesNoDlgPopUp, TheEllipsisButtonOpensTheDetailsWhenReleasedOverIt) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  TModalDriver driver([](QDialog&) { return int(QDialog::Rejected); });
  const QPoint button = control.ButtonRect().center();
  QTest::mousePress(&control, Qt::LeftButton, {}, button);
  EXPECT_TRUE(control.ButtonLooksPressed());
  QMouseEvent away(QEvent::MouseMove, QPointF(2, 2), control.mapToGlobal(QPointF(2, 2)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&control, &away);
  EXPECT_FALSE(control.ButtonLooksPressed());
  QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(driver.Runs(), 0);
  QTest::mouseClick(&control, Qt::LeftButton, {}, button);
  EXPECT_EQ(driver.Runs(), 1);
  EXPECT_FALSE(control.ButtonLooksPressed());
}

TEST(KwYesNoDlgPopUp, TheButtonOfAnUnarmedControlDoesNothing) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  TModalDriver driver([](QDialog&) { return int(QDialog::Rejected); });
  QTest::mouseClick(&control, Qt::LeftButton, {}, control.ButtonRect().center());
  EXPECT_FALSE(control.ButtonLooksPressed());
  EXPECT_EQ(driver.Runs(), 0);
}

TEST(KwYesNoDlgDetails, FieldsFollowTheDialogType) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  control.SetAmtTitle("Cost");
  control.SetData([] {
    TYesNoData data = SomeDetails();
    data.amountTitle = "Cost";
    return data;
  }());
  struct Seen {
    bool note, date, amount;
    QString label, text;
    int amountValue;
    QDate dateValue;
  };
  auto open = [&](TDialogType type) {
    Seen seen{};
    control.SetDialogType(type);
    TModalDriver driver([&](QDialog& dialog) {
      auto& details = static_cast<TYesNoDlg&>(dialog);
      seen.note = details.StringMemo()->isVisibleTo(&details);
      seen.date = details.DateKwDate()->isVisibleTo(&details);
      seen.amount = details.AmtNumericEdit()->isVisibleTo(&details) &&
                    details.AmtLabel()->isVisibleTo(&details);
      seen.label = details.AmtLabel()->text();
      seen.text = details.StringMemo()->toPlainText();
      seen.amountValue = details.AmtNumericEdit()->AsInteger();
      seen.dateValue = SerialToDate(details.DateKwDate()->GetAsNumber());
      return int(QDialog::Rejected);
    });
    control.CallDialog();
    return seen;
  };
  Seen memo = open(TDialogType::dtMemo);
  EXPECT_TRUE(memo.note);
  EXPECT_FALSE(memo.date);
  EXPECT_FALSE(memo.amount);
  EXPECT_EQ(memo.text, "Hit a wall");
  Seen memoDate = open(TDialogType::dtMemoDate);
  EXPECT_TRUE(memoDate.note && memoDate.date && !memoDate.amount);
  EXPECT_EQ(memoDate.dateValue, QDate(2024, 3, 1));
  Seen memoPeriod = open(TDialogType::dtMemoPeriod);
  EXPECT_TRUE(memoPeriod.note && !memoPeriod.date && memoPeriod.amount);
  EXPECT_EQ(memoPeriod.label, "Cost");
  EXPECT_EQ(memoPeriod.amountValue, 250);
  Seen all = open(TDialogType::dtMemoDatePeriod);
  EXPECT_TRUE(all.note && all.date && all.amount);
  Seen datePeriod = open(TDialogType::dtDatePeriod);
  EXPECT_TRUE(!datePeriod.note && datePeriod.date && datePeriod.amount);
}

TEST(KwYesNoDlgDetails, OkStoresTheDetailsWithLineBreaksRemoved) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  control.SetDialogType(TDialogType::dtMemoDatePeriod);
  TModalDriver driver([](QDialog& dialog) {
    auto& details = static_cast<TYesNoDlg&>(dialog);
    details.StringMemo()->setPlainText("first line\r\nsecond line\nthird");
    details.AmtNumericEdit()->SetAsInteger(1200);
    details.DateKwDate()->SetAsNumber(DateToSerial(QDate(2025, 7, 9)));
    QTest::mouseClick(details.OKBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
  control.CallDialog();
  EXPECT_EQ(control.Data().note, "first linesecond linethird");
  EXPECT_EQ(control.Data().amount, 1200);
  EXPECT_EQ(SerialToDate(control.Data().date), QDate(2025, 7, 9));
}

TEST(KwYesNoDlgDetails, CancelChangesNothing) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  control.SetData(SomeDetails());
  TModalDriver driver([](QDialog& dialog) {
    auto& details = static_cast<TYesNoDlg&>(dialog);
    details.StringMemo()->setPlainText("changed");
    QTest::mouseClick(details.CancelBitBtn(), Qt::LeftButton);
    return dialog.result();
  });
  control.CallDialog();
  EXPECT_EQ(control.Data().note, "Hit a wall");
}

TEST(KwYesNoDlgDetails, TheNoteTakesAtMost250CharactersAndNoPlainEnter) {
  TYesNoDlg details;
  details.Setup(TDialogType::dtMemo, TDateStyle::dsDate, true, TYesNoData());
  details.StringMemo()->setPlainText(QString(300, QLatin1Char('a')));
  EXPECT_EQ(details.StringMemo()->toPlainText().size(), 250);
  details.StringMemo()->clear();
  QTest::keyClicks(details.StringMemo(), "ab");
  QTest::keyClick(details.StringMemo(), Qt::Key_Return);
  EXPECT_EQ(details.StringMemo()->toPlainText(), "ab");
}

TEST(KwYesNoDlgDetails, ADisabledControlsDetailsAreReadOnlyAndCannotBeConfirmed) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  control.SetDialogType(TDialogType::dtMemoDatePeriod);
  control.SetData(SomeDetails());
  control.setEnabled(false);
  bool okEnabled = true, readOnly = false, dateEnabled = true, amountEnabled = true;
  TModalDriver driver([&](QDialog& dialog) {
    auto& details = static_cast<TYesNoDlg&>(dialog);
    okEnabled = details.OKBitBtn()->isEnabled();
    readOnly = details.StringMemo()->isReadOnly();
    dateEnabled = details.DateKwDate()->isEnabled();
    amountEnabled = details.AmtNumericEdit()->isEnabled() || details.AmtLabel()->isEnabled();
    details.StringMemo()->setPlainText("changed");
    return int(QDialog::Accepted);
  });
  control.CallDialog();
  EXPECT_FALSE(okEnabled);
  EXPECT_TRUE(readOnly);
  EXPECT_FALSE(dateEnabled);
  EXPECT_FALSE(amountEnabled);
  EXPECT_EQ(control.Data().note, "Hit a wall");
}

TEST(KwYesNoDlgDetails, ThePopUpIsBorderlessAndPlacedBelowTheControl) {
  YesNoWindow w;
  w.control->SetCallDialogOn(TCallDialogOn::cdNo);
  ASSERT_TRUE(w.window.ShowActive());
  QPoint position;
  bool frameless = false;
  QString okCaption = "unset";
  TModalDriver driver([&](QDialog& dialog) {
    position = dialog.pos();
    frameless = dialog.windowFlags().testFlag(Qt::FramelessWindowHint);
    okCaption = static_cast<TYesNoDlg&>(dialog).OKBitBtn()->text();
    return int(QDialog::Rejected);
  });
  w.control->CallDialog();
  EXPECT_EQ(position, w.control->mapToGlobal(QPoint(0, w.control->height())));
  EXPECT_TRUE(frameless);
  EXPECT_EQ(okCaption, "");  // the glyph only
}

TEST(KwYesNoDlgLeaving, DataWarningWarnsOncePerSettingWhenDetailsWereNeverOpened) {
  ScopedScriptedPrompter prompter;
  YesNoWindow w;
  w.control->SetCallDialogOn(TCallDialogOn::cdYes);
  w.control->SetState(TKwYesNoState::ynYes);
  w.control->SetDataWarning(true);
  int exits = 0;
  QObject::connect(w.control, &TKwYesNoDlg::exited, [&] { ++exits; });
  ASSERT_TRUE(w.Focus());
  w.next->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(prompter->Prompts().size(), 1);
  EXPECT_EQ(prompter->Prompts()[0].text, "No additional information has been entered");
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Warning);
  EXPECT_TRUE(w.next->hasFocus());  // a reminder: the focus moves on
  EXPECT_EQ(exits, 1);

  w.control->setFocus(Qt::TabFocusReason);
  w.next->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(prompter->Prompts().size(), 1);
  EXPECT_EQ(exits, 2);

  w.control->SetDataWarning(true);
  w.control->setFocus(Qt::TabFocusReason);
  w.next->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(prompter->Prompts().size(), 2);
}

TEST(KwYesNoDlgLeaving, NoWarningOnceTheDetailsWereOpened) {
  ScopedScriptedPrompter prompter;
  YesNoWindow w;
  w.control->SetCallDialogOn(TCallDialogOn::cdYes);
  w.control->SetState(TKwYesNoState::ynYes);
  w.control->SetDataWarning(true);
  ASSERT_TRUE(w.Focus());
  std::unique_ptr<TModalDriver> driver(ConfirmingDriver());
  QTest::keyClick(w.control, Qt::Key_Return);
  EXPECT_EQ(driver->Runs(), 1);
  w.next->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST(KwYesNoDlgLeaving, NoWarningWhenNotArmed) {
  ScopedScriptedPrompter prompter;
  YesNoWindow w;
  w.control->SetCallDialogOn(TCallDialogOn::cdYes);
  w.control->SetDataWarning(true);
  ASSERT_TRUE(w.Focus());
  w.next->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST(KwYesNoDlgDrawing, TheEllipsisIsGreyedWhenNotArmed) {
  TKwYesNoDlg control;
  control.SetCallDialogOn(TCallDialogOn::cdYes);
  const QImage unarmed = control.grab().toImage();
  control.SetState(TKwYesNoState::ynYes);
  control.SetState(TKwYesNoState::ynNo);
  EXPECT_EQ(control.grab().toImage(), unarmed);
  control.SetCallDialogOn(TCallDialogOn::cdNo);
  EXPECT_NE(control.grab().toImage(), unarmed);
}
