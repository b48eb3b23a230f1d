#pragma once
// The dictionary's identifiers, each named once: the object codes of a motor proposal, the
// property identifiers of every value the program stores or reads, the lists the screens fill
// their choices from, and the list codes that the program itself writes or tests.
//
// Plain C++ so that the tools and the engine can use them as well as the window. A value
// property carries its object's code in the upper 16 bits (0xF0005: property 5 of object 15)
// and is addressed with a path that ends in that object (motor/getmotordsv.h builds the paths).

#include <cstdint>

// ---- Object codes (the ObjectId of a path entry) ------------------------------------------------

namespace ObjectCode {
inline constexpr std::uint16_t Proposer = 2;        // contact details and address
inline constexpr std::uint16_t Vehicle = 6;         // also its owner and keeper
inline constexpr std::uint16_t Modification = 7;    // beneath the vehicle
inline constexpr std::uint16_t SecurityDevice = 9;  // beneath the vehicle
inline constexpr std::uint16_t Cover = 13;          // the cover asked for
inline constexpr std::uint16_t Driver = 15;         // 0 the proposer, 1.. additional drivers
inline constexpr std::uint16_t Incident = 17;       // beneath a driver: a claim and/or conviction
inline constexpr std::uint16_t Claim = 18;          // beneath an incident, index 0
inline constexpr std::uint16_t Conviction = 19;     // beneath an incident, index 0
inline constexpr std::uint16_t MedicalCondition = 21;  // beneath a driver
inline constexpr std::uint16_t Qualification = 22;     // beneath a driver; the screens use index 0
inline constexpr std::uint16_t Occupation = 34;        // beneath a driver: 0 main, 1 part-time
inline constexpr std::uint16_t PolicyEnd = 43;         // holds the policy end date
inline constexpr std::uint16_t NoClaimsBonus = 96;     // beneath the vehicle
inline constexpr std::uint16_t AcceptedQuote = 255;    // the quotation the user accepted
}  // namespace ObjectCode

// ---- Property identifiers -----------------------------------------------------------------------

