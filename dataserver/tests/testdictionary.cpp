#include "dataserver/tests/testdictionary.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace dsvtest {

namespace {

TDictProperty Value(std::int32_t id, std::uint8_t type, int list = -1) {
  return TDictProperty{id, type, false, "", list, {}};
}

TDictProperty WithDefault(std::int32_t id, std::uint8_t type, const std::string& text,
                          int list = -1) {
  return TDictProperty{id, type, true, text, list, {}};
}

TDictList List(std::vector<TDictListEntry> entries) {
  return TDictList{std::move(entries)};
}

}  // namespace

TScratchFolder::TScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qm_dsv_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create a scratch folder");
  path_ = pattern;
}

TScratchFolder::~TScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TDictionarySource Source() {
  TDictionarySource source;
  source.Version = kVersion;
  source.Lists.push_back(List({{1, "Male", "M"}, {2, "Female", "F"}}));
  source.Lists.push_back(List({{1, "Single", "S"}, {2, "Married", "M"}, {3, "Divorced", "D"}}));
  source.Lists.push_back(List({{10, "Accident", "A"}, {20, "Theft", "T"}, {30, "Fire", "F"}}));
  source.Lists.push_back(List({{100, "Ford", "FO"}, {200, "Rover", "RO"}}));
  source.Lists.push_back(
      List({{1001, "Fiesta", "FI"}, {1002, "Focus", "FC"}, {2001, "Metro", "ME"}}));
  source.Dependencies.push_back(TDictDependency{kMake, 4, {{0, 1}, {2}}});

  TDictProperty vehicle{kVehicle, 0, false, "", -1, {}};
  vehicle.Children = {Value(kMake, 4, 3), Value(kModel, 4, 4), Value(kPrice, 1)};

  TDictProperty claim{kClaim, 0, false, "", -1, {}};
  claim.Children = {Value(kClaimCost, 1), WithDefault(kClaimType, 4, "20", 2),
                    Value(kClaimDate, 3)};

  TDictProperty driver{kDriver, 0, false, "", -1, {}};
  driver.Children = {Value(kAge, 1),
                     Value(kSurname, 2),
                     Value(kBorn, 3),
                     Value(kSex, 4, 0),
                     WithDefault(kYears, 1, "3"),
                     WithDefault(kTitle, 2, "Mr"),
                     WithDefault(kPassed, 3, ""),
                     WithDefault(kMarital, 4, "2", 1),
                     WithDefault(kSince, 3, "01/02/2003"),
                     claim};

  source.TopLevel = {vehicle, driver, Value(kCover, 1), Value(kNote, 2)};
  return source;
}

std::string ReadFileText(const std::string& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(fileName, ec))
    return "";
  std::ifstream in(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
  const std::string text = ReadFileText(fileName);
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

void DsvTest::SetUp() {
  ASSERT_EQ(OpenSource(Source()), dsv_status::kOk);
}

void DsvTest::TearDown() {
  DsvClose();
}

DsvStatus DsvTest::OpenSource(const TDictionarySource& source) {
  files_ = WriteDictionaryFiles(source);
  const std::string structFile = folder_.File("Struct.BIN");
  const std::string listsFile = folder_.File("Lists.BIN");
  EXPECT_TRUE(WriteBytesToFile(structFile, files_.Struct));
  EXPECT_TRUE(WriteBytesToFile(listsFile, files_.Lists));
  return DsvOpen(kApp, kDictVersion, listsFile.c_str(), structFile.c_str(), "corvane.msg");
}

void DsvTest::SetNumber(std::int32_t id, const std::vector<TPathEntry>& path, double value) {
  ASSERT_EQ(DsvSetValue(id, static_cast<std::int16_t>(path.size()), path.data(), &value), 0);
}

void DsvTest::SetText(std::int32_t id, const std::vector<TPathEntry>& path,
                      const std::string& value) {
  ASSERT_EQ(DsvSetValue(id, static_cast<std::int16_t>(path.size()), path.data(), value.c_str()), 0);
}

void DsvTest::SetDate(std::int32_t id, const std::vector<TPathEntry>& path, int y, int m, int d) {
  const PackedDate date = PackDate(y, m, d);
  ASSERT_EQ(DsvSetValue(id, static_cast<std::int16_t>(path.size()), path.data(), &date), 0);
}

void DsvTest::SetCode(std::int32_t id, const std::vector<TPathEntry>& path, std::int32_t code) {
  ASSERT_EQ(DsvSetValue(id, static_cast<std::int16_t>(path.size()), path.data(), &code), 0);
}

DsvStatus DsvTest::GetNumber(std::int32_t id, const std::vector<TPathEntry>& path, double& value) {
  return DsvQueryValue(id, static_cast<std::int16_t>(path.size()), path.data(), &value);
}

DsvStatus DsvTest::GetText(std::int32_t id, const std::vector<TPathEntry>& path,
                           std::string& value) {
  char buffer[256] = {};
  DsvStatus status = DsvQueryValue(id, static_cast<std::int16_t>(path.size()), path.data(), buffer);
  value = buffer;
  return status;
}

DsvStatus DsvTest::GetInteger(std::int32_t id, const std::vector<TPathEntry>& path,
                              std::int32_t& value) {
  return DsvQueryValue(id, static_cast<std::int16_t>(path.size()), path.data(), &value);
}

}  // namespace dsvtest
