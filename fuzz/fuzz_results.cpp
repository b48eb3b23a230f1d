// Fuzzes "Formula1.001", the quote engine's results, read with the demo "PlanName.Dat" into the
// results dialog's rows and details.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzzsupport.h"
#include "fuzz/resultswalk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString planNames = QFile::decodeName(fuzz::DemoFile("engine/PlanName.Dat").c_str());
  const std::string results = fuzz::WriteScratchFile("Formula1.001", data, size);
  // The cover type (comprehensive, third party fire and theft, third party) decides which excess
  // is shown; every input picks one.
  const int coverType = 1 + static_cast<int>(size % 3);
  ReadAndListResults(QFile::decodeName(results.c_str()), planNames, coverType);
  return 0;
}
