#include "report/summaryvalues.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "dataserver/wholeperiod.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/missingdata.h"
#include "motor/occurrencewalk.h"
#include "motor/quotedetails.h"
#include "motor/resultrows.h"
#include "settings/displayformats.h"

namespace {

// The advanced-driving list is a pair of flags: the Institute of Advanced Motorists and the
// RoSPA defensive driving course.
constexpr int kAdvancedMotorists = 1;
constexpr int kDefensiveDriving = 2;
constexpr int kBothQualifications = kAdvancedMotorists | kDefensiveDriving;

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");
const QString kNone = QStringLiteral("None");

TPath Driver(int driver) {
  return {DriverPath(driver)};
}
TPath OccupationOf(int driver, int occupation) {
  return {DriverPath(driver), OccupationPath(occupation)};
}
TPath QualificationOf(int driver) {
  return {DriverPath(driver), QualificationPath(0)};
}
TPath Bonus() {
  return {VehiclePath(), NCBPath()};
}

QString Description(std::int32_t id, const TPath& path) {
  return GetListText(id, GetListValue(id, path));
}

QString YesNo(bool yes) {
  return yes ? kYes : kNo;
}

bool IsYes(std::int32_t id, const TPath& path) {
  return GetListValue(id, path) == Code::Yes;
}

QString ShortDate(const QDate& date) {
  return date.isValid() ? FormatShortDate(date) : QString();
}

QString Rounded(double value) {
  return QString::number(std::llround(value));
}

QString WholePounds(double value) {
  return PoundSign() + Rounded(value);
}

// Completed years and months between two dates; nothing when either is missing.
std::optional<TWholePeriod> PeriodBetween(const QDate& from, const QDate& to) {
  if (!from.isValid() || !to.isValid()) {
    return std::nullopt;
  }
  return WholeYearsAndMonthsBetween(TCalendarDate{from.year(), from.month(), from.day()},
                                    TCalendarDate{to.year(), to.month(), to.day()});
}

QString YearsSince(std::int32_t dateId, const TPath& path, const QDate& to) {
  const auto period = PeriodBetween(GetDateValue(dateId, path), to);
  return period ? QString::asprintf("%d", period->Years) : QString();
}

QString AgeAtCoverStart(int driver) {
  const QDate start = GetDateValue(Id::CoverStartDate, Cover());
  return YearsSince(Id::DateOfBirth, Driver(driver), start);
}

QString LicenceHeldFor(int driver, const QDate& today) {
  const auto period = PeriodBetween(GetDateValue(Id::LicenceStartDate, Driver(driver)), today);
  return period ? QString::asprintf("%d Years %d Months", period->Years, period->Months)
                : QString();
}

QString FullName(int driver) {
  return QStringLiteral("%1 %2 %3")
      .arg(Description(Id::Title, Driver(driver)), GetStringValue(Id::Forenames, Driver(driver)),
           GetStringValue(Id::Surname, Driver(driver)));
}

// The first address line, each further line that is filled in, and the postcode.
QString ProposerAddress() {
  const TPath proposer{ProposerPath()};
  QString address = GetStringValue(Id::AddressLine1, proposer);
  for (const std::int32_t line : {Id::Locality, Id::Town, Id::County}) {
    const QString text = GetStringValue(line, proposer);
    if (!text.isEmpty()) {
      address += QStringLiteral(", ") + text;
    }
  }
  return address + QStringLiteral(", ") + GetStringValue(Id::ProposerPostcode, proposer) +
         QLatin1Char('.');
}

bool HasSecondOccupation(int driver) {
  return GetListValue(Id::Occupation, OccupationOf(driver, 1)) != 0;
}

QString FrequencyOfUse(int driver) {
  return GetListValue(Id::MainDriver, Vehicle()) == driver + 1 ? QStringLiteral("Main")
                                                               : QStringLiteral("Frequent");
}

// "Proposer" for driver number 1, "Additional Driver k" for driver number k + 1.
QString DriverNumberText(std::int32_t number) {
  if (number == 1) {
    return QStringLiteral("Proposer");
  }
  return number > 1 ? QStringLiteral("Additional Driver %1").arg(number - 1) : QString();
}

void AddOtherVehicleFields(int driver, TSummaryFields& fields) {
  const TPath path = Driver(driver);
  fields << TSummaryField{"Number Of Other Vehicles Owned",
                          Rounded(GetNumericValue(Id::VehiclesOwned, path))}
         << TSummaryField{"No. Other Vehicles Driven",
                          Rounded(GetNumericValue(Id::OtherVehiclesDriven, path))}
         << TSummaryField{"Other Vehicles Years NCD",
                          Rounded(GetNumericValue(Id::OtherVehicleClaimFreeYears, path))}
         << TSummaryField{"Company Car Usage", Description(Id::CompanyCarUse, path)}
         << TSummaryField{"Company Car Years NCD",
                          Rounded(GetNumericValue(Id::CompanyCarClaimFreeYears, path))}
         << TSummaryField{"Date Ceased", ShortDate(GetDateValue(Id::OtherVehicleDateCeased, path))};
}

void AddQualificationFields(int driver, TSummaryFields& fields) {
  const TPath path = QualificationOf(driver);
  fields << TSummaryField{"Hold a Pass Plus Qualification", YesNo(IsYes(Id::PassPlus, path))};
  const int advanced = GetListValue(Id::AdvancedDriving, path);
  // A code outside the list's four leaves both answers blank rather than guessing.
  const bool known = advanced >= 0 && advanced <= kBothQualifications;
  fields << TSummaryField{"Member of the Institute\nof advanced Motoring",
                          known ? YesNo((advanced & kAdvancedMotorists) != 0) : QString()}
         << TSummaryField{"SuccessfullyCompleted the ROSPA\nDefensive Driving Course",
                          known ? YesNo((advanced & kDefensiveDriving) != 0) : QString()};
}

bool StartsWith(const TPath& path, const TPath& prefix) {
  return path.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), path.begin(),
                                                    [](const TPathEntry& a, const TPathEntry& b) {
                                                      return a.ObjectId == b.ObjectId &&
                                                             a.Index == b.Index;
                                                    });
}

