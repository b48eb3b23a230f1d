#pragma once
// A QSettings file format that keeps what the Windows registry keeps and an INI file loses: the
// type of each value (integer or text) and keys that hold no values. The file is JSON: one
// object per key, integers as numbers, texts as strings.

#include <QSettings>
#include <QString>

// Value name that marks a key as existing even when it holds no values. Never a real value: the
// store hides it.
inline const QString kKeyMarker = QStringLiteral(".key");

// The registered format (registered on first use).
QSettings::Format TypedSettingsFormat();
