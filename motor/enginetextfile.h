#pragma once
// Text files written by the quote engine and its installation: Windows-1252, lines ended by
// CR LF (a lone LF or CR also ends a line), and, as in DOS files, a Ctrl-Z ends the text.

#include <QString>
#include <QStringList>
#include <optional>

// The file's lines without their line ends; nullopt when the file cannot be opened or read.
std::optional<QStringList> ReadEngineTextLines(const QString& fileName);
// The lines of text already in memory.
QStringList SplitEngineText(const QString& text);
// The text without trailing spaces and control characters (leading ones are kept).
QString TrimTrailing(const QString& text);
