#include "dataserver/tests/sampledictionary.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace sample {

namespace {

TDictProperty Value(std::int32_t id, std::uint8_t type, const char* defaultText = nullptr,
                    int list = -1) {
  TDictProperty p;
  p.Identifier = id;
  p.Type = type;
  p.HasDefault = defaultText != nullptr;
  p.DefaultText = defaultText != nullptr ? defaultText : "";
  p.List = list;
  return p;
}

TDictProperty Object(std::int32_t id, std::vector<TDictProperty> children) {
  TDictProperty p;
  p.Identifier = id;
  p.Type = ptObject;
  p.Children = std::move(children);
  return p;
}

TDictList List(std::vector<TDictListEntry> entries) {
  TDictList list;
  list.Entries = std::move(entries);
  return list;
}

}  // namespace

TDictionarySource Source() {
  TDictionarySource s;
  s.Version = kVersion;
  s.Lists.push_back(List({{1, "Married", "M"}, {2, "Single", "S"}, {3, "Divorced", "D"}}));
  s.Lists.push_back(
      List({{10, "Ford", "FO"}, {20, "Rover", "RO"}, {30, "Vauxhall", "VA"}, {40, "Lada", "LA"}}));
  s.Lists.push_back(List({{101, "Fiesta", "FO1"},
                          {102, "Focus", "FO2"},
                          {201, "Metro", "RO1"},
                          {202, "Mini", "RO2"},
                          {301, "Astra", "VA1"}}));
  s.Lists.push_back(List({{5, "Only", "ON"}}));
  // Makes in display order: Ford, Rover, Vauxhall (nothing), Lada (beyond the row).
  s.Dependencies.push_back(TDictDependency{kMake, 2, {{0, 1}, {2, 3}, {}}});

  s.TopLevel.push_back(Object(
      kDriver,
      {Value(kAge, ptNumeric, "42"), Value(kSurname, ptString, "Smith"), Value(kBorn, ptDate, ""),
       Value(kMarital, ptList, "2", 0),
       Object(kClaim, {Value(kClaimCost, ptNumeric), Value(kClaimDate, ptDate, "01/02/2003")})}));
  s.TopLevel.push_back(
      Object(kVehicle, {Value(kMake, ptList, nullptr, 1), Value(kModel, ptList, nullptr, 2),
                        Value(kOnly, ptList, nullptr, 3), Value(kValue, ptNumeric)}));
  s.TopLevel.push_back(Object(kEmptyObject, {}));
  s.TopLevel.push_back(Value(kTopLevel, ptNumeric));
  return s;
}

}  // namespace sample

TTempFolder::TTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qm_store_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create temp folder");
  path_ = pattern;
}

TTempFolder::~TTempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TTempFolder::File(const std::string& name) const {
  return (std::filesystem::path(path_) / name).string();
}

DsvStatus DictionaryTest::OpenBytes(const std::vector<std::uint8_t>& structBytes,
                                    const std::vector<std::uint8_t>& listsBytes,
                                    std::int32_t version) {
  const std::string structFile = folder_.File("Struct.BIN");
  const std::string listsFile = folder_.File("Lists.BIN");
  EXPECT_TRUE(WriteBytesToFile(structFile, structBytes));
  EXPECT_TRUE(WriteBytesToFile(listsFile, listsBytes));
  return dictionary_.Open(version, listsFile, structFile);
}

DsvStatus DictionaryTest::OpenSource(const TDictionarySource& source) {
  files_ = WriteDictionaryFiles(source);
  return OpenBytes(files_.Struct, files_.Lists, source.Version);
}

void DictionaryTest::OpenSample() {
  ASSERT_EQ(OpenSource(sample::Source()), 0);
}

TProperty& DictionaryTest::Property(std::int32_t identifier) {
  TProperty* property = dictionary_.Find(identifier);
  if (property == nullptr)
    throw std::runtime_error("no such property in the test dictionary");
  return *property;
}
