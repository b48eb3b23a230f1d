// Fuzzes "PlanName.Dat", the engine's scheme names: a results file that quotes plan numbers of
// every kind (each insurer line and variant, 0, negative and extreme numbers) is read with it.
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzsupport.h"
#include "fuzz/resultswalk.h"

namespace {

// One quotation block of the results file: plan number, premium, 15 note pairs, three
// excesses, 5 section pairs and the use code, each on a line.
std::string Block(long long planNumber) {
  std::string block = std::to_string(planNumber) + "\r\n" + "31250\r\n";
  for (int note = 0; note < 15; ++note)
    block += note == 0 ? "3\r\nEndorsement\r\n" : "0\r\n\r\n";
  block += "100\r\n150\r\n250\r\n";
  for (int section = 0; section < 5; ++section)
    block += section == 0 ? "4\r\n00300\r\n" : "0\r\n0\r\n";
  return block + "1\r\n";
}

std::string ResultsQuotingEveryKindOfPlan() {
  std::string results;
  for (int line = 1; line <= 4; ++line) {
    for (int variant : {0, 1, 9})
      results += Block(line * 10 + variant);
  }
  results += Block(125);
  for (long long odd : {0LL, 5LL, -1LL, -19LL, 2147483647LL, -2147483647LL - 1, 4294967296LL})
    results += Block(odd);
  return results;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString results = QFile::decodeName(
      fuzz::WriteScratchFile("Formula1.001", ResultsQuotingEveryKindOfPlan()).c_str());
  const std::string planNames = fuzz::WriteScratchFile("PlanName.Dat", data, size);
  ReadAndListResults(results, QFile::decodeName(planNames.c_str()), 1);
  return 0;
}