namespace Id {

// Proposer (object 2): contact details and address.
inline constexpr std::int32_t CarsInFamily = 0x20005;  // numeric
inline constexpr std::int32_t TitleList = 0x2000D;     // list of titles the wizard offers
inline constexpr std::int32_t AddressLine1 = 0x20016;  // house number and street
inline constexpr std::int32_t Locality = 0x20017;      // second address line
inline constexpr std::int32_t Town = 0x20018;
inline constexpr std::int32_t County = 0x20019;
inline constexpr std::int32_t AddressLine5 = 0x2001A;  // further lines, listed after the county
inline constexpr std::int32_t AddressLine6 = 0x2001B;
inline constexpr std::int32_t ProposerPostcode = 0x2001C;
inline constexpr std::int32_t HomeTelephone = 0x2001D;
inline constexpr std::int32_t WorkTelephone = 0x2001E;
inline constexpr std::int32_t FaxNumber = 0x2001F;
inline constexpr std::int32_t EmailAddress = 0x20020;

// Vehicle (object 6).
inline constexpr std::int32_t VehicleYear = 0x60001;         // date: 1 January of the year made
inline constexpr std::int32_t VehicleMake = 0x60003;         // list
inline constexpr std::int32_t VehicleModel = 0x60004;        // list, filtered by the make
inline constexpr std::int32_t Seats = 0x6000C;               // numeric
inline constexpr std::int32_t VehicleValue = 0x6000E;        // numeric, pounds
inline constexpr std::int32_t PrivateMileage = 0x60010;      // numeric, miles a year
inline constexpr std::int32_t LeftHandDrive = 0x60011;       // yes/no
inline constexpr std::int32_t OvernightLocation = 0x60012;   // list
inline constexpr std::int32_t VehiclePostcode = 0x60013;     // where the vehicle is kept
inline constexpr std::int32_t VehicleUse = 0x60017;          // list; above 1 allows business use
inline constexpr std::int32_t RegistrationNumber = 0x60038;  // string
inline constexpr std::int32_t RegisteredKeeper = 0x6005D;    // driver number from 1 (proposer)
inline constexpr std::int32_t RegisteredOwner = 0x6005E;     // driver number from 1 (proposer)
inline constexpr std::int32_t MainDriver = 0x6FFFC;          // driver number from 1 (proposer)
inline constexpr std::int32_t Leased = 0x6FFFD;              // yes/no
inline constexpr std::int32_t BusinessMileage = 0x6FFFE;     // numeric, miles a year
inline constexpr std::int32_t CarriesGoods = 0x6FFFF;        // yes/no: goods for a business

// Vehicle modification (object 7 beneath the vehicle).
inline constexpr std::int32_t ModificationType = 0x70001;          // list
inline constexpr std::int32_t ModifiedForMedicalReason = 0x70003;  // 6 yes, 7 no

// Security device (object 9 beneath the vehicle).
inline constexpr std::int32_t SecurityDevice = 0x90008;          // list
inline constexpr std::int32_t FittedByManufacturer = 0x90009;    // 1 yes, 2 no
inline constexpr std::int32_t SecurityDeviceCategory = 0x90010;  // list; read only

// No-claims bonus (object 96 beneath the vehicle).
inline constexpr std::int32_t BonusCountry = 0x600001;           // list: where it was earned
inline constexpr std::int32_t BonusVehicleType = 0x600003;       // list: vehicle it was earned on
inline constexpr std::int32_t BonusProtected = 0x600006;         // yes/no: was it protected
inline constexpr std::int32_t BonusProtectionWanted = 0x600007;  // yes/no: protection required
inline constexpr std::int32_t BonusYears = 0x600009;             // numeric
inline constexpr std::int32_t BonusPolicyExpiry = 0x60000C;      // date the earning policy expired

// Cover (object 13).
inline constexpr std::int32_t CoverType = 0xD0001;       // list: 1 comprehensive, 2 TPF&T, 3 TPO
inline constexpr std::int32_t CoverStartDate = 0xD0005;  // date
inline constexpr std::int32_t DrivingRestriction = 0xD0006;  // list; decides the additional drivers
inline constexpr std::int32_t YoungestDriverAge = 0xD0007;   // numeric
inline constexpr std::int32_t VoluntaryExcess = 0xD0019;     // numeric, pounds
inline constexpr std::int32_t SexOfDrivers = 0xDFFFF;        // list

// Driver (object 15): the proposer (index 0) and each additional driver.
inline constexpr std::int32_t Relationship = 0xF0004;          // list: to the proposer
inline constexpr std::int32_t DateOfBirth = 0xF0005;           // date
inline constexpr std::int32_t Sex = 0xF0007;                   // list: 1 female, 2 male
inline constexpr std::int32_t MaritalStatus = 0xF0008;         // list
inline constexpr std::int32_t LicenceType = 0xF000F;           // list
inline constexpr std::int32_t LicenceStartDate = 0xF0010;      // date the licence was held from
inline constexpr std::int32_t MotoringOrganisation = 0xF0017;  // list
inline constexpr std::int32_t OtherVehiclesDriven = 0xF0018;   // numeric
inline constexpr std::int32_t OtherVehicleOwned = 0xF0019;     // list: 6 owns one, 7 owns none
inline constexpr std::int32_t OtherVehicleClaimFreeYears = 0xF001A;  // numeric
inline constexpr std::int32_t CompanyCarClaimFreeYears = 0xF001B;    // numeric
inline constexpr std::int32_t CompanyCarUse = 0xF001C;               // list; 0 none
inline constexpr std::int32_t OtherVehicleDateCeased = 0xF001D;      // date
inline constexpr std::int32_t Surname = 0xF002A;                     // string
inline constexpr std::int32_t Forenames = 0xF002B;                   // string
inline constexpr std::int32_t Title = 0xF002F;                       // list of titles
inline constexpr std::int32_t VehiclesOwned = 0xF0035;               // numeric
inline constexpr std::int32_t OtherVehiclesDrivenCopy = 0xF0036;  // numeric, = OtherVehiclesDriven
inline constexpr std::int32_t HasClaims = 0xF003B;                // yes/no: claims answer
inline constexpr std::int32_t HasConvictions = 0xF003C;           // yes/no: convictions answer
inline constexpr std::int32_t HasMedicalConditions = 0xF003D;     // yes/no: medical answer
inline constexpr std::int32_t ResidencyStartDate = 0xF0041;       // date resident in the UK from
inline constexpr std::int32_t MainOrFrequentDriver = 0xF0048;     // list: 1 main, 2 frequent
inline constexpr std::int32_t HasQualifications = 0xF0082;        // yes/no: qualifications answer

// Claim (object 18 beneath an incident).
inline constexpr std::int32_t ClaimType = 0x120001;     // list; 0 not chosen
inline constexpr std::int32_t ClaimDate = 0x120002;     // date
inline constexpr std::int32_t ClaimCost = 0x120005;     // numeric, pounds
inline constexpr std::int32_t ClaimAtFault = 0x120007;  // list: 4 at fault (bonus lost), 3 not
inline constexpr std::int32_t ClaimInjury = 0x12000E;   // yes/no: personal injury
inline constexpr std::int32_t ClaimFault = 0x120010;    // yes/no: the report's "Fault Claim"
inline constexpr std::int32_t ClaimNumber = 0x12FFFF;   // numeric: numbers a conviction's incident

// Conviction (object 19 beneath an incident).
inline constexpr std::int32_t ConvictionDate = 0x130001;          // date
inline constexpr std::int32_t ConvictionCode = 0x130002;          // list; 0 not chosen
inline constexpr std::int32_t PenaltyPoints = 0x130004;           // numeric
inline constexpr std::int32_t ConvictionFine = 0x130005;          // numeric, pounds
inline constexpr std::int32_t MonthsBanned = 0x130006;            // numeric
inline constexpr std::int32_t ConvictionRecordedDate = 0x13000F;  // date: today at every save

// Medical condition (object 21 beneath a driver).
inline constexpr std::int32_t MedicalCondition = 0x150001;      // list
inline constexpr std::int32_t ConditionStartDate = 0x150006;    // date
inline constexpr std::int32_t DvlaNotified = 0x150008;          // yes/no
inline constexpr std::int32_t AutomaticOnly = 0x15FFFD;         // yes/no: restricted to automatic
inline constexpr std::int32_t ModificationRequired = 0x15FFFE;  // yes/no: vehicle modification
inline constexpr std::int32_t DvlaRequirementsMet = 0x15FFFF;   // list: 5 not met

// Driving qualification (object 22 beneath a driver).
inline constexpr std::int32_t AdvancedDriving = 0x160001;  // list: 1 advanced + 2 defensive
inline constexpr std::int32_t PassPlus = 0x16FFFF;         // yes/no

// Occupation (object 34 beneath a driver).
inline constexpr std::int32_t OccupationKind = 0x220001;       // list: main or part-time
inline constexpr std::int32_t Occupation = 0x220002;           // list
inline constexpr std::int32_t EmployersBusiness = 0x220004;    // list
inline constexpr std::int32_t EmploymentStatus = 0x220006;     // list
inline constexpr std::int32_t OccupationQualifier = 0x22FFFF;  // list

// Policy end (object 43).
inline constexpr std::int32_t PolicyEndDate = 0x2B000C;  // date: cover start one year on

// Accepted quotation (object 255).
inline constexpr std::int32_t AcceptedPlanNumber = 0xFF0001;   // numeric
inline constexpr std::int32_t AcceptedInsurerName = 0xFF0003;  // string
inline constexpr std::int32_t AcceptedPremium = 0xFF0004;      // numeric, pounds

}  // namespace Id

