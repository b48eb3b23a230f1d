#pragma once
// Prints the quote engine's results file "Formula1.001" readably, as the program reads it
// (TQuoteInformation), with the scheme names of "PlanName.Dat".

#include <ostream>
#include <string>

#include "motor/quoteinformation.h"

// Referred with a first note that marks a decline (32, 39 or 56): the results dialog shows no
// row for such a scheme.
bool IsDeclined(const TQuoteDetails& quotation);

// The results as the program reads them. A plan-name file that does not exist leaves the schemes
// without names. Raises EQuoteResultsError naming the file and line when the results file cannot
// be read or is malformed.
TQuoteInformation ReadEngineResults(const std::string& fileName, const std::string& planNameFile);

// Prints what ReadEngineResults reads, with its faults.
void DumpResultsFile(const std::string& fileName, const std::string& planNameFile,
                     std::ostream& out);
