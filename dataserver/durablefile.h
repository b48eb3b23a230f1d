#pragma once
// Replacing a file so that a crash, a power cut or a full disk leaves either the old file or the
// new one, never a mixture: the new content goes to a temporary file of its own beside the
// target (each save takes a fresh name, so two programs saving beside each other never share
// one), is flushed to the disk, and is then renamed over the target, after which the folder is
// flushed so that the rename itself survives a power cut. A temporary file left by a crash keeps
// the target's name with a suffix ("family.PCD.q3x9Zt"), so it is never read in the target's
// place.

#include <cstddef>
#include <string>

// The steps of a replacement, where the tests inject failures.
enum class TDurableStep { Create, Write, Sync, Close, Rename, SyncFolder };

// Answers the error number (errno) the step is to fail with, or 0 to let it run. The tests
// put one in TDataServerSeams (dataserver/seams.h) to play a failing disk.
using TDurableFaultHook = int (*)(TDurableStep step);

class TDurableFile {
 public:
  TDurableFile() = default;
  // Removes the temporary file unless it was committed.
  ~TDurableFile();
  TDurableFile(const TDurableFile&) = delete;
  TDurableFile& operator=(const TDurableFile&) = delete;

  // Creates the temporary file beside target (a symbolic link's own target is the one
  // replaced). False when it cannot be created.
  bool Create(const std::string& target);
  // Appends bytes; false (and every later call false) once any write fails. Any failure
  // removes the temporary file at once.
  bool Write(const void* data, std::size_t size);
  // Flushes the temporary file to the disk, gives it the old file's permissions, renames it
  // over the target and flushes the folder. False when any step failed; the target then is
  // exactly as it was unless only the last flush failed.
  bool Commit();

  // The error number of the first failure, 0 when none.
  int Error() const { return error_; }
  const std::string& TemporaryName() const { return temporary_; }

 private:
  bool Fail(int error);
  void Discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  int error_ = 0;
  bool committed_ = false;
};

// Renames from over to and flushes the folder; false (to as it was) when the rename fails.
bool RenameDurably(const std::string& from, const std::string& to);
