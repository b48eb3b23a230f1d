#pragma once
// TTolvaneForm: the main window. Its menu, speed bar and status bar, the command wrapper through
// which every command runs, the field-error message the pages raise, hints and help, and the
// first show. The pages (app/proposalpages.h) and the file commands (app/proposalfiles.h) are
// objects of their own that the window owns; the window's commands and the binding's view of
// the window (TMainWindowLink) pass on to them.
//
// While it exists the window is the motor seams' main window and the platform seams' handler of
// field errors (app/seams.h), and it shows the modified state (motor/modifiedstate.h).

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>

#include "app/focushighlight.h"
#include "app/proposalfiles.h"
#include "app/proposalpages.h"
#include "motor/mainwindowlink.h"
#include "platform/prompt.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TDrivingDetailsKwTabsheetForm;
class TPageTabControl;
class TProposerDetailsKwTabsheetForm;
class TRecoveryKeeper;
class TVehicleKwTabsheetForm;

class TTolvaneForm : public QMainWindow, public TMainWindowLink {
  Q_OBJECT

 public:
  static const QString kCaption;

  // programFolder: where the program lies; the "Data" folder is found from it.
  explicit TTolvaneForm(const QString& programFolder, QWidget* parent = nullptr);
  ~TTolvaneForm() override;

  // ---- The command wrapper: makes the field being edited store its value (by moving the focus
  // to FocusPanel), then runs the command unless that field refused its value; when the command
  // answers false the focus goes back to the field it came from.
  bool RunCommand(const std::function<bool()>& command);
  // A field's value was refused (the platform seams' field-error handler while the window exists).
  void ShowFieldError(QObject* field, const QString& message, bool refocus);

  TProposalPages* Pages() const { return pages_; }
  TProposalFiles* Files() const { return files_; }

  // ---- File commands (app/proposalfiles.h); each answers whether it did its work.
  bool FileNew() { return files_->FileNew(); }
  bool FileOpen(const QString& fileName = QString()) { return files_->FileOpen(fileName); }
  bool FileSave() { return files_->FileSave(); }
  bool FileSaveAs() { return files_->FileSaveAs(); }
  bool FileExit() { return files_->FileExit(); }
  QString DataFolder() const { return files_->DataFolder(); }

  // ---- The recovery copy of the proposal being typed (app/recoverykeeper.h).
  TRecoveryKeeper* RecoveryKeeper() const { return recoveryKeeper_; }
  // After the first show: offers back a proposal a crash left; true when the window now holds it.
  bool OfferRecovery();
  bool RecoverProposal(const QString& copyFile, const QString& quotationFile) {
    return files_->RecoverProposal(copyFile, quotationFile);
  }

  // ---- Pages (app/proposalpages.h).
  void RebuildPages() { pages_->RebuildPages(); }
  TProposerDetailsKwTabsheetForm* ProposerPage() const { return pages_->ProposerPage(); }
  TVehicleKwTabsheetForm* VehiclePage() const { return pages_->VehiclePage(); }
  TDrivingDetailsKwTabsheetForm* DrivingPage() const { return pages_->DrivingPage(); }
  TPageTabControl* PagesTabControl() const { return pages_->PagesTabControl(); }

  // ---- Hints: "Display &Hints", "Turn Hints On" and "Turn Hints Off".
  void SetHints(bool on);
  // Enables the Quote commands when a quotation workflow has filled in its handler.
  void UpdateQuoteCommands();

  // The splash form, released the first time the window is shown.
  void SetSplash(QWidget* splash) { splash_ = splash; }
  bool FirstShowDone() const { return firstShowDone_; }

  // ---- TMainWindowLink.
  int PageTabCount() const override { return pages_->PageTabCount(); }
  void AddPageTab(const QString& caption) override { pages_->AddPageTab(caption); }
  void SelectPageTab(int index) override { pages_->SelectPageTab(index); }
  void RemoveLastPageTab() override { pages_->RemoveLastPageTab(); }
  void SetPageTabCaption(int index, const QString& caption) override {
    pages_->SetPageTabCaption(index, caption);
  }
  bool SaveProposal() override { return FileSave(); }
  QString CurrentFileName() const override { return files_->CurrentFileName(); }
  void FocusDrivingRestrictions() override { pages_->FocusDrivingRestrictions(); }
  void SetControlEnabled(QObject* control, bool enabled) override;
  double ScreenScaleFactor() const override;
  QSize FormSize(QObject* form) const override;
  void ResizeForm(QObject* form, const QSize& size) override;
  void SetScrollRangesToClientSize(QObject* form) override;
  void RemoveRecentFileItems() override { files_->RemoveRecentFileItems(); }
  void AppendRecentFileItem(const QString& caption, const QString& fileName) override {
    files_->AppendRecentFileItem(caption, fileName);
  }
  void SetRecentFilesMarkerVisible(bool visible) override {
    files_->SetRecentFilesMarkerVisible(visible);
  }

 signals:
  // Every time the focused control changes (the missing-data form follows it).
  void focusedControlChanged(QWidget* control);
  // The start-up steps of the first show have run.
  void firstShowFinished();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenu();
  void CreateSpeedBar();
  void CreateStatusBar();
  QAction* AddMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                          const QString& hint, const std::function<bool()>& command);
  QToolButton* AddSpeedItem(QToolBar* bar, const QString& name, const QString& caption,
                            const QString& hint, const QString& glyph);
  void InstallHooks();
  void FirstShow();
  void ScreenFocusChanged(QWidget* old, QWidget* now);
  void ShowModified(bool modified);
  void HelpMenuPopup();
  void HelpRequest();
  // The hidden Debug menu's "Start Tarce" and "Stop Trace".
  void StartTarce1Click();
  void StopTrace1Click();

  QString programFolder_;
  TRecoveryKeeper* recoveryKeeper_ = nullptr;
  TProposalPages* pages_ = nullptr;
  TProposalFiles* files_ = nullptr;

  QMenu* fileMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QAction* quoteMenuItem_ = nullptr;
  QAction* mruMenuItem_ = nullptr;
  QAction* exitBarMenuItem_ = nullptr;
  QAction* toolTipsMenuItem_ = nullptr;
  QAction* hintsOnMenuItem_ = nullptr;
  QAction* hintsOffMenuItem_ = nullptr;
  QToolButton* quoteSpeedItem_ = nullptr;
  QToolButton* hintsSpeedItem_ = nullptr;
  QLabel* hintPanel_ = nullptr;
  QLabel* fileNamePanel_ = nullptr;
  QLabel* modifiedPanel_ = nullptr;

  TFocusHighlight focusHighlight_;
  QPointer<QWidget> splash_;
  bool firstShowDone_ = false;
  bool firstShowStarted_ = false;
  bool commandInProgress_ = false;
  bool validationFailed_ = false;
  bool destroying_ = false;

  TMainWindowLink* previousLink_ = nullptr;
  FieldErrorHandler previousFieldErrorHandler_;
};
