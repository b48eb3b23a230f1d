#pragma once
// The command line's exit codes (documented in the README and in --help).

enum TCliExit : int {
  kExitQuoted = 0,          // every file was quoted (check: nothing is missing)
  kExitMissingData = 1,     // answers are missing; they are listed
  kExitUsage = 2,           // the command line is wrong, or the cover start is before today
  kExitNoInstallation = 3,  // the settings name no dictionary or quote engine folder
  kExitDictionary = 4,      // the dictionary cannot be opened
  kExitBadFile = 5,         // a file is not there or is not a quotation file
  kExitEngineMissing = 6,   // the quote engine is not installed or cannot be started
  kExitEngineFailed = 7,    // the engine failed, left no readable results, or ran out of time
  kExitNothingQuoted = 8,   // every insurer declined
  kExitNoSuchPlan = 9,      // report: no listed quotation has the number asked for
  kExitReportFailed = 10,   // report: the PDF file cannot be written
};
