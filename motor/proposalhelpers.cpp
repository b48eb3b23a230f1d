// Helpers that prepare the stored proposal for a quotation and record the vehicle's owner and
// keeper.

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/occurrencewalk.h"

bool SetPolicyStartDate(const QDate& date) {
  // The engine counts the proposal's ages at this date.
  PackedDate packed = DateToPacked(date);
  DsvSetReferenceDate(&packed);
  SetDateValue(Id::CoverStartDate, {CoverPath()}, date, true, false);
  // A cover starting on 29 February ends on 28 February of the next year.
  return SetDateValue(Id::PolicyEndDate, {PolicyEndPath()}, date.addYears(1), false, false);
}

void NumberConvictions() {
  int number = 0;
  ForEachInstancePath(ObjectCode::Conviction, [&](const TPath& conviction) {
    ++number;
    if (conviction.empty())
      return;
    // The claim of the same incident: the conviction's own entry becomes (18, 0).
    TPath claim = conviction;
    claim.back() = ClaimPath(0);
    if (!ValueExists(Id::ClaimType, claim))
      SetNumericValue(Id::ClaimNumber, claim, number);
  });
}

void PrepareQuote() {
  NumberConvictions();
  SetPolicyStartDate(QDate::currentDate());
}

bool SetRegisteredOwner(std::int32_t code) {
  return SetListValue(Id::RegisteredOwner, {VehiclePath()}, code);
}

bool SetRegisteredKeeper(std::int32_t code) {
  return SetListValue(Id::RegisteredKeeper, {VehiclePath()}, code);
}