// Every occurrence of an object beneath `prefix`, ordered by the occurrences above it (each
// driver's incidents in their order, and so on) whatever order the store keeps them in.
std::vector<TPath> OccurrencesBeneath(const TPath& prefix, std::uint16_t object) {
  std::vector<TPath> paths;
  ForEachInstancePath(object, [&](const TPath& path) {
    if (StartsWith(path, prefix)) {
      paths.push_back(path);
    }
  });
  std::stable_sort(paths.begin(), paths.end(), [](const TPath& a, const TPath& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](const TPathEntry& x, const TPathEntry& y) { return x.Index < y.Index; });
  });
  return paths;
}

QString RowNumber(const TSummaryRows& rows) {
  return QString::number(rows.size() + 1);
}

}  // namespace

int SummaryRecordCount(int restrictionCode) {
  if (restrictionCode < Code::ProposerOnly || restrictionCode > Code::AnyDriver) {
    return 0;
  }
  return 1 + AdditionalDriversForRestriction(restrictionCode);
}

int SummaryRecordCount() {
  return SummaryRecordCount(GetListValue(Id::DrivingRestriction, Cover()));
}

TSummaryFields ProposerFields(const QDate& today) {
  const TPath proposer = Driver(0);
  TSummaryFields fields;
  fields << TSummaryField{"Insurance in the name of:", FullName(0)}
         << TSummaryField{"Address of the Proposer:", ProposerAddress()}
         << TSummaryField{"Date of Birth:", ShortDate(GetDateValue(Id::DateOfBirth, proposer))}
         << TSummaryField{"Age at cover inception:", AgeAtCoverStart(0)}
         << TSummaryField{"Sex:", Description(Id::Sex, proposer)}
         << TSummaryField{"Marital Status", Description(Id::MaritalStatus, proposer)}
         << TSummaryField{"Number of years resident in the UK:",
                          YearsSince(Id::ResidencyStartDate, proposer, today)}
         << TSummaryField{"Main Occupation:", Description(Id::Occupation, OccupationOf(0, 0))}
         << TSummaryField{"Employment Status:",
                          Description(Id::EmploymentStatus, OccupationOf(0, 0))}
         << TSummaryField{"Employers Business:",
                          Description(Id::EmployersBusiness, OccupationOf(0, 0))}
         << TSummaryField{"Other Occupation:", Description(Id::Occupation, OccupationOf(0, 1))}
         << TSummaryField{"Other Employment:",
                          HasSecondOccupation(0)
                              ? Description(Id::EmploymentStatus, OccupationOf(0, 1))
                              : kNone}
         << TSummaryField{"Other Business:", Description(Id::EmployersBusiness, OccupationOf(0, 1))}
         << TSummaryField{"Type of Driving Licence held:", Description(Id::LicenceType, proposer)}
         << TSummaryField{"Time licence held for:", LicenceHeldFor(0, today)}
         << TSummaryField{"Member of motoring organisation",
                          Description(Id::MotoringOrganisation, proposer)}
         << TSummaryField{"Frequency of use", FrequencyOfUse(0)}
         << TSummaryField{"Class Of Use", Description(Id::VehicleUse, Vehicle())};
  AddOtherVehicleFields(0, fields);
  AddQualificationFields(0, fields);
  return fields;
}

