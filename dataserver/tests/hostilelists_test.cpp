// Damaged or hostile Lists.BIN files: every cursor operation ends with EReadError or a plain
// "not found", never a crash, a hang or unbounded memory.

#include <gtest/gtest.h>

#include <functional>

#include "dataserver/binarystream.h"
#include "dataserver/tests/sampledictionary.h"

using namespace sample;

namespace {

constexpr std::int32_t kList = 0x10001;
constexpr std::int32_t kControl = 0x10002;

struct TRawEntry {
  std::int32_t Left;
  std::int32_t Right;
  std::int32_t Ordinal;
  std::int32_t Code;
};

constexpr std::int32_t kEntrySize = 4 + 4 + 4 + 2 + 2 + 4;  // texts "x" and "y"

class HostileListsTest : public DictionaryTest {
 protected:
  // A structure of two list properties: kList at listOffset, kControl at controlOffset.
  static std::vector<std::uint8_t> Structure(std::int32_t listOffset, std::int32_t controlOffset) {
    TBinaryWriter w;
    w.WriteInt32(kVersion);
    w.WriteInt32(2);
    for (auto [id, offset] : {std::pair{kList, listOffset}, std::pair{kControl, controlOffset}}) {
      w.WriteInt32(id);
      w.WriteUInt8(ptList);
      w.WriteUInt8(0);
      w.WriteShortString("");
      w.WriteInt32(offset);
    }
    return w.Bytes();
  }

  static void WriteEntry(TBinaryWriter& w, const TRawEntry& e) {
    w.WriteInt32(e.Left);
    w.WriteInt32(e.Right);
    w.WriteInt32(e.Ordinal);
    w.WriteShortString("x");
    w.WriteShortString("y");
    w.WriteInt32(e.Code);
  }

  // Writes a list header and entries at the writer's end; answers the list's position.
  static std::int32_t WriteList(TBinaryWriter& w, std::int32_t count, std::int32_t root,
                                const std::vector<TRawEntry>& entries) {
    const auto at = static_cast<std::int32_t>(w.Size());
    w.WriteInt32(count);
    w.WriteInt32(root);
    for (const TRawEntry& e : entries)
      WriteEntry(w, e);
    return at;
  }

  static TBinaryWriter ListsHeader() {
    TBinaryWriter w;
    w.WriteInt32(kVersion);
    w.WriteInt32(0);
    return w;
  }

  void Open(const TBinaryWriter& lists, std::int32_t listOffset, std::int32_t controlOffset = 8) {
    ASSERT_EQ(OpenBytes(Structure(listOffset, controlOffset), lists.Bytes()), 0);
  }
};

TEST_F(HostileListsTest, ListOffsetBeyondTheEndRaisesReadError) {
  TBinaryWriter lists = ListsHeader();
  Open(lists, 100000);
  EXPECT_THROW(TEnumeration(dictionary_, kList), EReadError);
}

TEST_F(HostileListsTest, EntryCountTheFileCannotHoldRaisesReadError) {
  for (std::int32_t count : {0x7FFFFFFF, 3, -1}) {
    TBinaryWriter lists = ListsHeader();
    WriteList(lists, count, 0, {{0, 0, 1, 1}, {0, 0, 2, 2}});
    Open(lists, 8);
    EXPECT_THROW(TEnumeration(dictionary_, kList), EReadError) << count;
  }
}

TEST_F(HostileListsTest, SearchTreeThatLoopsRaisesReadError) {
  // Entry 1 (code 10) sends larger codes right to entry 2 (code 20), which sends smaller codes
  // left back to entry 1: searching for 15 would go round for ever.
  TBinaryWriter lists = ListsHeader();
  const std::int32_t first = 16;
  const std::int32_t second = first + kEntrySize;
  WriteList(lists, 2, first, {{0, second, 1, 10}, {first, 0, 2, 20}});
  Open(lists, 8);
  TEnumeration cursor(dictionary_, kList);
  TEnumEntry entry;
  EXPECT_TRUE(cursor.FindByCode(20, entry));
  EXPECT_THROW(cursor.FindByCode(15, entry), EReadError);
}

TEST_F(HostileListsTest, EntryThatPointsToItselfRaisesReadError) {
  TBinaryWriter lists = ListsHeader();
  WriteList(lists, 1, 16, {{16, 16, 1, 10}});
  Open(lists, 8);
  TEnumeration cursor(dictionary_, kList);
  TEnumEntry entry;
  EXPECT_THROW(cursor.FindByCode(5, entry), EReadError);
}

TEST_F(HostileListsTest, TreePositionBeyondTheEndRaisesReadError) {
  TBinaryWriter lists = ListsHeader();
  WriteList(lists, 1, 16, {{0, 999999, 1, 10}});
  Open(lists, 8);
  TEnumeration cursor(dictionary_, kList);
  TEnumEntry entry;
  EXPECT_THROW(cursor.FindByCode(11, entry), EReadError);
}

TEST_F(HostileListsTest, OrdinalsThatNeverReachTheCountStillEndTheWalk) {
  TBinaryWriter lists = ListsHeader();
  WriteList(lists, 2, 0, {{0, 0, 0, 1}, {0, 0, 0, 2}, {0, 0, 0, 3}});
  Open(lists, 8);
  TEnumeration cursor(dictionary_, kList);
  TEnumEntry entry;
  EXPECT_TRUE(cursor.Next(entry));
  EXPECT_TRUE(cursor.Next(entry));
  EXPECT_FALSE(cursor.Next(entry));
}

TEST_F(HostileListsTest, TextLongerThanTheFileRaisesReadError) {
  TBinaryWriter lists = ListsHeader();
  lists.WriteInt32(1);
  lists.WriteInt32(0);
  lists.WriteInt32(0);
  lists.WriteInt32(0);
  lists.WriteInt32(1);
  lists.WriteUInt8(200);  // description claims 200 bytes
  lists.WriteBytes("short", 5);
  // Padding so the count check passes, yet far fewer than 200 bytes follow the length.
  lists.WriteBytes("0123456789", 10);
  Open(lists, 8);
  TEnumeration cursor(dictionary_, kList);
  TEnumEntry entry;
  EXPECT_THROW(cursor.Next(entry), EReadError);
}

// Dependency tables. kControl's list has one entry (code 7, ordinal 1).
class HostileDependencyTest : public HostileListsTest {
 protected:
  // Lists: kList (two entries) at 8, kControl after it, then the table as written by body.
  void OpenWithTable(const std::function<void(TBinaryWriter&, std::int32_t listOffset)>& body) {
    TBinaryWriter lists = ListsHeader();
    const std::int32_t listOffset = WriteList(lists, 2, 0, {{0, 0, 1, 1}, {0, 0, 2, 2}});
    const std::int32_t controlOffset = static_cast<std::int32_t>(lists.Size());
    WriteList(lists, 1, controlOffset + 8, {{0, 0, 1, 7}});
    lists.PatchInt32(4, static_cast<std::int32_t>(lists.Size()));
    body(lists, listOffset);
    Open(lists, listOffset, controlOffset);
  }
};

TEST_F(HostileDependencyTest, SoundTableFilters) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t listOffset) {
    const auto tableAt = static_cast<std::int32_t>(w.Size());
    w.WriteInt32(1);
    w.WriteInt32(kControl);
    w.WriteInt32(1);
    w.WriteInt32(tableAt + 16);                 // the row index follows the row
    w.WriteInt32(tableAt + 24);                 // block position
    w.WriteInt32(1);                            // one entry
    w.WriteInt32(listOffset + 8 + kEntrySize);  // the second entry
  });
  TEnumeration cursor(dictionary_, kList);
  ASSERT_TRUE(cursor.Filter(1, kControl, 7));
  TEnumEntry entry;
  ASSERT_TRUE(cursor.Next(entry));
  EXPECT_EQ(entry.Code, 2);
  EXPECT_FALSE(cursor.Next(entry));
}

