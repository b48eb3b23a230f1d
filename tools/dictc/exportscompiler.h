#pragma once
// Compiles the readable transfer definition (exports.json) into the records that
// dataserver/dictwriter.h lays out as "Exports.BIN". With a compiled dictionary it also checks
// every field against the properties it names.

#include <cstdint>
#include <string>
#include <vector>

#include "dataserver/dictwriter.h"

struct TCompiledDictionary;

struct TCompiledExports {
  std::int32_t Header = 0;
  std::int32_t Group = 0;  // the root's group identifier
  std::vector<TExportRecord> Records;
  std::vector<std::string> Warnings;
};

// dictionary may be null: the checks that need it are then skipped.
TCompiledExports CompileExports(const std::string& fileName, const TCompiledDictionary* dictionary);

// The number of lines the definition writes into the engine input: every field once per
// iteration of each object around it.
std::int64_t CountExportLines(const std::vector<TExportRecord>& records);
