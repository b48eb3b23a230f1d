#pragma once
// TRecoveryKeeper: the main window's side of the recovery copy (motor/recoverystore.h). While
// the proposal is "Modified" it writes the copy a few seconds after the last stored answer, not
// more often than every AutoSaveSeconds and never later than AutoSaveSeconds after the first
// answer not yet in a copy; it never shows a box for it (a failure is noted once in the status
// bar). The modified flag going off (Save, Save As, New, Open) and the window's normal close
// remove the copy. At start-up it offers back the copies of programs that ended without that.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "motor/getmotordsv.h"
#include "motor/recoverystore.h"

class TTolvaneForm;

class TRecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // How long after the last stored answer the copy is written.
  static constexpr int kQuietMs = 2000;

  explicit TRecoveryKeeper(TTolvaneForm* window);
  ~TRecoveryKeeper() override;

  // Told by the window's modified listener.
  void ModifiedChanged(bool modified);
  // The window closed after its close query: the user chose what became of the proposal.
  void WindowClosed();
  // After the main window is shown: offers the copies left by programs no longer running,
  // newest first, until one is recovered. True when one was (the window then shows it).
  bool OfferLeftCopies();
  // Writes the copy now when the proposal is modified (or always with force); false on failure.
  bool WriteNow(bool force = false);

  TRecoveryStore& Store() { return store_; }
  void SetQuietMs(int ms) { quietMs_ = ms; }

 private:
  void AnswerStored();
  void Schedule();
  void NoteFailure();
  void RefuseDamaged(TLeftCopy& copy, const QString& name, const QString& when);

  TTolvaneForm* window_;
  TRecoveryStore store_;
  QTimer timer_;
  QElapsedTimer sinceWrite_;    // valid once a copy was written
  QElapsedTimer pendingSince_;  // valid while an answer waits for a copy
  bool failureNoted_ = false;
  int quietMs_ = kQuietMs;
};
