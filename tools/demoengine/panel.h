#pragma once
// The demo panel: fictitious insurers and their schemes, with each scheme's acceptance limits
// and price level. "PlanName.Dat" and "Choice.Dat" are written from this table so that plan
// numbers and names never disagree.

#include <string>
#include <vector>

struct TScheme {
  int Plan = 0;                  // (insurer line in PlanName.Dat) x 10 + variant
  const char* Insurer = "";      // at most 19 characters
  const char* Variant = "";      // scheme variant name, empty for variant 0; at most 19 characters
  double BaseComprehensive = 0;  // pounds
  double BaseThirdPartyFireTheft = 0;
  double BaseThirdPartyOnly = 0;
  int MinAge = 17;  // every driver's age must lie within (declined, note 32)
  int MaxAge = 80;
  double MaxValue = 0;                    // vehicle value limit, 0 none (note 39)
  int MinVehicleAge = 0;                  // the classic scheme takes only old cars (note 39)
  int MaxVehicleAge = 0;                  // 0: none (note 39)
  int MaxEngineCc = 0;                    // 0: none (note 39)
  double MaxMileage = 0;                  // 0: none (note 39)
  bool DeclinesPerformanceMakes = false;  // note 39
  bool DeclinesModified = false;          // modifications not made for a medical reason (note 39)
  bool DeclinesLeftHandDrive = false;     // note 39
  bool DeclinesProvisional = true;        // a provisional licence (note 32)
  int MaxAtFaultClaims = 2;               // more at-fault claims in 3 years are declined (note 56)
  int ReferPoints = 9;     // a driver with this many points in 5 years is referred (12)
  int DeclinePoints = 12;  // ... and with this many declined (56)
  const char* DeclinedConvictions = "";  // DVLA code prefixes declined within 5 years (56)
  bool RefersAnyMedical = false;         // any declared medical condition is referred (18)
  bool RefersBusinessUse = false;        // business use classes 2 and 3 are referred (24)
  int CompulsoryExcess = 150;            // pounds, before young and novice driver additions
  bool Windscreen = false;               // windscreen cover with a 75 pound excess
  bool ProtectedBonusIncluded = false;
  double YoungDriverScale = 1;  // multiplies the loading of drivers under 25
  double ConvictionScale = 1;   // multiplies conviction loadings
};

const std::vector<TScheme>& DemoPanel();

// "PlanName.Dat": one line per insurer in plan order, fields of 20 characters (name, then
// variant 1, 2, ...), lines ended by CR LF.
std::string PlanNameFileText();
// "Choice.Dat": the engine's choice file. The program overwrites the third character of its
// second line with the engine folder's drive letter before each quotation.
std::string ChoiceFileText();
