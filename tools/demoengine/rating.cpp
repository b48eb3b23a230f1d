#include "tools/demoengine/rating.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "motor/identifiers.h"
#include "tools/demoengine/ratingfactors.h"

namespace {

constexpr int kProvisional = 3;
constexpr double kPolicyFee = 30.0;
constexpr std::size_t kMaxNotes = 15;

std::string Format(const char* pattern, double a, double b = 0, double c = 0) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
  return buffer;
}

bool ConvictionDeclined(const std::string& code, const char* declined) {
  std::istringstream prefixes(declined);
  std::string prefix;
  while (prefixes >> prefix)
    if (code.compare(0, prefix.size(), prefix) == 0)
      return true;
  return false;
}

int PointsWithin(const TDriverRisk& d) {
  int points = 0;
  for (const auto& c : d.Convictions)
    if (Within(c.MonthsAgo, kConvictionMonths))
      points += c.Points;
  return points;
}

int YoungestAge(const TRisk& risk) {
  int youngest = 200;
  for (const auto& d : risk.Drivers)
    if (d.Age >= 0 && d.Age < youngest)
      youngest = d.Age;
  if (risk.Restriction == 8 && risk.AnyDriverYoungestAge < youngest)
    youngest = risk.AnyDriverYoungestAge;
  return youngest;
}

// The young driver addition to the compulsory excess, 0 when none.
int YoungDriverExcess(const TRisk& risk) {
  int youngest = YoungestAge(risk);
  return youngest < 21 ? 250 : youngest < 25 ? 150 : 0;
}

// "the proposer" for driver 1, "additional driver n" for driver n + 1.
std::string DriverName(int number) {
  return number <= 1 ? std::string("the proposer")
                     : "additional driver " + std::to_string(number - 1);
}

// The first decline reason of the scheme, or {0, ""}.
std::pair<int, std::string> DeclineReason(const TRisk& risk, const TScheme& s) {
  for (const auto& d : risk.Drivers) {
    if (d.Age >= 0 && (d.Age < s.MinAge || d.Age > s.MaxAge))
      return {kDeclinedDriver,
              "Declined: " + DriverName(d.Number) +
                  Format(" is aged %.0f, outside %.0f to %.0f", d.Age, s.MinAge, s.MaxAge)};
    if (d.LicenceType == kProvisional && s.DeclinesProvisional)
      return {kDeclinedDriver, "Declined: provisional licence holders are not accepted"};
    for (const auto& m : d.Medical)
      if (m.RequirementsMet == Code::RequirementsNotMet)
        return {kDeclinedDriver, "Declined: DVLA requirements not met for a medical condition"};
  }
  if (risk.Restriction == 8 && risk.AnyDriverYoungestAge < s.MinAge)
    return {kDeclinedDriver, Format("Declined: any driver must be aged %.0f or over", s.MinAge)};

  if (s.MaxValue > 0 && risk.Value > s.MaxValue)
    return {kDeclinedVehicle, Format("Declined: vehicle value over %.0f pounds", s.MaxValue)};
  if (s.MinVehicleAge > 0 && risk.VehicleAge < s.MinVehicleAge)
    return {kDeclinedVehicle,
            Format("Declined: vehicles under %.0f years old are not accepted", s.MinVehicleAge)};
  if (s.MaxVehicleAge > 0 && risk.VehicleAge > s.MaxVehicleAge)
    return {kDeclinedVehicle,
            Format("Declined: vehicles over %.0f years old are not accepted", s.MaxVehicleAge)};
  if (s.MaxEngineCc > 0 && risk.EngineCc > s.MaxEngineCc)
    return {kDeclinedVehicle, Format("Declined: engine over %.0fcc", s.MaxEngineCc)};
  if (s.MaxMileage > 0 && risk.PrivateMileage + risk.BusinessMileage > s.MaxMileage)
    return {kDeclinedVehicle, Format("Declined: annual mileage over %.0f", s.MaxMileage)};
  if (s.DeclinesPerformanceMakes && IsPerformanceMake(risk.MakeName))
    return {kDeclinedVehicle, "Declined: performance vehicles are not accepted"};
  if (s.DeclinesModified && !risk.Modifications.empty())
    return {kDeclinedVehicle, "Declined: modified vehicles are not accepted"};
  if (s.DeclinesLeftHandDrive && risk.LeftHandDrive)
    return {kDeclinedVehicle, "Declined: left-hand drive vehicles are not accepted"};

  int atFault = 0;
  for (const auto& d : risk.Drivers) {
    for (const auto& c : d.Convictions)
      if (Within(c.MonthsAgo, kConvictionMonths) &&
          ConvictionDeclined(c.Code, s.DeclinedConvictions))
        return {kDeclinedHistory, "Declined: conviction " + c.Code + " is not accepted"};
    if (PointsWithin(d) >= s.DeclinePoints)
      return {kDeclinedHistory, "Declined: " + DriverName(d.Number) +
                                    Format(" has %.0f penalty points", PointsWithin(d))};
    for (const auto& c : d.Claims)
      if (Within(c.MonthsAgo, kClaimMonths) && c.AtFault)
        ++atFault;
  }
  if (atFault > s.MaxAtFaultClaims)
    return {kDeclinedHistory, Format("Declined: %.0f at-fault claims in three years", atFault)};
  return {0, ""};
}

