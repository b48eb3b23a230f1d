#pragma once
// Opening a saved quotation in place of the proposal being edited, so that a file that cannot be
// opened costs the user nothing: the window's Open (and anything else that replaces the stored
// proposal with a file) goes through here.

#include <QString>

#include "dataserver/pathentry.h"

// Keeps the stored proposal aside, clears the Data Server and loads the file's "Tolvane" section
// (LoadProposalFile). Answers 0 when the file was loaded. On any failure (a missing, unreadable
// or damaged file, a folder, a file without the section) the Data Server holds again exactly the
// values it held before, and the failing status is answered. The modified flag is not touched.
DsvStatus OpenProposalFile(const QString& fileName);
