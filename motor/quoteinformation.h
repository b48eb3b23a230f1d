#pragma once
// TQuoteInformation: the quotations of one quote engine run, one TQuoteDetails per insurer
// scheme, in results-file order.

#include <QString>
#include <memory>
#include <vector>

#include "motor/quotedetails.h"

class TQuoteInformation {
 public:
  // Clears the collection and reads the engine's results file. planNameFile is the engine's
  // scheme-name file; coverType is the policy's cover type (Id::CoverType on the cover path),
  // which decides each record's TotalExcess.
  //
  // Raises EQuoteResultsError when either file cannot be read, or when the results file is cut
  // short or holds something other than a number where a number belongs; the quotations read
  // completely before the fault stay in the collection.
  void LoadFromFile(const QString& fileName, const QString& planNameFile, qint32 coverType);

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises std::out_of_range for an index outside 0..Count()-1. Records keep their addresses
  // until the collection is cleared or destroyed.
  const TQuoteDetails& Items(int index) const;
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TQuoteDetails>> items_;
};
