#include "motor/missingdata.h"

#include <algorithm>

#include "dataserver/dsv.h"
#include "motor/fieldnames.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/occurrencewalk.h"

namespace {

// A list answer counts only when its list holds it: a code from a damaged or foreign file shows
// as an empty field, yet the engine would price it.
bool NoChoice(std::int32_t id, const TPath& path) {
  const std::int32_t code = GetListValue(id, path);
  return code == 0 || GetListText(id, code).isEmpty();
}

// The number of additional drivers with anything stored.
int CountStoredAdditionalDrivers() {
  int count = 0;
  ForEachInstancePath(ObjectCode::Driver, [&count](const TPath& path) {
    if (path.size() == 1 && path[0].Index > 0)
      ++count;
  });
  return count;
}

// The driver tests (1, 2, 4, 5, 6 and 7), for the proposer (driver 0) or an additional driver.
void CheckDriver(int driver, QList<TMissingItem>& missing) {
  const TPath person{DriverPath(driver)};
  const TPath occupation{DriverPath(driver), OccupationPath(0)};
  const QString who =
      driver == 0 ? QStringLiteral("the proposer") : QStringLiteral("driver %1").arg(driver);
  const int page = driver == 0 ? 0 : driver + 1;
  auto add = [&](const QString& message, const char* field) {
    missing.append(TMissingItem{message, page, QString::fromLatin1(field)});
  };

  if (GetDateValue(Id::DateOfBirth, person).isNull()) {
    add(QStringLiteral("Date of Birth not entered for ") + who, FieldName::DOBKwDate);
  }
  if (NoChoice(Id::MaritalStatus, person)) {
    add(QStringLiteral("No Marial Status selected for ") + who,
        FieldName::MaritalStatusKwComboEdit);
  }
  if (driver == 0 && GetStringValue(Id::ProposerPostcode, TPath{ProposerPath()}).isEmpty()) {
    add(QStringLiteral("Postcode where Proposer lives not entered"),
        FieldName::ProposerPostCodeKwEdit);
  }
  if (NoChoice(Id::EmployersBusiness, occupation)) {
    add(QStringLiteral("No Employers Business selected for ") + who,
        FieldName::BusinessKwComboEdit);
  }
  if (NoChoice(Id::Occupation, occupation)) {
    add(QStringLiteral("No Main Occupation selected for ") + who, FieldName::OccupationKwComboEdit);
  }
  // The proposer's status must be stored; a driver's must be a choice.
  const std::int32_t status = GetListValue(Id::EmploymentStatus, occupation);
  const bool unknownStatus = status != 0 && GetListText(Id::EmploymentStatus, status).isEmpty();
  const bool noStatus =
      unknownStatus || (driver == 0 ? !ValueExists(Id::EmploymentStatus, occupation) : status == 0);
  if (noStatus) {
    add(QStringLiteral("No Employment Status selected for ") + who,
        FieldName::EmploymentStatusKwComboEdit);
  }
  if (NoChoice(Id::LicenceType, person)) {
    add(QStringLiteral("No Driving Licence selected for ") + who,
        FieldName::LicenceTypeKwComboEdit);
  }
}

void CheckVehicle(const QDate& today, QList<TMissingItem>& missing) {
  const TPath vehicle{VehiclePath()};
  auto add = [&](const QString& message, const char* field) {
    missing.append(TMissingItem{message, 1, QString::fromLatin1(field)});
  };

  const QDate year = GetDateValue(Id::VehicleYear, vehicle);
  if (year.isNull()) {
    add(QStringLiteral("Year Vehicle manufactured not entered"), FieldName::VehicleYearNumericEdit);
  } else if (year < QDate(1900, 1, 1) || year > today) {
    add(QStringLiteral("Year Vehicle manufactured is invalid"), FieldName::VehicleYearNumericEdit);
  }
  // The page's make field can only show a make of the list; without a window the stored make
  // is looked up in that list instead.
  const std::int32_t make = GetListValue(Id::VehicleMake, vehicle);
  if (make <= 0 || GetListText(Id::VehicleMake, make).isEmpty()) {
    add(QStringLiteral("Vehicle Make not selected"), FieldName::VehicleMakeKwComboEdit);
  }
  if (NoChoice(Id::VehicleModel, vehicle)) {
    add(QStringLiteral("Vehicle Model not selected"), FieldName::VehicleModelKwComboEdit);
  }
  if (GetStringValue(Id::VehiclePostcode, vehicle).isEmpty()) {
    add(QStringLiteral("Postcode where Vehicle kept not entered"), FieldName::PostCodeKwEdit);
  }
  if (NoChoice(Id::OvernightLocation, vehicle)) {
    add(QStringLiteral("Location vehicle left overnight not selected"),
        FieldName::LocationKwComboEdit);
  }
  const TPath cover{CoverPath()};
  const std::int32_t restriction = GetListValue(Id::DrivingRestriction, cover);
  if (!ValueExists(Id::DrivingRestriction, cover) ||
      (restriction != 0 && GetListText(Id::DrivingRestriction, restriction).isEmpty())) {
    add(QStringLiteral("Vehicle driving restrictions not selected"),
        FieldName::DrivingRestrictionsKwComboEdit);
  } else if (CountStoredAdditionalDrivers() > AdditionalDriversForRestriction(restriction)) {
    // Drivers that no page shows and the broker's listing leaves out would still be rated.
    add(QStringLiteral("Vehicle driving restrictions allow %1 additional driver(s), but %2 are "
                       "stored")
            .arg(AdditionalDriversForRestriction(restriction))
            .arg(CountStoredAdditionalDrivers()),
        FieldName::DrivingRestrictionsKwComboEdit);
  }
}

}  // namespace

QList<TMissingItem> FindMissingData(int additionalDrivers, const QDate& today) {
  QList<TMissingItem> missing;
  CheckDriver(0, missing);
  CheckVehicle(today, missing);
  for (int driver = 1; driver <= additionalDrivers; ++driver) {
    CheckDriver(driver, missing);
  }
  return missing;
}

QList<TMissingItem> FindMissingData(int additionalDrivers) {
  return FindMissingData(additionalDrivers, QDate::currentDate());
}

int AdditionalDriversForRestriction(int restrictionCode) {
  if (restrictionCode == Code::ProposerAndSpouse) {
    return 1;
  }
  if (restrictionCode >= Code::FirstNamedDrivers && restrictionCode <= Code::LastNamedDrivers) {
    return restrictionCode - Code::FirstNamedDrivers + 1;
  }
  return 0;
}

int StoredAdditionalDrivers() {
  // Object occurrences of the driver, each with a one-entry path naming its index.
  DsvHandle handle = 0;
  if (DsvBeginInstArray(ObjectCode::Driver, &handle) != 0) {
    return 0;
  }
  int highest = 0;
  do {
    std::uint16_t length = 0;
    TPathEntry path[20] = {};
    if (DsvQueryInstArrayPath(handle, &length, nullptr) == 0 && length >= 1 && length <= 20 &&
        DsvQueryInstArrayPath(handle, &length, path) == 0) {
      highest = std::max(highest, static_cast<int>(path[length - 1].Index));
    }
  } while (DsvNextInstArray(handle) == 0);
  DsvEndInstArray(handle);
  return highest;
}

int AdditionalDriversToCheck() {
  const int declared =
      AdditionalDriversForRestriction(GetListValue(Id::DrivingRestriction, TPath{CoverPath()}));
  return std::max(declared, StoredAdditionalDrivers());
}
