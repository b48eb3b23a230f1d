#include "motor/proposallisting.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "dataserver/dictionary.h"
#include "dataserver/dsv.h"
#include "dataserver/numbertext.h"
#include "dataserver/wholeperiod.h"
#include "motor/dsvbuffers.h"
#include "motor/identifiers.h"
#include "motor/occurrencewalk.h"
#include "platform/windows1252.h"

namespace {

using R = TListingRendering;

QString Printf(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return QString::fromLatin1(text);
}

QString DateValue(PackedDate packed, R rendering, const QDate& today) {
  TCalendarDate date;
  if (!UnpackDate(packed, date))
    return QString();
  switch (rendering) {
    case R::Plain: {
      char text[48];
      std::snprintf(text, sizeof text, "%.2d/%.2d/%.4d", date.Day, date.Month, date.Year);
      return QString::fromLatin1(text);
    }
    case R::Description:
      return Printf("%.2d", date.Year % 100);
    case R::AbiCode:
      return Printf("%.4d", date.Year);
    case R::Years:
    case R::Months: {
      const PackedDate to =
          rendering == R::Years ? DataDictionary().ReferenceDate() : DateToPacked(today);
      TWholePeriod period;
      if (!WholeYearsAndMonthsBetween(packed, to, period))
        return QString();
      return Printf("%d", rendering == R::Years ? period.Years : period.TotalMonths());
    }
  }
  return QString();
}

QString ListValue(std::int32_t id, std::int32_t code, R rendering) {
  if (rendering == R::Plain)
    return QString::number(code);
  if (rendering != R::Description && rendering != R::AbiCode)
    return QString();
  TDsvTextBuffer description{};
  TDsvTextBuffer abiCode{};
  std::int32_t ordinal = 0;
  if (DsvQueryEnumEntry(id, code, description.data(), &ordinal, abiCode.data()) != 0)
    return QString();
  return FromDsvBuffer(rendering == R::Description ? description : abiCode);
}

// The listing's lines as they are built: an item starts a line, a parenthesis or a continuation
// adds to the last one.
class TListingWriter {
 public:
  explicit TListingWriter(const QDate& today) : today_(today) {}

  QString Value(std::int32_t id, const TPath& path, R rendering) const {
    return ListingValue(id, path, rendering, today_);
  }
  TListingWriter& Item(const QString& label, std::int32_t id, const TPath& path, R rendering) {
    captions_.try_emplace(id, label);
    return Text(label, Value(id, path, rendering));
  }
  TListingWriter& Text(const QString& label, const QString& value) {
    lines_ << label + QStringLiteral(" = ") + value;
    return *this;
  }
  TListingWriter& Paren(const QString& label, std::int32_t id, const TPath& path, R rendering) {
    captions_.try_emplace(id, label);
    if (lines_.isEmpty())
      lines_ << QString();
    lines_.last() += QStringLiteral(" (") + label + QStringLiteral(" = ") +
                     Value(id, path, rendering) + QLatin1Char(')');
    return *this;
  }
  // An item whose parenthesis is "Code" with the same value's ABI code.
  TListingWriter& Coded(const QString& label, std::int32_t id, const TPath& path, R rendering) {
    return Item(label, id, path, rendering).Paren(QStringLiteral("Code"), id, path, R::AbiCode);
  }
  void Line(const QString& text) { lines_ << text; }
  void Blank() { lines_ << QString(); }
  const QStringList& Lines() const { return lines_; }
  // The label of the first item that showed a property.
  QString Caption(std::int32_t id) const {
    const auto found = captions_.find(id);
    return found != captions_.end() ? found->second : QString();
  }

