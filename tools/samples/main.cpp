// qm-build-samples: builds quotation files from readable sample proposals.
//
//   qm-build-samples --dictionary DIR --out DIR SAMPLE.json...
//
// Opens the Data Server on Struct.BIN and Lists.BIN of the dictionary folder and writes
// OUT/<name>.PCD for each SAMPLE/<name>.json (section "Tolvane"). Dates relative to today are
// resolved on the day of the build. Exit status 1 on a refused sample, 2 on a usage error.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "dataserver/dsv.h"
#include "tools/dictc/compileerror.h"
#include "tools/dsvdump/dictionaryfiles.h"
#include "tools/samples/samplebuilder.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string dictionaryDir, outDir;
  std::vector<std::string> samples;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--dictionary" && i + 1 < argc)
      dictionaryDir = argv[++i];
    else if (arg == "--out" && i + 1 < argc)
      outDir = argv[++i];
    else if (!arg.empty() && arg[0] != '-')
      samples.push_back(arg);
    else
      usage = true;
  }
  if (usage || dictionaryDir.empty() || outDir.empty() || samples.empty()) {
    std::cerr << "usage: qm-build-samples --dictionary DIR --out DIR SAMPLE.json...\n";
    return 2;
  }
  try {
    TDictionaryView dictionary = LoadDictionaryView(dictionaryDir);
    std::string lists = (fs::path(dictionaryDir) / "Lists.BIN").string();
    std::string structure = (fs::path(dictionaryDir) / "Struct.BIN").string();
    std::string messages = (fs::path(dictionaryDir) / "corvane.msg").string();
    DsvStatus status = DsvOpen(static_cast<std::int16_t>(dictionary.Version >> 16),
                               static_cast<std::int16_t>(dictionary.Version & 0xFFFF),
                               lists.c_str(), structure.c_str(), messages.c_str());
    if (status != 0) {
      std::cerr << "qm-build-samples: DsvOpen on " << dictionaryDir << " answered " << status
                << "\n";
      return 1;
    }
    fs::create_directories(outDir);
    for (const auto& sample : samples) {
      fs::path out = fs::path(outDir) / (fs::path(sample).stem().string() + ".PCD");
      BuildSample(sample, dictionary, out.string(), TodayPacked());
    }
    DsvClose();
  } catch (const std::exception& e) {
    DsvClose();
    std::cerr << "qm-build-samples: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
