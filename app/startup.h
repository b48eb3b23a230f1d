#pragma once
// The program's start-up order and shut-down:
//   1. the hint window and the hint file beside the program; the settings, the display formats
//      and the Data Server (the program ends when it cannot be opened); the help cursor and a
//      cleared modified flag; the splash form, shown and painted at once;
//   2. the application's title and help file;
//   3. the main window, and the message loop until it closes;
//   4. the Data Server closed and the settings released.

#include <QString>
#include <functional>

class TTolvaneForm;

// Exit status when the Data Server cannot be opened.
inline constexpr int kExitNoDataServer = 1;
// Exit status of a start-up check that met a message box.
inline constexpr int kExitCheckFailed = 2;
// Exit status for a command line the program does not understand.
inline constexpr int kExitUsage = 64;

// Step 1 without the splash: false when the Data Server could not be opened (its error box has
// been shown and the settings released again).
bool StartUnits(const QString& programFolder);
// Step 4, and the hint window.
void EndUnits();

// The whole program:
//   quillmarsh [FILE.PCD]         the program (with that quotation open; app/launch.h)
//   quillmarsh --quit-when-idle [FILE.PCD]
//                                 a start-up check: the program starts as usual and closes its
//                                 main window as soon as the start-up steps have run; a message
//                                 box on the way is written to standard error instead of shown,
//                                 answered with its last button, and fails the check
//
// windowCreated, when given, is told the main window once it is created and connected, before
// it is shown: a test session drives the real program through it (the program passes none).
using TWindowCreatedHook = std::function<void(TTolvaneForm& window)>;
int RunQuillmarsh(int argc, char** argv, const TWindowCreatedHook& windowCreated = {});
