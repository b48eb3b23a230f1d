// dsvdump: prints the installation's binary files and the engine's results readably.
//
//   dsvdump [--type KIND] [--json] [--dictionary DIR] [--section NAME] [--plan-names FILE] FILE
//
// KIND is struct, lists, dictionary (a folder holding Struct.BIN and Lists.BIN), exports,
// section, results or occupations; without --type it follows the file name (Struct.BIN,
// Lists.BIN, Exports.BIN, OccupMap.bin, Formula1.001, *.PCD, a folder). --json writes the
// dictionary, a transfer definition or an occupation map back as a dictc source.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "dataserver/binarystream.h"
#include "tools/dsvdump/dictionarydump.h"
#include "tools/dsvdump/exportsdump.h"
#include "tools/dsvdump/occupmapdump.h"
#include "tools/dsvdump/resultsfile.h"
#include "tools/dsvdump/sectiondump.h"

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::cerr << "usage: dsvdump [--type struct|lists|dictionary|exports|section|results|"
               "occupations] [--json] [--dictionary DIR] [--section NAME] [--plan-names FILE] "
               "FILE\n";
  return 2;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string KindOf(const fs::path& file) {
  if (fs::is_directory(file))
    return "dictionary";
  std::string name = Lower(file.filename().string());
  if (name == "struct.bin")
    return "struct";
  if (name == "lists.bin")
    return "lists";
  if (name == "exports.bin")
    return "exports";
  if (name == "occupmap.bin")
    return "occupations";
  if (name == "formula1.001")
    return "results";
  if (Lower(file.extension().string()) == ".pcd")
    return "section";
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  std::string kind, dictionaryDir, section, planNamesFile, file;
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--json")
      json = true;
    else if (arg == "--type" && hasValue)
      kind = argv[++i];
    else if (arg == "--dictionary" && hasValue)
      dictionaryDir = argv[++i];
    else if (arg == "--section" && hasValue)
      section = argv[++i];
    else if (arg == "--plan-names" && hasValue)
      planNamesFile = argv[++i];
    else if (!arg.empty() && arg[0] != '-' && file.empty())
      file = arg;
    else
      return Usage();
  }
  if (file.empty())
    return Usage();
  if (kind.empty())
    kind = KindOf(file);
  if (kind.empty()) {
    std::cerr << "dsvdump: cannot tell what " << file << " is; give --type\n";
    return 2;
  }

  try {
    std::optional<TDictionaryView> dictionary;
    if (!dictionaryDir.empty())
      dictionary = LoadDictionaryView(dictionaryDir);
    const TDictionaryView* view = dictionary ? &*dictionary : nullptr;

    if (json) {
      if (kind == "dictionary" || kind == "struct" || kind == "lists") {
        std::string folder = fs::is_directory(file) ? file : fs::path(file).parent_path().string();
        std::cout << DictionaryToJson(LoadDictionaryView(folder.empty() ? "." : folder)).dump(2)
                  << "\n";
      } else if (kind == "exports") {
        std::cout << ExportsToJson(ReadExportsFile(file)).dump(2) << "\n";
      } else if (kind == "occupations") {
        std::cout << OccupationMapToJson(ReadOccupationMap(file)).dump(2) << "\n";
      } else {
        std::cerr << "dsvdump: --json is for the dictionary, Exports.BIN and OccupMap.bin\n";
        return 2;
      }
      return 0;
    }

    if (kind == "struct") {
      DumpStructFile(file, std::cout);
    } else if (kind == "lists") {
      DumpListsFile(file, std::cout);
    } else if (kind == "dictionary") {
      DumpStructFile((fs::path(file) / "Struct.BIN").string(), std::cout);
      std::cout << "\n";
      DumpListsFile((fs::path(file) / "Lists.BIN").string(), std::cout);
    } else if (kind == "exports") {
      DumpExportsFile(file, std::cout);
    } else if (kind == "section") {
      if (!DumpSectionFile(file, section, view, std::cout)) {
        std::cerr << "dsvdump: " << file << " has no section \"" << section << "\"\n";
        return 1;
      }
    } else if (kind == "results") {
      if (planNamesFile.empty())
        planNamesFile = (fs::path(file).parent_path() / "PlanName.Dat").string();
      DumpResultsFile(file, ReadPlanNames(planNamesFile), std::cout);
    } else if (kind == "occupations") {
      DumpOccupationMap(file, view, std::cout);
    } else {
      return Usage();
    }
  } catch (const std::exception& e) {
    std::cerr << "dsvdump: " << file << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
