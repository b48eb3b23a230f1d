#include "tools/demoengine/ratingfactors.h"

#include <algorithm>
#include <map>

namespace {

constexpr int kProvisional = 3;

struct TBand {
  double UpTo;
  double Factor;
};

double Banded(double value, std::initializer_list<TBand> bands, double beyond) {
  for (const auto& b : bands)
    if (value <= b.UpTo)
      return b.Factor;
  return beyond;
}

}  // namespace

double AgeFactor(int age) {
  return Banded(
      age,
      {{18, 3.2}, {20, 2.6}, {24, 1.9}, {29, 1.35}, {39, 1.05}, {59, 0.95}, {69, 1.0}, {79, 1.2}},
      1.5);
}

double LicenceFactor(int licenceMonths, int licenceType) {
  double factor = licenceMonths < 0 ? 1.3
                                    : Banded(licenceMonths / 12,
                                             {{0, 1.45}, {1, 1.3}, {2, 1.18}, {4, 1.08}}, 1.0);
  if (licenceType == kProvisional)
    factor *= 1.3;
  else if (licenceType >= 4 && licenceType != 6)  // EU, international and other foreign
    factor *= 1.15;
  return factor;
}

int EffectiveBonusYears(const TRisk& risk) {
  bool vehicleBonus = (risk.BonusVehicleType == 1 || risk.BonusVehicleType == 2) &&
                      risk.BonusCountry >= 1 && risk.BonusCountry <= 34;
  int years = vehicleBonus ? risk.BonusYears : 0;
  const TDriverRisk& proposer = risk.Drivers.front();
  return std::max({years, proposer.OtherVehicleBonusYears, proposer.CompanyCarBonusYears, 0});
}

double BonusFactor(int years) {
  static const double kDiscount[] = {1.0, 0.8, 0.7, 0.62, 0.55, 0.5, 0.47, 0.45, 0.43, 0.4};
  return kDiscount[std::clamp(years, 0, 9)];
}

double ValueFactor(double value) {
  return std::clamp(0.7 + value / 25000.0, 0.75, 4.0);
}

double VehicleAgeFactor(int years) {
  return Banded(years, {{2, 1.1}, {7, 1.0}, {14, 0.92}, {24, 0.88}}, 0.85);
}

bool IsPerformanceMake(const std::string& makeName) {
  static const char* const kMakes[] = {"PORSCHE",  "LOTUS",   "ABARTH",       "CUPRA", "ALPINE",
                                       "MASERATI", "FERRARI", "ASTON MARTIN", "TESLA"};
  for (const char* m : kMakes)
    if (makeName == m)
      return true;
  return false;
}

double EngineFactor(int cc, const std::string& body, const std::string& makeName) {
  double factor =
      cc <= 0
          ? 1.0
          : Banded(cc, {{1000, 0.85}, {1400, 0.95}, {1800, 1.05}, {2200, 1.15}, {3000, 1.35}}, 1.6);
  if (body == "CNV" || body == "CPE")
    factor *= 1.15;
  if (IsPerformanceMake(makeName))
    factor *= 1.4;
  return factor;
}

double UseFactor(int use, bool goods) {
  double factor = Banded(use, {{1, 1.0}, {2, 1.12}, {3, 1.25}}, 1.4);
  return goods ? factor * 1.1 : factor;
}

double MileageFactor(double totalMiles) {
  return Banded(totalMiles, {{3000, 0.85}, {6000, 0.93}, {10000, 1.0}, {15000, 1.1}, {20000, 1.22}},
                1.35);
}

