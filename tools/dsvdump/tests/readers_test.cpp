// The dump tool's readers on hand-made and damaged files.

#include <gtest/gtest.h>

#include <sstream>

#include "dataserver/binarystream.h"
#include "dataserver/dictwriter.h"
#include "tools/dsvdump/dictionaryfiles.h"
#include "tools/dsvdump/exportsdump.h"
#include "tools/dsvdump/occupmapdump.h"
#include "tools/dsvdump/sectiondump.h"
#include "tools/testsupport/tempfolder.h"

namespace {

void WriteValueHeader(TBinaryWriter& w, std::int32_t id,
                      std::initializer_list<std::pair<int, int>> path, std::uint8_t type) {
  w.WriteInt32(id);
  w.WriteInt32(static_cast<std::int32_t>(path.size()));
  for (auto [object, index] : path) {
    w.WriteUInt16(static_cast<std::uint16_t>(object));
    w.WriteUInt16(0);
    w.WriteUInt16(static_cast<std::uint16_t>(index));
  }
  w.WriteUInt8(type);
}

// Two sections: "Tolvane" with one value of each type, "Other" empty.
std::vector<std::uint8_t> SampleSectionFile() {
  TBinaryWriter data;
  WriteValueHeader(data, 0xF0005, {{15, 1}}, 3);
  data.WriteInt32((1990 << 16) | (3 << 8) | 14);
  WriteValueHeader(data, 0xF002A, {{15, 0}}, 2);
  data.WriteShortString(
      "O'Br\xED"
      "en");
  WriteValueHeader(data, 0x6000E, {{6, 0}}, 1);
  data.WriteDouble(4250.5);
  WriteValueHeader(data, 0xF003B, {{15, 0}}, 4);
  data.WriteInt32(2);
  WriteValueHeader(data, 0x70001, {{6, 0}, {7, 2}}, 4);
  data.WriteInt32(99);
  data.WriteInt32(0);
  TBinaryWriter file;
  file.WriteInt32(2);
  std::int32_t directory = 4 + (1 + 7 + 4) + (1 + 5 + 4);
  file.WriteShortString("Tolvane");
  file.WriteInt32(directory);
  file.WriteShortString("Other");
  file.WriteInt32(directory + static_cast<std::int32_t>(data.Size()));
  file.WriteBytes(data.Bytes().data(), data.Size());
  file.WriteInt32(0);
  return file.Bytes();
}

}  // namespace

TEST(SectionReader, ReadsEveryValueOfEverySection) {
  TTempFolder folder;
  WriteBytesToFile(folder.File("case.PCD"), SampleSectionFile());
  auto sections = ReadSectionFile(folder.File("case.PCD"));
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].Name, "Tolvane");
  ASSERT_EQ(sections[0].Values.size(), 5u);
  EXPECT_EQ(sections[0].Values[0].Path[0].first, 15);
  EXPECT_EQ(sections[0].Values[0].Path[0].second, 1);
  EXPECT_EQ(sections[0].Values[1].Text,
            "O'Br\xED"
            "en");
  EXPECT_DOUBLE_EQ(sections[0].Values[2].Number, 4250.5);
  EXPECT_EQ(sections[0].Values[4].Path.size(), 2u);
  EXPECT_TRUE(sections[1].Values.empty());
}

TEST(SectionReader, PrintsOneSectionFoundWithoutRegardToCase) {
  TTempFolder folder;
  WriteBytesToFile(folder.File("case.PCD"), SampleSectionFile());
  std::ostringstream out;
  EXPECT_TRUE(DumpSectionFile(folder.File("case.PCD"), "TOLVANE", nullptr, out));
  std::string text = out.str();
  EXPECT_NE(text.find("0x000F0005 (15,1) date 14/03/1990"), std::string::npos);
  EXPECT_NE(text.find("0x000F002A (15,0) string \"O'Br\xC3\xAD"
                      "en\""),
            std::string::npos);
  EXPECT_NE(text.find("0x0006000E (6,0) numeric 4250.5"), std::string::npos);
  EXPECT_NE(text.find("0x00070001 (6,0)(7,2) list 99"), std::string::npos);
  std::ostringstream missing;
  EXPECT_FALSE(DumpSectionFile(folder.File("case.PCD"), "Absent", nullptr, missing));
}

