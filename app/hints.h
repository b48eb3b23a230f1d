#pragma once
// The program's one hint window and the hint file beside the program. Created before the main
// window (and before the settings), destroyed at the end of the run.

#include <QString>

class QWidget;
class TTvHintWindow;

inline const QString kHintFileName = QStringLiteral("TTHelp.dat");

// Creates the hint window and opens the hint file in the program's folder; when the file is
// missing says "Unable to open the Help File.\rHints will be disabled" and leaves hints off.
// Also makes turning hints on show the hint at once and turning them off hide it.
void CreateHintWindow(const QString& programFolder);
void DestroyHintWindow();
TTvHintWindow* HintWindow();  // nullptr before CreateHintWindow and after DestroyHintWindow
bool HintFileLoaded();

// Shows or hides the hint for a control (nothing happens without the hint window).
void ShowHintFor(QWidget* control);
void HideHint();
