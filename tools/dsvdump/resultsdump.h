#pragma once
// Prints the quote engine's results file "Formula1.001" readably, as the program reads it
// (TQuoteInformation), with the scheme names of "PlanName.Dat".

#include <ostream>
#include <string>

class TQuoteDetails;

// Referred with a first note that marks a decline (32, 39 or 56): the results dialog shows no
// row for such a scheme.
bool IsDeclined(const TQuoteDetails& quotation);

// Raises EQuoteResultsError naming the file and line when the results file cannot be read or is
// malformed. A plan-name file that does not exist leaves the schemes without names.
void DumpResultsFile(const std::string& fileName, const std::string& planNameFile,
                     std::ostream& out);
