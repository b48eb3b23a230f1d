#pragma once
// TProposalPages: the main window's client area. The page tabs host the three capture pages;
// PrevPanel and NextPanel either side of them take Tab on to the previous or next page (and
// past the last page to a quotation); the invisible FocusPanel takes the focus when a command
// makes the field being edited store its value. Also the tab order, Ctrl+Tab and Ctrl+PgUp/PgDn
// between pages, and growing the window until its widest page shows.

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QMainWindow;
class QWidget;
class TDrivingDetailsKwTabsheetForm;
class TFocusPanel;
class TPageTabControl;
class TProposerDetailsKwTabsheetForm;
class TVehicleKwTabsheetForm;

class TProposalPages : public QObject {
  Q_OBJECT

 public:
  // Runs a command as the window runs its commands: the field being edited stores its value
  // first, and a value it refuses stops the command (false).
  using TCommandRunner = std::function<bool(const std::function<bool()>& command)>;

  // Builds the client area as the window's central widget; the tabs stay hidden until Show.
  // Page steps and the quotation after the last page run through `runCommand`.
  TProposalPages(QMainWindow* window, TCommandRunner runCommand);

  TProposerDetailsKwTabsheetForm* ProposerPage() const { return proposerPage_; }
  TVehicleKwTabsheetForm* VehiclePage() const { return vehiclePage_; }
  TDrivingDetailsKwTabsheetForm* DrivingPage() const { return drivingPage_; }
  TPageTabControl* PagesTabControl() const { return pagesTabControl_; }
  TFocusPanel* FocusPanel() const { return focusPanel_; }

  // The first show, before the window is on the screen: the tabs appear, the window grows to
  // its widest page and the user starts on the page tabs.
  void Show();
  // Rebuilds the tabs from the driving restriction and reloads every page from the Data Server.
  void RebuildPages();
  // Tab 0 and the proposer page, without the tab change's own handling.
  void ShowOnlyProposerPage();
  int CurrentTab() const;

  // Ctrl+Tab, Ctrl+PgDn and their backward keys move between the page tabs from anywhere in
  // the window; true when the key was one of them.
  bool PageKey(const QKeyEvent& key);

  int PageTabCount() const;
  void AddPageTab(const QString& caption);
  // Selects the tab and switches pages as a tab change by the user does.
  void SelectPageTab(int index);
  void RemoveLastPageTab();
  void SetPageTabCaption(int index, const QString& caption);
  void FocusDrivingRestrictions();

 private:
  void PagesTabControlChange();
  void ArrangeTabOrder();
  bool TabControlVisible() const;
  void PrevPanelEnter();
  void NextPanelEnter();
  void StepPage(int step);
  void FitWidestPage();

  QMainWindow* window_;
  TCommandRunner runCommand_;
  TProposerDetailsKwTabsheetForm* proposerPage_ = nullptr;
  TVehicleKwTabsheetForm* vehiclePage_ = nullptr;
  TDrivingDetailsKwTabsheetForm* drivingPage_ = nullptr;
  TPageTabControl* pagesTabControl_ = nullptr;
  TFocusPanel* prevPanel_ = nullptr;
  TFocusPanel* nextPanel_ = nullptr;
  TFocusPanel* focusPanel_ = nullptr;
  // Set while the program changes the tabs itself: the tab change then switches no pages.
  bool rebuildingTabs_ = false;
};
