// The command wrapper and field errors, the tab captions by driving restriction, keyboard
// navigation between pages, and what a focus change does to the focused field.

#include <QAction>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/hintwindow.h"
#include "app/pagetabcontrol.h"
#include "app/quotehook.h"
#include "app/tests/appfixture.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/fieldhelp.h"
#include "controls/fieldvisit.h"
#include "controls/kwedit.h"
#include "motor/identifiers.h"

namespace {

constexpr std::int32_t kDrivingRestriction = Id::DrivingRestriction;
const QString kRefused =
    QStringLiteral("Invalid postcode sector.\rPlease check the entered postcode.");

// Adds a field to a page, as the pages' own fields will be.
template <class Field = TKwEdit>
Field* AddField(QWidget* page, const QString& name) {
  if (page->layout() == nullptr)
    new QVBoxLayout(page);
  auto* field = new Field(page);
  field->setObjectName(name);
  // First on the page, left of the page's own fields, where its hints have room.
  if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
    box->insertWidget(0, field);
  else
    page->layout()->addWidget(field);
  field->show();
  return field;
}

// A postcode-like field whose exit refuses "bad" through the main window's field error, as a
// page's exit handler does.
class TRefusingEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    if (FocusReasonLeavesField(event->reason()) && text() == QStringLiteral("bad"))
      ShowFieldError(this, kRefused, true);
  }
};

// Records the quotations started and answers as a quotation that produced nothing.
class TQuoteRecorder {
 public:
  TQuoteRecorder() {
    TAppSeams::Current().quote = [this](bool check) {
      starts.append(check);
      return false;
    };
  }
  QList<bool> starts;

 private:
  const TSeamsGuard seams_;
};

}  // namespace

class Window : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartWindow();
    prompter_->Clear();
  }
  QTabBar* Tabs() const { return window_->PagesTabControl()->TabBar(); }
  QStringList TabCaptions() const {
    QStringList captions;
    for (int i = 0; i < Tabs()->count(); ++i)
      captions.append(Tabs()->tabText(i));
    return captions;
  }
  void Restrict(int code) {
    ASSERT_TRUE(SetListValue(kDrivingRestriction, {CoverPath()}, code));
    window_->RebuildPages();
  }
  TRefusingEdit* RefusingField() {
    auto* field =
        AddField<TRefusingEdit>(window_->ProposerPage(), QStringLiteral("PostCodeKwEdit"));
    AddField(window_->ProposerPage(), QStringLiteral("NextKwEdit"));
    window_->RebuildPages();
    return field;
  }
};

TEST_F(Window, AFieldRefusedWhileTabbingIsReportedWithOkAndGetsTheFocusBack) {
  TRefusingEdit* field = RefusingField();
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, "bad");
  QTest::keyClick(field, Qt::Key_Tab);
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].text, kRefused);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::Ok);
  EXPECT_TRUE(field->hasFocus());
}

TEST_F(Window, AFieldRefusedByACommandAsksOkOrCancel) {
  TRefusingEdit* field = RefusingField();
  int runs = 0;
  const auto command = [&runs] {
    ++runs;
    return true;
  };
  // Cancel: the command does not run and the focus returns to the field.
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, "bad");
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(window_->RunCommand(command));
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(field->hasFocus());
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompter_->Prompts()[0].text, kRefused);

  // OK: the command goes on.
  prompter_->QueueAnswer(PromptAnswer::Ok);
  EXPECT_TRUE(window_->RunCommand(command));
  EXPECT_EQ(runs, 1);

  // A command that fails gives the focus back to the field it came from; so does one that
  // leaves it nowhere in particular.
  field->setFocus(Qt::TabFocusReason);
  field->setText(QStringLiteral("good"));
  EXPECT_FALSE(window_->RunCommand([] { return false; }));
  EXPECT_TRUE(field->hasFocus());
  EXPECT_TRUE(window_->RunCommand([] { return true; }));
  EXPECT_TRUE(field->hasFocus());
  EXPECT_EQ(prompter_->Prompts().size(), 2);
}

TEST_F(Window, TheUserStartsOnTheProposerTab) {
  EXPECT_TRUE(Tabs()->hasFocus());
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  EXPECT_TRUE(window_->ProposerPage()->isVisible());
  EXPECT_EQ(window_->windowTitle(),
            QStringLiteral("Quillmarsh - For Help and advice call now on 01632 960123"));
}

TEST_F(Window, TheRestrictionGivesTheDriverTabs) {
  Restrict(2);
  EXPECT_EQ(TabCaptions(), (QStringList{"Proposer", "Vehicle", "Spouse"}));
  Restrict(5);
  EXPECT_EQ(TabCaptions(), (QStringList{"Proposer", "Vehicle", "Additional Driver: 1",
                                        "Additional Driver: 2", "Additional Driver: 3"}));
  Restrict(8);
  EXPECT_EQ(TabCaptions(), (QStringList{"Proposer", "Vehicle"}));

  // A driver tab shows the one driver page set to that driver.
  Restrict(5);
  window_->SelectPageTab(3);
  EXPECT_TRUE(window_->DrivingPage()->isVisible());
  EXPECT_FALSE(window_->ProposerPage()->isVisible());
  EXPECT_EQ(window_->DrivingPage()->CurrentDriver(), 2);
  window_->SelectPageTab(1);
  EXPECT_TRUE(window_->VehiclePage()->isVisible());
  EXPECT_FALSE(window_->DrivingPage()->isVisible());
}

