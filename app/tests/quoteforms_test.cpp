// The quotation's small forms: the animation and the progress dialog, the conditions dialog, and
// where the missing-data form goes beside a field.

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>

#include "app/animatedsymbol.h"
#include "app/missingdataform.h"
#include "app/policyconditionsform.h"
#include "app/progressdlg.h"
#include "app/tests/appfixture.h"
#include "controls/kwdate.h"
#include "controls/today.h"
#include "motor/identifiers.h"

namespace {

QColor CornerColour(QWidget& widget) {
  return widget.grab().toImage().pixelColor(0, 0);
}

}  // namespace

TEST(AnimatedSymbol, OpensPlaysAndClosesAsItsNameStateAndStylesSay) {
  TAnimatedSymbol symbol;
  EXPECT_EQ(symbol.size(), QSize(32, 32));
  EXPECT_EQ(symbol.PlayFrom(), 0);
  EXPECT_EQ(symbol.PlayTo(), -1);
  EXPECT_EQ(symbol.Cycles(), -1);
  EXPECT_EQ(symbol.State(), TAnimatedState::acmClosed);
  EXPECT_TRUE(symbol.AutoPlay() && symbol.Center() && symbol.Transparent());
  EXPECT_FALSE(symbol.IsOpen());

  // With AutoPlay an opened clip plays by itself, round after round; the name's case is free.
  QSignalSpy frames(&symbol, &TAnimatedSymbol::frameShown);
  symbol.SetAVIName(QStringLiteral("MOVINGFOLDER"));
  ASSERT_TRUE(symbol.IsOpen());
  EXPECT_EQ(symbol.FrameCount(), 12);
  EXPECT_TRUE(symbol.IsPlaying());
  QTRY_VERIFY_WITH_TIMEOUT(frames.count() > 12, 10000);  // past the last frame and round again
  EXPECT_EQ(frames.at(0).at(0).toInt(), 0);
  EXPECT_EQ(frames.at(11).at(0).toInt(), 11);
  EXPECT_EQ(frames.at(12).at(0).toInt(), 0);

  // Without AutoPlay a closed state closes the clip; acmOpen opens it on its first frame.
  symbol.SetAutoPlay(false);
  EXPECT_FALSE(symbol.IsOpen());
  symbol.SetState(TAnimatedState::acmOpen);
  EXPECT_TRUE(symbol.IsOpen());
  EXPECT_FALSE(symbol.IsPlaying());
  EXPECT_EQ(symbol.CurrentFrame(), 0);

  // Playing frames 2 to 4 twice, then it stops on the last of them.
  symbol.SetPlayFrom(2);
  symbol.SetPlayTo(4);
  symbol.SetCycles(2);
  frames.clear();
  symbol.SetState(TAnimatedState::acmPlaying);
  QTRY_VERIFY_WITH_TIMEOUT(!symbol.IsPlaying(), 10000);
  QList<int> shown;
  for (const QList<QVariant>& frame : frames)
    shown.append(frame.at(0).toInt());
  EXPECT_EQ(shown, (QList<int>{2, 3, 4, 2, 3, 4}));
  EXPECT_EQ(symbol.CurrentFrame(), 4);

  // No name: nothing to show.
  symbol.SetAVIName(QString());
  EXPECT_FALSE(symbol.IsOpen());
  EXPECT_EQ(symbol.CurrentFrame(), -1);
}

TEST(AnimatedSymbol, TransparentShowsTheBackgroundThroughTheClipsOwn) {
  TAnimatedSymbol symbol;
  symbol.resize(48, 48);
  QPalette red = symbol.palette();
  red.setColor(QPalette::Window, Qt::red);
  symbol.setPalette(red);
  symbol.setAutoFillBackground(true);
  symbol.SetAutoPlay(false);
  symbol.SetAVIName(QStringLiteral("MovingFolder"));
  symbol.SetState(TAnimatedState::acmOpen);
  EXPECT_EQ(CornerColour(symbol), QColor(Qt::red));
  symbol.SetTransparent(false);
  ASSERT_TRUE(symbol.IsOpen());
  EXPECT_EQ(CornerColour(symbol), QColor(Qt::white));
}

TEST(AnimatedSymbol, AClipThatCannotBeLoadedRaisesItsMessage) {
  TAnimatedSymbol symbol;
  try {
    symbol.SetAVIName(QStringLiteral("NoSuchClip"));
    ADD_FAILURE() << "no error raised";
  } catch (const EAnimationError& error) {
    EXPECT_EQ(error.Message(),
              QStringLiteral(
                  "Could not open AVI \"NoSuchClip\"\r\rIt must be a silent AVI file/resource."));
  }
  EXPECT_FALSE(symbol.IsOpen());
}

