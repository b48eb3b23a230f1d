#pragma once
// Installs the demo installation for the current user: copies the dictionary and engine folders
// into the user's data folder, puts the hint file beside the program, and writes the settings
// that name them. An existing installation is kept unless the request forces a new one.

#include <QDate>
#include <QString>
#include <QStringList>

struct TDemoInstallRequest {
  QString Source;         // holds dictionary/, engine/, TTHelp.dat and optionally samples/
  QString EngineProgram;  // the engine to install as "QuoForm1.pif"
  QString Target;         // the user's folder that receives dictionary/, engine/, samples/
  QString ProgramFolder;  // the program's folder, which receives "TTHelp.dat"
  bool Force = false;
  QDate Today;  // the rates stay valid for a year from this day
};

enum class TDemoInstallOutcome { Installed, AlreadyInstalled, Failed };

struct TDemoInstallResult {
  TDemoInstallOutcome Outcome = TDemoInstallOutcome::Failed;
  QStringList Lines;  // what was done, or why not
};

TDemoInstallResult InstallDemo(const TDemoInstallRequest& request);

// Where the demo files are when none is named: share/quillmarsh/demo beside an installed
// program folder (bin/), else the build tree's demo folder. Fills Source and EngineProgram;
// false when neither holds an installation.
bool FindDemoSource(const QString& programFolder, const QString& buildTreeDemo,
                    TDemoInstallRequest& request);

// Whole days from 30 December 1899, the day number the settings store dates as.
qint32 DayNumber(const QDate& date);
