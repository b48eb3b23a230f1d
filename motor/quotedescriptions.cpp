#include "motor/quotedescriptions.h"

#include <array>

namespace {

constexpr std::array<const char*, 23> kCoverSections = {
    "Accidental damage",
    "Accidental damage, fire and theft",
    "Accidental damage and theft",
    "Fire and theft",
    "Theft",
    "Fire",
    "All sections",
    "Malicious Damage",
    "Accidental and malicious damage",
    "Accidental and malicious damage, fire and theft",
    "Malicious damage, fire and theft",
    "Windscreen",
    "Ungaraged theft",
    "Ungaraged fire and theft",
    "Ungaraged malicious damage and theft",
    "Alarm theft",
    "malicious damage and theft",
    "Accidental and malicious damage and theft",
    "main driver novice",
    "Ungaraged malicious damage, fire and theft",
    "Minimum accidental damage",
    "Minimum accidental and malicious damage, fire and theft",
    "Minimum fire and theft",
};

constexpr std::array<const char*, 7> kUses = {
    "Social, Domestic and Pleasure",
    "Class 1",
    "Class 2",
    "Class 3",
    "Commercial Vehicle",
    "Commercial vehicle (including hire)",
    "Commercial vehicle (including hire), Limited Radius",
};

template <std::size_t N>
QString FromTable(const std::array<const char*, N>& table, int code) {
  if (code < 1 || code > static_cast<int>(N))
    return QString();
  return QString::fromLatin1(table[code - 1]);
}

}  // namespace

QString CoverSectionDescription(int sectionCode) {
  return FromTable(kCoverSections, sectionCode);
}

QString UseCodeDescription(int useCode) {
  return FromTable(kUses, useCode);
}
