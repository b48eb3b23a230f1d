// Path entries for the objects of a motor proposal, and packed dates.

#include "motor/getmotordsv.h"
#include "motor/identifiers.h"

namespace {

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
  return Occurrence(ObjectCode::Proposer, 0);
}
TPathEntry VehiclePath() {
  return Occurrence(ObjectCode::Vehicle, 0);
}
TPathEntry CoverPath() {
  return Occurrence(ObjectCode::Cover, 0);
}
TPathEntry NCBPath() {
  return Occurrence(ObjectCode::NoClaimsBonus, 0);
}
TPathEntry PolicyEndPath() {
  return Occurrence(ObjectCode::PolicyEnd, 0);
}
TPathEntry AcceptedQuotePath() {
  return Occurrence(ObjectCode::AcceptedQuote, 0);
}
TPathEntry DriverPath(int n) {
  return Occurrence(ObjectCode::Driver, n);
}
TPathEntry OccupationPath(int n) {
  return Occurrence(ObjectCode::Occupation, n);
}
TPathEntry ModificationPath(int n) {
  return Occurrence(ObjectCode::Modification, n);
}
TPathEntry SecurityDevicePath(int n) {
  return Occurrence(ObjectCode::SecurityDevice, n);
}
TPathEntry QualificationPath(int n) {
  return Occurrence(ObjectCode::Qualification, n);
}
TPathEntry MedicalConditionPath(int n) {
  return Occurrence(ObjectCode::MedicalCondition, n);
}
TPathEntry IncidentPath(int n) {
  return Occurrence(ObjectCode::Incident, n);
}
TPathEntry ClaimPath(int n) {
  return Occurrence(ObjectCode::Claim, n);
}
TPathEntry ConvictionPath(int n) {
  return Occurrence(ObjectCode::Conviction, n);
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
