// The main window: construction (menu, speed bar, status bar, the pages and the file commands,
// the application-wide hooks), the command wrapper and field errors, focus changes, the first
// show, the Help and Debug menus, and the binding's view of the window.

#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <utility>

#include "app/aboutform.h"
#include "app/clientpanel.h"
#include "app/datafolder.h"
#include "app/gettingstarted.h"
#include "app/helpviewer.h"
#include "app/hints.h"
#include "app/hintwindow.h"
#include "app/pagetabcontrol.h"
#include "app/proposalfiles.h"
#include "app/proposalpages.h"
#include "app/quotehook.h"
#include "app/rates.h"
#include "app/recoverykeeper.h"
#include "app/resourceimages.h"
#include "app/whatsthis.h"
#include "controls/editedfield.h"
#include "controls/fieldhelp.h"
#include "controls/today.h"
#include "dataserver/binarystream.h"
#include "dataserver/tracker.h"
#include "motor/modifiedstate.h"
#include "motor/seams.h"
#include "platform/userdatafolder.h"
#include "settings/options.h"

const QString TTolvaneForm::kCaption =
    QStringLiteral("Quillmarsh - For Help and advice call now on 01632 960123");

namespace {

// The window's size as designed, before scaling for the screen.
constexpr QSize kDesignSize(760, 560);
constexpr int kSpeedBarHeight = 29;

QAction* Separator(QMenu* menu, const QString& name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(name);
  return separator;
}

// Enabled and shown, in a window that can take the focus.
bool CanFocus(const QWidget* control) {
  return control != nullptr && control->isVisible() && control->isEnabled();
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

TTolvaneForm::TTolvaneForm(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder) {
  setObjectName(QStringLiteral("TTolvaneForm"));
  setWindowTitle(kCaption);
  setWindowIcon(ImageIcon(QStringLiteral("quillmarsh")));
  recoveryKeeper_ = new TRecoveryKeeper(this);
  CreateMenu();
  CreateSpeedBar();
  CreateStatusBar();
  pages_ = new TProposalPages(
      this, [this](const std::function<bool()>& command) { return RunCommand(command); });
  files_ = new TProposalFiles(this, pages_, DataFolderFor(programFolder_), fileNamePanel_,
                              fileMenu_, mruMenuItem_, exitBarMenuItem_);
  // The binding's helpers act on this window while it exists.
  previousLink_ = std::exchange(TMotorSeams::Current().mainWindowLink, this);

  // 1. Scale for the screen's pixel density.
  resize(kDesignSize);
  ScaleMainForm(this);
  // 2. The proposer page shows on tab 0 (the tabs themselves come with the first New).
  // 3. Hint commands only with a hint file; the setting keeps hints off without one.
  toolTipsMenuItem_->setEnabled(HintFileLoaded());
  hintsSpeedItem_->setEnabled(HintFileLoaded());
  if (TOptions* options = Options()) {
    options->SetHintsActive(options->GetHintsActive() && HintFileLoaded());
    const bool on = options->GetHintsActive();
    hintsOnMenuItem_->setChecked(on);
    hintsOffMenuItem_->setChecked(!on);
    toolTipsMenuItem_->setChecked(on);
  }
  // 4. Focus changes, form changes, help requests, activation.
  InstallHooks();
  // 5. The help file named by the settings (ours when none).
  SetApplicationHelpFile(Options() != nullptr ? Options()->GetHelpFileName() : QString());
  // 6. The Data folder.
  ForceDirectories(files_->DataFolder());
  // 7. The recent files.
  RebuildRecentFilesMenu();
  UpdateQuoteCommands();
}

TTolvaneForm::~TTolvaneForm() {
  destroying_ = true;
  // The pages and controls go after this body: focus changes on the way reach nothing of ours.
  disconnect(qApp, nullptr, this, nullptr);
  if (TTvHintWindow* hints = HintWindow())
    disconnect(hints, nullptr, this, nullptr);
  disconnect(&ModifiedState(), nullptr, this, nullptr);
  HideHint();
  QuitHelp();
  TPlatformSeams::Current().fieldError = previousFieldErrorHandler_;
  if (MainWindowLink() == this)
    TMotorSeams::Current().mainWindowLink = previousLink_;
  qApp->removeEventFilter(this);
}

QAction* TTolvaneForm::AddMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                                      const QString& hint, const std::function<bool()>& command) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setToolTip(ShortHint(hint));
  action->setStatusTip(LongHint(hint));
  connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
  return action;
}

