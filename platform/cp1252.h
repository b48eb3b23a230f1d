#pragma once
// Windows-1252, the single-byte character set of the Data Server's texts and of the engine's
// files. Qt Core cannot be relied on to carry this codec (it needs ICU), so the table lives here.

#include <QByteArray>
#include <QString>

// Each character that Windows-1252 cannot hold becomes '?'.
QByteArray ToWindows1252(const QString& text);
// Every byte maps to one character; the five bytes Windows-1252 leaves unassigned map to the
// control characters of the same value, as Windows does.
QString FromWindows1252(const QByteArray& bytes);
// Reads a NUL-terminated text of at most `capacity` bytes (a Data Server text buffer).
QString FromWindows1252Buffer(const char* buffer, int capacity);