std::pair<int, std::string> ReferralReason(const TRisk& risk, const TScheme& s) {
  for (const auto& d : risk.Drivers)
    if (d.Age < 0)
      return {kReferredIncomplete, "Referred: no date of birth for " + DriverName(d.Number)};
  if (!risk.ValueGiven && risk.Cover != 3)
    return {kReferredIncomplete, "Referred: the vehicle's value was not given"};
  double claimsCost = 0;
  for (const auto& d : risk.Drivers) {
    if (PointsWithin(d) >= s.ReferPoints)
      return {kReferredPoints, "Referred: " + DriverName(d.Number) +
                                   Format(" has %.0f penalty points", PointsWithin(d))};
    if (s.RefersAnyMedical && !d.Medical.empty())
      return {kReferredMedical, "Referred: medical condition of " + DriverName(d.Number)};
    for (const auto& c : d.Claims)
      if (Within(c.MonthsAgo, kClaimMonths))
        claimsCost += c.Cost;
  }
  if (claimsCost > 15000)
    return {kReferredClaimsCost,
            Format("Referred: claims of %.0f pounds in three years", claimsCost)};
  if (s.RefersBusinessUse && (risk.Use >= 3 || risk.Goods))
    return {kReferredBusinessUse, "Referred: business use by others or carriage of goods"};
  const TDriverRisk& proposer = risk.Drivers.front();
  if (proposer.ResidencyMonths >= 0 && proposer.ResidencyMonths < 12)
    return {kReferredResidency, "Referred: resident in the UK for less than a year"};
  return {0, ""};
}

void SetExcesses(const TRisk& risk, const TScheme& s, TQuote& q) {
  int young = YoungDriverExcess(risk);
  const TDriverRisk& rated = risk.Rated();
  bool novice = rated.LicenceMonths >= 0 && rated.LicenceMonths < 24;
  q.CompulsoryExcess = s.CompulsoryExcess + young;
  q.VoluntaryExcess = risk.Cover == 3 ? 0 : static_cast<int>(std::lround(risk.VoluntaryExcess));
  int ownDamage = q.CompulsoryExcess + q.VoluntaryExcess;
  q.AllSectionsExcess = risk.Cover == 3 ? 0 : ownDamage;
  bool street = risk.OvernightLocation == 8 || risk.OvernightLocation == 9;
  if (risk.Cover == 1 && s.Windscreen)
    q.SectionExcesses.push_back({12, 75});
  if (risk.Cover != 3)
    q.SectionExcesses.push_back({4, ownDamage});
  if (risk.Cover != 3 && street)
    q.SectionExcesses.push_back({13, ownDamage + 100});
  if (risk.Cover == 1 && novice)
    q.SectionExcesses.push_back({19, ownDamage + 100});
}

void AddNote(TQuote& q, int code, const std::string& text) {
  if (q.Notes.size() < kMaxNotes)
    q.Notes.push_back({code, text});
}

}  // namespace