TSummaryFields DriverFields(int driver, const QDate& today) {
  const TPath path = Driver(driver);
  const QString fullTime = Description(Id::EmploymentStatus, OccupationOf(driver, 0));
  TSummaryFields fields;
  fields << TSummaryField{"Identifier of Driver", FullName(driver)}
         << TSummaryField{"Relatioship to proposer", Description(Id::Relationship, path)}
         << TSummaryField{"Date of Birth:", ShortDate(GetDateValue(Id::DateOfBirth, path))}
         << TSummaryField{"Age at cover inception:", AgeAtCoverStart(driver)}
         << TSummaryField{"Sex:", Description(Id::Sex, path)}
         << TSummaryField{"Marital Status", Description(Id::MaritalStatus, path)}
         << TSummaryField{"Number of years resident in the UK:",
                          YearsSince(Id::ResidencyStartDate, path, today)}
         << TSummaryField{"Now permanently resident in the UK?",
                          YesNo(GetDateValue(Id::ResidencyStartDate, path).isValid())}
         << TSummaryField{"Full Time Employment", fullTime.isEmpty() ? kNone : fullTime}
         << TSummaryField{"Main Occupation:", Description(Id::Occupation, OccupationOf(driver, 0))}
         << TSummaryField{"Employers Business:",
                          Description(Id::EmployersBusiness, OccupationOf(driver, 0))}
         << TSummaryField{"PartTime Employment",
                          HasSecondOccupation(driver)
                              ? Description(Id::EmploymentStatus, OccupationOf(driver, 1))
                              : kNone}
         << TSummaryField{"Other Occupation:", Description(Id::Occupation, OccupationOf(driver, 1))}
         << TSummaryField{"Other Business:",
                          Description(Id::EmployersBusiness, OccupationOf(driver, 1))}
         << TSummaryField{"Type of Driving Licence held:", Description(Id::LicenceType, path)}
         << TSummaryField{"Time licence held for:", LicenceHeldFor(driver, today)}
         << TSummaryField{"Member of motoring organisation",
                          Description(Id::MotoringOrganisation, path)}
         << TSummaryField{"Frequency of use", FrequencyOfUse(driver)}
         << TSummaryField{"Class Of Use", Description(Id::VehicleUse, Vehicle())};
  AddOtherVehicleFields(driver, fields);
  AddQualificationFields(driver, fields);
  return fields;
}

TSummaryFields VehicleFields() {
  const TPath vehicle = Vehicle();
  const QString bonus =
      Rounded(GetNumericValue(Id::BonusYears, Bonus())) +
      (IsYes(Id::BonusProtectionWanted, Bonus()) ? QStringLiteral(" (Protected)")
                                                 : QStringLiteral(" (Not Protected)"));
  TSummaryFields fields;
  // The model's description is a record of fixed columns; its runs of spaces mean nothing here.
  fields << TSummaryField{"Vehicle", Description(Id::VehicleModel, vehicle).simplified()}
         << TSummaryField{"Registration Number", GetStringValue(Id::RegistrationNumber, vehicle)}
         << TSummaryField{"Type of cover", Description(Id::CoverType, Cover())}
         << TSummaryField{"Voluntary Excess",
                          WholePounds(GetNumericValue(Id::VoluntaryExcess, Cover()))}
         << TSummaryField{"Left Hand Drive", YesNo(IsYes(Id::LeftHandDrive, vehicle))}
         << TSummaryField{"Postcode where vehicle kept",
                          GetStringValue(Id::VehiclePostcode, vehicle)}
         << TSummaryField{"Location Kept overnight", Description(Id::OvernightLocation, vehicle)}
         << TSummaryField{"Current Value", FormatMoney(GetNumericValue(Id::VehicleValue, vehicle))}
         << TSummaryField{"Annual Mileage", Rounded(GetNumericValue(Id::PrivateMileage, vehicle))}
         << TSummaryField{"Years No Claims Dicsount", bonus}
         << TSummaryField{"Registered Owner",
                          DriverNumberText(GetListValue(Id::RegisteredOwner, vehicle))}
         << TSummaryField{"Registered Keeper",
                          DriverNumberText(GetListValue(Id::RegisteredKeeper, vehicle))};
  return fields;
}

TSummaryRows ModificationRows() {
  TSummaryRows rows;
  for (const TPath& path : OccurrencesBeneath(Vehicle(), ObjectCode::Modification)) {
    rows << QStringList{
        RowNumber(rows), Description(Id::ModificationType, path),
        YesNo(GetListValue(Id::ModifiedForMedicalReason, path) == Code::MedicalReasonYes)};
  }
  return rows;
}

