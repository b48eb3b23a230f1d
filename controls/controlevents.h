#pragma once
// The event types of the field controls. Each event is one handler, set by the page that owns the
// field, and receives the control that raised it so that one handler can serve several fields.

#include <QChar>
#include <functional>

template <class Sender>
using TNotifyEvent = std::function<void(Sender* sender)>;

// A typed character: the handler may change it or clear it (QChar()) to drop the key. Tab arrives
// as '\t', Enter as '\r' and Backspace as '\b'.
template <class Sender>
using TKeyPressEvent = std::function<void(Sender* sender, QChar& key)>;
