#pragma once
// Reads "Exports.BIN" into its tree the way the transfer does, prints it readably, and writes it
// back as a transfer source in the dictionary compiler's JSON form.

#include <ostream>
#include <string>

#include "dataserver/dictwriter.h"
#include "tools/dictc/jsonsupport.h"

struct TExportsFile {
  std::int32_t Header = 0;
  std::int32_t Group = 0;
  std::vector<TExportRecord> Records;
  // Records the tree could not take: the walk ended on a group identifier no object owns.
  bool Leftover = false;
};

// Raises EReadError on a damaged file.
TExportsFile ReadExportsFile(const std::string& fileName);
void DumpExportsFile(const std::string& fileName, std::ostream& out);
TJson ExportsToJson(const TExportsFile& file);
