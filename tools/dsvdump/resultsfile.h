#pragma once
// The quote engine's results file "Formula1.001" (blocks of 46 lines, one per scheme) and the
// scheme names of "PlanName.Dat", read strictly: every number line must be a number.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TResultBlock {
  std::int32_t PlanNumber = 0;
  std::int64_t PremiumPence = 0;
  std::vector<std::pair<std::int32_t, std::string>> Notes;  // code > 0 only, in file order
  std::int32_t CompulsoryExcess = 0;
  std::int32_t VoluntaryExcess = 0;
  std::int32_t AllSectionsExcess = 0;
  std::vector<std::pair<std::int32_t, std::string>> SectionExcesses;  // code > 0, amount text
  std::int32_t UseCode = 0;

  bool IsReferred() const { return PremiumPence < 100; }
  // Referred with a first note that marks a decline (32, 39 or 56).
  bool IsDeclined() const;
};

// Raises EReadError naming the line when the file is malformed or cannot be read.
std::vector<TResultBlock> ReadResultsFile(const std::string& fileName);

// The lines of "PlanName.Dat" (empty when it cannot be read).
std::vector<std::string> ReadPlanNames(const std::string& fileName);
// The insurer name of a plan number, with the scheme variant's name when the variant is not 0;
// empty when the plan has no line.
std::string PlanDisplayName(const std::vector<std::string>& planNames, std::int32_t planNumber);

std::string SectionDescription(std::int32_t code);
std::string UseDescription(std::int32_t code);

// Prints every block readably, with names from planNames when given.
void DumpResultsFile(const std::string& fileName, const std::vector<std::string>& planNames,
                     std::ostream& out);
