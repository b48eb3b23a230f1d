#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "dataserver/binarystream.h"
#include "dataserver/dictwriter.h"

namespace {

std::string WriteTemp(const std::vector<std::uint8_t>& bytes, const char* name) {
  auto path = std::filesystem::temp_directory_path() / name;
  EXPECT_TRUE(WriteBytesToFile(path.string(), bytes));
  return path.string();
}

TDictList NumberedList(std::initializer_list<std::int32_t> codes) {
  TDictList list;
  for (auto c : codes)
    list.Entries.push_back({c, "Item " + std::to_string(c), "A" + std::to_string(c)});
  return list;
}

}  // namespace

TEST(DictWriter, ListEntriesFormASearchTreeOverTheDisplayOrder) {
  TDictionarySource source;
  source.Version = 0x10002;
  source.Lists.push_back(NumberedList({50, 10, 40, 20, 30, -5, 7}));
  auto files = WriteDictionaryFiles(source);
  std::string path = WriteTemp(files.Lists, "qm_dictwriter_lists.bin");

  TBinaryReader in;
  ASSERT_TRUE(in.Open(path));
  EXPECT_EQ(in.ReadInt32(), 0x10002);
  EXPECT_EQ(in.ReadInt32(), 0);  // no dependency table
  in.Seek(files.ListOffsets[0]);
  EXPECT_EQ(in.ReadInt32(), 7);
  std::int32_t root = in.ReadInt32();

  // Sequential display order with ordinals 1..n.
  std::vector<std::int32_t> codes;
  for (int i = 1; i <= 7; ++i) {
    in.ReadInt32();
    in.ReadInt32();
    EXPECT_EQ(in.ReadInt32(), i);
    in.ReadShortString();
    in.ReadShortString();
    codes.push_back(in.ReadInt32());
  }
  EXPECT_EQ(codes, (std::vector<std::int32_t>{50, 10, 40, 20, 30, -5, 7}));

  // An in-order walk of the tree visits the codes ascending, and every code is reachable.
  std::vector<std::int32_t> inOrder;
  std::function<void(std::int32_t, int)> walk = [&](std::int32_t at, int depth) {
    ASSERT_LT(depth, 4) << "tree is not balanced";
    if (at <= 0)
      return;
    in.Seek(at);
    std::int32_t left = in.ReadInt32(), right = in.ReadInt32();
    in.ReadInt32();
    in.ReadShortString();
    in.ReadShortString();
    std::int32_t code = in.ReadInt32();
    walk(left, depth + 1);
    inOrder.push_back(code);
    walk(right, depth + 1);
  };
  walk(root, 0);
  EXPECT_EQ(inOrder, (std::vector<std::int32_t>{-5, 7, 10, 20, 30, 40, 50}));
}

TEST(DictWriter, StructureIsWrittenInPreOrderWithChildCounts) {
  TDictionarySource source;
  source.Version = 7;
  TDictProperty driver{15, 0, false, "", -1, {}};
  driver.Children.push_back({0xF0005, 3, true, "", -1, {}});
  driver.Children.push_back({0xF0007, 4, false, "", 0, {}});
  source.TopLevel.push_back(driver);
  source.Lists.push_back(NumberedList({1, 2}));
  auto files = WriteDictionaryFiles(source);
  std::string path = WriteTemp(files.Struct, "qm_dictwriter_struct.bin");

  TBinaryReader in;
  ASSERT_TRUE(in.Open(path));
  EXPECT_EQ(in.ReadInt32(), 7);
  EXPECT_EQ(in.ReadInt32(), 1);
  EXPECT_EQ(in.ReadInt32(), 15);
  EXPECT_EQ(in.ReadUInt8(), 0);
  EXPECT_EQ(in.ReadUInt8(), 0);
  EXPECT_EQ(in.ReadShortString(), "");
  EXPECT_EQ(in.ReadInt32(), 0);
  EXPECT_EQ(in.ReadInt32(), 2);  // children
  EXPECT_EQ(in.ReadInt32(), 0xF0005);
  EXPECT_EQ(in.ReadUInt8(), 3);
  EXPECT_EQ(in.ReadUInt8(), 1);
  EXPECT_EQ(in.ReadShortString(), "");
  EXPECT_EQ(in.ReadInt32(), 0);
  EXPECT_EQ(in.ReadInt32(), 0xF0007);
  EXPECT_EQ(in.ReadUInt8(), 4);
  in.ReadUInt8();
  in.ReadShortString();
  EXPECT_EQ(in.ReadInt32(), files.ListOffsets[0]);
  EXPECT_EQ(in.Remaining(), 0);
}

TEST(DictWriter, ExportRecordsCarryTheGroupOfTheObjectThatHoldsThem) {
  TExportRecord name{2, 0, 0xF002A, false, 20, "", 0, 1, 1, 0, {}};
  TExportRecord driver{0, 0, 15, true, 0, "", 0, 1, 5, 200, {name}};
  TExportRecord cover{2, 0, 0xD0001, false, 1, "0", 0, 1, 1, 0, {}};
  auto bytes = WriteExportsFile(99, 100, {driver, cover});
  std::string path = WriteTemp(bytes, "qm_dictwriter_exports.bin");

  TBinaryReader in;
  ASSERT_TRUE(in.Open(path));
  EXPECT_EQ(in.ReadInt32(), 99);
  std::vector<std::pair<std::int32_t, std::int32_t>> groupAndId;
  while (in.Remaining() >= 2) {
    std::int32_t group = in.ReadInt32();
    in.ReadUInt8();
    in.ReadUInt8();
    std::int32_t id = in.ReadInt32();
    in.ReadUInt8();
    in.ReadInt32();
    in.ReadShortString();
    in.ReadInt32();
    in.ReadInt32();
    in.ReadInt32();
    groupAndId.emplace_back(group, id);
  }
  EXPECT_EQ(groupAndId, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                            {100, 15}, {200, 0xF002A}, {100, 0xD0001}}));
}
