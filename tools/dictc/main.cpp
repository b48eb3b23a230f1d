// dictc: compiles the readable sources of an installation into its binary files.
//
//   dictc [--dictionary dictionary.json] [--exports exports.json]
//         [--occupations occupations.json] --out DIR [--engine-out DIR]
//
// Writes "Struct.BIN" and "Lists.BIN" (dictionary) and "Exports.BIN" (transfer definition) into
// --out, and "OccupMap.bin" into --engine-out (default: --out). The transfer definition and the
// occupation tree are checked against the dictionary when it is given.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "dataserver/binarystream.h"
#include "tools/dictc/compileerror.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/exportscompiler.h"
#include "tools/dictc/occupationcompiler.h"

namespace {

int Usage() {
  std::cerr << "usage: dictc [--dictionary FILE] [--exports FILE] [--occupations FILE] --out DIR "
               "[--engine-out DIR]\n";
  return 2;
}

void PrintWarnings(const std::vector<std::string>& warnings) {
  for (const auto& w : warnings)
    std::cerr << "dictc: warning: " << w << "\n";
}

void Write(const std::filesystem::path& folder, const char* name,
           const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(folder);
  WriteFileAtomically((folder / name).string(), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> dictionaryFile, exportsFile, occupationsFile, out, engineOut;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc)
        return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--dictionary")
      dictionaryFile = value();
    else if (arg == "--exports")
      exportsFile = value();
    else if (arg == "--occupations")
      occupationsFile = value();
    else if (arg == "--out")
      out = value();
    else if (arg == "--engine-out")
      engineOut = value();
    else
      return Usage();
  }
  if (!out || (!dictionaryFile && !exportsFile && !occupationsFile))
    return Usage();
  if (!engineOut)
    engineOut = out;

  try {
    std::optional<TCompiledDictionary> dictionary;
    if (dictionaryFile) {
      dictionary = CompileDictionary(*dictionaryFile);
      PrintWarnings(dictionary->Warnings);
    }
    const TCompiledDictionary* checkWith = dictionary ? &*dictionary : nullptr;
    std::optional<TCompiledExports> exports;
    if (exportsFile) {
      exports = CompileExports(*exportsFile, checkWith);
      PrintWarnings(exports->Warnings);
    }
    std::vector<TBusinessNode> occupations;
    if (occupationsFile)
      occupations = CompileOccupations(*occupationsFile, checkWith);

    // Nothing is written unless every source compiled.
    if (dictionary) {
      TDictionaryFiles files = WriteDictionaryFiles(dictionary->Source);
      Write(*out, "Struct.BIN", files.Struct);
      Write(*out, "Lists.BIN", files.Lists);
    }
    if (exports)
      Write(*out, "Exports.BIN",
            WriteExportsFile(exports->Header, exports->Group, exports->Records));
    if (occupationsFile)
      Write(*engineOut, "OccupMap.bin", WriteOccupationMap(occupations));
  } catch (const ECompileError& e) {
    std::cerr << "dictc: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "dictc: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
