#pragma once
// What the binding's helpers need from the main window. The main window implements this and
// fills itself in as the motor seams' link (motor/seams.h); tests fill in a fake. Qt Core only:
// forms and controls are passed as QObject*, and the main window acts on them as widgets.

#include <QObject>
#include <QSize>
#include <QString>

class TMainWindowLink {
 public:
  virtual ~TMainWindowLink() = default;

  // ---- PagesTabControl: "Proposer", "Vehicle", then one tab per additional driver.
  virtual int PageTabCount() const = 0;
  virtual void AddPageTab(const QString& caption) = 0;
  // Selects the tab and switches pages as a tab change by the user does.
  virtual void SelectPageTab(int index) = 0;
  // Removes the last tab (an additional driver's) without switching pages.
  virtual void RemoveLastPageTab() = 0;
  virtual void SetPageTabCaption(int index, const QString& caption) = 0;

  // ---- File commands.
  // The Save command (Save As when there is no current file); false when nothing was saved,
  // for example when the user cancelled the save dialog.
  virtual bool SaveProposal() = 0;
  // The file of the proposal in the window; empty for a proposal not yet saved.
  virtual QString CurrentFileName() const = 0;

  // ---- Focus.
  // Gives the focus to the vehicle page's driving-restrictions field.
  virtual void FocusDrivingRestrictions() = 0;

  // ---- Controls and forms.
  // Enables or disables one control; objects that are not controls (layouts ...) are ignored.
  virtual void SetControlEnabled(QObject* control, bool enabled) = 0;
  // Pixels per inch of the screen divided by 96.
  virtual double ScreenScaleFactor() const = 0;
  virtual QSize FormSize(QObject* form) const = 0;
  virtual void ResizeForm(QObject* form, const QSize& size) = 0;
  virtual void SetScrollRangesToClientSize(QObject* form) = 0;

  // ---- Recent-file menu (items between MRUMenuItem and ExitBarMenuItem).
  virtual void RemoveRecentFileItems() = 0;
  // Appends an item after the ones already there; clicking it opens fileName through the
  // command wrapper.
  virtual void AppendRecentFileItem(const QString& caption, const QString& fileName) = 0;
  // MRUMenuItem, the separator that marks the list.
  virtual void SetRecentFilesMarkerVisible(bool visible) = 0;
};

// The main window of the motor seams (motor/seams.h), or nullptr (before it is created, after it
// is gone, in tools).
TMainWindowLink* MainWindowLink();
