#include "dataserver/tracker.h"

#include <atomic>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "dataserver/binarystream.h"

void TrackerHooksLinked();  // trackerhooks.cpp: referenced so the replacement is always linked

namespace {

// Nothing here may use operator new while holding gMutex: the same thread would come back
// through the replacement operator new and wait for itself.
std::atomic<bool> gActive{false};
std::mutex gMutex;
TDebugList* gList = nullptr;  // guarded by gMutex; allocated with malloc
std::atomic<bool> gProgramEnding{false};
char* gReportFile = nullptr;  // malloc'd, so it outlives every static destructor

// A copy of the records and their bytes, taken while no other thread can release a block.
struct TSnapshot {
  struct Item {
    std::uintptr_t Address;
    std::size_t Size;
    unsigned char* Bytes;
  };
  Item* Items = nullptr;
  int Count = 0;

  ~TSnapshot() {
    for (int i = 0; i < Count; ++i)
      std::free(Items[i].Bytes);
    std::free(Items);
  }
};

// Stops tracing and copies what is left. False when tracing was off.
bool StopAndTakeSnapshot(TSnapshot& snapshot) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (gList == nullptr)
    return false;
  const int count = gList->Count();
  snapshot.Items = static_cast<TSnapshot::Item*>(
      std::calloc(static_cast<std::size_t>(count) + 1, sizeof(TSnapshot::Item)));
  if (snapshot.Items != nullptr) {
    for (int i = 0; i < count; ++i) {
      const TDebugRecord& record = gList->Item(i);
      TSnapshot::Item& item = snapshot.Items[i];
      item.Address = reinterpret_cast<std::uintptr_t>(record.Block);
      item.Size = record.Size;
      item.Bytes = static_cast<unsigned char*>(std::malloc(record.Size + 1));
      if (item.Bytes != nullptr && record.Size > 0)
        std::memcpy(item.Bytes, record.Block, record.Size);
      snapshot.Count = i + 1;
    }
  }
  gList->~TDebugList();
  std::free(gList);
  gList = nullptr;
  gActive.store(false);
  return true;
}

std::string FirstLine(const TSnapshot& snapshot) {
  std::size_t total = 0;
  for (int i = 0; i < snapshot.Count; ++i)
    total += snapshot.Items[i].Size;
  char line[200];
  std::snprintf(line, sizeof line,
                "There were %d allocations of information not released totalling %zu bytes of data",
                snapshot.Count, total);
  return line;
}

void WriteReport(const std::string& logFile, const std::string& firstLine,
                 const TSnapshot& snapshot) {
  std::FILE* file = std::fopen(logFile.c_str(), "wb");
  if (file == nullptr)
    throw EWriteError("Cannot create file " + logFile);
  bool ok = std::fprintf(file, "%s\n", firstLine.c_str()) >= 0;
  for (int i = 0; i < snapshot.Count && ok; ++i) {
    const TSnapshot::Item& item = snapshot.Items[i];
    ok = std::fprintf(
             file, "Error No. %d) %04" PRIXPTR " was not cleaned up losing %zu Bytes, data := \"",
             i + 1, item.Address, item.Size) >= 0;
    // The block's bytes are written raw, one character per byte.
    if (ok && item.Size > 0 && item.Bytes != nullptr)
      ok = std::fwrite(item.Bytes, 1, item.Size, file) == item.Size;
    ok = ok && std::fputs("\"\n", file) >= 0;
  }
  ok = (std::fclose(file) == 0) && ok;
  if (!ok)
    throw EWriteError("Cannot write file " + logFile);
}

// Takes a plain file name so that nothing is allocated before tracing has stopped.
std::optional<std::string> StopTraceTo(const char* logFile) {
  TSnapshot snapshot;
  if (!StopAndTakeSnapshot(snapshot))
    return std::nullopt;
  std::string firstLine = FirstLine(snapshot);
  WriteReport(logFile, firstLine, snapshot);
  return firstLine;
}

