#pragma once
// TDriverQuestions: the yes/no questions of a driver page and the detail dialogs behind them
// (part-time occupation, driving qualifications, claims, convictions, medical conditions, the
// no-claims bonus, other vehicles), and the driver's claim and conviction records the claims and
// convictions dialogs edit.
//
// Each question's Change handler runs when the user changes the answer (a change to No asks
// before removing the details behind it; declining puts the answer back to Yes), its CallDialog
// handler when the user answers Yes or opens the details. The answers the Data Server keeps
// (qualifications, claims, convictions, medical conditions) are stored by their rows, after the
// Change handler has had its say; the others follow from the details stored.

#include <QString>
#include <functional>

#include "capture/claimrecords.h"
#include "motor/getmotordsv.h"

class QWidget;
class TFieldBinder;

class TDriverQuestions {
 public:
  // `page` is the dialogs' parent; `driver` answers the driver the page writes (0 for the
  // proposer).
  TDriverQuestions(QWidget* page, TFieldBinder& binder, std::function<int()> driver, bool proposer);

  TClaimList& ClaimList() { return claims_; }
  TConvictionList& ConvictionList() { return convictions_; }

  // Refills the claim and conviction records and shows the answers that follow from the details
  // stored (the rows load the stored answers).
  void Load();

  // ---- The rows' handlers.
  void OtherOccupationKwYesNoDlgChange();
  void OtherOccupationKwYesNoDlgCallDialog();
  void QualificationsKwYesNoDlgChange();
  void QualificationsKwYesNoDlgCallDialog();
  void ClaimsKwYesNoDlgChange();
  void ClaimsKwYesNoDlgCallDialog();
  void ConvictionsKwYesNoDlgChange();
  void ConvictionsKwYesNoDlgCallDialog();
  void MedicalConditionKwYesNoDlgChange();
  void MedicalConditionKwYesNoDlgCallDialog();
  void NCBKwYesNoDlgChange();
  void NCBKwYesNoDlgCallDialog();
  void OtherVehiclesKwYesNoDlgChange();
  void OtherVehiclesKwYesNoDlgCallDialog();

 private:
  int Driver() const { return driver_(); }
  TPath DriverAnd(std::initializer_list<TPathEntry> below = {}) const;
  // "the proposer" or "Driver : n", as the removal confirmations name the driver.
  QString ForWhom() const;
  bool Answered(const char* question) const;
  void SetAnswer(const char* question, bool yes);
  bool ConfirmRemoval(const QString& text) const;
  void SaveClaimsAndConvictions();

  QWidget* page_;
  TFieldBinder& binder_;
  std::function<int()> driver_;
  bool proposer_;
  TClaimList claims_;
  TConvictionList convictions_;
};
