#pragma once
// Numbers as text in the general form the engine reads.

#include <string>

// The shortest general form of a number with up to 15 significant digits: fixed notation when
// the value is at least 0.00001 and has at most 15 digits before the point, otherwise
// scientific ("1.5E20", "2E-7"). No thousands separators, and always "." as the decimal
// separator whatever the user's locale, because the engine reads the text back.
std::string FormatGeneralNumber(double value);
