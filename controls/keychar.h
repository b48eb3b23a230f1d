#pragma once
// The character a key press types, as the fields' key rules see it: Tab '\t', Enter '\r',
// Backspace '\b', a printable character itself; QChar() for keys that type nothing (arrows,
// Home, Delete, Escape, anything with Ctrl or Alt).

#include <QKeyEvent>

QChar TypedChar(const QKeyEvent* event);
