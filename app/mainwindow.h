#pragma once
// TTolvaneForm: the main window. Its menu, speed bar and status bar, the page tabs hosting the
// three capture pages, the quotation file commands, the page navigation, the command wrapper
// through which every command runs, and the field-error message the pages raise.
//
// The window installs itself as the binding's main window (motor/mainwindowlink.h), as the
// handler of field errors (platform/prompt.h) and as the listener of the modified flag.

#include <QMainWindow>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <functional>

#include "motor/getmotordsv.h"
#include "motor/mainwindowlink.h"
#include "platform/prompt.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TDrivingDetailsKwTabsheetForm;
class TFocusPanel;
class TPageTabControl;
class TProposerDetailsKwTabsheetForm;
class TRecoveryKeeper;
class TVehicleKwTabsheetForm;

class TTolvaneForm : public QMainWindow, public TMainWindowLink {
  Q_OBJECT

 public:
  static const QString kCaption;
  // The filter of the open and save dialogs.
  static const QString kFileFilter;

  // programFolder: where the program lies; the "Data" folder is found from it.
  explicit TTolvaneForm(const QString& programFolder, QWidget* parent = nullptr);
  ~TTolvaneForm() override;

  // ---- The command wrapper: makes the field being edited store its value (by moving the focus
  // to FocusPanel), then runs the command unless that field refused its value; when the command
  // answers false the focus goes back to the field it came from.
  bool RunCommand(const std::function<bool()>& command);
  // A field's value was refused (installed as the program's field-error handler).
  void ShowFieldError(QObject* field, const QString& message, bool refocus);

  // ---- File commands; each answers whether it did its work.
  bool FileNew();
  // Opens the named file, or the file chosen in the open dialog when no name is given.
  bool FileOpen(const QString& fileName = QString());
  bool FileSave();
  bool FileSaveAs();
  // Closes the window (after the close query); false when the user kept it open.
  bool FileExit();
  QString DataFolder() const { return dataFolder_; }

  // ---- The recovery copy of the proposal being typed (app/recoverykeeper.h).
  TRecoveryKeeper* RecoveryKeeper() const { return recoveryKeeper_; }
  // After the first show: offers back a proposal a crash left; true when the window now holds it.
  bool OfferRecovery();
  // Loads a recovery copy as the proposal: its pages shown, "Modified", and quotationFile (empty
  // for one never saved) the current file, so that Save writes where the user meant to. False,
  // with the proposal as it was, when the copy cannot be read.
  bool RecoverProposal(const QString& copyFile, const QString& quotationFile);

  // ---- Pages.
  // Rebuilds the tabs from the driving restriction and reloads every page from the Data Server.
  void RebuildPages();
  TProposerDetailsKwTabsheetForm* ProposerPage() const { return proposerPage_; }
  TVehicleKwTabsheetForm* VehiclePage() const { return vehiclePage_; }
  TDrivingDetailsKwTabsheetForm* DrivingPage() const { return drivingPage_; }
  TPageTabControl* PagesTabControl() const { return pagesTabControl_; }

  // ---- Hints: "Display &Hints", "Turn Hints On" and "Turn Hints Off".
  void SetHints(bool on);
  // Enables the Quote commands when a quotation workflow is installed (app/quotehook.h).
  void UpdateQuoteCommands();

  // The splash form, released the first time the window is shown.
  void SetSplash(QWidget* splash) { splash_ = splash; }
  bool FirstShowDone() const { return firstShowDone_; }

