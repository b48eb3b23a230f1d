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

TPath Vehicle() {
  return {VehiclePath()};
}
TPath Cover() {
  return {CoverPath()};
}

PackedDate DateToPacked(const QDate& date) {
  return date.isValid() ? PackDate(date.year(), date.month(), date.day()) : 0;
}

QDate PackedToDate(PackedDate packed) {
  TCalendarDate date;
  return UnpackDate(packed, date) ? QDate(date.Year, date.Month, date.Day) : QDate();
}