void TTolvaneForm::CreateMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("TvMenu"));

  fileMenu_ = bar->addMenu(QStringLiteral("&File"));
  fileMenu_->setObjectName(QStringLiteral("File1"));
  AddMenuCommand(fileMenu_, QStringLiteral("FileNew"), QStringLiteral("&New"), QString(),
                 [this] { return FileNew(); });
  AddMenuCommand(fileMenu_, QStringLiteral("FileOpen"), QStringLiteral("&Open"),
                 QStringLiteral("Open File|Select a file for editing"),
                 [this] { return FileOpen(); });
  AddMenuCommand(fileMenu_, QStringLiteral("FileSave"), QStringLiteral("&Save"),
                 QStringLiteral("Save File|Save the current details"),
                 [this] { return FileSave(); });
  AddMenuCommand(fileMenu_, QStringLiteral("SaveAs1"), QStringLiteral("Save &As"),
                 QStringLiteral("Save File As|Save the current file under a new name"),
                 [this] { return FileSaveAs(); });
  Separator(fileMenu_, QStringLiteral("N3"));
  AddMenuCommand(fileMenu_, QStringLiteral("DownloadUpdates"), QStringLiteral("&Download Updates"),
                 QString(), [] {
                   DownloadUpdates();
                   return true;
                 });
  quoteMenuItem_ = AddMenuCommand(
      fileMenu_, QStringLiteral("Quote1"), QStringLiteral("&Quote"),
      QStringLiteral("Calculate Quote|Use the entered details to get a quotation from the system"),
      [] { return StartQuote(true); });
  mruMenuItem_ = Separator(fileMenu_, QStringLiteral("MRUMenuItem"));
  mruMenuItem_->setEnabled(false);
  mruMenuItem_->setVisible(false);
  exitBarMenuItem_ = Separator(fileMenu_, QStringLiteral("ExitBarMenuItem"));
  AddMenuCommand(fileMenu_, QStringLiteral("Exit1"), QStringLiteral("&Exit"),
                 QStringLiteral("Exit|Close the application and return to windows"),
                 [this] { return FileExit(); });
  connect(fileMenu_, &QMenu::aboutToShow, this, &TTolvaneForm::UpdateQuoteCommands);

  helpMenu_ = bar->addMenu(QStringLiteral("&Help"));
  helpMenu_->setObjectName(QStringLiteral("Help1"));
  QAction* contents = helpMenu_->addAction(QStringLiteral("&Contents"));
  contents->setObjectName(QStringLiteral("Contents1"));
  contents->setToolTip(QStringLiteral("Help Contents"));
  contents->setStatusTip(QStringLiteral("Display the help contents screen"));
  connect(contents, &QAction::triggered, this, [] { ShowHelpContents(); });
  toolTipsMenuItem_ = helpMenu_->addAction(QStringLiteral("Display &Hints"));
  toolTipsMenuItem_->setObjectName(QStringLiteral("ToolTipsMenuItem"));
  toolTipsMenuItem_->setCheckable(true);
  toolTipsMenuItem_->setToolTip(QStringLiteral("Toggle hints"));
  toolTipsMenuItem_->setStatusTip(
      QStringLiteral("If checked then hints are constantly visible as you select different "
                     "controls, otherwise hints are not shown"));
  // The check mark is the state before the click: toggling turns the current state round.
  connect(toolTipsMenuItem_, &QAction::triggered, this,
          [this] { SetHints(!(Options() != nullptr && Options()->GetHintsActive())); });
  QAction* gettingStarted = helpMenu_->addAction(QStringLiteral("Getting &Started"));
  gettingStarted->setObjectName(QStringLiteral("SystemInfoMenuItem"));
  connect(gettingStarted, &QAction::triggered, this, [this] { ShowGettingStarted(this); });
  Separator(helpMenu_, QStringLiteral("N4"));
  QAction* about = helpMenu_->addAction(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("About1"));
  about->setToolTip(QStringLiteral("Show About"));
  about->setStatusTip(QStringLiteral("Show about dialog"));
  connect(about, &QAction::triggered, this, [this] { ShowAbout(this); });
  connect(helpMenu_, &QMenu::aboutToShow, this, &TTolvaneForm::HelpMenuPopup);

  // A diagnostic for the developers: not shown to users.
  QMenu* debug = bar->addMenu(QStringLiteral("Debug"));
  debug->setObjectName(QStringLiteral("Debug1"));
  debug->menuAction()->setVisible(false);
  QAction* start = debug->addAction(QStringLiteral("Start Tarce"));
  start->setObjectName(QStringLiteral("StartTarce1"));
  connect(start, &QAction::triggered, this, &TTolvaneForm::StartTarce1Click);
  QAction* stop = debug->addAction(QStringLiteral("Stop Trace"));
  stop->setObjectName(QStringLiteral("StopTrace1"));
  connect(stop, &QAction::triggered, this, &TTolvaneForm::StopTrace1Click);
}