  // ---- TMainWindowLink.
  int PageTabCount() const override;
  void AddPageTab(const QString& caption) override;
  void SelectPageTab(int index) override;
  void RemoveLastPageTab() override;
  void SetPageTabCaption(int index, const QString& caption) override;
  bool SaveProposal() override { return FileSave(); }
  QString CurrentFileName() const override { return currentFileName_; }
  void FocusDrivingRestrictions() override;
  void SetControlEnabled(QObject* control, bool enabled) override;
  double ScreenScaleFactor() const override;
  QSize FormSize(QObject* form) const override;
  void ResizeForm(QObject* form, const QSize& size) override;
  void SetScrollRangesToClientSize(QObject* form) override;
  void RemoveRecentFileItems() override;
  void AppendRecentFileItem(const QString& caption, const QString& fileName) override;
  void SetRecentFilesMarkerVisible(bool visible) override;

 signals:
  // Every time the focused control changes (the missing-data form follows it).
  void FocusedControlChanged(QWidget* control);
  // The start-up steps of the first show have run.
  void FirstShowFinished();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Construction (mainwindow.cpp).
  void CreateMenu();
  void CreateSpeedBar();
  void CreateStatusBar();
  void CreatePages();
  QAction* AddMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                          const QString& hint, const std::function<bool()>& command);
  QToolButton* AddSpeedItem(QToolBar* bar, const QString& name, const QString& caption,
                            const QString& hint, const QString& glyph);
  void InstallHooks();
  void FirstShow();
  void HelpMenuPopup();
  void HelpRequest();
  void StartTrace();
  void StopTrace();

  // File commands (mainwindowfiles.cpp).
  void ShowOnlyProposerPage();
  void FitWidestPage();
  void ShowFileName(const QString& fileName);
  void ShowModified(bool modified);

  // Focus and pages (mainwindowpages.cpp).
  void ScreenFocusChanged(QWidget* old, QWidget* now);
  void RestoreColour();
  void PagesTabControlChange();
  void PrevPanelEnter();
  void NextPanelEnter();
  // Ctrl+Tab, Ctrl+PgDn and their backward keys move between the page tabs from anywhere in
  // the window; true when the key was one of them.
  bool PageKey(const QKeyEvent& key);
  void StepPage(int step);
  bool TabControlVisible() const;
  void ArrangeTabOrder();

  QString programFolder_;
  QString dataFolder_;
  QString currentFileName_;
  TRecoveryKeeper* recoveryKeeper_ = nullptr;

  TProposerDetailsKwTabsheetForm* proposerPage_ = nullptr;
  TVehicleKwTabsheetForm* vehiclePage_ = nullptr;
  TDrivingDetailsKwTabsheetForm* drivingPage_ = nullptr;
  TPageTabControl* pagesTabControl_ = nullptr;
  TFocusPanel* prevPanel_ = nullptr;
  TFocusPanel* nextPanel_ = nullptr;
  TFocusPanel* focusPanel_ = nullptr;

  QMenu* fileMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QAction* quoteMenuItem_ = nullptr;
  QAction* mruMenuItem_ = nullptr;
  QAction* exitBarMenuItem_ = nullptr;
  QAction* toolTipsMenuItem_ = nullptr;
  QAction* hintsOnMenuItem_ = nullptr;
  QAction* hintsOffMenuItem_ = nullptr;
  QList<QAction*> recentFileItems_;
  QToolButton* quoteSpeedItem_ = nullptr;
  QToolButton* hintsSpeedItem_ = nullptr;
  QLabel* hintPanel_ = nullptr;
  QLabel* fileNamePanel_ = nullptr;
  QLabel* modifiedPanel_ = nullptr;

  // The control that last had the focus and the colours it had before it turned yellow.
  QPointer<QWidget> focusedControl_;
  QPalette savedPalette_;
  bool savedOwnPalette_ = false;
  bool savedAutoFill_ = false;
  bool coloured_ = false;

  QPointer<QWidget> splash_;
  bool firstShowDone_ = false;
  bool firstShowStarted_ = false;
  bool commandInProgress_ = false;
  bool validationFailed_ = false;
  bool destroying_ = false;
  bool rebuildingTabs_ = false;

  TMainWindowLink* previousLink_ = nullptr;
  FieldErrorHandler previousFieldErrorHandler_;
};
