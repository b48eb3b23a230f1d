#pragma once
// The recovery copy of the proposal being typed, so that a crash, a killed session or a power
// cut does not lose it. Each running program owns one slot in the "Recovery" folder of the
// user's data folder, held by a lock file for as long as it runs:
//
//   <slot>.lock   the program's lock (QLockFile: its process id, host and name)
//   <slot>.info   which quotation file the copy belongs to
//   <slot>.PCD    the copy: a section file with the one section "Tolvane", as a saved quotation;
//                 its modification time says when it was written
//
// Both files are written through the durable-file path (a temporary name, flushed, renamed), the
// note first and only when it changes, so a copy is never left without the note of its
// quotation. A clean end
// (Save, New, Open, the normal exit) removes the slot's copy. At the next start a copy whose
// lock no running program holds is offered back; one the user declines, or a damaged one, goes
// to "Recovery/Discarded", where the newest kDiscardedKept are kept.
//
// Qt Core only; the window decides when to write, remove and offer (app/recoverykeeper.h).

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// A copy left by a program that is no longer running, claimed by this one: its lock is held
// until the copy is dealt with (Adopted, MoveAside or Release), so that no other program takes it.
struct TLeftCopy {
  QString Slot;
  QString CopyFile;       // <slot>.PCD
  QString QuotationFile;  // the file it belongs to; empty for a quotation never saved
  QDateTime Written;      // when it was last written (local time)
  std::shared_ptr<QLockFile> Lock;
};

class TRecoveryStore {
 public:
  static constexpr int kDiscardedKept = 5;

  // folder: where the slots lie ("<user data folder>/Recovery").
  explicit TRecoveryStore(const QString& folder);
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  // The folder of the user's data folder (platform/userdatafolder.h).
  static QString DefaultFolder();

  // Creates the folder and takes this program's slot; false when either cannot be done (then
  // nothing is ever written).
  bool Start();
  bool Started() const { return lock_ != nullptr; }
  QString CopyFile() const;  // this program's copy

  // Writes the Data Server's proposal as this program's copy, noting the quotation file it
  // belongs to. False (with the system's reason in Error()) when it could not be written; a
  // previous copy is then left as it was.
  bool Write(const QString& quotationFile);
  QString Error() const { return error_; }
  // Removes this program's copy and its note (the proposal was saved or abandoned cleanly).
  void Remove();
  bool HasCopy() const;

  // The copies left by programs that are no longer running, newest first, each claimed. A
  // second running program's copy is never among them.
  std::vector<TLeftCopy> ClaimLeftCopies();
  // Whether the copy can be read whole as a quotation (without loading it).
  static bool IsIntact(const QString& copyFile);
  // The copy was loaded and this program's own copy written: its files and lock are removed.
  void Adopted(TLeftCopy& copy);
  // Moves the copy and its note to "Discarded", keeps the newest kDiscardedKept there, and
  // releases it. Answers where the copy now lies (empty when it could not be moved; it then
  // stays where it was).
  QString MoveAside(TLeftCopy& copy);
  // Leaves the copy where it is for a later start.
  static void Release(TLeftCopy& copy);

 private:
  QString PathOf(const QString& slot, const char* suffix) const;
  bool WriteNote(const QString& noteFile, const QString& quotationFile);
  bool WriteCopy();

  QString folder_;
  QString slot_;
  std::unique_ptr<QLockFile> lock_;
  QString error_;
  std::optional<QString> noted_;  // the quotation file in this slot's note on the disk
};
