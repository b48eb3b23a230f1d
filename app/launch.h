#pragma once
// What the program does with its command line and on a user's first start:
//   quillmarsh [--quit-when-idle] [FILE.PCD]
// A file named on the command line (a double-click in the file manager) is opened through the
// main window's Open once the start-up steps have run. When the user's settings name no
// installation, the demo installation packaged beside the program is installed for the user
// before anything is opened, and the status bar says so.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class TTolvaneForm;

// The menu entry, icon and metadata of an installed program carry this name.
inline const QString kDesktopFileName = QStringLiteral("example.quillmarsh.Motor");

struct TProgramArguments {
  bool QuitWhenIdle = false;  // the start-up check (app/startup.h)
  QString FileName;           // the quotation to open, absolute; empty for none
};

// The arguments after the program name; nullopt when they are not understood.
std::optional<TProgramArguments> ParseProgramArguments(const QStringList& arguments);
QString ProgramUsage();

struct TFirstStart {
  bool Failed = false;    // the installation failed; the user has been told why
  QString StatusMessage;  // what to say in the status bar; empty when nothing was installed
};

// When the settings name neither a dictionary nor a quote engine folder and the demo
// installation lies beside the program (share/quillmarsh/demo, engine under
// libexec/quillmarsh), installs it into the user's data folder and writes the settings, as
// qm-install-demo does. Otherwise does nothing: a program with an installation, or without one
// to install, starts as before.
TFirstStart InstallDemoOnFirstStart(const QString& programFolder, const QDate& today);

// After the first show: offers back a proposal that a crash left (app/recoverykeeper.h); unless
// the user recovered it, opens the command line's file through the command wrapper and Open (so
// the recent files and the file-name panel follow), then puts message, if any, in the first
// status panel.
void FinishStart(TTolvaneForm& window, const TProgramArguments& arguments, const QString& message);