QToolButton* TTolvaneForm::AddSpeedItem(QToolBar* bar, const QString& name, const QString& caption,
                                        const QString& hint, const QString& glyph) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(caption);
  button->setIcon(ImageIcon(glyph));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);  // flat
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolTip(ShortHint(hint));
  button->setStatusTip(LongHint(hint));
  bar->addWidget(button);
  return button;
}

void TTolvaneForm::CreateSpeedBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Speed bar"));
  bar->setObjectName(QStringLiteral("ButtonsSpeedBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(16, 16));
  bar->setMinimumHeight(kSpeedBarHeight);
  bar->toggleViewAction()->setEnabled(false);
  const auto command = [this](QToolButton* button, std::function<bool()> run) {
    connect(button, &QToolButton::clicked, this, [this, run] { RunCommand(run); });
  };
  // Section "File".
  command(AddSpeedItem(bar, QStringLiteral("FileNewSpeedItem"), QStringLiteral("New"),
                       QStringLiteral("Create a new quotation"), QStringLiteral("new")),
          [this] { return FileNew(); });
  command(AddSpeedItem(bar, QStringLiteral("FileOpenSpeedItem"), QStringLiteral("Open"),
                       QStringLiteral("Open an existing quotation"), QStringLiteral("open")),
          [this] { return FileOpen(); });
  command(AddSpeedItem(bar, QStringLiteral("FileSaveSpeedItem"), QStringLiteral("Save"),
                       QStringLiteral("Save the current quotation"), QStringLiteral("save")),
          [this] { return FileSave(); });
  command(AddSpeedItem(bar, QStringLiteral("FileCloseSpeedItem"), QStringLiteral("Exit"),
                       QStringLiteral("Exit Quillmarsh"), QStringLiteral("exit")),
          [this] { return FileExit(); });
  bar->addSeparator()->setObjectName(QStringLiteral("QuoteSection"));
  // Section "Quote".
  quoteSpeedItem_ =
      AddSpeedItem(bar, QStringLiteral("QuoteSpeedItem"), QStringLiteral("Quote"),
                   QStringLiteral("Generate comparative quotations"), QStringLiteral("quote"));
  command(quoteSpeedItem_, [] { return StartQuote(true); });
  bar->addSeparator()->setObjectName(QStringLiteral("HelpSection"));
  // Section "Help".
  QToolButton* whatsThis =
      AddSpeedItem(bar, QStringLiteral("WhatsThisSpeedItem"), QStringLiteral("What is"),
                   QStringLiteral("Whats This"), QStringLiteral("whatis"));
  connect(whatsThis, &QToolButton::clicked, this, [] { TWhatsThisMode::Start(); });
  // Hidden, as designed: F1 on a field is the way to its help.
  for (QAction* item : bar->actions()) {
    if (bar->widgetForAction(item) == whatsThis)
      item->setVisible(false);
  }
  QToolButton* contents =
      AddSpeedItem(bar, QStringLiteral("ContentsSpeedItem"), QStringLiteral("Help"),
                   QStringLiteral("Help Contents"), QStringLiteral("help"));
  connect(contents, &QToolButton::clicked, this, [] { ShowHelpContents(); });
  hintsSpeedItem_ =
      AddSpeedItem(bar, QStringLiteral("ToolTipsOnOffSpeedItem"), QStringLiteral("Hints"),
                   QStringLiteral("Turn Hints On / Off"), QStringLiteral("hints"));
  auto* hintsMenu = new QMenu(hintsSpeedItem_);
  hintsMenu->setObjectName(QStringLiteral("HintsPopupMenu"));
  hintsOnMenuItem_ = hintsMenu->addAction(QStringLiteral("Turn Hints On"));
  hintsOnMenuItem_->setObjectName(QStringLiteral("HintsOnMenuItem"));
  hintsOnMenuItem_->setCheckable(true);
  hintsOffMenuItem_ = hintsMenu->addAction(QStringLiteral("Turn Hints Off"));
  hintsOffMenuItem_->setObjectName(QStringLiteral("HintsOffMenuItem"));
  hintsOffMenuItem_->setCheckable(true);
  connect(hintsOnMenuItem_, &QAction::triggered, this, [this] { SetHints(true); });
  connect(hintsOffMenuItem_, &QAction::triggered, this, [this] { SetHints(false); });
  hintsSpeedItem_->setMenu(hintsMenu);
  hintsSpeedItem_->setPopupMode(QToolButton::InstantPopup);
}

void TTolvaneForm::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(true);
  const auto panel = [bar](const QString& name, int width, int stretch) {
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(width);
    bar->addPermanentWidget(label, stretch);
    return label;
  };
  hintPanel_ = panel(QStringLiteral("HintStatusPanel"), 400, 1);
  fileNamePanel_ = panel(QStringLiteral("FileNameStatusPanel"), 150, 0);
  modifiedPanel_ = panel(QStringLiteral("ModifiedStatusPanel"), 50, 0);
  modifiedPanel_->setMinimumWidth(
      qMax(50, modifiedPanel_->fontMetrics().horizontalAdvance(QStringLiteral("Modified")) + 12));
  fileNamePanel_->setText(QStringLiteral("<None>"));
  connect(&ModifiedState(), &TModifiedState::modifiedChanged, this, [this](bool modified) {
    ShowModified(modified);
    recoveryKeeper_->ModifiedChanged(modified);
  });
}