// ---- Lists --------------------------------------------------------------------------------------
// The Data Server lists that choice fields are filled from (FillEnumList): a list is named by
// the property whose enumeration it is.

namespace ListId {
inline constexpr std::int32_t Titles = Id::TitleList;
inline constexpr std::int32_t Makes = Id::VehicleMake;
inline constexpr std::int32_t Models = Id::VehicleModel;
inline constexpr std::int32_t OvernightLocations = Id::OvernightLocation;
inline constexpr std::int32_t VehicleUses = Id::VehicleUse;
inline constexpr std::int32_t Modifications = Id::ModificationType;
inline constexpr std::int32_t SecurityDevices = Id::SecurityDevice;
inline constexpr std::int32_t SecurityDeviceCategories = Id::SecurityDeviceCategory;
inline constexpr std::int32_t BonusCountries = Id::BonusCountry;
inline constexpr std::int32_t BonusVehicleTypes = Id::BonusVehicleType;
inline constexpr std::int32_t CoverTypes = Id::CoverType;
inline constexpr std::int32_t DrivingRestrictions = Id::DrivingRestriction;
inline constexpr std::int32_t SexesOfDrivers = Id::SexOfDrivers;
inline constexpr std::int32_t Relationships = Id::Relationship;
inline constexpr std::int32_t MaritalStatuses = Id::MaritalStatus;
inline constexpr std::int32_t LicenceTypes = Id::LicenceType;
inline constexpr std::int32_t MotoringOrganisations = Id::MotoringOrganisation;
inline constexpr std::int32_t CompanyCarUses = Id::CompanyCarUse;
inline constexpr std::int32_t ClaimTypes = Id::ClaimType;
inline constexpr std::int32_t ConvictionCodes = Id::ConvictionCode;
inline constexpr std::int32_t MedicalConditions = Id::MedicalCondition;
inline constexpr std::int32_t Occupations = Id::Occupation;
inline constexpr std::int32_t EmployersBusinesses = Id::EmployersBusiness;
inline constexpr std::int32_t EmploymentStatuses = Id::EmploymentStatus;
inline constexpr std::int32_t OccupationQualifiers = Id::OccupationQualifier;
}  // namespace ListId

