// A damaged occupation map ends the walk with an error: never a hang, never a read outside the
// file.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include "motor/occupationlists.h"
#include "motor/tests/enginefiles.h"

namespace {

void PatchOffset(QByteArray& bytes, int nodeOffset, quint32 next) {
  qToLittleEndian<quint32>(next, bytes.data() + nodeOffset + 2);
}

TListTextLookup AnyText() {
  return [](qint32, qint32 code) { return QString::number(code); };
}

TEST(OccupationMap, NodesAreReadWithTheirCodesAndSiblingOffsets) {
  QByteArray bytes = OccupationMapBytes({{10, {{100, {{1, {1}}}}}}, {20, {{200, {{2, {}}}}}}});
  TOccupationMap map(bytes, "OccupMap.bin");
  QList<TOccupationNode> businesses = map.Businesses();
  ASSERT_EQ(businesses.size(), 2);
  EXPECT_EQ(businesses[0].code, 10);
  EXPECT_EQ(businesses[0].offset, 0u);
  // Business, occupation and qualifier nodes, one status and its end: 6 + 6 + 6 + 2 bytes.
  EXPECT_EQ(businesses[0].next, 20u);
  EXPECT_EQ(businesses[1].next, 0u);
  QList<TOccupationNode> occupations = map.Children(businesses[0]);
  ASSERT_EQ(occupations.size(), 1);
  EXPECT_EQ(occupations[0].code, 100);
  EXPECT_EQ(map.Statuses(map.Children(occupations[0])[0]), QList<quint8>({1}));
}

TEST(OccupationMap, ASiblingLoopEndsTheWalkWithAnError) {
  QByteArray bytes = OccupationMapBytes({{10, {{100, {{1, {1}}}}}}, {20, {{200, {{2, {}}}}}}});
  // Offset 0 ends a chain, so the second business (at 20) points to itself.
  PatchOffset(bytes, 20, 20);
  TOccupationMap looping(bytes, "OccupMap.bin");
  TCodedStringList list{{"stale", 1}};
  EXPECT_THROW(LoadBusinessList(list, looping, AnyText()), EOccupationMapError);
  EXPECT_TRUE(list.isEmpty());
}

TEST(OccupationMap, ALoopAmongQualifiersEndsTheWalkWithAnError) {
  QByteArray bytes = OccupationMapBytes({{10, {{100, {{1, {}}, {2, {}}}}}}});
  // Qualifier nodes at 12 and 19: the second points back to the first.
  PatchOffset(bytes, 19, 12);
  TOccupationMap map(bytes, "OccupMap.bin");
  TCodedStringList list;
  try {
    LoadOccupationList(list, 10, map, AnyText());
    FAIL() << "no error raised";
  } catch (const EOccupationMapError& error) {
    EXPECT_TRUE(error.Message().contains("OccupMap.bin"));
    EXPECT_TRUE(error.Message().contains("loop"));
  }
  EXPECT_TRUE(list.isEmpty());
}

TEST(OccupationMap, AnOffsetOutsideTheFileEndsTheWalkWithAnError) {
  QByteArray bytes = OccupationMapBytes({{10, {{100, {{1, {1}}}}}}});
  PatchOffset(bytes, 0, 5000);
  TOccupationMap map(bytes, "OccupMap.bin");
  TCodedStringList list;
  EXPECT_THROW(LoadBusinessList(list, map, AnyText()), EOccupationMapError);
  // An offset so large that adding the node size would wrap.
  PatchOffset(bytes, 0, 0xFFFFFFFE);
  TOccupationMap wrapping(bytes, "OccupMap.bin");
  EXPECT_THROW(LoadBusinessList(list, wrapping, AnyText()), EOccupationMapError);
}

TEST(OccupationMap, AFileCutShortEndsTheWalkWithAnError) {
  QByteArray bytes = OccupationMapBytes({{10, {{100, {{1, {1, 2}}}}}}});
  TCodedStringList list;
  // Cut inside the statuses: no closing 0.
  TOccupationMap noEnd(bytes.left(bytes.size() - 1), "OccupMap.bin");
  EXPECT_THROW(LoadEmploymentStatusList(list, 10, 100, 1, noEnd, AnyText()), EOccupationMapError);
  // Cut inside the occupation node.
  TOccupationMap halfNode(bytes.left(9), "OccupMap.bin");
  EXPECT_THROW(LoadOccupationList(list, 10, halfNode, AnyText()), EOccupationMapError);
  TOccupationMap tiny(bytes.left(3), "OccupMap.bin");
  EXPECT_THROW(LoadBusinessList(list, tiny, AnyText()), EOccupationMapError);
}

TEST(OccupationMap, AMissingFileRaises) {
  QTemporaryDir folder;
  TCodedStringList list{{"stale", 1}};
  EXPECT_THROW(LoadBusinessList(list, folder.filePath("OccupMap.bin"), AnyText()),
               EOccupationMapError);
  EXPECT_TRUE(list.isEmpty());
}

}  // namespace
