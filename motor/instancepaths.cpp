// Path entries for the objects of a motor proposal, and packed dates.

#include "motor/getmotordsv.h"

namespace {

// Object identifiers of the motor dictionary.
constexpr std::uint16_t kProposerObject = 2;
constexpr std::uint16_t kVehicleObject = 6;
constexpr std::uint16_t kModificationObject = 7;
constexpr std::uint16_t kSecurityDeviceObject = 9;
constexpr std::uint16_t kCoverObject = 13;
constexpr std::uint16_t kDriverObject = 15;
constexpr std::uint16_t kIncidentObject = 17;
constexpr std::uint16_t kClaimObject = 18;
constexpr std::uint16_t kConvictionObject = 19;
constexpr std::uint16_t kMedicalConditionObject = 21;
constexpr std::uint16_t kQualificationObject = 22;
constexpr std::uint16_t kOccupationObject = 34;
constexpr std::uint16_t kPolicyEndObject = 43;
constexpr std::uint16_t kNCBObject = 96;
constexpr std::uint16_t kAcceptedQuoteObject = 255;

TPathEntry Occurrence(std::uint16_t objectId, int n) {
  return MakePathEntry(objectId, static_cast<std::uint16_t>(n));
}

}  // namespace

TPathEntry MakePathEntry(std::uint16_t objectId, std::uint16_t index) {
  TPathEntry entry;
  entry.ObjectId = objectId;
  entry.Reserved = 0;
  entry.Index = index;
  return entry;
}

TPathEntry ProposerPath() {
  return Occurrence(kProposerObject, 0);
}
TPathEntry VehiclePath() {
  return Occurrence(kVehicleObject, 0);
}
TPathEntry CoverPath() {
  return Occurrence(kCoverObject, 0);
}
TPathEntry NCBPath() {
  return Occurrence(kNCBObject, 0);
}
TPathEntry PolicyEndPath() {
  return Occurrence(kPolicyEndObject, 0);
}
TPathEntry AcceptedQuotePath() {
  return Occurrence(kAcceptedQuoteObject, 0);
}
TPathEntry DriverPath(int n) {
  return Occurrence(kDriverObject, n);
}
TPathEntry OccupationPath(int n) {
  return Occurrence(kOccupationObject, n);
}
TPathEntry ModificationPath(int n) {
  return Occurrence(kModificationObject, n);
}
TPathEntry SecurityDevicePath(int n) {
  return Occurrence(kSecurityDeviceObject, n);
}
TPathEntry QualificationPath(int n) {
  return Occurrence(kQualificationObject, n);
}
TPathEntry MedicalConditionPath(int n) {
  return Occurrence(kMedicalConditionObject, n);
}
TPathEntry IncidentPath(int n) {
  return Occurrence(kIncidentObject, n);
}
TPathEntry ClaimPath(int n) {
  return Occurrence(kClaimObject, n);
}
TPathEntry ConvictionPath(int n) {
  return Occurrence(kConvictionObject, n);
}

TPackedDate DateToPacked(const QDate& date) {
  if (!date.isValid())
    return 0;
  return date.year() * 65536 + date.month() * 256 + date.day();
}

QDate PackedToDate(TPackedDate packed) {
  // The year is the upper half; QDate refuses the month and day values that name no date.
  int year = static_cast<std::int16_t>((static_cast<std::uint32_t>(packed) >> 16) & 0xFFFF);
  int month = (packed >> 8) & 0xFF;
  int day = packed & 0xFF;
  if (year <= 0)
    return QDate();
  return QDate(year, month, day);
}
