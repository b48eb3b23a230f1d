// The main window's construction: menu, speed bar, status bar, pages and the application-wide
// hooks; the first show; the Help and Debug menus.

#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
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
#include "app/quotehook.h"
#include "app/rates.h"
#include "app/recoverykeeper.h"
#include "app/resourceimages.h"
#include "app/whatsthis.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
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
const QString TTolvaneForm::kFileFilter = QStringLiteral("Insurance Quotation|*.PCD");

namespace {

// The window's size as designed, before scaling for the screen.
constexpr QSize kDesignSize(760, 560);
constexpr int kSpeedBarHeight = 29;

QAction* Separator(QMenu* menu, const QString& name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(name);
  return separator;
}

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
  CreatePages();
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
  dataFolder_ = DataFolderFor(programFolder_);
  ForceDirectories(dataFolder_);
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
  connect(start, &QAction::triggered, this, &TTolvaneForm::StartTrace);
  QAction* stop = debug->addAction(QStringLiteral("Stop Trace"));
  stop->setObjectName(QStringLiteral("StopTrace1"));
  connect(stop, &QAction::triggered, this, &TTolvaneForm::StopTrace);
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

void TTolvaneForm::CreatePages() {
  // The client area scrolls when the window is smaller than the pages need.
  auto* scroll = new QScrollArea(this);
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
  connect(proposerPage_, &TProposerDetailsKwTabsheetForm::PostcodeFollowed, vehiclePage_,
          &TVehicleKwTabsheetForm::ShowFollowedPostcode);
  nextPanel_ = new TFocusPanel(QStringLiteral("NextPanel"), true, client);
  nextPanel_->setAccessibleName(QStringLiteral("Next page"));
  column->addWidget(nextPanel_);
  focusPanel_ = new TFocusPanel(QStringLiteral("FocusPanel"), false, client);
  column->addWidget(focusPanel_);
  scroll->setWidget(client);
  setCentralWidget(scroll);
  ArrangeTabOrder();

  connect(pagesTabControl_->TabBar(), &QTabBar::currentChanged, this, [this] {
    if (!rebuildingTabs_)
      PagesTabControlChange();
  });
  connect(prevPanel_, &TFocusPanel::Entered, this, &TTolvaneForm::PrevPanelEnter);
  connect(nextPanel_, &TFocusPanel::Entered, this, &TTolvaneForm::NextPanelEnter);
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
      static_cast<QWidget*>(watched)->window() == this && PageKey(*static_cast<QKeyEvent*>(event)))
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
  // After the window is on the screen, so that the boxes of the start-up steps appear over it.
  QMetaObject::invokeMethod(this, &TTolvaneForm::FirstShow, Qt::QueuedConnection);
}

void TTolvaneForm::FirstShow() {
  FileNew();
  pagesTabControl_->setVisible(true);
  FitWidestPage();
  pagesTabControl_->setFocus(Qt::OtherFocusReason);  // the user starts on the page tabs
  if (splash_) {
    splash_->close();
    splash_->deleteLater();
  }
  TOptions* options = Options();
  if (options != nullptr && options->GetShowFirstHelp())
    ShowGettingStarted(this);
  AskAboutExpiredRates(Today());
  firstShowDone_ = true;
  emit FirstShowFinished();
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

void TTolvaneForm::UpdateQuoteCommands() {
  quoteMenuItem_->setEnabled(HasQuoteHandler());
  quoteSpeedItem_->setEnabled(HasQuoteHandler());
}

void TTolvaneForm::StartTrace() {
  ::StartTrace();
}

void TTolvaneForm::StopTrace() {
  try {
    const auto firstLine = ::StopTrace(UserDataFile(QStringLiteral("MemErr.log")).toStdString());
    if (firstLine && !ProgramEnding())
      Ask(PromptKind::Information, PromptButtons::Ok, QString::fromStdString(*firstLine));
  } catch (const EWriteError& error) {
    Ask(PromptKind::Error, PromptButtons::Ok, QString::fromStdString(error.what()));
  }
}
