#pragma once
// Compiles the readable occupation tree (occupations.json) into "OccupMap.bin": 6-byte nodes of
// a 16-bit code and the 32-bit absolute position of the next sibling (0 for the last), each
// node's first child right after it. Level 1 employer's business, level 2 occupation, level 3
// qualifier; a qualifier is followed by its employment status bytes and a 0 byte.

#include <cstdint>
#include <string>
#include <vector>

struct TCompiledDictionary;

struct TOccupationQualifier {
  std::uint16_t Code = 0;
  std::vector<std::uint8_t> Statuses;
};

struct TMainOccupationNode {
  std::uint16_t Code = 0;
  std::vector<TOccupationQualifier> Qualifiers;
};

struct TBusinessNode {
  std::uint16_t Code = 0;
  std::vector<TMainOccupationNode> Occupations;
};

// dictionary may be null; with it every code must be an entry of its list (ListId::
// EmployersBusinesses, Occupations, OccupationQualifiers unless 0, EmploymentStatuses).
std::vector<TBusinessNode> CompileOccupations(const std::string& fileName,
                                              const TCompiledDictionary* dictionary);

std::vector<std::uint8_t> WriteOccupationMap(const std::vector<TBusinessNode>& tree);