TSummaryRows SecurityDeviceRows() {
  TSummaryRows rows;
  for (const TPath& path : OccurrencesBeneath(Vehicle(), ObjectCode::SecurityDevice)) {
    rows << QStringList{RowNumber(rows), Description(Id::SecurityDevice, path),
                        Description(Id::FittedByManufacturer, path)};
  }
  return rows;
}

TSummaryRows ClaimRows(int driver) {
  TSummaryRows rows;
  for (const TPath& path : OccurrencesBeneath(Driver(driver), ObjectCode::Claim)) {
    // A conviction's incident holds a claim entry with nothing but its number (see
    // NumberConvictions): only a claim with a type is a claim.
    if (GetListValue(Id::ClaimType, path) == 0) {
      continue;
    }
    rows << QStringList{RowNumber(rows),
                        ShortDate(GetDateValue(Id::ClaimDate, path)),
                        Description(Id::ClaimType, path),
                        WholePounds(GetNumericValue(Id::ClaimCost, path)),
                        YesNo(GetListValue(Id::ClaimAtFault, path) == Code::AtFault),
                        YesNo(IsYes(Id::ClaimInjury, path))};
  }
  return rows;
}

TSummaryRows ConvictionRows(int driver) {
  TSummaryRows rows;
  for (const TPath& path : OccurrencesBeneath(Driver(driver), ObjectCode::Conviction)) {
    rows << QStringList{RowNumber(rows),
                        ShortDate(GetDateValue(Id::ConvictionDate, path)),
                        Description(Id::ConvictionCode, path),
                        WholePounds(GetNumericValue(Id::ConvictionFine, path)),
                        Rounded(GetNumericValue(Id::PenaltyPoints, path)),
                        Rounded(GetNumericValue(Id::MonthsBanned, path))};
  }
  return rows;
}

TSummaryRows MedicalConditionRows(int driver, const QDate& today) {
  TSummaryRows rows;
  for (const TPath& path : OccurrencesBeneath(Driver(driver), ObjectCode::MedicalCondition)) {
    QString held;
    if (const auto period = PeriodBetween(GetDateValue(Id::ConditionStartDate, path), today)) {
      held = period->Years < 1 ? QStringLiteral("%1 Months").arg(period->Months)
                               : QStringLiteral("%1 Years").arg(period->Years);
    }
    const int met = GetListValue(Id::DvlaRequirementsMet, path);
    QString requirementsMet;
    if (met == Code::RequirementsNotMet) {
      requirementsMet = kNo;
    } else if (met > 0 && met < Code::RequirementsNotMet) {
      requirementsMet = kYes;
    }
    rows << QStringList{RowNumber(rows),
                        held,
                        Description(Id::MedicalCondition, path),
                        YesNo(IsYes(Id::ModificationRequired, path)),
                        YesNo(IsYes(Id::DvlaNotified, path)),
                        YesNo(IsYes(Id::AutomaticOnly, path)),
                        requirementsMet};
  }
  return rows;
}

QString SummaryFileBaseName() {
  QString name =
      QStringLiteral("%1 %2")
          .arg(GetStringValue(Id::Forenames, Driver(0)), GetStringValue(Id::Surname, Driver(0)))
          .simplified();
  static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
  name.replace(unsafe, QStringLiteral("-"));
  return name.isEmpty() ? QStringLiteral("Untitled") : name;
}

QString QuotationInsurer(const TQuoteDetails& quotation) {
  return quotation.InsurerName;
}

QString QuotationPremium(const TQuoteDetails& quotation) {
  // The engine gave no price: printing £0.00 would state a premium nobody offered.
  return quotation.IsReferred() ? QStringLiteral("Referred") : FormatPremium(quotation.Premium);
}

QStringList ExcessLines(const TQuoteDetails& quotation) {
  QStringList lines{QStringLiteral("Total Compulsory Excess Value : ") +
                        FormatWholePounds(quotation.CompulsoryExcess),
                    QStringLiteral("Total Voluntary Excess Value : ") +
                        FormatWholePounds(quotation.VoluntaryExcess),
                    QStringLiteral("Total All sections Excess Value : ") +
                        FormatWholePounds(quotation.AllSectionsExcess)};
  for (int i = 0; i < quotation.SectionExcessCount(); ++i) {
    const TSectionExcessText excess = quotation.GetSectionExcess(i);
    lines << QStringLiteral("%1 := %2").arg(excess.description, excess.amount);
  }
  return lines;
}

QStringList NoteLines(const TQuoteDetails& quotation) {
  QStringList lines;
  for (int i = 0; i < quotation.NoteCount(); ++i) {
    const TQuoteNote note = quotation.GetNote(i);
    lines << QStringLiteral("%1 %2").arg(note.code).arg(note.text);
  }
  return lines;
}
