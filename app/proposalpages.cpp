#include "app/proposalpages.h"

#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QVBoxLayout>
#include <utility>

#include "app/clientpanel.h"
#include "app/pagetabcontrol.h"
#include "app/quotehook.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "motor/fieldnames.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"

namespace {

// Enabled and shown, in a window that can take the focus.
bool CanFocus(const QWidget* control) {
  return control != nullptr && control->isVisible() && control->isEnabled();
}

}  // namespace

TProposalPages::TProposalPages(QMainWindow* window, TCommandRunner runCommand)
    : QObject(window), window_(window), runCommand_(std::move(runCommand)) {
  setObjectName(QStringLiteral("ProposalPages"));
  // The client area scrolls when the window is smaller than the pages need.
  auto* scroll = new QScrollArea(window);
  scroll->setObjectName(QStringLiteral("ClientScrollArea"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // not a stop of its own between the pages' fields
  auto* client = new TClientPanel(scroll);
  client->setObjectName(QStringLiteral("ClientPanel"));
  auto* column = new QVBoxLayout(client);
  column->setContentsMargins(4, 4, 4, 4);
  // Tab order: PrevPanel, the tabs, the page shown, NextPanel. Creation order gives it.
  prevPanel_ = new TFocusPanel(QStringLiteral("PrevPanel"), true, client);
  // Tab passes through the two panels on its way to another page; a reader says where to.
  prevPanel_->setAccessibleName(QStringLiteral("Previous page"));
  column->addWidget(prevPanel_);
  pagesTabControl_ = new TPageTabControl(client);
  pagesTabControl_->setVisible(false);  // until the first show
  column->addWidget(pagesTabControl_, 1);
  QWidget* forms = pagesTabControl_->FormsPanel();
  proposerPage_ = new TProposerDetailsKwTabsheetForm(forms);
  vehiclePage_ = new TVehicleKwTabsheetForm(forms);
  drivingPage_ = new TDrivingDetailsKwTabsheetForm(forms);
  for (QWidget* page : std::initializer_list<QWidget*>{proposerPage_, vehiclePage_, drivingPage_})
    forms->layout()->addWidget(page);
  vehiclePage_->hide();
  drivingPage_->hide();
  // Before driver tabs go, the vehicle page tells the driver page to let go of its driver.
  vehiclePage_->SetDrivingPage(drivingPage_);
  // The proposer's postcode, when the vehicle is kept there too, shows on the vehicle page.
  connect(proposerPage_, &TProposerDetailsKwTabsheetForm::postcodeFollowed, vehiclePage_,
          &TVehicleKwTabsheetForm::ShowFollowedPostcode);
  nextPanel_ = new TFocusPanel(QStringLiteral("NextPanel"), true, client);
  nextPanel_->setAccessibleName(QStringLiteral("Next page"));
  column->addWidget(nextPanel_);
  focusPanel_ = new TFocusPanel(QStringLiteral("FocusPanel"), false, client);
  column->addWidget(focusPanel_);
  scroll->setWidget(client);
  window->setCentralWidget(scroll);
  ArrangeTabOrder();

  connect(pagesTabControl_->TabBar(), &QTabBar::currentChanged, this, [this] {
    if (!rebuildingTabs_)
      PagesTabControlChange();
  });
  connect(prevPanel_, &TFocusPanel::entered, this, &TProposalPages::PrevPanelEnter);
  connect(nextPanel_, &TFocusPanel::entered, this, &TProposalPages::NextPanelEnter);
}

void TProposalPages::Show() {
  pagesTabControl_->setVisible(true);
  FitWidestPage();
  pagesTabControl_->setFocus(Qt::OtherFocusReason);  // the user starts on the page tabs
}

void TProposalPages::RebuildPages() {
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

void TProposalPages::ShowOnlyProposerPage() {
  rebuildingTabs_ = true;
  pagesTabControl_->TabBar()->setCurrentIndex(0);
  rebuildingTabs_ = false;
  drivingPage_->SelectDriver(0);
  drivingPage_->hide();
  vehiclePage_->hide();
  proposerPage_->show();
}

int TProposalPages::CurrentTab() const {
  return pagesTabControl_->TabBar()->currentIndex();
}

void TProposalPages::PagesTabControlChange() {
  if (CanFocus(pagesTabControl_->TabBar()))
    pagesTabControl_->setFocus(Qt::OtherFocusReason);
  const int tab = CurrentTab();
  if (tab >= 2)
    drivingPage_->SelectDriver(tab - 1);
  proposerPage_->setVisible(tab == 0);
  vehiclePage_->setVisible(tab == 1);
  drivingPage_->setVisible(tab >= 2);
}

void TProposalPages::ArrangeTabOrder() {
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

bool TProposalPages::TabControlVisible() const {
  return pagesTabControl_->isVisible();
}

void TProposalPages::PrevPanelEnter() {
  if (!TabControlVisible())
    return;
  const int count = PageTabCount();
  const int tab = CurrentTab();
  // From the first page round to the last.
  SelectPageTab(tab <= 0 ? count - 1 : tab - 1);
  pagesTabControl_->setFocus(Qt::BacktabFocusReason);
}

void TProposalPages::NextPanelEnter() {
  if (!TabControlVisible())
    return;
  pagesTabControl_->setFocus(Qt::TabFocusReason);
  const int tab = CurrentTab();
  if (tab >= PageTabCount() - 1) {
    runCommand_([] { return StartQuote(true); });
    return;
  }
  SelectPageTab(tab + 1);
}

bool TProposalPages::PageKey(const QKeyEvent& key) {
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

void TProposalPages::StepPage(int step) {
  if (!TabControlVisible() || PageTabCount() == 0)
    return;
  // A command like any other: the field being edited stores its value first, and a value it
  // refuses keeps the user on the page.
  runCommand_([this, step] {
    const int count = PageTabCount();
    SelectPageTab(((CurrentTab() + step) % count + count) % count);
    return true;
  });
}

int TProposalPages::PageTabCount() const {
  return pagesTabControl_->TabBar()->count();
}

void TProposalPages::AddPageTab(const QString& caption) {
  const bool rebuilding = rebuildingTabs_;
  rebuildingTabs_ = true;  // adding the first tab must not switch pages
  pagesTabControl_->TabBar()->addTab(caption);
  rebuildingTabs_ = rebuilding;
}

void TProposalPages::RemoveLastPageTab() {
  QTabBar* tabs = pagesTabControl_->TabBar();
  if (tabs->count() <= 2)
    return;  // "Proposer" and "Vehicle" stay
  const bool rebuilding = rebuildingTabs_;
  rebuildingTabs_ = true;  // removing the current tab must not switch pages
  tabs->removeTab(tabs->count() - 1);
  rebuildingTabs_ = rebuilding;
}

void TProposalPages::SetPageTabCaption(int index, const QString& caption) {
  pagesTabControl_->TabBar()->setTabText(index, caption);
}

void TProposalPages::SelectPageTab(int index) {
  rebuildingTabs_ = true;
  pagesTabControl_->TabBar()->setCurrentIndex(index);
  rebuildingTabs_ = false;
  PagesTabControlChange();
}

void TProposalPages::FocusDrivingRestrictions() {
  if (auto* field = vehiclePage_->findChild<QWidget*>(
          QLatin1String(FieldName::DrivingRestrictionsKwComboEdit)))
    field->setFocus(Qt::OtherFocusReason);
}

void TProposalPages::FitWidestPage() {
  // The window grows, within the screen, until its widest page shows whole; where the screen is
  // too small the client area scrolls.
  auto* scroll = window_->findChild<QScrollArea*>(QStringLiteral("ClientScrollArea"));
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
  const QSize size = window_->size();
  const QSize chrome = size - scroll->viewport()->size();
  const QScreen* shown = window_->screen();
  if (shown == nullptr)
    return;
  const QRect available = shown->availableGeometry();
  const QSize frame = window_->frameGeometry().size() - size;
  const QSize wanted = size.expandedTo(clientNeeds + chrome).boundedTo(available.size() - frame);
  if (wanted == size)
    return;
  window_->resize(wanted);
  // Still on the screen after growing.
  QRect placed = window_->frameGeometry();
  placed.moveRight(qMin(placed.right(), available.right()));
  placed.moveBottom(qMin(placed.bottom(), available.bottom()));
  window_->move(placed.topLeft());
}
