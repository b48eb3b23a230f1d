#pragma once
// The settings unit's share of process start-up and shut-down. The Data Server itself is opened
// and closed by the motor binding, whose functions are passed in.

#include <functional>

// Fixes the display formats, creates the options object, then opens the Data Server with
// openQuoteEngine. Answers its status: non-zero means the Data Server could not be opened (the
// opener has already said so) and the caller must end the process at once.
int StartSettings(const std::function<int()>& openQuoteEngine);
// Closes the Data Server with closeQuoteEngine, then releases the options object.
void EndSettings(const std::function<void()>& closeQuoteEngine);
