#pragma once
// Reads "OccupMap.bin" back into its tree, prints it, and writes it as an occupations.json
// source.

#include <ostream>
#include <string>

#include "tools/dictc/jsonsupport.h"
#include "tools/dictc/occupationcompiler.h"

struct TDictionaryView;

// Raises EReadError when a sibling position points backwards or past the end.
std::vector<TBusinessNode> ReadOccupationMap(const std::string& fileName);
// With a dictionary, codes are shown with their list descriptions.
void DumpOccupationMap(const std::string& fileName, const TDictionaryView* dictionary,
                       std::ostream& out);
TJson OccupationMapToJson(const std::vector<TBusinessNode>& tree);
