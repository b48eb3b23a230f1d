#pragma once
// TAcceptanceProposerPage: the acceptance wizard's page "Proposer": the policyholder's name,
// address and telephone numbers, which the broker needs to call back. Its fields are made from
// its field table by a TFieldBinder: each loads from the Data Server when the page is shown and
// writes its value there when it is left (the names to the proposer as driver 0, the address
// and contact details to the proposer record). Validate holds the rules for leaving the page
// forwards.

#include "transmit/acceptancepage.h"

class TKwComboEdit;
class TKwEdit;

class TAcceptanceProposerPage : public TAcceptancePage {
  Q_OBJECT

 public:
  explicit TAcceptanceProposerPage(QWidget* parent);

  // Shows what the Data Server holds.
  void Load();
  // The name, the address and a telephone number are there. When one is missing, tells the
  // user which (the first rule broken only), focuses its field and answers false.
  bool Validate();
  // The fields in tab order: the title first, the e-mail address last.
  QWidget* FirstField() const;
  QWidget* LastField() const;

 private:
  // The page's field table; each row names its handler.
  std::vector<TFieldRow> Table() const;

  TFieldBinder* fields_ = nullptr;
  TKwComboEdit* title_ = nullptr;
  TKwEdit* forenames_ = nullptr;
  TKwEdit* surname_ = nullptr;
  TKwEdit* address1_ = nullptr;
  TKwEdit* address2_ = nullptr;
  TKwEdit* town_ = nullptr;
  TKwEdit* county_ = nullptr;
  TKwEdit* postCode_ = nullptr;
  TKwEdit* homeTel_ = nullptr;
  TKwEdit* workTel_ = nullptr;
  TKwEdit* email_ = nullptr;
};
