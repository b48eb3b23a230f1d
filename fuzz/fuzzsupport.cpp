#include "fuzz/fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "dataserver/dsv.h"

namespace fuzz {

namespace {

namespace fs = std::filesystem;

std::string MakeScratchFolder() {
  std::error_code ec;
  fs::path base =
      fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "qm-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "fuzz: cannot create a scratch folder under %s\n", base.c_str());
    std::abort();
  }
  return pattern;
}

void RemoveScratchFolder() {
  std::error_code ec;
  fs::remove_all(ScratchFolder(), ec);
}

std::int32_t DemoVersion() {
  static const std::int32_t version = DictionaryVersion(DemoFile("dictionary/Struct.BIN"));
  return version;
}

}  // namespace

const std::string& ScratchFolder() {
  // Never destroyed: the exit handler that removes the folder still needs its name.
  static const std::string* folder = [] {
    auto* made = new std::string(MakeScratchFolder());
    std::atexit(RemoveScratchFolder);
    return made;
  }();
  return *folder;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = (fs::path(ScratchFolder()) / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
      std::fclose(file) != 0) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

std::string WriteScratchFile(const std::string& name, const std::string& bytes) {
  return WriteScratchFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string DemoFile(const std::string& relative) {
  const std::string path = (fs::path(QM_FUZZ_DEMO_DIR) / relative).string();
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    std::fprintf(stderr, "fuzz: the demo installation has no %s (build it first)\n", path.c_str());
    std::exit(2);
  }
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int32_t DictionaryVersion(const std::string& structFile) {
  const std::string head = ReadWholeFile(structFile).substr(0, 4);
  if (head.size() < 4)
    return 0;
  std::uint32_t value = 0;
  for (std::size_t i = head.size(); i-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(head[i]);
  return static_cast<std::int32_t>(value);
}

std::int16_t DemoApplicationNumber() {
  return static_cast<std::int16_t>(static_cast<std::uint32_t>(DemoVersion()) >> 16);
}

std::int16_t DemoDictionaryVersion() {
  return static_cast<std::int16_t>(DemoVersion() & 0xFFFF);
}

void OpenDemoDictionary() {
  const std::string lists = DemoFile("dictionary/Lists.BIN");
  const std::string structure = DemoFile("dictionary/Struct.BIN");
  const DsvStatus status = DsvOpen(DemoApplicationNumber(), DemoDictionaryVersion(), lists.c_str(),
                                   structure.c_str(), "");
  if (status != 0) {
    std::fprintf(stderr, "fuzz: the demo dictionary does not open (status %d)\n", status);
    std::exit(2);
  }
}

}  // namespace fuzz
