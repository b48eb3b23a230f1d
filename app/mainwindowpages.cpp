// The main window's command wrapper and field errors, the focus-change handling, the page tabs
// and the keyboard navigation between pages, and the binding's view of the window.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

#include "app/clientpanel.h"
#include "app/hints.h"
#include "app/mainwindow.h"
#include "app/pagetabcontrol.h"
#include "app/quotehook.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/editedfield.h"
#include "controls/fieldhelp.h"
#include "controls/kwdate.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"

namespace {

const QColor kFocusColour(255, 255, 0);

// Enabled and shown, in a window that can take the focus.
bool CanFocus(const QWidget* control) {
  return control != nullptr && control->isVisible() && control->isEnabled();
}

// The field kinds that turn yellow while they have the focus (a memo does not).
bool TurnsYellow(const QWidget* w) {
  if (w == nullptr || w->window()->inherits("QFileDialog"))
    return false;
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
         qobject_cast<const TKwDate*>(w) || qobject_cast<const TKwYesNoDlg*>(w) ||
         qobject_cast<const TKwTime*>(w) || qobject_cast<const TNumericEdit*>(w);
}

// A radio button in a radio group shows the group's hint.
QWidget* HintTarget(QWidget* control) {
  if (qobject_cast<QRadioButton*>(control) != nullptr) {
    if (auto* group = qobject_cast<QGroupBox*>(control->parentWidget()))
      return group;
  }
  return control;
}

// Sets a flag for its lifetime and restores it after, also when a command wraps another.
class TScope {
 public:
  explicit TScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~TScope() { flag_ = previous_; }
  TScope(const TScope&) = delete;
  TScope& operator=(const TScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

// ---- The command wrapper and field errors -----------------------------------------------------

bool TTolvaneForm::RunCommand(const std::function<bool()>& command) {
  TScope inProgress(commandInProgress_);
  validationFailed_ = false;
  QPointer<QWidget> remembered = focusWidget();
  // Leaving the field makes it store its value (or refuse it, itself or through ShowFieldError).
  const bool stored = !CanFocus(focusPanel_) || StoreEditedField(focusPanel_);
  bool result = false;
  if (stored && !validationFailed_)
    result = command();
  // A failed command gives the focus back. So does one that left it on the invisible FocusPanel
  // (Save, for one), from which Tab would jump to another page.
  if ((!result || focusWidget() == focusPanel_) && CanFocus(remembered))
    remembered->setFocus(Qt::OtherFocusReason);
  return result;
}

void TTolvaneForm::ShowFieldError(QObject* field, const QString& message, bool refocus) {
  validationFailed_ = true;
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr)  // no window of the program is active: the window's own focus counts
    focused = focusWidget();
  auto* control = qobject_cast<QWidget*>(field);
  if (!commandInProgress_ && focused == focusPanel_)
    return;
  if (focused != focusPanel_) {
    // The user moved on from the field by hand.
    Ask(PromptKind::Information, PromptButtons::Ok, message);
    if (refocus && control != nullptr)
      control->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A command moved the focus away: OK lets the command go on, Cancel goes back to the field.
  if (Ask(PromptKind::Information, PromptButtons::OkCancel, message) == PromptAnswer::Ok) {
    validationFailed_ = false;
  } else if (control != nullptr) {
    control->setFocus(Qt::OtherFocusReason);
  }
}

// ---- Focus changes ----------------------------------------------------------------------------

void TTolvaneForm::RestoreColour() {
  if (!coloured_)
    return;
  coloured_ = false;
  if (!focusedControl_)
    return;
  focusedControl_->setPalette(savedOwnPalette_ ? savedPalette_ : QPalette());
  if (!savedOwnPalette_)
    focusedControl_->setAttribute(Qt::WA_SetPalette, false);
  focusedControl_->setAutoFillBackground(savedAutoFill_);
}

void TTolvaneForm::ScreenFocusChanged(QWidget* /*old*/, QWidget* now) {
  // Switching to another program leaves the field as it is.
  if (destroying_ || now == nullptr || now == focusedControl_)
    return;
  RestoreColour();
  focusedControl_ = now;
  if (TurnsYellow(now)) {
    savedOwnPalette_ = now->testAttribute(Qt::WA_SetPalette);
    savedPalette_ = now->palette();
    savedAutoFill_ = now->autoFillBackground();
    QPalette yellow = now->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
      yellow.setColor(role, kFocusColour);
    now->setPalette(yellow);
    if (qobject_cast<QCheckBox*>(now) || qobject_cast<QRadioButton*>(now))
      now->setAutoFillBackground(true);
    coloured_ = true;
  }
  QWidget* target = HintTarget(now);
  hintPanel_->setText(target->statusTip().isEmpty() ? now->statusTip() : target->statusTip());
  ShowHintFor(target);
  emit FocusedControlChanged(now);
}

// ---- Pages ------------------------------------------------------------------------------------

void TTolvaneForm::RebuildPages() {
  QTabBar* tabs = pagesTabControl_->TabBar();
  rebuildingTabs_ = true;
  while (tabs->count() > 0)
    tabs->removeTab(tabs->count() - 1);
  tabs->addTab(QStringLiteral("Proposer"));
  tabs->addTab(QStringLiteral("Vehicle"));
  const int drivers =
      AdditionalDriversForRestriction(GetListValue(Id::DrivingRestriction, {CoverPath()}));
  for (int i = 0; i < drivers; ++i)
    AddDriverTab();
  rebuildingTabs_ = false;
  proposerPage_->LoadDetails();
  vehiclePage_->LoadDetails();
  drivingPage_->LoadDetails();
  rebuildingTabs_ = true;
  tabs->setCurrentIndex(0);
  rebuildingTabs_ = false;
  ArrangeTabOrder();
}

void TTolvaneForm::PagesTabControlChange() {
  if (CanFocus(pagesTabControl_->TabBar()))
    pagesTabControl_->setFocus(Qt::OtherFocusReason);
  const int tab = pagesTabControl_->TabBar()->currentIndex();
  if (tab >= 2)
    drivingPage_->SelectDriver(tab - 1);
  proposerPage_->setVisible(tab == 0);
  vehiclePage_->setVisible(tab == 1);
  drivingPage_->setVisible(tab >= 2);
}

void TTolvaneForm::ArrangeTabOrder() {
  // PrevPanel, the tabs, the fields of each page, NextPanel: Tab leaves a page only through the
  // two panels, whenever the page's fields were made.
  QWidget* previous = prevPanel_;
  QList<QWidget*> order{pagesTabControl_->TabBar()};
  for (TCapturePage* page :
       std::initializer_list<TCapturePage*>{proposerPage_, vehiclePage_, drivingPage_}) {
    // The page itself goes just before its fields: a page finds its tab stops by following the
    // chain from itself, which must not start in the middle of them the next time.
    order.append(page);
    order += page->TabStops();
  }
  order.append(nextPanel_);
  for (QWidget* next : order) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

bool TTolvaneForm::TabControlVisible() const {
  return pagesTabControl_->isVisible();
}

void TTolvaneForm::PrevPanelEnter() {
  if (!TabControlVisible())
    return;
  const int count = PageTabCount();
  const int tab = pagesTabControl_->TabBar()->currentIndex();
  // From the first page round to the last.
  SelectPageTab(tab <= 0 ? count - 1 : tab - 1);
  pagesTabControl_->setFocus(Qt::BacktabFocusReason);
}

void TTolvaneForm::NextPanelEnter() {
  if (!TabControlVisible())
    return;
  pagesTabControl_->setFocus(Qt::TabFocusReason);
  const int tab = pagesTabControl_->TabBar()->currentIndex();
  if (tab >= PageTabCount() - 1) {
    RunCommand([] { return StartQuote(true); });
    return;
  }
  SelectPageTab(tab + 1);
}

bool TTolvaneForm::PageKey(const QKeyEvent& key) {
  // As in every tabbed window: forwards with Ctrl+Tab or Ctrl+PgDn, backwards with Ctrl+Shift+Tab
  // (X delivers it as Backtab) or Ctrl+PgUp, wherever the focus is in the window. Read from the
  // key itself: a shortcut for Ctrl+Shift+Backtab does not match what X sends.
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
    return false;
  const bool shift = modifiers & Qt::ShiftModifier;
  int step = 0;
  if (key.key() == Qt::Key_Tab)
    step = shift ? -1 : 1;
  else if (key.key() == Qt::Key_Backtab)
    step = -1;
  else if (key.key() == Qt::Key_PageDown && !shift)
    step = 1;
  else if (key.key() == Qt::Key_PageUp && !shift)
    step = -1;
  if (step == 0)
    return false;
  StepPage(step);
  return true;
}

void TTolvaneForm::StepPage(int step) {
  if (!TabControlVisible() || PageTabCount() == 0)
    return;
  // A command like any other: the field being edited stores its value first, and a value it
  // refuses keeps the user on the page.
  RunCommand([this, step] {
    const int count = PageTabCount();
    const int tab = pagesTabControl_->TabBar()->currentIndex();
    SelectPageTab(((tab + step) % count + count) % count);
    return true;
  });
}

// ---- The binding's view of the window ---------------------------------------------------------

int TTolvaneForm::PageTabCount() const {
  return pagesTabControl_->TabBar()->count();
}

void TTolvaneForm::AddPageTab(const QString& caption) {
  const bool rebuilding = rebuildingTabs_;
  rebuildingTabs_ = true;  // adding the first tab must not switch pages
  pagesTabControl_->TabBar()->addTab(caption);
  rebuildingTabs_ = rebuilding;
}

void TTolvaneForm::RemoveLastPageTab() {
  QTabBar* tabs = pagesTabControl_->TabBar();
  if (tabs->count() <= 2)
    return;  // "Proposer" and "Vehicle" stay
  const bool rebuilding = rebuildingTabs_;
  rebuildingTabs_ = true;  // removing the current tab must not switch pages
  tabs->removeTab(tabs->count() - 1);
  rebuildingTabs_ = rebuilding;
}

void TTolvaneForm::SetPageTabCaption(int index, const QString& caption) {
  pagesTabControl_->TabBar()->setTabText(index, caption);
}

void TTolvaneForm::SelectPageTab(int index) {
  rebuildingTabs_ = true;
  pagesTabControl_->TabBar()->setCurrentIndex(index);
  rebuildingTabs_ = false;
  PagesTabControlChange();
}

void TTolvaneForm::FocusDrivingRestrictions() {
  if (auto* field = vehiclePage_->findChild<QWidget*>(
          QLatin1String(FieldName::DrivingRestrictionsKwComboEdit)))
    field->setFocus(Qt::OtherFocusReason);
}

void TTolvaneForm::SetControlEnabled(QObject* control, bool enabled) {
  if (auto* widget = qobject_cast<QWidget*>(control))
    widget->setEnabled(enabled);
}

double TTolvaneForm::ScreenScaleFactor() const {
  const QScreen* shown = screen();
  return shown != nullptr ? shown->logicalDotsPerInch() / 96.0 : 1.0;
}

QSize TTolvaneForm::FormSize(QObject* form) const {
  auto* widget = qobject_cast<QWidget*>(form);
  return widget != nullptr ? widget->size() : QSize();
}

void TTolvaneForm::ResizeForm(QObject* form, const QSize& size) {
  if (auto* widget = qobject_cast<QWidget*>(form))
    widget->resize(size);
}

void TTolvaneForm::SetScrollRangesToClientSize(QObject* form) {
  // The client area keeps the size the form has now and scrolls once the form is made smaller.
  auto* widget = qobject_cast<QWidget*>(form);
  auto* scroll = widget != nullptr ? widget->findChild<QScrollArea*>() : nullptr;
  if (scroll == nullptr || scroll->widget() == nullptr)
    return;
  QSize client = widget->size();
  if (auto* main = qobject_cast<QMainWindow*>(widget)) {
    int bars = main->menuBar()->sizeHint().height() + main->statusBar()->sizeHint().height();
    for (const QToolBar* bar : main->findChildren<QToolBar*>())
      bars += bar->sizeHint().height();
    client.rheight() -= bars;
  }
  if (auto* panel = dynamic_cast<TClientPanel*>(scroll->widget()))
    panel->SetFloor(client.expandedTo(QSize(0, 0)));
}

void TTolvaneForm::FitWidestPage() {
  // The window grows, within the screen, until its widest page shows whole; where the screen is
  // too small the client area scrolls.
  auto* scroll = findChild<QScrollArea*>(QStringLiteral("ClientScrollArea"));
  QWidget* client = scroll != nullptr ? scroll->widget() : nullptr;
  if (client == nullptr || client->layout() == nullptr)
    return;
  client->layout()->activate();
  QSize shownPage(0, 0);
  QSize widest(0, 0);
  for (QWidget* page : std::initializer_list<QWidget*>{proposerPage_, vehiclePage_, drivingPage_}) {
    const QSize needed = page->minimumSizeHint();
    widest = widest.expandedTo(needed);
    if (page->isVisible())
      shownPage = needed;
  }
  const QSize clientNeeds =
      client->layout()->minimumSize() + (widest - shownPage).expandedTo(QSize(0, 0));
  const QSize chrome = size() - scroll->viewport()->size();
  const QScreen* shown = screen();
  if (shown == nullptr)
    return;
  const QRect available = shown->availableGeometry();
  const QSize frame = frameGeometry().size() - size();
  const QSize wanted = size().expandedTo(clientNeeds + chrome).boundedTo(available.size() - frame);
  if (wanted == size())
    return;
  resize(wanted);
  // Still on the screen after growing.
  QRect placed = frameGeometry();
  placed.moveRight(qMin(placed.right(), available.right()));
  placed.moveBottom(qMin(placed.bottom(), available.bottom()));
  move(placed.topLeft());
}
