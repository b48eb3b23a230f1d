#pragma once
// The proposal's "modified" state: one flag for the whole proposal. The main window shows it in
// the status bar and the recovery copy follows the typing, both through the signals of the one
// notifier, ModifiedState().

#include <QObject>

class TModifiedState : public QObject {
  Q_OBJECT

 public:
  bool IsModified() const { return modified_; }
  // Sets the flag and says so, also when it had that value already.
  void Tell(bool modified);
  void NoteAnswerStored() { emit answerStored(); }

 signals:
  // On every MarkModified and ClearModified, with the new state.
  void modifiedChanged(bool modified);
  // After every answer a setter stored with marking asked for and after every removed object,
  // whether or not the modified state changed.
  void answerStored();

 private:
  bool modified_ = false;
};

// The program's one modified state (MarkModified, ClearModified, IsModified and
// NoteAnswerStored of motor/getmotordsv.h act on it).
TModifiedState& ModifiedState();