// Runs when the program ends, after main returns.
struct TTraceFinalizer {
  ~TTraceFinalizer() { FinishTraceAtProgramEnd(); }
} gTraceFinalizer;

}  // namespace

TDebugList::TDebugList(int capacity) {
  if (capacity > 0) {
    items_ = static_cast<TDebugRecord*>(
        std::malloc(sizeof(TDebugRecord) * static_cast<std::size_t>(capacity)));
    if (items_ != nullptr)
      capacity_ = capacity;
  }
}

TDebugList::~TDebugList() {
  count_ = 0;  // the records are plain data inside one array
  std::free(items_);
  items_ = nullptr;
  capacity_ = 0;
}

int TDebugList::IndexOf(const void* block) const {
  for (int i = 0; i < count_; ++i)
    if (items_[i].Block == block)
      return i;
  return -1;
}

bool TDebugList::Add(void* block, std::size_t size) {
  if (count_ == capacity_) {
    const int grown = capacity_ > 0 ? capacity_ * 2 : 16;
    void* moved = std::realloc(items_, sizeof(TDebugRecord) * static_cast<std::size_t>(grown));
    if (moved == nullptr)
      return false;
    items_ = static_cast<TDebugRecord*>(moved);
    capacity_ = grown;
  }
  items_[count_++] = TDebugRecord{block, size};
  return true;
}

void TDebugList::Delete(int index) {
  if (index < 0 || index >= count_)
    return;
  std::memmove(items_ + index, items_ + index + 1,
               sizeof(TDebugRecord) * static_cast<std::size_t>(count_ - index - 1));
  --count_;
}

bool IsTracing() {
  return gActive.load();
}

void StartTrace() {
  TrackerHooksLinked();
  std::lock_guard<std::mutex> lock(gMutex);
  if (gList != nullptr)
    return;
  void* memory = std::malloc(sizeof(TDebugList));
  if (memory == nullptr)
    return;
  gList = new (memory) TDebugList(1000);
  gActive.store(true);
}

std::optional<std::string> StopTrace(const std::string& logFile) {
  TSnapshot snapshot;
  if (!StopAndTakeSnapshot(snapshot))
    return std::nullopt;
  std::string firstLine = FirstLine(snapshot);
  WriteReport(logFile, firstLine, snapshot);
  return firstLine;
}

void SetTraceReportFile(const std::string& logFile) {
  char* copy = static_cast<char*>(std::malloc(logFile.size() + 1));
  if (copy == nullptr)
    return;
  std::memcpy(copy, logFile.c_str(), logFile.size() + 1);
  std::lock_guard<std::mutex> lock(gMutex);
  std::free(gReportFile);
  gReportFile = copy;
}

void FinishTraceAtProgramEnd() {
  gProgramEnding.store(true);
  if (!IsTracing())
    return;
  char* copy = nullptr;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    if (gReportFile != nullptr)
      copy = strdup(gReportFile);  // malloc: no operator new here
  }
  try {
    StopTraceTo(copy != nullptr ? copy : "MemErr.log");
  } catch (...) {
    // The program is ending; there is nobody left to tell.
  }
  std::free(copy);
}

bool ProgramEnding() {
  return gProgramEnding.load();
}

namespace tracker_hooks {

void RecordAllocation(void* block, std::size_t size) noexcept {
  if (!gActive.load(std::memory_order_acquire))
    return;
  std::lock_guard<std::mutex> lock(gMutex);
  if (gList != nullptr)
    gList->Add(block, size);
}

void RecordRelease(void* block) noexcept {
  if (!gActive.load(std::memory_order_acquire))
    return;
  std::lock_guard<std::mutex> lock(gMutex);
  if (gList == nullptr)
    return;
  const int index = gList->IndexOf(block);
  if (index >= 0)
    gList->Delete(index);
}

}  // namespace tracker_hooks
