#pragma once
// TOccupationCascade: the occupation fields of a driver page as three linked lists. The
// employer's business chooses the occupations offered, the occupation (with its qualifier) the
// employment statuses. Leaving a list with a new choice stores it and rebuilds the lists below
// it, their first items selected and stored.
//
// The page's field table holds the three rows and names the handlers below; each list is stored
// by its row (the occupation's item, a code and a qualifier, by a row with foOccupationItem).

#include <cstdint>

#include "capture/fieldtable.h"

class TFieldBinder;
class TKwComboEdit;

class TOccupationCascade {
 public:
  // `occupation` answers the path of the driver's full-time occupation; the driver page lists
  // the employment statuses in alphabetical order, the proposer page in map order.
  TOccupationCascade(TFieldBinder& binder, TPathProvider occupation, bool sortedStatuses);

  // Once the rows are built: fills the business list, and disables the occupation and the
  // employment status until a business is chosen.
  void Start();
  // Rebuilds the occupation and employment status lists for the stored choices and selects the
  // stored occupation; the rows load the business and the status. Stores nothing.
  void Load();

  // Rebuild the Occupation list for a business and the Employment Status list for (business,
  // occupation, qualifier); with selectFirst the first item is selected and stored.
  void FillOccupationList(std::int32_t business, bool selectFirst);
  void FillEmploymentStatusList(std::int32_t business, std::int32_t occupation, bool selectFirst,
                                std::int32_t qualifier);

  // ---- The rows' handlers.
  void BusinessKwComboEditBuildList();
  void BusinessKwComboEditChange();
  // Runs only after the row stored a new business.
  void BusinessKwComboEditExit();
  void OccupationKwComboEditChange();
  // Runs only after the row stored a new occupation.
  void OccupationKwComboEditExit();

 private:
  TKwComboEdit* Business() const;
  TKwComboEdit* Occupation() const;
  TKwComboEdit* Status() const;

  TFieldBinder& binder_;
  TPathProvider path_;
  bool sortedStatuses_;
};
