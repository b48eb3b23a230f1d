#pragma once
// TAcceptanceDriversPage: the acceptance wizard's page "Drivers": the name of one additional
// driver at a time, beside a summary of what the proposal holds about that driver
// (relationship, date of birth, sex, claims and convictions) to tell the drivers apart. Its
// fields are made from its field table by a TFieldBinder: they load the driver shown and write
// their values to that driver when they are left.

#include "transmit/acceptancepage.h"

class QLabel;
class TKwComboEdit;
class TKwEdit;

class TAcceptanceDriversPage : public TAcceptancePage {
  Q_OBJECT

 public:
  explicit TAcceptanceDriversPage(QWidget* parent);

  // The additional driver shown; 0 while none is.
  int Driver() const { return driver_; }
  // Shows additional driver n (1 and up): the fields and the summary from the Data Server.
  void ShowDriver(int n);
  // The page is left for the Proposer page: no driver is shown any more.
  void ShowNoDriver() { driver_ = 0; }
  // The fields in tab order: the title first, the surname last.
  QWidget* FirstField() const;
  QWidget* LastField() const;

 private:
  // The page's field table; each row names its handler.
  std::vector<TFieldRow> Table() const;

  int driver_ = 0;
  TFieldBinder* fields_ = nullptr;
  TKwComboEdit* title_ = nullptr;
  TKwEdit* surname_ = nullptr;
  QLabel* driverLabel_ = nullptr;
  QLabel* relationshipLabel_ = nullptr;
  QLabel* dobLabel_ = nullptr;
  QLabel* sexLabel_ = nullptr;
  QLabel* claimsLabel_ = nullptr;
  QLabel* convictionsLabel_ = nullptr;
};
