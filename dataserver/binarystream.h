#pragma once
// Little-endian binary reading and writing over whole files, with every read bounds-checked.
// A read past the end or at an absurd position raises EReadError instead of returning garbage,
// so a damaged file can never make the caller run off the end of a buffer.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read-only file stream. Positions are 32-bit as in the file formats.
class TBinaryReader {
 public:
  TBinaryReader() = default;
  ~TBinaryReader();
  TBinaryReader(const TBinaryReader&) = delete;
  TBinaryReader& operator=(const TBinaryReader&) = delete;

  // Opens the file for reading; false when it cannot be opened.
  bool Open(const std::string& fileName);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  std::int64_t Size() const { return size_; }

  std::int64_t Position() const { return position_; }
  // Moves to an absolute position; raises EReadError outside 0..Size().
  void Seek(std::int64_t position);
  std::int64_t Remaining() const { return size_ - position_; }

  std::uint8_t ReadUInt8();
  std::uint16_t ReadUInt16();
  std::int32_t ReadInt32();
  double ReadDouble();
  // A length byte followed by that many single-byte characters.
  std::string ReadShortString();
  void ReadBytes(void* destination, std::size_t count);

 private:
  std::FILE* file_ = nullptr;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
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
