// Durable replacement of a file: a failure at any step, or the process killed part-way, leaves
// the old file or the new one whole, never a mixture, and each save writes a temporary file of
// its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "dataserver/binarystream.h"
#include "dataserver/dictwriter.h"
#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "dataserver/tests/testdictionary.h"

namespace dsvtest {
namespace {

TDurableStep failingStep;
int StepFailsWithDiskFull(TDurableStep step) {
  return step == failingStep ? ENOSPC : 0;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool Replace(const std::string& file, const std::string& content) {
  TDurableFile out;
  return out.Create(file) && out.Write(content.data(), content.size()) && out.Commit();
}

class DurableFile : public ::testing::Test {
 protected:
  TDataServerSeamsGuard seams_;  // every test's disk faults end with it
  std::string File() const { return folder_.File("smith.PCD"); }
  TScratchFolder folder_;
};

TEST_F(DurableFile, AFailureAtAnyStepLeavesTheOldFileAndNothingBesideIt) {
  ASSERT_TRUE(Replace(File(), "old content"));
  const std::string bigger(256 * 1024, 'n');
  for (TDurableStep step : {TDurableStep::Create, TDurableStep::Write, TDurableStep::Sync,
                            TDurableStep::Close, TDurableStep::Rename}) {
    failingStep = step;
    TDataServerSeams::Current().durableFault = StepFailsWithDiskFull;
    TDurableFile out;
    const bool saved =
        out.Create(File()) && out.Write(bigger.data(), bigger.size()) && out.Commit();
    TDataServerSeams::Current().durableFault = nullptr;
    EXPECT_FALSE(saved) << static_cast<int>(step);
    EXPECT_EQ(out.Error(), ENOSPC) << static_cast<int>(step);
    EXPECT_EQ(ReadFileText(File()), "old content") << static_cast<int>(step);
    EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"smith.PCD"});
  }
  // The raising form names the reason.
  failingStep = TDurableStep::Write;
  TDataServerSeams::Current().durableFault = StepFailsWithDiskFull;
  try {
    WriteFileAtomically(File(), {1, 2, 3});
    ADD_FAILURE() << "no error raised";
  } catch (const EWriteError& error) {
    EXPECT_NE(std::string(error.what()).find(std::strerror(ENOSPC)), std::string::npos);
  }
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_EQ(ReadFileText(File()), "old content");

  // Once the rename is done the new file stands even when the folder cannot be flushed; the
  // failure is still reported, since the rename may not survive a power cut.
  failingStep = TDurableStep::SyncFolder;
  TDataServerSeams::Current().durableFault = StepFailsWithDiskFull;
  EXPECT_FALSE(Replace(File(), "new content"));
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_EQ(ReadFileText(File()), "new content");
  EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"smith.PCD"});
}

TEST_F(DurableFile, EachSaveWritesATemporaryFileOfItsOwn) {
  TDurableFile first, second;
  ASSERT_TRUE(first.Create(File()));
  ASSERT_TRUE(second.Create(File()));
  EXPECT_NE(first.TemporaryName(), second.TemporaryName());
  // The temporary file keeps the target's name and a suffix: never a "*.PCD" of its own.
  EXPECT_EQ(first.TemporaryName().rfind(File() + ".", 0), 0u);
  ASSERT_TRUE(first.Write("first", 5));
  ASSERT_TRUE(second.Write("second", 6));
  ASSERT_TRUE(first.Commit());
  ASSERT_TRUE(second.Commit());
  EXPECT_EQ(ReadFileText(File()), "second");
  EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"smith.PCD"});

  // A save abandoned before its commit leaves nothing.
  {
    TDurableFile abandoned;
    ASSERT_TRUE(abandoned.Create(File()));
    ASSERT_TRUE(abandoned.Write("x", 1));
  }
  EXPECT_EQ(FolderEntries(folder_.Path()), std::vector<std::string>{"smith.PCD"});
}

#ifndef _WIN32
TEST_F(DurableFile, TheSavedFileKeepsItsPermissionsAndItsSymbolicLink) {
  const std::string real = folder_.File("real.PCD");
  ASSERT_TRUE(Replace(real, "old"));
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  std::filesystem::create_symlink(real, File());
  ASSERT_TRUE(Replace(File(), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(File()));
  EXPECT_EQ(ReadFileText(real), "new");
  struct stat status;
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

// A child process saves a large proposal over and over, alternating two versions, and is killed
// at a different moment each time: the file always loads whole, as one version or the other.
class KilledSave : public DsvTest {};

constexpr int kDrivers = 4000;

void StoreVersion(const std::string& surname) {
  for (int i = 0; i < kDrivers; ++i) {
    char value[256] = {};
    surname.copy(value, 255);
    std::vector<TPathEntry> path = DriverPath(static_cast<std::uint16_t>(i));
    DsvSetValue(kSurname, static_cast<std::int16_t>(path.size()), path.data(), value);
  }
}

TEST_F(KilledSave, AProcessKilledDuringASaveLeavesTheOldFileOrTheNewOneWhole) {
  const std::string file = folder_.File("large.PCD");
  StoreVersion("First");
  ASSERT_EQ(DsvSaveSection(file.c_str(), "Tolvane"), 0);
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int save = 0;; ++save) {
        StoreVersion(save % 2 == 0 ? "Second" : "First");
        if (DsvSaveSection(file.c_str(), "Tolvane") != 0)
          _exit(3);
      }
    }
    // Killed at a different point of its saves each round.
    ::usleep(static_cast<useconds_t>(2000 + round * 3700));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself: " << status;

    DsvClearAll();
    ASSERT_EQ(DsvLoadSection(file.c_str(), "Tolvane"), 0) << "round " << round;
    std::string first, last;
    ASSERT_EQ(GetText(kSurname, DriverPath(0), first), 0);
    ASSERT_EQ(GetText(kSurname, DriverPath(kDrivers - 1), last), 0);
    EXPECT_TRUE(first == "First" || first == "Second") << first;
    EXPECT_EQ(last, first) << "round " << round;
  }
  // What the killed saves left beside the file are temporary files under its name, never
  // another quotation.
  for (const std::string& name : FolderEntries(folder_.Path())) {
    if (name.find(".PCD") != std::string::npos) {
      EXPECT_TRUE(name == "large.PCD" || name.rfind("large.PCD.", 0) == 0) << name;
    }
  }
}
#endif

}  // namespace
}  // namespace dsvtest
