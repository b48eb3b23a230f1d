#pragma once
// The one way the program makes the field being edited store its answer before something reads
// the answers or ends the editing: a main-window command, a dialog's Close button, Escape or
// window close button, a wizard's buttons, and closing the main window all come through here.
//
// A field stores its answer when the focus leaves it (controls/kwfield.h), so storing it means
// moving the focus away: to `target`, the button being pressed or a panel that is not a field,
// in the same window. The field's own checks and its page's exit handling run inside that move.
//
// Answers false when the field refused its value and kept the focus (its message has been
// shown); the caller then does not go on. Answers true when there was no field to leave (the
// focus is on `target` already, or on nothing). When the window is not the active one (another
// window of the program, or of the desktop, has the focus while this one is closed), the field
// has not been left yet: it is told that it is left, as the focus moves within the window.

#include <QWidget>

bool StoreEditedField(QWidget* target);
