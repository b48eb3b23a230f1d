// Compile -> dump -> compile again must give the same bytes: the dump loses nothing.

#include <gtest/gtest.h>

#include "dataserver/binarystream.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/exportscompiler.h"
#include "tools/dictc/occupationcompiler.h"
#include "tools/dsvdump/dictionarydump.h"
#include "tools/dsvdump/exportsdump.h"
#include "tools/dsvdump/occupmapdump.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kData = QM_DICTC_TEST_DATA;

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

void ExpectSameRecords(const std::vector<TExportRecord>& a, const std::vector<TExportRecord>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(a[i].IsObject, b[i].IsObject);
    EXPECT_EQ(a[i].SourceKind, b[i].SourceKind);
    EXPECT_EQ(a[i].Level, b[i].Level);
    EXPECT_EQ(a[i].PropertyId, b[i].PropertyId);
    EXPECT_EQ(a[i].Width, b[i].Width);
    EXPECT_EQ(a[i].Literal, b[i].Literal);
    EXPECT_EQ(a[i].FormatKind, b[i].FormatKind);
    EXPECT_EQ(a[i].From, b[i].From);
    EXPECT_EQ(a[i].To, b[i].To);
    if (a[i].IsObject) {
      EXPECT_EQ(a[i].Group, b[i].Group);
    }
    ExpectSameRecords(a[i].Children, b[i].Children);
  }
}

}  // namespace

TEST(RoundTrip, DictionaryDumpedToJsonCompilesToTheSameFiles) {
  TTempFolder folder;
  TCompiledDictionary source = CompileDictionary(kData + "/dictionary.json");
  TDictionaryFiles first = WriteDictionaryFiles(source.Source);
  ASSERT_TRUE(WriteBytesToFile(folder.File("Struct.BIN"), first.Struct));
  ASSERT_TRUE(WriteBytesToFile(folder.File("Lists.BIN"), first.Lists));

  TJson dumped = DictionaryToJson(LoadDictionaryView(folder.Path().string()));
  std::string again = folder.Write("again/dictionary.json", dumped.dump(2));
  TCompiledDictionary recompiled = CompileDictionary(again);
  EXPECT_TRUE(recompiled.Warnings.empty());
  TDictionaryFiles second = WriteDictionaryFiles(recompiled.Source);
  EXPECT_EQ(AsText(second.Struct), AsText(first.Struct));
  EXPECT_EQ(AsText(second.Lists), AsText(first.Lists));
}

TEST(RoundTrip, DictionaryDumpKeepsTextsCodesAndTheMakeOfEveryModel) {
  TTempFolder folder;
  TCompiledDictionary source = CompileDictionary(kData + "/dictionary.json");
  TDictionaryFiles files = WriteDictionaryFiles(source.Source);
  WriteBytesToFile(folder.File("Struct.BIN"), files.Struct);
  WriteBytesToFile(folder.File("Lists.BIN"), files.Lists);
  TJson dumped = DictionaryToJson(LoadDictionaryView(folder.Path().string()));

  const TJson& mods = dumped["lists"]["0x70001"];
  ASSERT_EQ(mods.size(), 3u);
  EXPECT_EQ(mods[2]["description"], "Caf\xC3\xA9 racer seat");
  EXPECT_EQ(mods[2]["abi"], "C03");
  const TJson& models = dumped["lists"]["0x60004"];
  ASSERT_EQ(models.size(), 3u);
  EXPECT_EQ(models[0]["code"], 1001);
  EXPECT_EQ(models[0]["by_0x60003"], 20);
  EXPECT_EQ(models[1]["by_0x60003"], 5);
  EXPECT_EQ(models[2]["by_0x60003"], 20);
  EXPECT_EQ(dumped["dependencies"][0]["controlling"], "0x60003");
  EXPECT_EQ(dumped["dependencies"][0]["dependent"], "0x60004");
}

TEST(RoundTrip, TransferDefinitionReadBackAsTheTransferBuildsItsTree) {
  TTempFolder folder;
  TCompiledExports source = CompileExports(kData + "/exports.json", nullptr);
  auto first = WriteExportsFile(source.Header, source.Group, source.Records);
  WriteBytesToFile(folder.File("Exports.BIN"), first);

  TExportsFile read = ReadExportsFile(folder.File("Exports.BIN"));
  EXPECT_FALSE(read.Leftover);
  EXPECT_EQ(read.Header, 3);
  EXPECT_EQ(read.Group, 1);
  ExpectSameRecords(read.Records, source.Records);

  std::string again = folder.Write("again.json", ExportsToJson(read).dump(2));
  TCompiledExports recompiled = CompileExports(again, nullptr);
  EXPECT_EQ(AsText(WriteExportsFile(recompiled.Header, recompiled.Group, recompiled.Records)),
            AsText(first));
}

TEST(RoundTrip, OccupationMapDumpedToJsonCompilesToTheSameFile) {
  TTempFolder folder;
  auto first = WriteOccupationMap(CompileOccupations(kData + "/occupations.json", nullptr));
  WriteBytesToFile(folder.File("OccupMap.bin"), first);
  auto tree = ReadOccupationMap(folder.File("OccupMap.bin"));
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[1].Occupations[1].Code, 301);
  std::string again = folder.Write("again.json", OccupationMapToJson(tree).dump());
  EXPECT_EQ(AsText(WriteOccupationMap(CompileOccupations(again, nullptr))), AsText(first));
}