 private:
  QDate today_;
  QStringList lines_;
  std::map<std::int32_t, QString> captions_;
};

// Occurrences of an object beneath a path; 0 when they cannot be counted.
int CountBelow(const TPath& path, std::uint16_t objectId) {
  int count = 0;
  try {
    if (!GetObjectCount(path, objectId, count))
      return 0;
  } catch (const EHierarchyError&) {
    return 0;
  }
  return count;
}

TPath Below(TPath path, TPathEntry entry) {
  path.push_back(entry);
  return path;
}

bool StartsWith(const TPath& path, const TPathEntry& first) {
  return !path.empty() && path[0].ObjectId == first.ObjectId && path[0].Index == first.Index;
}

// The indexes of a driver's incidents, in order.
std::vector<int> IncidentsOf(int driver) {
  std::set<int> indexes;
  const TPathEntry owner = DriverPath(driver);
  ForEachInstancePath(ObjectCode::Incident, [&](const TPath& path) {
    if (path.size() == 2 && StartsWith(path, owner))
      indexes.insert(path[1].Index);
  });
  return {indexes.begin(), indexes.end()};
}

// The incidents of a driver that hold a conviction.
std::set<int> IncidentsWithConvictions(int driver) {
  std::set<int> indexes;
  const TPathEntry owner = DriverPath(driver);
  ForEachInstancePath(ObjectCode::Conviction, [&](const TPath& path) {
    if (path.size() == 3 && StartsWith(path, owner) && path[1].ObjectId == ObjectCode::Incident)
      indexes.insert(path[1].Index);
  });
  return indexes;
}

// The claims of a driver the listing shows, in order.
std::vector<TPath> ListedClaims(int driver) {
  const TPath owner{DriverPath(driver)};
  std::vector<TPath> claims;
  for (int incident : IncidentsOf(driver)) {
    const TPath claim = Below(Below(owner, IncidentPath(incident)), ClaimPath(0));
    // A conviction's incident may carry a claim entry that only numbers it; a claim has a type.
    if (ValueExists(Id::ClaimType, claim) && GetListValue(Id::ClaimType, claim) != 0)
      claims.push_back(claim);
  }
  return claims;
}

void WriteClaims(TListingWriter& w, int driver) {
  int number = 0;
  for (const TPath& claim : ListedClaims(driver)) {
    const int i = ++number;
    w.Item(QStringLiteral("Cost of Claim %1").arg(i), Id::ClaimCost, claim, R::Plain);
    w.Item(QStringLiteral("Date of Claim %1").arg(i), Id::ClaimDate, claim, R::Plain);
    w.Coded(QStringLiteral("Type of Claim %1").arg(i), Id::ClaimType, claim, R::Description);
    w.Coded(QStringLiteral("NCD Lost on Claim %1").arg(i), Id::ClaimAtFault, claim, R::Description);
    w.Item(QStringLiteral("Personal Injury due to Claim %1").arg(i), Id::ClaimInjury, claim,
           R::AbiCode);
  }
}

void WriteMedicalConditions(TListingWriter& w, int driver) {
  const TPath owner{DriverPath(driver)};
  const int count = CountBelow(owner, ObjectCode::MedicalCondition);
  for (int i = 1; i <= count; ++i) {
    const TPath condition = Below(owner, MedicalConditionPath(i - 1));
    w.Item(QStringLiteral("Type of Disability %1").arg(i), Id::MedicalCondition, condition,
           R::Description)
        .Paren(QStringLiteral("ABI Code"), Id::MedicalCondition, condition, R::AbiCode);
    w.Item(QStringLiteral("Number of years Disability %1 held").arg(i), Id::ConditionStartDate,
           condition, R::Years);
    w.Item(QStringLiteral("DVLA Notified of Disability %1").arg(i), Id::DvlaNotified, condition,
           R::AbiCode);
    w.Item(QStringLiteral("DVLA Requirements met for Disability %1").arg(i),
           Id::DvlaRequirementsMet, condition, R::Description)
        .Paren(QStringLiteral("ABI Code"), Id::DvlaRequirementsMet, condition, R::AbiCode);
  }
}

void WriteConvictions(TListingWriter& w, int driver) {
  const TPath owner{DriverPath(driver)};
  const int count = CountBelow(owner, ObjectCode::Conviction);
  const std::set<int> holding = IncidentsWithConvictions(driver);
  int number = 0;
  for (int incident : IncidentsOf(driver)) {
    if (number >= count)
      break;
    if (holding.count(incident) == 0)
      continue;
    const TPath conviction = Below(Below(owner, IncidentPath(incident)), ConvictionPath(0));
    const int i = ++number;
    w.Item(QStringLiteral("Code of Endorsement %1").arg(i), Id::ConvictionCode, conviction,
           R::Description)
        .Paren(QStringLiteral("ABI Code"), Id::ConvictionCode, conviction, R::AbiCode);
    w.Item(QStringLiteral("Number of penalty points due to Endorsement %1").arg(i),
           Id::PenaltyPoints, conviction, R::Plain);
    w.Item(QStringLiteral("Date of Endorsement %1").arg(i), Id::ConvictionDate, conviction,
           R::Plain);
    w.Item(QStringLiteral("Length of ban for Endorsement %1").arg(i), Id::MonthsBanned, conviction,
           R::Plain);
    w.Item(QStringLiteral("Amount of fine for Endorsement %1").arg(i), Id::ConvictionFine,
           conviction, R::Plain);
  }
}

void WriteHistory(TListingWriter& w, int driver) {
  WriteClaims(w, driver);
  WriteMedicalConditions(w, driver);
  WriteConvictions(w, driver);
}

QString FullName(const TListingWriter& w, const TPath& driver) {
  return w.Value(Id::Title, driver, R::Description) + QLatin1Char(' ') +
         w.Value(Id::Forenames, driver, R::Plain) + QLatin1Char(' ') +
         w.Value(Id::Surname, driver, R::Plain);
}

// The occupation lines of a driver: who is named ("Proposers" or "Driver 2") and the part of
// the label before "Full Time"/"Part Time".
void WriteOccupations(TListingWriter& w, const TPath& driver, const QString& who) {
  const char* const kinds[] = {"Full Time", "Part Time"};
  for (int k = 0; k < 2; ++k) {
    const TPath occupation = Below(driver, OccupationPath(k));
    const QString prefix = who + QLatin1Char(' ') + QLatin1String(kinds[k]);
    w.Coded(prefix + QStringLiteral(" Business Code"), Id::EmployersBusiness, occupation,
            R::Description);
    w.Coded(prefix + QStringLiteral(" Occupation code"), Id::Occupation, occupation,
            R::Description);
    w.Coded(prefix + QStringLiteral(" Status Code"), Id::EmploymentStatus, occupation,
            R::Description);
  }
}

void WriteDriver(TListingWriter& w, int n) {
  const TPath driver{DriverPath(n)};
  const TPath qualification = Below(driver, QualificationPath(0));
  const QString who = QStringLiteral("Driver %1").arg(n);
  w.Text(who, FullName(w, driver));
  w.Item(QStringLiteral("Age Of Driver %1").arg(n), Id::DateOfBirth, driver, R::Years);
  w.Item(QStringLiteral("Sex of Driver %1").arg(n), Id::Sex, driver, R::AbiCode);
  w.Coded(QStringLiteral("Marital Status of Driver %1").arg(n), Id::MaritalStatus, driver,
          R::Description);
  w.Coded(QStringLiteral("Relationship of Driver %1 to proposer").arg(n), Id::Relationship, driver,
          R::Description);
  w.Item(QStringLiteral("Number of years Driver %1 resident in the U.K.").arg(n),
         Id::ResidencyStartDate, driver, R::Years);
  WriteOccupations(w, driver, who);
  w.Coded(QStringLiteral("Type of licence held by Driver %1").arg(n), Id::LicenceType, driver,
          R::Plain);
  w.Item(QStringLiteral("Does Driver %1 hold Pass Plus Qualification").arg(n), Id::PassPlus,
         qualification, R::AbiCode);
  w.Item(QStringLiteral("Number of years licence held by Driver %1").arg(n), Id::LicenceStartDate,
         driver, R::Plain);
  w.Coded(QStringLiteral("Motoring qualification held by Driver %1").arg(n), Id::AdvancedDriving,
          qualification, R::Description);
  w.Item(QStringLiteral("Does Driver %1 hold insurance on another vehicle").arg(n),
         Id::VehiclesOwned, driver, R::AbiCode);
  w.Coded(QStringLiteral("Is the Driver %1 a frequent driver").arg(n), Id::MainOrFrequentDriver,
          driver, R::Description);
  WriteHistory(w, n);
}

void WritePolicyAndProposer(TListingWriter& w) {
  const TPath quote{AcceptedQuotePath()};
  const TPath proposer{ProposerPath()};
  const TPath driver{DriverPath(0)};
  w.Item(QStringLiteral("Insurer Plan ID"), Id::AcceptedPlanNumber, quote, R::Plain)
      .Paren(QStringLiteral("Scheme"), Id::AcceptedInsurerName, quote, R::Plain);
  w.Item(QStringLiteral("Premium"), Id::AcceptedPremium, quote, R::Plain);
  w.Blank();
  w.Text(QStringLiteral("PolicyHolder"), FullName(w, driver));
  w.Item(QStringLiteral("Address"), Id::AddressLine1, proposer, R::Plain);
  const QString indent(10, QLatin1Char(' '));
  for (std::int32_t line : {Id::Locality, Id::Town, Id::County, Id::AddressLine5, Id::AddressLine6,
                            Id::ProposerPostcode})
    w.Line(indent + w.Value(line, proposer, R::Plain));
  w.Item(QStringLiteral("Home Telephone Number"), Id::HomeTelephone, proposer, R::Plain);
  w.Item(QStringLiteral("Work Telephone Number"), Id::WorkTelephone, proposer, R::Plain);
  w.Item(QStringLiteral("Fax Number"), Id::FaxNumber, proposer, R::Plain);
  w.Item(QStringLiteral("EMail Address"), Id::EmailAddress, proposer, R::Plain);
  w.Item(QStringLiteral("Cover Start Date"), Id::CoverStartDate, {CoverPath()}, R::Plain);
  w.Item(QStringLiteral("Proposers Postcode"), Id::ProposerPostcode, proposer, R::Plain);
}

void WriteVehicle(TListingWriter& w) {
  const TPath vehicle{VehiclePath()};
  const QString abi = QStringLiteral("ABI Code");
  w.Item(QStringLiteral("Vehicle Garaging Code"), Id::OvernightLocation, vehicle, R::Description)
      .Paren(abi, Id::OvernightLocation, vehicle, R::AbiCode);
  w.Item(QStringLiteral("Garaging Area Postcode"), Id::VehiclePostcode, vehicle, R::Plain);
  w.Item(QStringLiteral("Vehicle Model"), Id::VehicleModel, vehicle, R::Description)
      .Paren(abi, Id::VehicleModel, vehicle, R::AbiCode);
  w.Item(QStringLiteral("Year of vehicle manufacture"), Id::VehicleYear, vehicle, R::Plain);
  w.Item(QStringLiteral("Vehicle's registration Number"), Id::RegistrationNumber, vehicle,
         R::Plain);
  w.Item(QStringLiteral("Vehicle's Value"), Id::VehicleValue, vehicle, R::Plain);
  const int devices = CountBelow(vehicle, ObjectCode::SecurityDevice);
  for (int i = 1; i <= devices; ++i) {
    const TPath device = Below(vehicle, SecurityDevicePath(i - 1));
    w.Item(QStringLiteral("Alarm %1 ABICode").arg(i), Id::SecurityDevice, device, R::Description)
        .Paren(abi, Id::SecurityDevice, device, R::AbiCode);
    w.Item(QStringLiteral("Alarm %1 Manufacturer Fitted Flag").arg(i), Id::FittedByManufacturer,
           device, R::AbiCode);
  }
  w.Item(QStringLiteral("Number of seats in vehicle"), Id::Seats, vehicle, R::Plain);
  w.Item(QStringLiteral("Left Hand drive"), Id::LeftHandDrive, vehicle, R::AbiCode);
}

void WriteCover(TListingWriter& w) {
  const TPath vehicle{VehiclePath()};
  const TPath bonus = Below(vehicle, NCBPath());
  const TPath cover{CoverPath()};
  const TPath proposer{ProposerPath()};
  const TPath driver{DriverPath(0)};
  const QString code = QStringLiteral("Code");
  w.Item(QStringLiteral("Number of years NCB earned"), Id::BonusYears, bonus, R::Plain);
  w.Item(QStringLiteral("Number of Months since last insurance expired"), Id::BonusPolicyExpiry,
         bonus, R::Months);
  w.Item(QStringLiteral("Does the proposer have protected NCB"), Id::BonusProtected, bonus,
         R::AbiCode);
  w.Item(QStringLiteral("Does the proposer want protected NCB"), Id::BonusProtectionWanted, bonus,
         R::AbiCode);
  w.Item(QStringLiteral("Number of claim free years driving company vehicle"),
         Id::CompanyCarClaimFreeYears, driver, R::Plain);
  w.Item(QStringLiteral("Number of years NCD earned on other vehicles"),
         Id::OtherVehicleClaimFreeYears, driver, R::Plain);
  w.Item(QStringLiteral("Type of vehicle ncd earned on"), Id::BonusVehicleType, bonus,
         R::Description)
      .Paren(code, Id::BonusVehicleType, bonus, R::Plain);
  w.Item(QStringLiteral("Country NCD earned in"), Id::BonusCountry, bonus, R::Description)
      .Paren(code, Id::BonusCountry, bonus, R::Plain);
  w.Item(QStringLiteral("Type of cover"), Id::CoverType, cover, R::Description)
      .Paren(code, Id::CoverType, cover, R::Plain);
  w.Item(QStringLiteral("Number of cars in family"), Id::CarsInFamily, proposer, R::Plain);
  w.Item(QStringLiteral("Amount of excess proposer is willing to pay"), Id::VoluntaryExcess, cover,
         R::Plain);
  w.Item(QStringLiteral("Type of vehicle use"), Id::VehicleUse, vehicle, R::Description)
      .Paren(code, Id::VehicleUse, vehicle, R::Plain);
  w.Coded(QStringLiteral("Vehicle used to carry own goods"), Id::CarriesGoods, vehicle,
          R::Description);
  w.Item(QStringLiteral("Annual private mileage"), Id::PrivateMileage, vehicle, R::Plain);
  w.Item(QStringLiteral("Annual business mileage / Business radius"), Id::BusinessMileage, vehicle,
         R::Plain);
  w.Item(QStringLiteral("Motoring organization membership"), Id::MotoringOrganisation, driver,
         R::Description);
  w.Item(QStringLiteral("Is the vehicle leased"), Id::Leased, vehicle, R::AbiCode);
  w.Coded(QStringLiteral("Driving restriction"), Id::DrivingRestriction, cover, R::Description);
  w.Coded(QStringLiteral("Are All Drivers female"), Id::SexOfDrivers, cover, R::Description);
  w.Item(QStringLiteral("Age of yongest driver"), Id::YoungestDriverAge, cover, R::Plain);
  w.Blank();
}

void WriteProposer(TListingWriter& w) {
  const TPath driver{DriverPath(0)};
  const TPath qualification = Below(driver, QualificationPath(0));
  w.Item(QStringLiteral("Age Of Proposer"), Id::DateOfBirth, driver, R::Years);
  w.Item(QStringLiteral("Sex of proposer"), Id::Sex, driver, R::AbiCode);
  w.Coded(QStringLiteral("Marital Status of proposer"), Id::MaritalStatus, driver, R::Description);
  w.Item(QStringLiteral("Number of years proposer resident in the U.K."), Id::ResidencyStartDate,
         driver, R::Years);
  WriteOccupations(w, driver, QStringLiteral("Proposers"));
  w.Coded(QStringLiteral("Type of licence held by proposer"), Id::LicenceType, driver, R::Plain);
  w.Item(QStringLiteral("Does proposer hold Pass Plus Qualification"), Id::PassPlus, qualification,
         R::AbiCode);
  w.Item(QStringLiteral("Number of years licence held by proposer"), Id::LicenceStartDate, driver,
         R::Plain);
  w.Coded(QStringLiteral("Motoring qualification held by proposer"), Id::AdvancedDriving,
          qualification, R::Description);
  w.Item(QStringLiteral("Does proposer hold insurance on another vehicle"), Id::VehiclesOwned,
         driver, R::AbiCode);
  WriteHistory(w, 0);
}

void WriteVehicleRoles(TListingWriter& w) {
  const TPath vehicle{VehiclePath()};
  w.Item(QStringLiteral("Driver who owns the vehicle"), Id::RegisteredOwner, vehicle,
         R::Description);
  w.Item(QStringLiteral("Driver who is the registered keeper of the vehicle"), Id::RegisteredKeeper,
         vehicle, R::Description);
  w.Item(QStringLiteral("Driver who is the main driver of the vehicle"), Id::MainDriver, vehicle,
         R::Description);
  w.Blank();
  const int modifications = CountBelow(vehicle, ObjectCode::Modification);
  for (int i = 1; i <= modifications; ++i) {
    const TPath modification = Below(vehicle, ModificationPath(i - 1));
    w.Coded(QStringLiteral("Modification %1").arg(i), Id::ModificationType, modification,
            R::Description);
  }
}

}  // namespace