TQuote RateScheme(const TRisk& risk, const TScheme& s) {
  TQuote q;
  q.Plan = s.Plan;
  q.UseCode = risk.Use >= 1 && risk.Use <= 4 ? risk.Use : 1;
  auto refusal = DeclineReason(risk, s);
  if (refusal.first == 0)
    refusal = ReferralReason(risk, s);
  if (refusal.first != 0) {
    AddNote(q, refusal.first, refusal.second);
    SetExcesses(risk, s, q);
    return q;
  }
  SetExcesses(risk, s, q);
  if (YoungDriverExcess(risk) > 0)
    AddNote(q, 101, Format("Young driver excess of %.0f pounds included", YoungDriverExcess(risk)));

  const TDriverRisk& rated = risk.Rated();
  double base = risk.Cover == 1   ? s.BaseComprehensive
                : risk.Cover == 2 ? s.BaseThirdPartyFireTheft
                                  : s.BaseThirdPartyOnly;
  double premium = base;
  auto apply = [&](const std::string& what, double factor) {
    premium *= factor;
    q.Explanation.push_back(what + Format(": x %.3f", factor));
  };
  q.Explanation.push_back(Format("base: %.2f pounds", base));
  auto scaledYoung = [&](double factor, int age) {
    return age < 25 ? 1.0 + (factor - 1.0) * s.YoungDriverScale : factor;
  };
  apply("age of the main driver", scaledYoung(AgeFactor(rated.Age), rated.Age));
  double namedLoading = 1.0;
  for (const auto& d : risk.Drivers) {
    double extra = scaledYoung(AgeFactor(d.Age), d.Age) - AgeFactor(rated.Age);
    if (d.Number != rated.Number && extra > 0)
      namedLoading += 0.25 * extra;
  }
  if (risk.Restriction == 8)
    namedLoading =
        std::max(namedLoading * 1.15, AgeFactor(risk.AnyDriverYoungestAge) / AgeFactor(rated.Age));
  apply("younger drivers", namedLoading);
  apply("licence held", LicenceFactor(rated.LicenceMonths, rated.LicenceType));
  if (rated.MaritalStatus == 1 || rated.MaritalStatus == 6)
    apply("married or civil partnership", 0.95);
  if (rated.AdvancedDriving > 0)
    apply("advanced driving", 0.95);
  if (rated.PassPlus && rated.Age < 25)
    apply("Pass Plus", 0.93);
  int bonus = EffectiveBonusYears(risk);
  apply("no claims bonus", BonusFactor(bonus));
  bool protect = risk.BonusProtectionWanted && bonus >= 4 && !s.ProtectedBonusIncluded;
  if (protect)
    apply("bonus protection", 1.12);
  if (risk.Cover != 3)
    apply("vehicle value", ValueFactor(risk.Value));
  apply("vehicle age", VehicleAgeFactor(risk.VehicleAge < 0 ? 5 : risk.VehicleAge));
  apply("engine, body and make", EngineFactor(risk.EngineCc, risk.Body, risk.MakeName));
  apply("use", UseFactor(risk.Use, risk.Goods));
  apply("mileage", MileageFactor(risk.PrivateMileage + risk.BusinessMileage));
  apply("postcode area " + risk.PostcodeArea, AreaFactor(risk.PostcodeArea));
  apply("overnight location", LocationFactor(risk.OvernightLocation));
  if (risk.Cover != 3)
    apply("security devices", SecurityFactor(risk));
  apply("modifications", ModificationFactor(risk));
  if (risk.LeftHandDrive)
    apply("left-hand drive", 1.2);
  int claims = 0, convictions = 0;
  apply("claims", ClaimsFactor(risk, claims));
  apply("convictions", ConvictionsFactor(risk, s.ConvictionScale, convictions));
  const TDriverRisk& proposer = risk.Drivers.front();
  if (proposer.ResidencyMonths >= 0 && proposer.ResidencyMonths < 36)
    apply("short UK residency", 1.2);
  if (risk.Cover != 3)
    apply("voluntary excess", VoluntaryExcessFactor(risk.VoluntaryExcess));
  premium += kPolicyFee;
  q.Explanation.push_back(Format("policy fee: + %.2f pounds", kPolicyFee));
  q.PremiumPence = std::llround(premium * 100.0);

  if (risk.Cover == 1 && s.Windscreen)
    AddNote(q, 102, "Windscreen cover included (75 pounds excess)");
  if (s.ProtectedBonusIncluded || protect)
    AddNote(q, 103, "Protected no claims bonus included");
  if (HasTracker(risk) && risk.Value > 30000)
    AddNote(q, 104, "A working tracking device is a condition of cover");
  if (s.MinVehicleAge > 0)
    AddNote(q, 105, "Agreed value; annual mileage limited to 5,000");
  if (risk.Restriction == 8)
    AddNote(q, 106, Format("Any driver aged %.0f or over", risk.AnyDriverYoungestAge));
  else
    AddNote(q, 106, "Cover restricted to the drivers named");
  if (convictions > 0)
    AddNote(q, 107, Format("Premium includes a loading for %.0f conviction(s)", convictions));
  if (claims > 0)
    AddNote(q, 108, Format("Premium includes a loading for %.0f claim(s)", claims));
  if (!risk.MedicalModifications.empty())
    AddNote(q, 109, "Modifications for a medical reason noted without extra premium");
  return q;
}

std::vector<TQuote> RatePanel(const TRisk& risk) {
  std::vector<TQuote> quotes;
  for (const auto& scheme : DemoPanel())
    quotes.push_back(RateScheme(risk, scheme));
  return quotes;
}
