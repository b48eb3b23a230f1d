// Fuzzes "Exports.BIN", the transfer definition: the demo family proposal is exported through it
// into the engine input and its dump, as every quotation does before the engine starts.
#include <cstddef>
#include <cstdint>

#include "dataserver/dsv.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::OpenDemoDictionary();
  const std::string family = fuzz::DemoFile("samples/family.PCD");
  if (DsvLoadSection(family.c_str(), "Tolvane") != 0)
    return 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzz::ScratchFolder() + "/QuoForm1.001";
  const std::string definition = fuzz::WriteScratchFile("Exports.BIN", data, size);
  DsvExport(fuzz::DemoApplicationNumber(), fuzz::DemoDictionaryVersion(), 0, 0, 0,
            definition.c_str(), input.c_str());
  return 0;
}
