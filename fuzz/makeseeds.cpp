// qm-fuzz-seeds: writes the fuzz targets' seed corpora from the demo installation and its sample
// quotation files, so that no binary seed is kept in the repository.
//
//   qm-fuzz-seeds DEMO_DIR CORPUS_DIR
//
// CORPUS_DIR/<target>/ receives the demo's own file for each reader, every sample quotation, and
// the results the demo engine gives for each sample (the sample exported as a quotation would be,
// the engine run in a folder of its own).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "dataserver/dsv.h"
#include "fuzz/fuzzsupport.h"
#include "motor/getmotordsv.h"

namespace {

namespace fs = std::filesystem;

void Fail(const std::string& message) {
  std::fprintf(stderr, "qm-fuzz-seeds: %s\n", message.c_str());
  std::exit(1);
}

void Seed(const fs::path& corpus, const std::string& target, const fs::path& from,
          const std::string& name) {
  fs::create_directories(corpus / target);
  std::error_code ec;
  fs::copy_file(from, corpus / target / name, fs::copy_options::overwrite_existing, ec);
  if (ec)
    Fail("cannot copy " + from.string() + ": " + ec.message());
}

std::string Quoted(const fs::path& path) {
  std::string quoted = "'";
  for (char c : path.string())
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The demo engine's results for one sample quotation, as the quotation run would produce them.
void SeedResults(const fs::path& demo, const fs::path& corpus, const fs::path& sample,
                 std::int32_t version) {
  const fs::path engine = corpus / ".engine";
  fs::create_directories(engine);
  std::error_code ec;
  fs::remove(engine / "Formula1.001", ec);
  if (DsvLoadSection(sample.c_str(), "Tolvane") != 0)
    Fail("cannot load " + sample.string());
  PrepareQuote();
  const fs::path exports = demo / "dictionary" / "Exports.BIN";
  const fs::path input = engine / "QuoForm1.001";
  if (DsvExport(static_cast<std::int16_t>(version >> 16),
                static_cast<std::int16_t>(version & 0xFFFF), 0, 0, 0, exports.c_str(),
                input.c_str()) != 0)
    Fail("cannot export " + sample.string());
  const std::string command =
      "cd " + Quoted(engine) + " && " + Quoted(demo / "engine" / "QuoForm1.pif") + " 2>/dev/null";
  // A sample every insurer declines still gets its results file.
  std::system(command.c_str());
  if (fs::exists(engine / "Formula1.001"))
    Seed(corpus, "results", engine / "Formula1.001", sample.stem().string());
  fs::remove_all(engine, ec);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qm-fuzz-seeds DEMO_DIR CORPUS_DIR\n");
    return 2;
  }
  const fs::path demo = argv[1];
  const fs::path corpus = argv[2];
  Seed(corpus, "struct", demo / "dictionary" / "Struct.BIN", "demo");
  Seed(corpus, "lists", demo / "dictionary" / "Lists.BIN", "demo");
  Seed(corpus, "exports", demo / "dictionary" / "Exports.BIN", "demo");
  Seed(corpus, "plannames", demo / "engine" / "PlanName.Dat", "demo");
  Seed(corpus, "occupmap", demo / "engine" / "OccupMap.bin", "demo");
  Seed(corpus, "hints", demo / "TTHelp.dat", "demo");

  const fs::path lists = demo / "dictionary" / "Lists.BIN";
  const fs::path structure = demo / "dictionary" / "Struct.BIN";
  const std::int32_t version = fuzz::DictionaryVersion(structure.string());
  if (DsvOpen(static_cast<std::int16_t>(version >> 16), static_cast<std::int16_t>(version & 0xFFFF),
              lists.c_str(), structure.c_str(), "") != 0)
    Fail("cannot open the demo dictionary in " + demo.string());
  for (const auto& entry : fs::directory_iterator(demo / "samples")) {
    if (entry.path().extension() != ".PCD")
      continue;
    Seed(corpus, "section", entry.path(), entry.path().stem().string());
    SeedResults(demo, corpus, entry.path(), version);
  }
  DsvClose();
  return 0;
}
