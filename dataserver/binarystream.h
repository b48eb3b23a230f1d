#pragma once
// Little-endian binary reading and writing over whole files, with every read bounds-checked.
// A read past the end or at an absurd position raises EReadError instead of returning garbage,
// so a damaged file can never make the caller run off the end of a buffer.

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Little-endian values at a place in memory, whatever the host's byte order.
inline std::int32_t LittleEndianInt32(const std::uint8_t* b) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
      static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}
inline double LittleEndianDouble(const std::uint8_t* b) {
  std::uint64_t bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&bits, b, sizeof bits);  // the bytes' order already
  } else {
    for (int i = 7; i >= 0; --i)
      bits = (bits << 8) | b[i];
  }
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A read-only file, read whole into memory when opened: every read after that decodes from
// memory, checked against the end of the file. Positions are 32-bit as in the file formats.
class TBinaryReader {
 public:
  TBinaryReader() = default;
  ~TBinaryReader() = default;
  TBinaryReader(const TBinaryReader&) = delete;
  TBinaryReader& operator=(const TBinaryReader&) = delete;

  // Reads the whole file; false when it cannot be opened or read.
  bool Open(const std::string& fileName);
  void Close();
  bool IsOpen() const { return open_; }
  std::int64_t Size() const { return static_cast<std::int64_t>(size_); }

  std::int64_t Position() const { return static_cast<std::int64_t>(position_); }
  // Moves to an absolute position; raises EReadError outside 0..Size().
  void Seek(std::int64_t position) {
    if (!open_)
      throw EReadError("Stream read error: file not open");
    if (position < 0 || position > Size())
      throw EReadError("Stream read error: position out of range");
    position_ = static_cast<std::size_t>(position);
  }
  std::int64_t Remaining() const { return static_cast<std::int64_t>(size_ - position_); }

  std::uint8_t ReadUInt8() { return *Take(1); }
  std::uint16_t ReadUInt16() {
    const std::uint8_t* b = Take(2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
  }
  std::int32_t ReadInt32() { return LittleEndianInt32(Take(4)); }
  double ReadDouble() { return LittleEndianDouble(Take(8)); }
  // A length byte followed by that many single-byte characters.
  std::string ReadShortString() {
    std::string text;
    ReadShortStringInto(text);
    return text;
  }
  // The same into an existing string, whose storage is reused.
  void ReadShortStringInto(std::string& text) {
    const std::uint8_t length = ReadUInt8();
    text.assign(reinterpret_cast<const char*>(Take(length)), length);
  }
  // The same as a view of the bytes in memory, valid while the file stays open.
  std::string_view ReadShortStringView() {
    const std::uint8_t length = ReadUInt8();
    return {reinterpret_cast<const char*>(Take(length)), length};
  }
  // The next count bytes as they stand in memory, valid while the file stays open.
  const std::uint8_t* ReadInPlace(std::size_t count) { return Take(count); }
  // Passes over a length-prefixed text, checking that it lies within the file.
  void SkipShortString() { Take(ReadUInt8()); }
  void ReadBytes(void* destination, std::size_t count);

 private:
  // The next count bytes, which the position then passes; raises EReadError past the end.
  const std::uint8_t* Take(std::size_t count) {
    if (count > size_ - position_) {
      if (!open_)
        throw EReadError("Stream read error: file not open");
      throw EReadError("Stream read error");
    }
    const std::uint8_t* at = bytes_.get() + position_;
    position_ += count;
    return at;
  }

  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t size_ = 0;
  std::size_t position_ = 0;
  bool open_ = false;
};

// Builds little-endian binary content in memory.
class TBinaryWriter {
 public:
  void WriteUInt8(std::uint8_t value);
  void WriteUInt16(std::uint16_t value);
  void WriteInt32(std::int32_t value);
  void WriteDouble(double value);
  // Length byte and characters; text longer than 255 bytes is cut at 255.
  void WriteShortString(const std::string& text);
  void WriteBytes(const void* source, std::size_t count);
  // Overwrites 4 bytes at an earlier position (for offsets known only later).
  void PatchInt32(std::size_t position, std::int32_t value);

  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Replaces fileName durably with the bytes (see durablefile.h): an existing file is never left
// half-written. Raises EWriteError, naming the system's reason, on failure (the old file is then
// intact).
void WriteFileAtomically(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

bool FileExists(const std::string& fileName);
