#pragma once
// TProposerDetailsKwTabsheetForm: the capture page of the proposer (tab "Proposer"), driver 0.
// Beside what every driver page has, it checks the ages against the date of birth, holds the
// postcode where the proposer lives and the no-claims bonus question.

#include "capture/driverdetailspage.h"

class TProposerDetailsKwTabsheetForm : public TDriverDetailsPage {
  Q_OBJECT

 public:
  explicit TProposerDetailsKwTabsheetForm(QWidget* parent = nullptr);

  int Driver() const override { return 0; }

 signals:
  // The vehicle's postcode followed the proposer's (it was the same until now): the vehicle page
  // shows the new one. The Data Server has it already.
  void postcodeFollowed(const QString& postcode);

 private:
  // The postcode where the proposer lives.
  void AddOwnPersonalRow(QFormLayout* group) override;
  // Runs before the row stores the postcode, which it reformats first.
  void ProposerPostCodeKwEditExit();
};
