#pragma once
// Writes the quotations as the results file "Formula1.001": one block of 46 lines per scheme,
// lines ended by CR LF.

#include <string>
#include <vector>

#include "tools/demoengine/rating.h"

std::string ResultsFileText(const std::vector<TQuote>& quotes);
