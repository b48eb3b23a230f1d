#pragma once
// The allocation tracker: a diagnostic switched on and off from the hidden Debug menu. While
// tracing is on, every block obtained through the global operator new is recorded; stopping
// the trace writes a report of the blocks not released to "MemErr.log".
//
// The records live in memory from malloc, never from operator new, so they never appear in
// the report themselves. Aligned allocations are not recorded; array allocations are recorded
// where the C++ library builds them on operator new (not under AddressSanitizer, which keeps
// its own array allocator so it can still check array pairs).

#include <cstddef>
#include <optional>
#include <string>

// One block not (yet) released.
struct TDebugRecord {
  void* Block;
  std::size_t Size;
};

// The records of the blocks obtained while tracing, in the order they were obtained.
class TDebugList {
 public:
  explicit TDebugList(int capacity);
  ~TDebugList();  // deletes the records, last to first
  TDebugList(const TDebugList&) = delete;
  TDebugList& operator=(const TDebugList&) = delete;

  int Count() const { return count_; }
  const TDebugRecord& Item(int index) const { return items_[index]; }
  // Position of the first record of that block, or -1.
  int IndexOf(const void* block) const;
  // Appends a record; false when no memory is left for it (the block is then not tracked).
  bool Add(void* block, std::size_t size);
  void Delete(int index);

 private:
  TDebugRecord* items_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
};

bool IsTracing();
// Starts recording; nothing happens when tracing is already on.
void StartTrace();
// Stops recording and writes the report to logFile (created or overwritten). Answers the
// report's first line for the caller to show, or nothing when tracing was off (no file is
// written then). Raises EWriteError (binarystream.h) when the file cannot be written; tracing
// is off all the same.
std::optional<std::string> StopTrace(const std::string& logFile);

// The report file used when the program ends with tracing still on.
void SetTraceReportFile(const std::string& logFile);
// Marks the program as ending and, when tracing is still on, writes the report to the file
// set above (without anything to show). Also runs by itself when the program ends.
void FinishTraceAtProgramEnd();
// True once the program is ending: the report is then no longer shown to the user.
bool ProgramEnding();

// Called by the replacement operator new and delete only.
namespace tracker_hooks {
void RecordAllocation(void* block, std::size_t size) noexcept;
void RecordRelease(void* block) noexcept;
}  // namespace tracker_hooks