TEST_F(HostileDependencyTest, RowCountTheFileCannotHoldRaisesReadError) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t) {
    w.WriteInt32(0x7FFFFFFF);
    w.WriteInt32(kControl);
  });
  TEnumeration cursor(dictionary_, kList);
  EXPECT_THROW(cursor.Filter(1, kControl, 7), EReadError);
}

TEST_F(HostileDependencyTest, BlockCountTheFileCannotHoldRaisesReadError) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t) {
    const auto tableAt = static_cast<std::int32_t>(w.Size());
    w.WriteInt32(1);
    w.WriteInt32(kControl);
    w.WriteInt32(1);
    w.WriteInt32(tableAt + 16);
    w.WriteInt32(8);           // the block "starts" at the first list
    w.WriteInt32(0x40000000);  // a billion positions
  });
  TEnumeration cursor(dictionary_, kList);
  EXPECT_THROW(cursor.Filter(1, kControl, 7), EReadError);
}

TEST_F(HostileDependencyTest, IndexBeyondTheEndRaisesReadError) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t) {
    w.WriteInt32(1);
    w.WriteInt32(kControl);
    w.WriteInt32(1);
    w.WriteInt32(0x7FFFFFF0);
  });
  TEnumeration cursor(dictionary_, kList);
  EXPECT_THROW(cursor.Filter(1, kControl, 7), EReadError);
}

TEST_F(HostileDependencyTest, BlockEntryBeyondTheEndRaisesReadErrorWhenRead) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t) {
    const auto tableAt = static_cast<std::int32_t>(w.Size());
    w.WriteInt32(1);
    w.WriteInt32(kControl);
    w.WriteInt32(1);
    w.WriteInt32(tableAt + 16);
    w.WriteInt32(tableAt + 24);
    w.WriteInt32(1);
    w.WriteInt32(5000000);
  });
  TEnumeration cursor(dictionary_, kList);
  ASSERT_TRUE(cursor.Filter(1, kControl, 7));
  TEnumEntry entry;
  EXPECT_THROW(cursor.Next(entry), EReadError);
}

TEST_F(HostileDependencyTest, TablePositionBeyondTheEndRaisesReadError) {
  OpenWithTable([](TBinaryWriter& w, std::int32_t) { w.PatchInt32(4, 0x7FFFFFFF); });
  TEnumeration cursor(dictionary_, kList);
  EXPECT_THROW(cursor.Filter(1, kControl, 7), EReadError);
}

TEST_F(HostileDependencyTest, ControllingEntryWithAnAbsurdOrdinalFails) {
  // The controlling entry claims ordinal -5; no row position is computed from it.
  TBinaryWriter lists = ListsHeader();
  const std::int32_t listOffset = WriteList(lists, 1, 0, {{0, 0, 1, 1}});
  const std::int32_t controlOffset = static_cast<std::int32_t>(lists.Size());
  WriteList(lists, 1, controlOffset + 8, {{0, 0, -5, 7}});
  lists.PatchInt32(4, static_cast<std::int32_t>(lists.Size()));
  lists.WriteInt32(1);
  lists.WriteInt32(kControl);
  lists.WriteInt32(1);
  lists.WriteInt32(0);
  Open(lists, listOffset, controlOffset);
  TEnumeration cursor(dictionary_, kList);
  EXPECT_FALSE(cursor.Filter(1, kControl, 7));
}

}  // namespace
