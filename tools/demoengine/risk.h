#pragma once
// The risk the demo engine rates, built from the parsed engine input.

#include <string>
#include <vector>

#include "tools/demoengine/inputlayout.h"

struct TClaimRisk {
  int Type = 0;
  int MonthsAgo = -1;  // -1 when the date was not given
  double Cost = 0;
  bool AtFault = false;
  bool Injury = false;
};

struct TConvictionRisk {
  std::string Code;  // the DVLA endorsement code, "SP30"
  int MonthsAgo = -1;
  int Points = 0;
  double Fine = 0;
  int MonthsBanned = 0;
};

struct TMedicalRisk {
  int Condition = 0;
  int RequirementsMet = 0;  // 1-4 met, 5 not met
};

struct TDriverRisk {
  int Number = 0;  // 1 the proposer, 2.. the additional drivers
  int Relationship = 0;
  int Age = -1;  // whole years at the cover start; -1 when not given
  int Sex = 0;
  int MaritalStatus = 0;
  int LicenceType = 0;
  int LicenceMonths = -1;
  int ResidencyMonths = -1;
  int OtherVehicleBonusYears = 0;
  int CompanyCarBonusYears = 0;
  int AdvancedDriving = 0;
  bool PassPlus = false;
  int Occupation = 0;
  int Business = 0;
  int EmploymentStatus = 0;
  std::vector<TMedicalRisk> Medical;
  std::vector<TClaimRisk> Claims;
  std::vector<TConvictionRisk> Convictions;
};

struct TRisk {
  int Cover = 0;        // 1 comprehensive, 2 third party fire and theft, 3 third party only
  int Restriction = 0;  // 1 proposer only ... 8 any driver
  int AnyDriverYoungestAge = 17;
  double VoluntaryExcess = 0;
  std::string PostcodeArea;  // the letters that start the postcode where the car is kept
  int VehicleAge = -1;
  int VehicleYear = 0;
  std::string MakeName;
  std::string ModelDescription;
  int EngineCc = 0;
  std::string Body;
  bool ValueGiven = false;
  double Value = 0;
  double PrivateMileage = 0;
  double BusinessMileage = 0;
  bool LeftHandDrive = false;
  int OvernightLocation = 0;
  int Use = 1;
  bool Goods = false;
  int MainDriver = 1;  // driver number
  int BonusYears = 0;
  bool BonusProtectionWanted = false;
  int BonusCountry = 0;
  int BonusVehicleType = 0;
  std::vector<int> Modifications;         // codes of modifications not made for a medical reason
  std::vector<int> MedicalModifications;  // codes made for a medical reason
  std::vector<int> SecurityDevices;
  std::vector<int> SecurityCategories;
  std::vector<TDriverRisk> Drivers;  // the drivers present, the proposer first

  const TDriverRisk& Rated() const;  // the main driver, or the proposer
};

// Raises EInputError when the input cannot be rated at all (no proposer, no cover type).
TRisk BuildRisk(const TInputRecord& input);

// The leading letters of a postcode, upper case ("SW" of "sw1a 1aa"); empty when none.
std::string PostcodeArea(const std::string& postcode);
