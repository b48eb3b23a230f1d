#include "motor/missingdata.h"

#include <algorithm>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"

namespace {

constexpr std::int32_t kDateOfBirth = 0xF0005;
constexpr std::int32_t kMaritalStatus = 0xF0008;
constexpr std::int32_t kLicenceType = 0xF000F;
constexpr std::int32_t kProposerPostcode = 0x2001C;
constexpr std::int32_t kMainOccupation = 0x220002;
constexpr std::int32_t kEmployersBusiness = 0x220004;
constexpr std::int32_t kEmploymentStatus = 0x220006;
constexpr std::int32_t kVehicleYear = 0x60001;
constexpr std::int32_t kVehicleMake = 0x60003;
constexpr std::int32_t kVehicleModel = 0x60004;
constexpr std::int32_t kOvernightLocation = 0x60012;
constexpr std::int32_t kVehiclePostcode = 0x60013;
constexpr std::int32_t kDrivingRestriction = 0xD0006;
constexpr std::uint16_t kDriverObject = 15;

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

  if (GetDateValue(kDateOfBirth, person).isNull()) {
    add(QStringLiteral("Date of Birth not entered for ") + who, "DOBKwDate");
  }
  if (GetListValue(kMaritalStatus, person) == 0) {
    add(QStringLiteral("No Marial Status selected for ") + who, "MaritalStatusKwComboEdit");
  }
  if (driver == 0 && GetStringValue(kProposerPostcode, TPath{ProposerPath()}).isEmpty()) {
    add(QStringLiteral("Postcode where Proposer lives not entered"), "ProposerPostCodeKwEdit");
  }
  if (GetListValue(kEmployersBusiness, occupation) == 0) {
    add(QStringLiteral("No Employers Business selected for ") + who, "BusinessKwComboEdit");
  }
  if (GetListValue(kMainOccupation, occupation) == 0) {
    add(QStringLiteral("No Main Occupation selected for ") + who, "OccupationKwComboEdit");
  }
  // The proposer's status must be stored; a driver's must be a choice.
  const bool noStatus = driver == 0 ? !ValueExists(kEmploymentStatus, occupation)
                                    : GetListValue(kEmploymentStatus, occupation) == 0;
  if (noStatus) {
    add(QStringLiteral("No Employment Status selected for ") + who, "EmploymentStatusKwComboEdit");
  }
  if (GetListValue(kLicenceType, person) == 0) {
    add(QStringLiteral("No Driving Licence selected for ") + who, "LicenceTypeKwComboEdit");
  }
}

void CheckVehicle(const QDate& today, QList<TMissingItem>& missing) {
  const TPath vehicle{VehiclePath()};
  auto add = [&](const QString& message, const char* field) {
    missing.append(TMissingItem{message, 1, QString::fromLatin1(field)});
  };

  const QDate year = GetDateValue(kVehicleYear, vehicle);
  if (year.isNull()) {
    add(QStringLiteral("Year Vehicle manufactured not entered"), "VehicleYearNumericEdit");
  } else if (year < QDate(1900, 1, 1) || year > today) {
    add(QStringLiteral("Year Vehicle manufactured is invalid"), "VehicleYearNumericEdit");
  }
  // The page's make field can only show a make of the list; without a window the stored make
  // is looked up in that list instead.
  const std::int32_t make = GetListValue(kVehicleMake, vehicle);
  if (make <= 0 || GetListText(kVehicleMake, make).isEmpty()) {
    add(QStringLiteral("Vehicle Make not selected"), "VehicleMakeKwComboEdit");
  }
  if (GetListValue(kVehicleModel, vehicle) == 0) {
    add(QStringLiteral("Vehicle Model not selected"), "VehicleModelKwComboEdit");
  }
  if (GetStringValue(kVehiclePostcode, vehicle).isEmpty()) {
    add(QStringLiteral("Postcode where Vehicle kept not entered"), "PostCodeKwEdit");
  }
  if (GetListValue(kOvernightLocation, vehicle) == 0) {
    add(QStringLiteral("Location vehicle left overnight not selected"), "LocationKwComboEdit");
  }
  if (!ValueExists(kDrivingRestriction, TPath{CoverPath()})) {
    add(QStringLiteral("Vehicle driving restrictions not selected"),
        "DrivingRestrictionsKwComboEdit");
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
  if (restrictionCode == 2) {
    return 1;
  }
  if (restrictionCode >= 3 && restrictionCode <= 7) {
    return restrictionCode - 2;
  }
  return 0;
}

int StoredAdditionalDrivers() {
  // Object occurrences of the driver, each with a one-entry path naming its index.
  DsvHandle handle = 0;
  if (DsvBeginInstArray(kDriverObject, &handle) != 0) {
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
      AdditionalDriversForRestriction(GetListValue(kDrivingRestriction, TPath{CoverPath()}));
  return std::max(declared, StoredAdditionalDrivers());
}