QString ListingValue(std::int32_t id, const TPath& path, TListingRendering rendering,
                     const QDate& today) {
  const TProperty* property = DataDictionary().Find(id);
  if (property == nullptr)
    return QString();
  TDsvValueBuffer value;
  // No instance: the property's default, or nothing when it has none.
  if (DsvQueryValue(id, DsvPathLength(path), DsvPathData(path), value.data()) != 0)
    return QString();
  switch (property->Type) {
    case ptNumeric:
      return QString::fromStdString(FormatGeneralNumber(value.As<double>()));
    case ptString:
      return value.Text();
    case ptDate:
      return DateValue(value.As<PackedDate>(), rendering, today);
    case ptList:
      return ListValue(id, value.As<std::int32_t>(), rendering);
    default:
      return QString();
  }
}

int ListedClaimCount(int driver) {
  return static_cast<int>(ListedClaims(driver).size());
}

int ListedAdditionalDrivers(std::int32_t restrictionCode) {
  if (restrictionCode == Code::ProposerAndSpouse)
    return 1;
  if (restrictionCode >= Code::FirstNamedDrivers && restrictionCode <= Code::LastNamedDrivers)
    return restrictionCode - Code::FirstNamedDrivers + 1;
  return 0;
}

namespace {

void WriteListing(TListingWriter& w) {
  WritePolicyAndProposer(w);
  WriteVehicle(w);
  WriteCover(w);
  WriteProposer(w);
  const int drivers = ListedAdditionalDrivers(GetListValue(Id::DrivingRestriction, {CoverPath()}));
  for (int n = 1; n <= drivers; ++n) {
    w.Blank();
    WriteDriver(w, n);
  }
  w.Blank();
  WriteVehicleRoles(w);
}

}  // namespace

QStringList ProposalListingLines(const QDate& today) {
  TListingWriter w(today);
  WriteListing(w);
  return w.Lines();
}

QString ListingCaption(std::int32_t id) {
  TListingWriter w(QDate::currentDate());
  WriteListing(w);
  return w.Caption(id);
}

void WriteProposalListing(QByteArray& stream, const QDate& today) {
  for (const QString& line : ProposalListingLines(today)) {
    stream += EncodeWindows1252(line);
    stream += "\r\n";
  }
}
