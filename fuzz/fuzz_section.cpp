// Fuzzes quotation files (section files, "*.PCD", which users e-mail to each other): the file is
// opened as File > Open does, the proposal listed as the broker's e-mail lists it, exported for
// the engine, and saved back into the same file beside its other sections.
#include <QDate>
#include <cstddef>
#include <cstdint>

#include "dataserver/binarystream.h"
#include "dataserver/dsv.h"
#include "fuzz/fuzzsupport.h"
#include "motor/proposallisting.h"

namespace {

// The section the program saves quotations under.
constexpr const char* kSection = "Tolvane";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::OpenDemoDictionary();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string exports = fuzz::DemoFile("dictionary/Exports.BIN");
  static const std::string input = fuzz::ScratchFolder() + "/QuoForm1.001";
  const std::string file = fuzz::WriteScratchFile("Fuzzed.PCD", data, size);
  // Loading and saving let a damaged file's read error reach the caller, which reports it.
  try {
    if (DsvLoadSection(file.c_str(), kSection) == 0) {
      ProposalListingLines(QDate(2024, 2, 29));
      DsvExport(fuzz::DemoApplicationNumber(), fuzz::DemoDictionaryVersion(), 0, 0, 0,
                exports.c_str(), input.c_str());
    }
    DsvSaveSection(file.c_str(), kSection);
  } catch (const EReadError&) {
  } catch (const EWriteError&) {
  }
  DsvClearAll();
  return 0;
}
