#pragma once
// The demo engine's rating factors: each turns one fact of the risk into a multiplier of the
// scheme's base premium. The README lists the same tables.

#include <string>

#include "tools/demoengine/risk.h"

struct TScheme;

double AgeFactor(int age);
double LicenceFactor(int licenceMonths, int licenceType);
// Counts the vehicle's bonus when earned on a private or company car in the UK or Europe,
// otherwise the proposer's bonus earned on another vehicle.
int EffectiveBonusYears(const TRisk& risk);
double BonusFactor(int years);
double ValueFactor(double value);
double VehicleAgeFactor(int years);
double EngineFactor(int cc, const std::string& body, const std::string& makeName);
bool IsPerformanceMake(const std::string& makeName);
double UseFactor(int use, bool goods);
double MileageFactor(double totalMiles);
double AreaFactor(const std::string& postcodeArea);
double LocationFactor(int overnightLocation);
double SecurityFactor(const TRisk& risk);
bool HasTracker(const TRisk& risk);
double ModificationFactor(const TRisk& risk);
double VoluntaryExcessFactor(double excess);
// Claims within 3 years and convictions within 5 years of every driver.
double ClaimsFactor(const TRisk& risk, int& counted);
double ConvictionFactor(const std::string& code);
double ConvictionsFactor(const TRisk& risk, double scale, int& counted);

inline constexpr int kClaimMonths = 36;
inline constexpr int kConvictionMonths = 60;
// A dated event counts when it lies within the period; an undated one always counts.
inline bool Within(int monthsAgo, int months) {
  return monthsAgo < 0 || monthsAgo < months;
}
