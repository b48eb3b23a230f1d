// Fuzzes "OccupMap.bin", the engine's occupation map, through the occupation fields' lists: the
// businesses, the occupations of the first businesses and the employment statuses of their
// first occupations, as a user picking each in turn would see them.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzzsupport.h"
#include "motor/occupationlists.h"

namespace {

constexpr int kBusinessesTried = 8;
constexpr int kOccupationsTried = 8;

// The Data Server's list texts: a text for most codes, none for some, as a real list has gaps.
QString ListText(qint32 listId, qint32 code) {
  if (code % 7 == 0)
    return QString();
  return QStringLiteral("%1:%2").arg(listId).arg(code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString map = QFile::decodeName(fuzz::WriteScratchFile("OccupMap.bin", data, size).c_str());
  try {
    TCodedStringList businesses;
    LoadBusinessList(businesses, map, ListText);
    for (int b = 0; b < businesses.size() && b < kBusinessesTried; ++b) {
      const qint32 business = businesses[b].code;
      TCodedStringList occupations;
      LoadOccupationList(occupations, business, map, ListText);
      for (int o = 0; o < occupations.size() && o < kOccupationsTried; ++o) {
        const qint32 entry = occupations[o].code;
        TCodedStringList statuses;
        LoadEmploymentStatusList(statuses, business, entry >> 16, entry & 0xFFFF, map, ListText);
      }
    }
  } catch (const EOccupationMapError&) {
  }
  return 0;
}
