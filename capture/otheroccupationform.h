#pragma once
// TOtherOccupationForm: a driver's part-time occupation (employer's business, occupation,
// employment status), written to the driver's occupation 1, (15, n), (34, 1), only on Close.

#include "capture/capturedialog.h"
#include "platform/codedstringlist.h"

class TKwComboEdit;

class TOtherOccupationForm : public TCaptureDialog {
  Q_OBJECT

 public:
  // `businesses`: the items of the page's business list.
  TOtherOccupationForm(QWidget* owner, int driver, const TCodedStringList& businesses);

 protected:
  // Writes a complete occupation and ends with OK; an occupation not chosen ends with Cancel;
  // anything else asks whether to give up the part-time occupation.
  void CloseClicked() override;

 private:
  TPath PartTime() const;
  void BusinessLeft();
  void OccupationLeft();
  void RebuildStatuses(std::int32_t business, std::int32_t occupationItem);

  int driver_;
  std::int32_t business_ = 0;        // the business the lists below were built for
  std::int32_t occupationItem_ = 0;  // likewise the occupation item
  TKwComboEdit* businessField_ = nullptr;
  TKwComboEdit* occupationField_ = nullptr;
  TKwComboEdit* statusField_ = nullptr;
  QPushButton* close_ = nullptr;
};

// True when the dialog ended with OK (the part-time occupation is stored).
bool ExecuteOtherOccupation(QWidget* owner, int driver, const TCodedStringList& businesses);
