// The allocation tracker and its report.

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dataserver/binarystream.h"
#include "dataserver/tests/sampledictionary.h"
#include "dataserver/tracker.h"

namespace {

// Keeps the compiler from pairing up and removing the allocations the tests make.
void* volatile gSink = nullptr;

void* Obtain(std::size_t size) {
  void* block = ::operator new(size);
  gSink = block;
  return block;
}

void Give(void* block) {
  gSink = block;
  ::operator delete(block);
}

std::string ReadAll(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Hex(const void* block) {
  char text[32];
  std::snprintf(text, sizeof text, "%04" PRIXPTR, reinterpret_cast<std::uintptr_t>(block));
  return text;
}

TEST(AllocationTracker, ReportsEveryBlockNotReleasedWithItsBytes) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  StartTrace();
  EXPECT_TRUE(IsTracing());
  void* leaked = Obtain(5);
  std::memcpy(leaked, "hello", 5);
  Give(Obtain(7));  // released while tracing: not reported
  void* empty = Obtain(0);
  const std::optional<std::string> firstLine = StopTrace(log);
  EXPECT_FALSE(IsTracing());
  const std::string leakedAt = Hex(leaked);
  const std::string emptyAt = Hex(empty);
  Give(leaked);
  Give(empty);

  ASSERT_TRUE(firstLine.has_value());
  EXPECT_EQ(*firstLine,
            "There were 2 allocations of information not released totalling 5 bytes of data");
  const std::string expected = *firstLine + "\n" + "Error No. 1) " + leakedAt +
                               " was not cleaned up losing 5 Bytes, data := \"hello\"\n" +
                               "Error No. 2) " + emptyAt +
                               " was not cleaned up losing 0 Bytes, data := \"\"\n";
  EXPECT_EQ(ReadAll(log), expected);
}

TEST(AllocationTracker, BlocksFromBeforeTheTraceAreNotReported) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  void* earlier = Obtain(16);
  StartTrace();
  Give(earlier);
  const auto firstLine = StopTrace(log);
  ASSERT_TRUE(firstLine.has_value());
  EXPECT_EQ(*firstLine,
            "There were 0 allocations of information not released totalling 0 bytes of data");
  EXPECT_EQ(ReadAll(log), *firstLine + "\n");
}

TEST(AllocationTracker, ContainersAreTracedToo) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  StartTrace();
  auto* kept = new std::vector<int>(4, 7);
  const auto firstLine = StopTrace(log);
  delete kept;
  ASSERT_TRUE(firstLine.has_value());
  EXPECT_EQ(*firstLine, "There were 2 allocations of information not released totalling " +
                            std::to_string(sizeof(std::vector<int>) + 4 * sizeof(int)) +
                            " bytes of data");
}

TEST(AllocationTracker, StopWithoutStartWritesNoFile) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  EXPECT_FALSE(StopTrace(log).has_value());
  EXPECT_FALSE(std::filesystem::exists(log));
}

TEST(AllocationTracker, StartingTwiceKeepsTheFirstTrace) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  StartTrace();
  void* leaked = Obtain(3);
  StartTrace();
  const auto firstLine = StopTrace(log);
  Give(leaked);
  ASSERT_TRUE(firstLine.has_value());
  EXPECT_EQ(*firstLine,
            "There were 1 allocations of information not released totalling 3 bytes of data");
  EXPECT_FALSE(StopTrace(log).has_value());
}

TEST(AllocationTracker, UnwritableReportRaisesWriteErrorAndStopsTracing) {
  StartTrace();
  EXPECT_THROW(StopTrace("/nonexistent-folder/MemErr.log"), EWriteError);
  EXPECT_FALSE(IsTracing());
}

TEST(AllocationTracker, ProgramEndWritesTheReportToTheFileSetBefore) {
  TTempFolder folder;
  const std::string log = folder.File("MemErr.log");
  SetTraceReportFile(log);
  StartTrace();
  void* leaked = Obtain(2);
  std::memcpy(leaked, "ab", 2);
  FinishTraceAtProgramEnd();
  const std::string leakedAt = Hex(leaked);
  Give(leaked);
  EXPECT_TRUE(ProgramEnding());
  EXPECT_FALSE(IsTracing());
  EXPECT_EQ(ReadAll(log),
            "There were 1 allocations of information not released totalling 2 bytes of data\n"
            "Error No. 1) " +
                leakedAt + " was not cleaned up losing 2 Bytes, data := \"ab\"\n");
}

TEST(DebugList, FindsRemovesAndKeepsTheOrderOfItsRecords) {
  TDebugList list(2);
  int a = 0;
  int b = 0;
  int c = 0;
  EXPECT_TRUE(list.Add(&a, 1));
  EXPECT_TRUE(list.Add(&b, 2));
  EXPECT_TRUE(list.Add(&c, 3));  // beyond the first capacity
  EXPECT_TRUE(list.Add(&b, 4));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf(&b), 1);
  int d = 0;
  EXPECT_EQ(list.IndexOf(&d), -1);
  list.Delete(1);
  EXPECT_EQ(list.IndexOf(&b), 2);
  EXPECT_EQ(list.Item(1).Block, &c);
  EXPECT_EQ(list.Item(1).Size, 3u);
  list.Delete(7);
  EXPECT_EQ(list.Count(), 3);
}

}  // namespace