TEST(ProgressDlg, ShowsItsMessageTheAnimationAndTheTimeAndCancels) {
  TProgressDlg dialog;
  EXPECT_EQ(dialog.objectName(), QStringLiteral("TProgressDlg"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Calling Quote System"));
  EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(dialog.Animation()->AVIName(), QStringLiteral("MovingFolder"));
  EXPECT_TRUE(dialog.Animation()->IsPlaying());
  dialog.SetMessage(QStringLiteral("Please Wait....\rGenerating Quotes"));
  EXPECT_EQ(dialog.MessageLabel()->text(), QStringLiteral("Please Wait....\nGenerating Quotes"));
  EXPECT_EQ(TProgressDlg::ElapsedText(1), QStringLiteral("Running for 1 second"));
  EXPECT_EQ(TProgressDlg::ElapsedText(12), QStringLiteral("Running for 12 seconds"));

  dialog.show();
  EXPECT_EQ(dialog.ElapsedLabel()->text(), QStringLiteral("Running for 0 seconds"));
  QTRY_COMPARE_WITH_TIMEOUT(dialog.ElapsedLabel()->text(), QStringLiteral("Running for 1 second"),
                            10000);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());

  TProgressDlg other;
  other.show();
  other.setResult(QDialog::Accepted);
  other.CancelButton()->click();
  EXPECT_EQ(other.result(), QDialog::Rejected);
}

TEST(MissingDataFormPosition, BelowTheFieldAboveItNearTheBottomAndInsideTheRightEdge) {
  const QRect screen(0, 0, 1024, 768);
  const QSize form(300, 200);
  // Its top-left corner 5 pixels below the field's bottom-left corner.
  EXPECT_EQ(MissingDataFormPosition(QRect(100, 100, 120, 20), form, screen), QPoint(100, 125));
  // Near the bottom it goes above, its bottom 5 pixels above the field's top.
  EXPECT_EQ(MissingDataFormPosition(QRect(100, 600, 120, 20), form, screen), QPoint(100, 395));
  // Near the right edge it ends exactly 5 pixels inside the screen.
  EXPECT_EQ(MissingDataFormPosition(QRect(900, 100, 120, 20), form, screen), QPoint(719, 125));
  EXPECT_EQ(MissingDataFormPosition(QRect(719, 100, 120, 20), form, screen), QPoint(719, 125));
  // On a second screen to the right.
  EXPECT_EQ(MissingDataFormPosition(QRect(1900, 700, 60, 20), form, QRect(1024, 0, 1024, 768)),
            QPoint(1743, 495));
}

class ConditionsForm : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartProgramUnits();
  }
  static void SetCommence(TAcceptPolicyConditionsForm& form, const QDate& date) {
    form.CommenceKwDate()->SetDate(static_cast<std::uint16_t>(date.day()),
                                   static_cast<std::uint16_t>(date.month()),
                                   static_cast<std::uint16_t>(date.year()));
  }
};

TEST_F(ConditionsForm, CarriesItsTextsInOrderAndTodayAsTheStart) {
  TAcceptPolicyConditionsForm form;
  EXPECT_EQ(form.objectName(), QStringLiteral("TAcceptPolicyConditionsForm"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Are the following criteria met?"));
  QStringList texts;
  for (int i = 1; i <= 8; ++i) {
    texts << form.findChild<QLabel*>(QStringLiteral("ConditionLabel%1").arg(i))->text();
  }
  ASSERT_EQ(texts.size(), 8);
  EXPECT_EQ(texts[0], QStringLiteral("The Quotations generated are only valid where the following "
                                     "conditions are met:"));
  EXPECT_EQ(texts[1], QStringLiteral(" ALL Insured Drivers MUST NOT:"));
  EXPECT_EQ(texts[6], QStringLiteral(" No Claims Discount"));
  EXPECT_EQ(texts, TAcceptPolicyConditionsForm::kConditions);
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("CommenceLabel"))->text(),
            QStringLiteral("I would require cover to commence from"));
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("CommenceLabel"))->buddy(),
            static_cast<QWidget*>(form.CommenceKwDate()));
  EXPECT_EQ(form.CommenceKwDate()->objectName(), QStringLiteral("CommenceKwDate"));
  EXPECT_TRUE(form.CommenceKwDate()->TreatTodayAsNegative());
  EXPECT_EQ(form.CommenceKwDate()->AsString(), Today().toString(QStringLiteral("dd/MM/yyyy")));
  EXPECT_TRUE(form.OkBitBtn()->isDefault());
  EXPECT_EQ(form.OkBitBtn()->text(), QStringLiteral("Ok"));
  EXPECT_EQ(form.CancelBitBtn()->text(), QStringLiteral("Cancel"));
}

TEST_F(ConditionsForm, EnterAcceptsTodayAndRecordsThePolicyDates) {
  TAcceptPolicyConditionsForm form;
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form.ConditionsBox()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_EQ(GetDateValue(Id::CoverStartDate, {CoverPath()}), Today());
  EXPECT_EQ(GetDateValue(Id::PolicyEndDate, {PolicyEndPath()}), Today().addYears(1));
}

TEST_F(ConditionsForm, YesterdayIsRefusedAndTheDialogStaysOpenOnTheDate) {
  TAcceptPolicyConditionsForm form;
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  SetCommence(form, Today().addDays(-1));
  form.OkBitBtn()->click();
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("A quotation cannot be obtained for cover prior to "
                                       "today\r\rPlease enter a date on or after today")});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_TRUE(form.isVisible());
  EXPECT_NE(form.result(), QDialog::Accepted);
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form.CommenceKwDate()));
  EXPECT_FALSE(ValueExists(Id::CoverStartDate, {CoverPath()}));

  // A later date is taken; Cancel would have left everything alone.
  SetCommence(form, Today().addDays(14));
  form.OkBitBtn()->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(GetDateValue(Id::CoverStartDate, {CoverPath()}), Today().addDays(14));
}