TEST_F(Window, TabbingOutOfAPageGoesToTheNextOneAndOutOfTheLastStartsAQuotation) {
  TQuoteRecorder quotes;
  window_->UpdateQuoteCommands();
  TKwEdit* vehicle = AddField(window_->VehiclePage(), QStringLiteral("VehicleKwEdit"));
  Restrict(3);  // one additional driver
  window_->SelectPageTab(0);
  // The driver pages have fields of their own; the vehicle page is given one here.
  QWidget* proposer = window_->ProposerPage()->FirstField();
  QWidget* driver = window_->DrivingPage()->FirstField();
  QWidget* lastDriverField = window_->DrivingPage()->LastField();
  ASSERT_NE(proposer, nullptr);
  ASSERT_NE(driver, nullptr);
  // Each page starts at its own first field, however often the window has ordered them.
  EXPECT_EQ(proposer->objectName(), "DOBKwDate");
  EXPECT_EQ(driver->objectName(), "DOBKwDate");
  // The window's tab stops: PrevPanel, the tabs, the pages' fields, NextPanel, and round again.
  QStringList stops;
  QWidget* w = window_->findChild<QWidget*>(QStringLiteral("PrevPanel"));
  do {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->focusProxy() == nullptr)
      stops.append(w->objectName());
    w = w->nextInFocusChain();
  } while (w->objectName() != QStringLiteral("PrevPanel"));
  // Each page's fields in the page's own order, the field added here last.
  QStringList expected{"PrevPanel", "PagesTabBar"};
  for (TCapturePage* page : std::initializer_list<TCapturePage*>{
           window_->ProposerPage(), window_->VehiclePage(), window_->DrivingPage()}) {
    for (QWidget* stop : page->TabStops())
      expected << stop->objectName();
  }
  expected << "NextPanel";
  EXPECT_EQ(stops, expected);
  EXPECT_EQ(window_->VehiclePage()->TabStops().last(), vehicle);
  EXPECT_LT(stops.indexOf(proposer->objectName()), stops.indexOf("VehicleYearNumericEdit"));
  EXPECT_LT(stops.indexOf("VehicleKwEdit"), stops.lastIndexOf(driver->objectName()));

  // Backwards out of the proposer page: round to the last page, the tabs focused.
  proposer->setFocus(Qt::TabFocusReason);
  QTest::keyClick(proposer, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(Tabs()->hasFocus());
  QTest::keyClick(Tabs(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Tabs()->currentIndex(), 2);
  EXPECT_TRUE(Tabs()->hasFocus());
  QTest::keyClick(Tabs(), Qt::Key_Tab);
  EXPECT_TRUE(driver->hasFocus());

  // Forwards from the vehicle page to the driver page.
  window_->SelectPageTab(1);
  vehicle->setFocus(Qt::TabFocusReason);
  QTest::keyClick(vehicle, Qt::Key_Tab);
  EXPECT_EQ(Tabs()->currentIndex(), 2);
  EXPECT_TRUE(Tabs()->hasFocus());
  EXPECT_TRUE(quotes.starts.isEmpty());

  // Forwards out of the last page: a quotation with the missing-data check.
  QTest::keyClick(Tabs(), Qt::Key_Tab);
  ASSERT_TRUE(driver->hasFocus());
  lastDriverField->setFocus(Qt::TabFocusReason);
  QTest::keyClick(lastDriverField, Qt::Key_Tab);
  EXPECT_EQ(quotes.starts, QList<bool>{true});
  EXPECT_EQ(Tabs()->currentIndex(), 2);
  // No quotation came of it: the focus is back on the tabs it was given to.
  EXPECT_TRUE(Tabs()->hasFocus());
}

TEST_F(Window, TheQuoteCommandsRunTheInstalledWorkflow) {
  EXPECT_FALSE(window_->findChild<QAction*>(QStringLiteral("Quote1"))->isEnabled());
  TQuoteRecorder quotes;
  window_->UpdateQuoteCommands();
  QAction* quote = window_->findChild<QAction*>(QStringLiteral("Quote1"));
  ASSERT_TRUE(quote->isEnabled());
  quote->trigger();
  EXPECT_EQ(quotes.starts, QList<bool>{true});
}

TEST_F(Window, TheFocusedFieldTurnsYellowAndShowsItsHints) {
  TKwEdit* first = AddField(window_->ProposerPage(), QStringLiteral("DOBKwEdit"));
  TKwEdit* second = AddField(window_->ProposerPage(), QStringLiteral("MaritalKwEdit"));
  SetFieldHint(first, QStringLiteral("|Enter the Proposer's date of birth."));
  SetHelpContext(first, 110101);
  window_->RebuildPages();
  const QColor base = first->palette().color(QPalette::Base);

  first->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(first->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(window_->findChild<QLabel*>(QStringLiteral("HintStatusPanel"))->text(),
            QStringLiteral("Enter the Proposer's date of birth."));
  TTvHintWindow* hint = HintWindow();
  ASSERT_TRUE(QTest::qWaitFor([hint] { return hint->isVisible(); }, 2000));
  EXPECT_EQ(hint->Lines(), (QStringList{"Enter the proposer's date of birth as day/month/year.",
                                        "The proposer must be at least 17 and no more than 80."}));
  // Just below the field.
  EXPECT_EQ(hint->pos(), first->mapToGlobal(QPoint(0, first->height() + 5)));

  second->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(first->palette().color(QPalette::Base), base);
  EXPECT_FALSE(first->testAttribute(Qt::WA_SetPalette));
  EXPECT_EQ(second->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_FALSE(hint->isVisible());  // no help context
}
