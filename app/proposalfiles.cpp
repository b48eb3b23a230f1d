#include "app/proposalfiles.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

#include "app/hints.h"
#include "app/mainwindow.h"
#include "app/proposalpages.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/openproposal.h"
#include "motor/proposalfile.h"
#include "platform/prompt.h"

const QString TProposalFiles::kFileFilter = QStringLiteral("Insurance Quotation|*.PCD");

namespace {

const QString kUnableToOpen = QStringLiteral("Unable to open test case file");

}  // namespace

TProposalFiles::TProposalFiles(TTolvaneForm* window, TProposalPages* pages,
                               const QString& dataFolder, QLabel* fileNamePanel, QMenu* fileMenu,
                               QAction* marker, QAction* exitBar)
    : QObject(window),
      window_(window),
      pages_(pages),
      dataFolder_(dataFolder),
      fileNamePanel_(fileNamePanel),
      fileMenu_(fileMenu),
      marker_(marker),
      exitBar_(exitBar) {
  setObjectName(QStringLiteral("ProposalFiles"));
}

void TProposalFiles::ShowFileName(const QString& fileName) {
  // The name without folder and extension.
  fileNamePanel_->setText(fileName.isEmpty() ? QStringLiteral("<None>")
                                             : QFileInfo(fileName).completeBaseName());
}

bool TProposalFiles::FileNew() {
  if (!QuerySaveChanges())
    return false;
  pages_->ShowOnlyProposerPage();
  DsvClearAll();
  // The cover's default restriction is stored, so that the pages and the engine see one value.
  SetListValue(Id::DrivingRestriction, {CoverPath()},
               GetListValue(Id::DrivingRestriction, {CoverPath()}));
  pages_->RebuildPages();
  currentFileName_.clear();
  ShowFileName(QString());
  SelectMainTab(0);
  ClearModified();
  return true;
}

bool TProposalFiles::FileOpen(const QString& fileName) {
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
  const int shownTab = pages_->CurrentTab();
  pages_->ShowOnlyProposerPage();
  bool loaded = false;
  if (const DsvStatus status = OpenProposalFile(name); status != 0) {
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("Unable to open test case file with errorcode : %1\r%2")
            .arg(status)
            .arg(ProposalFileProblem(name, status, false)));
    pages_->RebuildPages();
    if (shownTab > 0)
      pages_->SelectPageTab(shownTab);
  } else {
    pages_->RebuildPages();
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

bool TProposalFiles::FileSave() {
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

bool TProposalFiles::FileSaveAs() {
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

bool TProposalFiles::FileExit() {
  if (!currentFileName_.isEmpty())
    AddRecentFile(currentFileName_);
  return window_->close();
}

bool TProposalFiles::RecoverProposal(const QString& copyFile, const QString& quotationFile) {
  HideHint();
  pages_->ShowOnlyProposerPage();
  // As Open: a copy that cannot be read leaves the proposal as it was.
  const bool loaded = OpenProposalFile(copyFile) == 0;
  pages_->RebuildPages();
  if (loaded) {
    currentFileName_ = quotationFile;
    ShowFileName(quotationFile);
    SelectMainTab(0);
    // Recovered is not saved: the close query still asks, and Save writes it.
    MarkModified();
  }
  ShowHintFor(QApplication::focusWidget());
  return loaded;
}

void TProposalFiles::RemoveRecentFileItems() {
  for (QAction* item : recentFileItems_) {
    fileMenu_->removeAction(item);
    item->deleteLater();
  }
  recentFileItems_.clear();
}

void TProposalFiles::AppendRecentFileItem(const QString& caption, const QString& fileName) {
  auto* item = new QAction(caption, fileMenu_);
  item->setObjectName(QStringLiteral("RecentFile%1").arg(recentFileItems_.size() + 1));
  item->setStatusTip(fileName);
  fileMenu_->insertAction(exitBar_, item);
  connect(item, &QAction::triggered, this, [this, fileName] {
    window_->RunCommand([this, fileName] { return FileOpen(fileName); });
  });
  recentFileItems_.append(item);
}

void TProposalFiles::SetRecentFilesMarkerVisible(bool visible) {
  marker_->setVisible(visible);
}
