#pragma once
// Reads and prints section files (saved quotations, "*.PCD"): the directory and every value of
// every section, or of one section.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "dataserver/sectionfile.h"

struct TDictionaryView;

struct TSection {
  std::string Name;
  std::int32_t Position = 0;
  std::vector<TSectionRecord> Values;  // texts in Windows-1252
};

// Reads with the Data Server's own section-file reader; raises EReadError on a damaged file.
std::vector<TSection> ReadSectionFile(const std::string& fileName);

// Prints the sections (only the named one, compared without regard to case, when given). With a
// dictionary, list codes are shown with their descriptions. Answers false when the named
// section is absent.
bool DumpSectionFile(const std::string& fileName, const std::string& onlySection,
                     const TDictionaryView* dictionary, std::ostream& out);

// "14/03/1990" for a packed date, or the raw number when it names no date.
std::string PackedDateText(std::int32_t packed);
