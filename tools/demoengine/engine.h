#pragma once
// One run of the demo quote engine in its folder: reads "QuoForm1.001", rates the risk for
// every scheme of the panel and writes "Formula1.001" whole (through a temporary file renamed
// over it). A malformed input writes no results file and removes a stale one.

#include <ostream>
#include <string>

enum TEngineExit {
  kEngineOk = 0,
  kEngineFileError = 1,  // the input cannot be read or the results cannot be written
  kEngineBadInput = 2,   // the input is malformed
};

// Messages go to err; with explain, each scheme's rating steps are printed there too.
int RunEngine(const std::string& folder, std::ostream& err, std::ostream* explain);

// Writes "PlanName.Dat" and "Choice.Dat" into a folder; false on failure.
bool WriteReferenceFiles(const std::string& folder, std::ostream& err);