TEST(SectionReader, ATruncatedFileIsAReadErrorNotACrash) {
  TTempFolder folder;
  auto bytes = SampleSectionFile();
  bytes.resize(bytes.size() - 20);
  WriteBytesToFile(folder.File("cut.PCD"), bytes);
  EXPECT_THROW(ReadSectionFile(folder.File("cut.PCD")), EReadError);
}

TEST(SectionReader, NumbersPrintInTheirShortestForm) {
  EXPECT_EQ(GeneralNumberText(0.1), "0.1");
  EXPECT_EQ(GeneralNumberText(25000), "25000");
  EXPECT_EQ(GeneralNumberText(-3.25), "-3.25");
  EXPECT_EQ(PackedDateText((2001 << 16) | (2 << 8) | 29), "29/02/2001");
  EXPECT_EQ(PackedDateText((2001 << 16) | (13 << 8) | 1).substr(0, 7), "no date");
}

TEST(ListsReader, ReportsASearchTreeThatMissesEntries) {
  TDictionarySource source;
  source.Version = 0x10001;
  TDictList list;
  for (int c : {5, 3, 9})
    list.Entries.push_back({c, "E" + std::to_string(c), ""});
  source.Lists.push_back(list);
  auto files = WriteDictionaryFiles(source);
  TTempFolder folder;
  WriteBytesToFile(folder.File("Lists.BIN"), files.Lists);
  TListsFile good = ReadListsFile(folder.File("Lists.BIN"));
  ASSERT_EQ(good.Lists.size(), 1u);
  EXPECT_EQ(CheckSearchTree(good.Lists[0]), "");

  // Cut the root's left link: entry 3 can no longer be found by code.
  TListsList damaged = good.Lists[0];
  for (auto& e : damaged.Entries)
    if (e.Position == damaged.Root)
      e.Left = 0;
  EXPECT_NE(CheckSearchTree(damaged).find("cannot be reached"), std::string::npos);
}

TEST(StructReader, ATruncatedFileIsAReadError) {
  TDictionarySource source;
  source.Version = 0x10001;
  TDictProperty object;
  object.Identifier = 15;
  object.Type = 0;
  object.Children.push_back({0xF0005, 3, false, "", -1, {}});
  source.TopLevel.push_back(object);
  auto files = WriteDictionaryFiles(source);
  files.Struct.resize(files.Struct.size() - 3);
  TTempFolder folder;
  WriteBytesToFile(folder.File("Struct.BIN"), files.Struct);
  EXPECT_THROW(ReadStructFile(folder.File("Struct.BIN")), EReadError);
}

TEST(OccupationMapReader, RefusesASiblingPositionThatPointsBackwards) {
  TBinaryWriter w;
  w.WriteUInt16(12);
  w.WriteInt32(0);  // business, the last
  w.WriteUInt16(301);
  w.WriteInt32(6);  // occupation whose "next sibling" is itself
  w.WriteUInt16(0);
  w.WriteInt32(0);
  w.WriteUInt8(1);
  w.WriteUInt8(0);
  TTempFolder folder;
  WriteBytesToFile(folder.File("OccupMap.bin"), w.Bytes());
  EXPECT_THROW(ReadOccupationMap(folder.File("OccupMap.bin")), EReadError);
}

TEST(ExportsReader, RecordsWhoseGroupNoObjectOwnsAreReportedAsLeftOver) {
  TExportRecord field;
  field.SourceKind = 1;
  field.Width = 2;
  // Written by hand: a root group 1 record, then a record with group 9 that nothing collects.
  TBinaryWriter w;
  w.WriteInt32(0);
  for (std::int32_t group : {1, 9}) {
    w.WriteInt32(group);
    w.WriteUInt8(1);
    w.WriteUInt8(0);
    w.WriteInt32(0);
    w.WriteUInt8(0);
    w.WriteInt32(2);
    w.WriteShortString("ab");
    w.WriteInt32(0);
    w.WriteInt32(1);
    w.WriteInt32(1);
  }
  TTempFolder folder;
  WriteBytesToFile(folder.File("Exports.BIN"), w.Bytes());
  TExportsFile file = ReadExportsFile(folder.File("Exports.BIN"));
  EXPECT_EQ(file.Records.size(), 1u);
  EXPECT_TRUE(file.Leftover);
}
