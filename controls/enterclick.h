#pragma once
// Enter (or the keypad's Enter) on a focused push button clicks it, as Space does. Qt's buttons
// act on Enter only as a dialog's default button, and the program's dialogs have none (Enter
// must not fire a button while a field or a list has the focus).

#include <QPushButton>

void ClickOnEnter(QPushButton* button);
