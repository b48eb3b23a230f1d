#pragma once
// Saved quotations ("*.PCD"): section files of the Data Server holding the one section
// "Tolvane". The window's Open and Save, the acceptance wizard's save and the command line all
// read and write them through here.

#include <QString>

#include "dataserver/pathentry.h"

inline constexpr char kProposalSection[] = "Tolvane";

// Clears the Data Server and loads the file's "Tolvane" section into it. Answers the Data
// Server's status; a missing, unreadable or damaged file answers a non-zero status (it never
// raises), and a damaged section leaves the stored proposal as it was.
DsvStatus LoadProposalFile(const QString& fileName);

// Writes every stored value as a file holding the single section "Tolvane". The new file is
// written beside the old one and then renamed over it, so a failure at any point leaves the
// previous file as it was. Answers 0, or a non-zero status when nothing was saved.
DsvStatus SaveProposalFile(const QString& fileName);

// Why a quotation file could not be opened (saving false) or saved (saving true), in plain
// words for the second line of the message: "<file>: <reason>".
QString ProposalFileProblem(const QString& fileName, DsvStatus status, bool saving);

// True when the file exists and nobody may write it: Save then asks for a name, as editors do,
// rather than replacing it.
bool ProposalFileReadOnly(const QString& fileName);
