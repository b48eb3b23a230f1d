#pragma once
// The short sound a field makes when it refuses a key. Tests install a handler to count them.

#include <functional>

void Beep();

using BeepHandler = std::function<void()>;
// Installs a handler (nullptr restores the system beep) and answers the previous one.
BeepHandler SetBeepHandler(BeepHandler handler);
