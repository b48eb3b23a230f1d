#pragma once
// TProposerDetailsKwTabsheetForm: the capture page of the proposer (tab "Proposer").

#include "capture/capturepage.h"

class TProposerDetailsKwTabsheetForm : public TCapturePage {
  Q_OBJECT

 public:
  explicit TProposerDetailsKwTabsheetForm(QWidget* parent = nullptr);

  void LoadDetails() override;
};
