#pragma once
// A driver's claims and convictions as the page holds them while the dialogs edit them: two
// lists of records, a conviction and a claim of the same incident related to each other. The
// Data Server keeps them as incidents of the driver, (15, n), (17, i), each with a claim
// (18, 0), a conviction (19, 0) or both; saving replaces every incident of the driver.

#include <QDate>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

struct TConvictionRecord;

struct TClaimRecord {
  std::int32_t Type = 0;  // code of the claim-type list; 0 = not chosen
  QDate Date;
  double Cost = 0;
  QString AtFault = QStringLiteral("Y");  // "Y" or "N"
  QString Injury = QStringLiteral("N");   // "Y" or "N"
  TConvictionRecord* RelatedConviction = nullptr;
};

struct TConvictionRecord {
  std::int32_t Code = 0;  // code of the conviction-code list; 0 = not chosen
  QDate Date;
  std::int32_t Points = 0;
  double Fine = 0;  // whole pounds
  std::int32_t MonthsBanned = 0;
  TClaimRecord* RelatedClaim = nullptr;
};

// Relates the two records to each other. A relation is one claim and one conviction: whatever
// either was related to before loses its relation.
void Relate(TClaimRecord& claim, TConvictionRecord& conviction);
// Removes the record's relation on both sides.
void Unrelate(TClaimRecord& claim);
void Unrelate(TConvictionRecord& conviction);

// An owning list of records. Removing or freeing a record first clears its partner's relation,
// so no record ever refers to one that is gone.
template <class Record>
class TRecordList {
 public:
  TRecordList() = default;
  TRecordList(const TRecordList&) = delete;
  TRecordList& operator=(const TRecordList&) = delete;
  ~TRecordList() { Clear(); }

  int Count() const { return static_cast<int>(records_.size()); }
  bool IsEmpty() const { return records_.empty(); }
  Record& At(int index) const { return *records_.at(static_cast<std::size_t>(index)); }
  int IndexOf(const Record* record) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (records_[i].get() == record)
        return static_cast<int>(i);
    }
    return -1;
  }
  Record& Append() {
    records_.push_back(std::make_unique<Record>());
    return *records_.back();
  }
  void Remove(int index) {
    Unrelate(At(index));
    records_.erase(records_.begin() + index);
  }
  // ClearRecordList: frees every record and empties the list.
  void Clear() {
    while (!records_.empty())
      Remove(Count() - 1);
  }

 private:
  std::vector<std::unique_ptr<Record>> records_;
};

using TClaimList = TRecordList<TClaimRecord>;
using TConvictionList = TRecordList<TConvictionRecord>;

// Empties both lists and refills them from driver n's incidents; a claim and a conviction of the
// same incident are related.
void LoadClaimsAndConvictions(int driver, TClaimList& claims, TConvictionList& convictions);
// Replaces driver n's incidents with the two lists: incidents numbered from 0 without gaps,
// each claim in list order with its related conviction in the same incident, then every
// unrelated conviction in list order.
void SaveClaimsAndConvictions(int driver, const TClaimList& claims,
                              const TConvictionList& convictions);
