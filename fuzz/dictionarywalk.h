#pragma once
// Uses a freshly opened dictionary the way the program does: every property's default value, a
// value stored and read back at the path the tree gives it, the store saved and loaded as a
// section file, every choice list filled, its entries looked up by code, and lists filtered by
// the choices of other lists (as the vehicle models are by the make).

#include <cstdint>
#include <string>

#include "dataserver/status.h"

// Opens the Data Server on the two files, walks it as above and closes it again. Answers the
// open status. Only the failures the Data Server documents are expected; anything else (another
// exception, a sanitizer report) stops the fuzzer.
DsvStatus OpenAndWalkDictionary(const std::string& listsFile, const std::string& structFile,
                                std::int16_t applicationNumber, std::int16_t version);
