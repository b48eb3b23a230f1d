#pragma once
// TProposalFiles: the main window's file commands (New, Open, Save, Save As, Exit), the file of
// the proposal in the window and its name in the status bar, loading a recovery copy, and the
// recent-file items of the File menu.

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class TProposalPages;
class TTolvaneForm;

class TProposalFiles : public QObject {
  Q_OBJECT

 public:
  // The filter of the open and save dialogs.
  static const QString kFileFilter;

  // dataFolder: where the open and save dialogs start. The file's name shows in fileNamePanel;
  // the recent files go between the marker and exitBar of fileMenu.
  TProposalFiles(TTolvaneForm* window, TProposalPages* pages, const QString& dataFolder,
                 QLabel* fileNamePanel, QMenu* fileMenu, QAction* marker, QAction* exitBar);

  // Each answers whether it did its work.
  bool FileNew();
  // Opens the named file, or the file chosen in the open dialog when no name is given.
  bool FileOpen(const QString& fileName = QString());
  bool FileSave();
  bool FileSaveAs();
  // Closes the window (after the close query); false when the user kept it open.
  bool FileExit();
  QString CurrentFileName() const { return currentFileName_; }
  QString DataFolder() const { return dataFolder_; }

  // Loads a recovery copy as the proposal: its pages shown, "Modified", and quotationFile (empty
  // for one never saved) the current file, so that Save writes where the user meant to. False,
  // with the proposal as it was, when the copy cannot be read.
  bool RecoverProposal(const QString& copyFile, const QString& quotationFile);

  // The recent-file items.
  void RemoveRecentFileItems();
  // Appends an item after the ones already there; clicking it opens fileName through the
  // window's command wrapper.
  void AppendRecentFileItem(const QString& caption, const QString& fileName);
  void SetRecentFilesMarkerVisible(bool visible);

 private:
  void ShowFileName(const QString& fileName);

  TTolvaneForm* window_;
  TProposalPages* pages_;
  QString dataFolder_;
  QString currentFileName_;
  QLabel* fileNamePanel_;
  QMenu* fileMenu_;
  QAction* marker_;
  QAction* exitBar_;
  QList<QAction*> recentFileItems_;
};