double AreaFactor(const std::string& area) {
  static const std::map<std::string, double> kAreas = {
      {"E", 1.45},  {"EC", 1.45}, {"N", 1.45},  {"NW", 1.45}, {"SE", 1.45}, {"SW", 1.4},
      {"W", 1.4},   {"WC", 1.45}, {"B", 1.35},  {"M", 1.35},  {"L", 1.4},   {"G", 1.3},
      {"BD", 1.25}, {"LS", 1.15}, {"OL", 1.2},  {"BL", 1.15}, {"WV", 1.2},  {"CV", 1.1},
      {"NG", 1.15}, {"S", 1.1},   {"BT", 1.2},  {"CF", 1.1},  {"EH", 1.05}, {"IV", 0.8},
      {"HS", 0.75}, {"ZE", 0.75}, {"KW", 0.8},  {"LD", 0.8},  {"TR", 0.85}, {"PL", 0.9},
      {"EX", 0.85}, {"DG", 0.85}, {"TD", 0.85}, {"LA", 0.9},  {"SY", 0.85}, {"HR", 0.85}};
  auto it = kAreas.find(area);
  return it == kAreas.end() ? 1.0 : it->second;
}

double LocationFactor(int location) {
  static const double kFactors[] = {1.05, 0.9, 0.95, 0.95, 0.97, 0.97, 0.98, 1.1, 1.08, 1.15, 1.0};
  return location >= 0 && location <= 10 ? kFactors[location] : 1.05;
}

bool HasTracker(const TRisk& risk) {
  for (std::size_t i = 0; i < risk.SecurityDevices.size(); ++i) {
    int device = risk.SecurityDevices[i], category = risk.SecurityCategories[i];
    if ((device >= 270 && device <= 279) || (category >= 6 && category <= 8))
      return true;
  }
  return false;
}

double SecurityFactor(const TRisk& risk) {
  // Only the best device counts.
  double best = 1.0;
  for (std::size_t i = 0; i < risk.SecurityDevices.size(); ++i) {
    int category = risk.SecurityCategories[i];
    double f = category == 1 ? 0.95 : (category >= 2 && category <= 5) ? 0.97 : 0.99;
    best = std::min(best, f);
  }
  return HasTracker(risk) ? std::min(best, 0.92) : best;
}

double ModificationFactor(const TRisk& risk) {
  double factor = 1.0;
  for (int code : risk.Modifications) {
    bool performance = code == 8 || code == 9 || code == 10 || code == 11 || code == 17;
    factor *= performance ? 1.25 : 1.1;
  }
  return factor;
}

double VoluntaryExcessFactor(double excess) {
  return Banded(excess, {{0, 1.0}, {50, 0.97}, {100, 0.94}, {150, 0.91}, {200, 0.88}}, 0.85);
}

double ClaimsFactor(const TRisk& risk, int& counted) {
  double factor = 1.0;
  counted = 0;
  for (const auto& driver : risk.Drivers)
    for (const auto& claim : driver.Claims) {
      if (!Within(claim.MonthsAgo, kClaimMonths))
        continue;
      ++counted;
      if (claim.Type == 12)  // windscreen or glass
        factor *= 1.02;
      else
        factor *= claim.AtFault ? 1.3 : 1.08;
      if (claim.Injury)
        factor *= 1.15;
    }
  return factor;
}

double ConvictionFactor(const std::string& code) {
  static const std::map<std::string, double> kByPrefix = {
      {"SP", 1.1}, {"CU", 1.25}, {"MS", 1.15}, {"TS", 1.15}, {"PC", 1.15}, {"MW", 1.1},
      {"CD", 1.3}, {"LC", 1.3},  {"IN", 1.6},  {"AC", 1.5},  {"DR", 2.2},  {"DG", 2.2},
      {"BA", 3.0}, {"DD", 3.0},  {"UT", 2.0},  {"TT", 2.5}};
  auto it = kByPrefix.find(code.substr(0, 2));
  return it == kByPrefix.end() ? 1.2 : it->second;
}

double ConvictionsFactor(const TRisk& risk, double scale, int& counted) {
  double factor = 1.0;
  counted = 0;
  for (const auto& driver : risk.Drivers)
    for (const auto& conviction : driver.Convictions) {
      if (!Within(conviction.MonthsAgo, kConvictionMonths))
        continue;
      ++counted;
      factor *= 1.0 + (ConvictionFactor(conviction.Code) - 1.0) * scale;
      if (conviction.MonthsBanned > 0)
        factor *= 1.3;
    }
  return factor;
}
