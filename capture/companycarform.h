#pragma once
// TCompanyCarForm: how a driver used a company car, opened from the other vehicles dialog. The
// form only shows and collects the three values; its opener keeps them.

#include <QDate>
#include <QRadioButton>

#include "capture/capturedialog.h"

class TKwDate;
class TNumericEdit;

// The company-car values of a driver: use 0 none, 1 business purposes only, 2 business and
// private use.
struct TCompanyCar {
  std::int32_t Use = 0;
  double ClaimFreeYears = 0;
  QDate Ceased;
};

class TCompanyCarForm : public TCaptureDialog {
  Q_OBJECT

 public:
  explicit TCompanyCarForm(QWidget* owner);

  void Show(const TCompanyCar& car);
  // The use chosen (unchanged when neither item is selected), the years and the date.
  void ReadBack(TCompanyCar& car) const;

 protected:
  void CloseClicked() override;

 private:
  QRadioButton* businessOnly_ = nullptr;
  QRadioButton* businessAndPrivate_ = nullptr;
  TNumericEdit* years_ = nullptr;
  TKwDate* ceased_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Shows the values, reads them back however the form was closed, and answers whether a use was
// chosen (1 or 2).
bool ExecuteCompanyCar(QWidget* owner, TCompanyCar& car);
