// The main window's side of crash recovery: the offer at start-up and loading a recovery copy.

#include <QApplication>

#include "app/hints.h"
#include "app/mainwindow.h"
#include "app/recoverykeeper.h"
#include "motor/openproposal.h"

bool TTolvaneForm::OfferRecovery() {
  return recoveryKeeper_->OfferLeftCopies();
}

bool TTolvaneForm::RecoverProposal(const QString& copyFile, const QString& quotationFile) {
  HideHint();
  ShowOnlyProposerPage();
  // As Open: a copy that cannot be read leaves the proposal as it was.
  const bool loaded = OpenProposalFile(copyFile) == 0;
  RebuildPages();
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
