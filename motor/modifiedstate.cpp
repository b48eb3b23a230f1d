// The proposal's "modified" state: one flag for the whole proposal, shown by a listener.

#include "motor/getmotordsv.h"

namespace {

struct TModifiedState {
  bool modified = false;
  ModifiedListener listener;
  AnswerStoredListener answerStored;
};

TModifiedState& State() {
  static TModifiedState state;
  return state;
}

void Tell(bool modified) {
  State().modified = modified;
  if (State().listener)
    State().listener(modified);
}

}  // namespace

void MarkModified() {
  Tell(true);
}

void ClearModified() {
  Tell(false);
}

bool IsModified() {
  return State().modified;
}

ModifiedListener SetModifiedListener(ModifiedListener listener) {
  ModifiedListener previous = std::move(State().listener);
  State().listener = std::move(listener);
  return previous;
}

AnswerStoredListener SetAnswerStoredListener(AnswerStoredListener listener) {
  AnswerStoredListener previous = std::move(State().answerStored);
  State().answerStored = std::move(listener);
  return previous;
}

void NoteAnswerStored() {
  if (State().answerStored)
    State().answerStored();
}
