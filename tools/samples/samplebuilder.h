#pragma once
// Turns a readable sample proposal (resources/demo/samples/*.json) into a quotation file: every
// value is set in the Data Server with DsvSetValue and the whole proposal saved with
// DsvSaveSection under the section name "Tolvane", exactly as the program saves a quotation.
//
// The Data Server must be open on the dictionary the sample is written for.

#include <string>

#include "dataserver/packeddate.h"

struct TDictionaryView;

// The section name the program saves quotations and test cases under.
inline constexpr const char* kSampleSection = "Tolvane";

// Builds pcdFile from jsonFile (replacing the file). Dates relative to today ("today-19y")
// resolve against today. Raises ECompileError naming the sample file, the JSON pointer and
// the fault (an unknown property, a value of the wrong kind, a code not in the list, a path the
// Data Server refuses, ...).
void BuildSample(const std::string& jsonFile, const TDictionaryView& dictionary,
                 const std::string& pcdFile, PackedDate today);

// "dd/mm/yyyy", "today", or "today" followed by steps such as "-19y", "-14m", "+1d" applied in
// order. Answers false when the text is neither.
bool ParseSampleDate(const std::string& text, PackedDate today, PackedDate& result);
