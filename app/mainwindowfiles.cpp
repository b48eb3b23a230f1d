// The main window's file commands: New, Open, Save, Save As, Exit and the recent-file menu.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabBar>

#include "app/hints.h"
#include "app/mainwindow.h"
#include "app/pagetabcontrol.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "dataserver/dsv.h"
#include "motor/identifiers.h"
#include "motor/openproposal.h"
#include "motor/proposalfile.h"

namespace {

const QString kUnableToOpen = QStringLiteral("Unable to open test case file");

}  // namespace

void TTolvaneForm::ShowOnlyProposerPage() {
  rebuildingTabs_ = true;
  pagesTabControl_->TabBar()->setCurrentIndex(0);
  rebuildingTabs_ = false;
  drivingPage_->SelectDriver(0);
  drivingPage_->hide();
  vehiclePage_->hide();
  proposerPage_->show();
}

void TTolvaneForm::ShowFileName(const QString& fileName) {
  // The name without folder and extension.
  fileNamePanel_->setText(fileName.isEmpty() ? QStringLiteral("<None>")
                                             : QFileInfo(fileName).completeBaseName());
}

void TTolvaneForm::ShowModified(bool modified) {
  modifiedPanel_->setText(modified ? QStringLiteral("Modified") : QString());
}

bool TTolvaneForm::FileNew() {
  if (!QuerySaveChanges())
    return false;
  ShowOnlyProposerPage();
  DsvClearAll();
  // The cover's default restriction is stored, so that the pages and the engine see one value.
  SetListValue(Id::DrivingRestriction, {CoverPath()},
               GetListValue(Id::DrivingRestriction, {CoverPath()}));
  RebuildPages();
  currentFileName_.clear();
  ShowFileName(QString());
  SelectMainTab(0);
  ClearModified();
  return true;
}

bool TTolvaneForm::FileOpen(const QString& fileName) {
  if (!QuerySaveChanges())
    return false;
  HideHint();
  QString name = fileName;
  if (name.isEmpty()) {
    FileDialogRequest request;
    request.initialFolder = dataFolder_;
    request.filter = kFileFilter;
    request.defaultExtension = QStringLiteral("pcd");
    name = Prompter().AskOpenFileName(request);
    if (name.isEmpty())
      return false;
  }
  // A failed Open leaves the window as it was: the same proposal on the same page, the same
  // file name and the same "Modified", so that Save cannot put an empty proposal over a good file.
  const int shownTab = pagesTabControl_->TabBar()->currentIndex();
  ShowOnlyProposerPage();
  bool loaded = false;
  if (const DsvStatus status = OpenProposalFile(name); status != 0) {
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to open test case file with errorcode : %1\r%2")
            .arg(status)
            .arg(ProposalFileProblem(name, status, false)));
    RebuildPages();
    if (shownTab > 0)
      SelectPageTab(shownTab);
  } else {
    RebuildPages();
    AddRecentFile(name);
    currentFileName_ = name;
    ClearModified();
    SelectMainTab(0);
    ShowFileName(name);
    loaded = true;
  }
  ShowHintFor(QApplication::focusWidget());
  return loaded;
}

bool TTolvaneForm::FileSave() {
  // A read-only file is not replaced behind the user's back: Save asks for a name instead.
  if (currentFileName_.isEmpty() || ProposalFileReadOnly(currentFileName_))
    return FileSaveAs();
  if (const DsvStatus status = SaveProposalFile(currentFileName_); status != 0) {
    // The proposal was not saved: it stays "Modified", and the caller (the close query, the
    // acceptance wizard) learns so.
    Ask(PromptKind::Error, PromptButtons::Ok,
        kUnableToOpen + QStringLiteral("\r") + ProposalFileProblem(currentFileName_, status, true));
    return false;
  }
  ClearModified();
  return true;
}

bool TTolvaneForm::FileSaveAs() {
  HideHint();
  const TPath proposer{DriverPath(0)};
  const QString forenames = GetStringValue(Id::Forenames, proposer);
  const QString surname = GetStringValue(Id::Surname, proposer);
  FileDialogRequest request;
  request.initialFolder = dataFolder_;
  request.filter = kFileFilter;
  request.defaultExtension = QStringLiteral("pcd");
  request.overwritePrompt = true;
  request.proposedName = forenames.isEmpty() && surname.isEmpty()
                             ? QStringLiteral("Untitled")
                             : (forenames + QLatin1Char(' ') + surname).trimmed();
  const QString name = Prompter().AskSaveFileName(request);
  bool saved = false;
  if (!name.isEmpty()) {
    if (const DsvStatus status = SaveProposalFile(name); status != 0) {
      Ask(PromptKind::Error, PromptButtons::Ok,
          kUnableToOpen + QStringLiteral("\r") + ProposalFileProblem(name, status, true));
    } else {
      AddRecentFile(name);
      currentFileName_ = name;
      ShowFileName(name);
      ClearModified();
      saved = true;
    }
  }
  ShowHintFor(QApplication::focusWidget());
  return saved;
}

bool TTolvaneForm::FileExit() {
  if (!currentFileName_.isEmpty())
    AddRecentFile(currentFileName_);
  return close();
}

void TTolvaneForm::RemoveRecentFileItems() {
  for (QAction* item : recentFileItems_) {
    fileMenu_->removeAction(item);
    item->deleteLater();
  }
  recentFileItems_.clear();
}

void TTolvaneForm::AppendRecentFileItem(const QString& caption, const QString& fileName) {
  auto* item = new QAction(caption, fileMenu_);
  item->setObjectName(QStringLiteral("RecentFile%1").arg(recentFileItems_.size() + 1));
  item->setStatusTip(fileName);
  fileMenu_->insertAction(exitBarMenuItem_, item);
  connect(item, &QAction::triggered, this,
          [this, fileName] { RunCommand([this, fileName] { return FileOpen(fileName); }); });
  recentFileItems_.append(item);
}

void TTolvaneForm::SetRecentFilesMarkerVisible(bool visible) {
  mruMenuItem_->setVisible(visible);
}
