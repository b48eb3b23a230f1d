#include "capture/proposerpage.h"

TProposerDetailsKwTabsheetForm::TProposerDetailsKwTabsheetForm(QWidget* parent)
    : TCapturePage(parent) {
  setObjectName(QStringLiteral("TProposerDetailsKwTabsheetForm"));
}

void TProposerDetailsKwTabsheetForm::LoadDetails() {
  // The proposer's fields read themselves back here once the page has them.
}
