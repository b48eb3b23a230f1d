#pragma once
// The hold one quotation keeps on the engine folder. The engine reads and writes fixed file
// names there, so two quotations running at once (two windows, or a window and the command
// line) would read each other's results. A quotation takes the lock before it writes the
// engine input and lets it go after it has read the results; a lock left by a program that was
// killed is taken over.
//
// While it runs, the engine's process group is noted beside the lock, so that a later
// quotation that takes over a stale lock also stops whatever the killed program's engine left
// running (it could otherwise overwrite the new run's results).

#include <QLockFile>
#include <QString>
#include <memory>

class TEngineFolderLock {
 public:
  // The lock for the engine program's folder ("QuoForm1.lck" beside "QuoForm1.pif").
  explicit TEngineFolderLock(const QString& engineProgram);
  ~TEngineFolderLock();
  TEngineFolderLock(const TEngineFolderLock&) = delete;
  TEngineFolderLock& operator=(const TEngineFolderLock&) = delete;

  enum class TAttempt { Taken, Busy, Failed };
  // One attempt, without waiting. Taken: the folder is this run's; any engine left running by a
  // killed run has been stopped. Busy: another quotation holds it. Failed: the lock cannot be
  // created (the folder is not writable); Error() says why.
  TAttempt TryTake();
  bool IsHeld() const { return lock_ && lock_->isLocked(); }
  // Notes the process group of the engine just started (the engine leads its own group).
  void NoteEngineGroup(qint64 group);
  // Forgets the noted group and lets the folder go.
  void Release();

  QString LockFileName() const { return lockFile_; }
  QString Error() const { return error_; }

 private:
  void StopLeftoverEngine();

  QString folder_;
  QString lockFile_;
  QString groupFile_;
  QString error_;
  std::unique_ptr<QLockFile> lock_;
};