// ---- List codes the program writes or tests -----------------------------------------------------

namespace Code {
// Yes/no lists (LeftHandDrive, Leased, HasClaims, DvlaNotified, PassPlus, ...).
inline constexpr std::int32_t No = 1;
inline constexpr std::int32_t Yes = 2;
// MainOrFrequentDriver.
inline constexpr std::int32_t MainDriver = 1;
inline constexpr std::int32_t FrequentDriver = 2;
// Id::MainDriver, RegisteredKeeper, RegisteredOwner name a driver by number from 1: the proposer
// is 1, additional driver i is i + 1.
inline constexpr std::int32_t ProposerAsDriver = 1;
// Relationship.
inline constexpr std::int32_t Spouse = 1;
// Sex.
inline constexpr std::int32_t Female = 1;
inline constexpr std::int32_t Male = 2;
// DrivingRestriction: 1 proposer only, 2 proposer and spouse, 3..7 proposer and 1..5 named
// drivers, 8 any driver.
inline constexpr std::int32_t ProposerOnly = 1;
inline constexpr std::int32_t ProposerAndSpouse = 2;
inline constexpr std::int32_t FirstNamedDrivers = 3;
inline constexpr std::int32_t LastNamedDrivers = 7;
inline constexpr std::int32_t AnyDriver = 8;
// VehicleUse: social, domestic and pleasure; every code above it is a business use.
inline constexpr std::int32_t SocialUse = 1;
// CoverType.
inline constexpr std::int32_t Comprehensive = 1;
inline constexpr std::int32_t ThirdPartyFireAndTheft = 2;
inline constexpr std::int32_t ThirdPartyOnly = 3;
// ClaimAtFault.
inline constexpr std::int32_t NotAtFault = 3;
inline constexpr std::int32_t AtFault = 4;
// ModifiedForMedicalReason.
inline constexpr std::int32_t MedicalReasonYes = 6;
inline constexpr std::int32_t MedicalReasonNo = 7;
// OtherVehicleOwned.
inline constexpr std::int32_t OtherVehicleNotStated = 1;
inline constexpr std::int32_t OwnsOtherVehicle = 6;
inline constexpr std::int32_t OwnsNoOtherVehicle = 7;
// FittedByManufacturer.
inline constexpr std::int32_t FittedYes = 1;
inline constexpr std::int32_t FittedNo = 2;
// SecurityDevice: the devices whose make is not known.
inline constexpr std::int32_t UnknownAlarm = 266;
inline constexpr std::int32_t UnknownImmobiliser = 268;
inline constexpr std::int32_t UnknownTrackingDevice = 270;
// DvlaRequirementsMet.
inline constexpr std::int32_t RequirementsNotMet = 5;
}  // namespace Code
