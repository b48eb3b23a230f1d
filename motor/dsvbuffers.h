#pragma once
// Binding-internal: turning the binding's types into the Data Server's fixed-width arguments.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <cstring>

#include "motor/getmotordsv.h"

// The Data Server's text buffers hold 255 characters and a terminating NUL.
inline constexpr int kDsvTextCapacity = 256;
using TDsvTextBuffer = std::array<char, kDsvTextCapacity>;

// Every value crosses in a zero-filled buffer of full text size, whatever its type: the Data
// Server reads and writes by the property's own type, so a caller that names a property of
// another type (a list getter on a string property) gets a wrong value, never a write past
// its variable or a read of a string without its terminator.
struct TDsvValueBuffer {
  alignas(8) TDsvTextBuffer bytes{};

  void* data() { return bytes.data(); }
  template <typename T>
  T As() const {
    T value;
    std::memcpy(&value, bytes.data(), sizeof(T));
    return value;
  }
  template <typename T>
  static TDsvValueBuffer Of(const T& value) {
    TDsvValueBuffer buffer;
    std::memcpy(buffer.bytes.data(), &value, sizeof(T));
    return buffer;
  }
  QString Text() const;
};

inline std::int16_t DsvPathLength(const TPath& path) {
  return static_cast<std::int16_t>(path.size());
}
inline const TPathEntry* DsvPathData(const TPath& path) {
  return path.empty() ? nullptr : path.data();
}

// The text as the Data Server stores it: Windows-1252, cut to 255 characters, NUL-terminated.
QByteArray ToDsvText(const QString& text);
QString FromDsvBuffer(const TDsvTextBuffer& buffer);
