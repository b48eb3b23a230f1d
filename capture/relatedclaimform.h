#pragma once
// TRelatedClaimForm: picks the claim of the driver's claims that came of a conviction (the same
// incident). A claim can be entered on the way through the claims dialog.

#include "capture/capturedialog.h"
#include "capture/claimrecords.h"

class TRelatedClaimForm : public TCaptureDialog {
  Q_OBJECT

 public:
  TRelatedClaimForm(QWidget* owner, TConvictionRecord& conviction, int driver, TClaimList& claims);

  // The cancel button.
  void reject() override;

 protected:
  void CloseClicked() override;

 private:
  void RefreshList();
  void OkClicked();
  void NewClaim();

  TConvictionRecord& conviction_;
  int driver_;
  TClaimList& claims_;
  QTreeWidget* list_ = nullptr;
};

// Runs the dialog for the conviction; on OK the chosen claim and the conviction are related to
// each other (and to nothing else). True when it ended with OK.
bool ExecuteRelatedClaim(QWidget* owner, TConvictionRecord& conviction, int driver,
                         TClaimList& claims);
