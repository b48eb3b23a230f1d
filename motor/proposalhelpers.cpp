// Helpers that prepare the stored proposal for a quotation and record the vehicle's owner and
// keeper.

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/occurrencewalk.h"

namespace {

constexpr std::int32_t kCoverStartDate = 0xD0005;
constexpr std::int32_t kPolicyEndDate = 0x2B000C;
constexpr std::uint16_t kConvictionObject = 19;
constexpr std::int32_t kClaimFirstValue = 0x120001;
constexpr std::int32_t kClaimNumber = 0x12FFFF;
constexpr std::int32_t kRegisteredOwner = 0x6005E;
constexpr std::int32_t kRegisteredKeeper = 0x6005D;

}  // namespace

bool SetPolicyStartDate(const QDate& date) {
  // The engine counts the proposal's ages at this date.
  TPackedDate packed = DateToPacked(date);
  DsvSetReferenceDate(&packed);
  SetDateValue(kCoverStartDate, {CoverPath()}, date, true, false);
  // A cover starting on 29 February ends on 28 February of the next year.
  return SetDateValue(kPolicyEndDate, {PolicyEndPath()}, date.addYears(1), false, false);
}

void NumberConvictions() {
  int number = 0;
  ForEachInstancePath(kConvictionObject, [&](const TPath& conviction) {
    ++number;
    if (conviction.empty())
      return;
    // The claim of the same incident: the conviction's own entry becomes (18, 0).
    TPath claim = conviction;
    claim.back() = ClaimPath(0);
    if (!ValueExists(kClaimFirstValue, claim))
      SetNumericValue(kClaimNumber, claim, number);
  });
}

void PrepareQuote() {
  NumberConvictions();
  SetPolicyStartDate(QDate::currentDate());
}

bool SetRegisteredOwner(std::int32_t code) {
  return SetListValue(kRegisteredOwner, {VehiclePath()}, code);
}

bool SetRegisteredKeeper(std::int32_t code) {
  return SetListValue(kRegisteredKeeper, {VehiclePath()}, code);
}
