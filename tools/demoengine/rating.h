#pragma once
// Rates one risk for one scheme of the panel: a price, or a referral or decline with its note.

#include <string>
#include <utility>
#include <vector>

#include "tools/demoengine/panel.h"
#include "tools/demoengine/risk.h"

// Note codes the program reads as a decline when they come first on an unpriced quotation.
inline constexpr int kDeclinedDriver = 32;
inline constexpr int kDeclinedVehicle = 39;
inline constexpr int kDeclinedHistory = 56;
// Referral note codes.
inline constexpr int kReferredIncomplete = 9;
inline constexpr int kReferredPoints = 12;
inline constexpr int kReferredMedical = 18;
inline constexpr int kReferredClaimsCost = 21;
inline constexpr int kReferredBusinessUse = 24;
inline constexpr int kReferredResidency = 27;

struct TQuote {
  int Plan = 0;
  long long PremiumPence = 0;                      // 0 when referred or declined
  std::vector<std::pair<int, std::string>> Notes;  // at most 15
  int CompulsoryExcess = 0;
  int VoluntaryExcess = 0;
  int AllSectionsExcess = 0;
  std::vector<std::pair<int, int>> SectionExcesses;  // (section code, pounds), at most 5
  int UseCode = 1;
  std::vector<std::string> Explanation;  // how the premium was reached, for --explain
};

TQuote RateScheme(const TRisk& risk, const TScheme& scheme);
std::vector<TQuote> RatePanel(const TRisk& risk);
