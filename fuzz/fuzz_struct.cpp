// Fuzzes "Struct.BIN", the dictionary's property tree, beside the demo "Lists.BIN": the Data
// Server is opened on it as at start-up and then used as the capture pages use it.
#include <cstddef>
#include <cstdint>

#include "fuzz/dictionarywalk.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string lists = fuzz::DemoFile("dictionary/Lists.BIN");
  const std::string structure = fuzz::WriteScratchFile("Struct.BIN", data, size);
  OpenAndWalkDictionary(lists, structure, fuzz::DemoApplicationNumber(),
                        fuzz::DemoDictionaryVersion());
  return 0;
}
