#pragma once
// The per-user folder for the program's diagnostic files ("MemErr.log", "struc.out"), which the
// original wrote to the root of drive C:. The folder is created when first asked for.

#include <QString>

// The folder, created on demand; empty when it cannot be created.
QString UserDataFolder();
// The folder joined with a file name, e.g. UserDataFile("MemErr.log"); the bare name (the
// working folder) when the folder cannot be created.
QString UserDataFile(const QString& fileName);
// Points the folder elsewhere (tests use a temporary folder); an empty name restores the default.
void SetUserDataFolder(const QString& folder);
