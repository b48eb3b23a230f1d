#pragma once
// What the results dialog does with an engine run's results: reads the results file with the
// scheme names, lists the rows, shows each quotation's details and sorts by every column.

#include <QString>

// Only the reader's documented failure (EQuoteResultsError) is expected.
void ReadAndListResults(const QString& resultsFile, const QString& planNameFile, int coverType);
