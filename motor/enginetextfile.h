#pragma once
// Text files written by the quote engine and its installation: Windows-1252, lines ended by
// CR LF (a lone LF or CR also ends a line), and, as in DOS files, a Ctrl-Z ends the text.

#include <QString>
#include <QStringList>
#include <optional>

// Larger than this, an engine text file is damaged and is refused unread (the real ones hold a
// few kilobytes).
inline constexpr qint64 kMaxEngineTextFileSize = qint64{16} << 20;

// The file's lines without their line ends; nullopt when the file cannot be opened or read, or is
// larger than kMaxEngineTextFileSize.
std::optional<QStringList> ReadEngineTextLines(const QString& fileName);
// The lines of text already in memory.
QStringList SplitEngineText(const QString& text);
// The text without trailing spaces and control characters (leading ones are kept).
QString TrimTrailing(const QString& text);