void TTolvaneForm::InstallHooks() {
  connect(qApp, &QApplication::focusChanged, this, &TTolvaneForm::ScreenFocusChanged);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
    if (!destroying_)
      HideHint();
  });
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (destroying_)
      return;
    if (s == Qt::ApplicationActive)
      ShowHintFor(QApplication::focusWidget());
    else
      HideHint();
  });
  qApp->installEventFilter(this);  // F1 anywhere in the program, the page keys in the window
  previousFieldErrorHandler_ =
      std::exchange(TPlatformSeams::Current().fieldError,
                    [this](QObject* field, const QString& message, bool refocus) {
                      ShowFieldError(field, message, refocus);
                    });
  if (TTvHintWindow* hints = HintWindow())
    connect(hints, &TTvHintWindow::hintsOffRequested, this, [this] { SetHints(false); });
}

bool TTolvaneForm::event(QEvent* event) {
  // Menu and speed-bar hints go to the first status panel, like a focused control's hint.
  if (event->type() == QEvent::StatusTip) {
    hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TTolvaneForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
    HelpRequest();
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this &&
      pages_->PageKey(*static_cast<QKeyEvent*>(event)))
    return true;
  return QMainWindow::eventFilter(watched, event);
}

void TTolvaneForm::HelpRequest() {
  QWidget* control = QApplication::focusWidget();
  const int context = control != nullptr ? HelpContext(control) : 0;
  if (context == 0) {
    ShowHelpContents();
    return;
  }
  const QRect field = HintAnchorRect(control);
  ShowHelpPopup(context, field.bottomLeft() + QPoint(0, 1));
}

void TTolvaneForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShowStarted_)
    return;
  firstShowStarted_ = true;
  // The splash has done its work once the window is up. It goes now, not after the first
  // show's steps, so that its picture is not held while the window is first painted and laid
  // out (the highest memory of the start-up).
  if (splash_) {
    splash_->close();
    delete splash_;
  }
  // The empty proposal on its pages, and the window grown to its widest page, before the
  // window is on the screen: it appears at its size, painted once, rather than growing after.
  FileNew();
  pages_->Show();
  // After the window is on the screen, so that the boxes of the start-up steps appear over it.
  QMetaObject::invokeMethod(this, &TTolvaneForm::FirstShow, Qt::QueuedConnection);
}

