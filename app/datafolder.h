#pragma once
// The "Data" folder that quotations are opened from and saved into.

#include <QString>

// Creates the folder and every missing folder above it. A name of 2 characters or fewer (a
// drive, "c:") is not created and a trailing separator is ignored. Answers whether the folder
// exists afterwards.
bool ForceDirectories(const QString& folder);

// "Data" beside the program. An installed program (in an installation's "bin" folder) or one
// whose folder cannot be written keeps it in the user's data folder instead, since the program's
// folder is shared by every user.
QString DataFolderFor(const QString& programFolder);
