#pragma once
// The short sound a field makes when it refuses a key. Tests count them through the controls seams.

#include <functional>

void Beep();

// What the controls seams (controls/seams.h) hold in place of the system beep.
using BeepHandler = std::function<void()>;
