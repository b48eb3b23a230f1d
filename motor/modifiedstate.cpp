#include "motor/modifiedstate.h"

#include "motor/getmotordsv.h"

void TModifiedState::Tell(bool modified) {
  modified_ = modified;
  emit modifiedChanged(modified);
}

TModifiedState& ModifiedState() {
  static TModifiedState state;
  return state;
}

void MarkModified() {
  ModifiedState().Tell(true);
}

void ClearModified() {
  ModifiedState().Tell(false);
}

bool IsModified() {
  return ModifiedState().IsModified();
}

void NoteAnswerStored() {
  ModifiedState().NoteAnswerStored();
}
