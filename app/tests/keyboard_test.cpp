// The keyboard alone: Ctrl+Tab and its kin move between the page tabs from anywhere in the main
// window, the field being edited storing its value first; Enter clicks the focused button of the
// results dialog; and when the acceptance wizard goes, the focus is back on Proceed. "Getting
// Started" opens centred on the main window.

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include "app/acceptancehook.h"
#include "app/gettingstarted.h"
#include "app/quotesummarydlg.h"
#include "app/tests/quotefixture.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/kwedit.h"
#include "controls/modaldialog.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

class PageKeys : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(StartWindow());
    ASSERT_TRUE(window_->FileOpen(Sample("family")));
    ASSERT_EQ(Tabs().size(), 5);
  }

  int Tab() const { return window_->PagesTabControl()->TabBar()->currentIndex(); }
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
};

class ResultsKeys : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    StartProgramUnits();
    InstallTestEngine("copies-results.sh");
    PrepareResults({Quote("10", "45000"), Quote("20", "52000")});
    dialog_ = std::make_unique<TQuoteSummaryDlgForm>();
    dialog_->RunEngine();
    dialog_->show();
    QApplication::setActiveWindow(dialog_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  }

  std::unique_ptr<TQuoteSummaryDlgForm> dialog_;
};

using GettingStartedPlace = AppTest;

int Distance(const QWidget& one, const QWidget& other) {
  return (one.frameGeometry().center() - other.frameGeometry().center()).manhattanLength();
}

}  // namespace

TEST_F(PageKeys, CtrlTabAndCtrlPageKeysStepThroughThePagesStoringTheFieldBeingEdited) {
  auto* postcode = window_->ProposerPage()->findChild<TKwEdit*>(
      QLatin1String(FieldName::ProposerPostCodeKwEdit));
  ASSERT_NE(postcode, nullptr);
  postcode->setFocus(Qt::TabFocusReason);
  QTest::keyClick(postcode, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(postcode, "SW1A 1AA");

  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Tab(), 1);
  EXPECT_TRUE(window_->VehiclePage()->isVisible());
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, {ProposerPath()}), "SW1A 1AA");

  // From a field of the page as from the tabs.
  QWidget* seats = window_->VehiclePage()->findChild<QWidget*>(QStringLiteral("SeatsNumericEdit"));
  ASSERT_NE(seats, nullptr);
  seats->setFocus(Qt::TabFocusReason);
  Press(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(Tab(), 2);
  // Ctrl+Shift+Tab as X delivers it (Backtab) and as other systems do.
  Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Tab(), 1);
  Press(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(Tab(), 0);
  EXPECT_TRUE(window_->ProposerPage()->isVisible());
  // Round from the first page to the last and back.
  Press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Tab(), 4);
  Press(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Tab(), 0);
}

TEST_F(ResultsKeys, EnterClicksTheFocusedButtonAndTheFocusComesBackToProceed) {
  QStringList handedOver;
  QWidget* focusInWizard = nullptr;
  {
    const TSeamsGuard seams;
    TAppSeams::Current().acceptance = [&](const TQuoteDetails& quotation, QWidget* parent) {
      handedOver << quotation.InsurerName;
      // A wizard of its own takes the focus and goes.
      QDialog wizard(parent);
      auto* name = new QLineEdit(&wizard);
      wizard.show();
      QApplication::setActiveWindow(&wizard);
      EXPECT_TRUE(QTest::qWaitForWindowActive(&wizard));
      name->setFocus(Qt::OtherFocusReason);
      focusInWizard = QApplication::focusWidget();
      wizard.hide();
    };

    QPushButton* proceed = dialog_->AcceptBitBtn();
    proceed->setFocus(Qt::TabFocusReason);
    QTest::keyClick(proceed, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver.size() == 1; }, 2000));
    EXPECT_NE(focusInWizard, proceed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == proceed; }, 2000));
    EXPECT_TRUE(dialog_->isActiveWindow());
  }

  // Enter on a list or with a modifier is not a click.
  dialog_->QuoteSummaryPZListView()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(dialog_->QuoteSummaryPZListView(), Qt::Key_Return);
  QTest::qWait(200);
  EXPECT_EQ(handedOver.size(), 1);
  EXPECT_TRUE(dialog_->isVisible());

  // The keypad's Enter on Close closes the dialog.
  auto* close = dialog_->findChild<QPushButton*>(QStringLiteral("CloseBitBtn"));
  close->setFocus(Qt::TabFocusReason);
  QTest::keyClick(close, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog_->isVisible(); }, 2000));
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

// The window manager may put the main window in its place only after the form has opened (at the
// first start): the form follows it.
TEST_F(GettingStartedPlace, OpensCentredOnTheMainWindowAndFollowsItWhereItIsPut) {
  ASSERT_NO_FATAL_FAILURE(StartWindow());
  window_->move(40, 30);
  ASSERT_TRUE(QTest::qWaitFor([this] { return window_->pos() == QPoint(40, 30); }, 2000));
  int opened = -1;
  bool followed = false;
  {
    const TSeamsGuard seams;
    TControlsSeams::Current().modalDialog = [&](QDialog& form) {
      form.show();
      opened = Distance(form, *window_);
      window_->move(260, 180);
      followed = QTest::qWaitFor([&] { return Distance(form, *window_) <= 2; }, 2000);
      form.hide();
      return static_cast<int>(QDialog::Rejected);
    };
    ShowGettingStarted(window_.get());
  }
  EXPECT_GE(opened, 0);
  EXPECT_LE(opened, 2);
  EXPECT_TRUE(followed);
}
