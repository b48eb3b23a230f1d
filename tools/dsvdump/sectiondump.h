#pragma once
// Reads and prints section files (saved quotations, "*.PCD"): the directory and every value of
// every section, or of one section.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TDictionaryView;

struct TSectionValue {
  std::int32_t PropertyId = 0;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> Path;  // (object, index) per entry
  std::uint8_t Type = 0;
  double Number = 0;
  std::string Text;         // Windows-1252
  std::int32_t Packed = 0;  // date or list code
};

struct TSection {
  std::string Name;
  std::int32_t Position = 0;
  std::vector<TSectionValue> Values;
};

// Raises EReadError on a damaged file.
std::vector<TSection> ReadSectionFile(const std::string& fileName);

// Prints the sections (only the named one, compared without regard to case, when given). With a
// dictionary, list codes are shown with their descriptions. Answers false when the named
// section is absent.
bool DumpSectionFile(const std::string& fileName, const std::string& onlySection,
                     const TDictionaryView* dictionary, std::ostream& out);

// "14/03/1990" for a packed date, or the raw number when it names no date.
std::string PackedDateText(std::int32_t packed);
// The number in its shortest general form, up to 15 significant digits.
std::string GeneralNumberText(double value);