void TTolvaneForm::FirstShow() {
  TOptions* options = Options();
  if (options != nullptr && options->GetShowFirstHelp())
    ShowGettingStarted(this);
  AskAboutExpiredRates(Today());
  firstShowDone_ = true;
  emit firstShowFinished();
}

void TTolvaneForm::closeEvent(QCloseEvent* event) {
  // However the window is closed (File > Exit, its close button, Alt+F4, the end of the
  // session), the field being edited stores its answer before the close query reads them.
  if (!RunCommand([] { return QuerySaveChanges(); })) {
    event->ignore();
    return;
  }
  HideHint();
  QuitHelp();
  recoveryKeeper_->WindowClosed();
  event->accept();
}

void TTolvaneForm::HelpMenuPopup() {
  toolTipsMenuItem_->setChecked(Options() != nullptr && Options()->GetHintsActive());
}

void TTolvaneForm::SetHints(bool on) {
  toolTipsMenuItem_->setChecked(on);
  hintsOnMenuItem_->setChecked(on);
  hintsOffMenuItem_->setChecked(!on);
  if (TOptions* options = Options())
    options->SetHintsActive(on);  // shows or hides the hint window at once
}

bool TTolvaneForm::OfferRecovery() {
  return recoveryKeeper_->OfferLeftCopies();
}

void TTolvaneForm::UpdateQuoteCommands() {
  quoteMenuItem_->setEnabled(HasQuoteHandler());
  quoteSpeedItem_->setEnabled(HasQuoteHandler());
}

void TTolvaneForm::StartTarce1Click() {
  ::StartTrace();
}

void TTolvaneForm::StopTrace1Click() {
  try {
    const auto firstLine = ::StopTrace(UserDataFile(QStringLiteral("MemErr.log")).toStdString());
    if (firstLine && !ProgramEnding())
      Ask(PromptKind::Information, PromptButtons::Ok, QString::fromStdString(*firstLine));
  } catch (const EWriteError& error) {
    Ask(PromptKind::Error, PromptButtons::Ok, QString::fromStdString(error.what()));
  }
}

// ---- The command wrapper and field errors -----------------------------------------------------

bool TTolvaneForm::RunCommand(const std::function<bool()>& command) {
  TScope inProgress(commandInProgress_);
  validationFailed_ = false;
  QPointer<QWidget> remembered = focusWidget();
  QWidget* focusPanel = pages_->FocusPanel();
  // Leaving the field makes it store its value (or refuse it, itself or through ShowFieldError).
  const bool stored = !CanFocus(focusPanel) || StoreEditedField(focusPanel);
  bool result = false;
  if (stored && !validationFailed_)
    result = command();
  // A failed command gives the focus back. So does one that left it on the invisible FocusPanel
  // (Save, for one), from which Tab would jump to another page.
  if ((!result || focusWidget() == focusPanel) && CanFocus(remembered))
    remembered->setFocus(Qt::OtherFocusReason);
  return result;
}

void TTolvaneForm::ShowFieldError(QObject* field, const QString& message, bool refocus) {
  validationFailed_ = true;
  QWidget* focusPanel = pages_->FocusPanel();
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr)  // no window of the program is active: the window's own focus counts
    focused = focusWidget();
  auto* control = qobject_cast<QWidget*>(field);
  if (!commandInProgress_ && focused == focusPanel)
    return;
  if (focused != focusPanel) {
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

// ---- Focus changes and the status bar ---------------------------------------------------------

void TTolvaneForm::ScreenFocusChanged(QWidget* /*old*/, QWidget* now) {
  // Switching to another program leaves the field as it is.
  if (destroying_ || now == nullptr || now == focusHighlight_.Control())
    return;
  focusHighlight_.Follow(now);
  QWidget* target = HintTarget(now);
  hintPanel_->setText(target->statusTip().isEmpty() ? now->statusTip() : target->statusTip());
  ShowHintFor(target);
  emit focusedControlChanged(now);
}

void TTolvaneForm::ShowModified(bool modified) {
  modifiedPanel_->setText(modified ? QStringLiteral("Modified") : QString());
}

// ---- The binding's view of the window ---------------------------------------------------------

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
