// Fuzzes "Lists.BIN", the dictionary's choice lists and their dependency table, beside the demo
// "Struct.BIN": every list is filled, searched by code and filtered by the choices of others.
#include <cstddef>
#include <cstdint>

#include "fuzz/dictionarywalk.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string structure = fuzz::DemoFile("dictionary/Struct.BIN");
  const std::string lists = fuzz::WriteScratchFile("Lists.BIN", data, size);
  OpenAndWalkDictionary(lists, structure, fuzz::DemoApplicationNumber(),
                        fuzz::DemoDictionaryVersion());
  return 0;
}
