#pragma once
// Text in the binary files is single-byte Windows-1252; the readable sources are UTF-8.

#include <optional>
#include <string>

// Converts UTF-8 text to Windows-1252. Answers nothing when the text is not valid UTF-8 or holds
// a character that Windows-1252 cannot represent.
std::optional<std::string> Utf8ToCp1252(const std::string& utf8);

// Converts Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the same value, so every
// byte string survives a round trip.
std::string Cp1252ToUtf8(const std::string& bytes);
