#include "dataserver/binarystream.h"

#include <cstring>
#include <filesystem>

#include "dataserver/durablefile.h"

namespace {

// Values in the files are little-endian; assemble them byte by byte so the host order never
// matters.
std::uint32_t FromLittleEndian(const std::uint8_t* b, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = (value << 8) | b[i];
  return value;
}

}  // namespace

TBinaryReader::~TBinaryReader() {
  Close();
}

bool TBinaryReader::Open(const std::string& fileName) {
  Close();
  file_ = std::fopen(fileName.c_str(), "rb");
  if (file_ == nullptr)
    return false;
  if (std::fseek(file_, 0, SEEK_END) != 0) {
    Close();
    return false;
  }
  long size = std::ftell(file_);
  if (size < 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
    Close();
    return false;
  }
  size_ = size;
  position_ = 0;
  return true;
}

void TBinaryReader::Close() {
  if (file_ != nullptr)
    std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
  position_ = 0;
}

void TBinaryReader::Seek(std::int64_t position) {
  if (file_ == nullptr)
    throw EReadError("Stream read error: file not open");
  if (position < 0 || position > size_)
    throw EReadError("Stream read error: position out of range");
  if (std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0)
    throw EReadError("Stream read error: seek failed");
  position_ = position;
}

void TBinaryReader::ReadBytes(void* destination, std::size_t count) {
  if (file_ == nullptr)
    throw EReadError("Stream read error: file not open");
  if (static_cast<std::int64_t>(count) > Remaining())
    throw EReadError("Stream read error");
  if (count == 0)
    return;
  if (std::fread(destination, 1, count, file_) != count)
    throw EReadError("Stream read error");
  position_ += static_cast<std::int64_t>(count);
}

std::uint8_t TBinaryReader::ReadUInt8() {
  std::uint8_t b;
  ReadBytes(&b, 1);
  return b;
}

std::uint16_t TBinaryReader::ReadUInt16() {
  std::uint8_t b[2];
  ReadBytes(b, 2);
  return static_cast<std::uint16_t>(FromLittleEndian(b, 2));
}

std::int32_t TBinaryReader::ReadInt32() {
  std::uint8_t b[4];
  ReadBytes(b, 4);
  return static_cast<std::int32_t>(FromLittleEndian(b, 4));
}

double TBinaryReader::ReadDouble() {
  std::uint8_t b[8];
  ReadBytes(b, 8);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i)
    bits = (bits << 8) | b[i];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string TBinaryReader::ReadShortString() {
  std::uint8_t length = ReadUInt8();
  std::string text(length, '\0');
  ReadBytes(text.data(), length);
  return text;
}

void TBinaryWriter::WriteUInt8(std::uint8_t value) {
  bytes_.push_back(value);
}

void TBinaryWriter::WriteUInt16(std::uint16_t value) {
  bytes_.push_back(static_cast<std::uint8_t>(value));
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void TBinaryWriter::WriteInt32(std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

void TBinaryWriter::WriteDouble(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i)
    bytes_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void TBinaryWriter::WriteShortString(const std::string& text) {
  std::size_t length = text.size() > 255 ? 255 : text.size();
  bytes_.push_back(static_cast<std::uint8_t>(length));
  bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void TBinaryWriter::WriteBytes(const void* source, std::size_t count) {
  auto p = static_cast<const std::uint8_t*>(source);
  bytes_.insert(bytes_.end(), p, p + count);
}

void TBinaryWriter::PatchInt32(std::size_t position, std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes_.at(position + i) = static_cast<std::uint8_t>(u >> (8 * i));
}

void WriteFileAtomically(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  TDurableFile file;
  if (!file.Create(fileName))
    throw EWriteError("Cannot create file " + fileName + ": " + std::strerror(file.Error()));
  if (!file.Write(bytes.data(), bytes.size()) || !file.Commit())
    throw EWriteError("Cannot write file " + fileName + ": " + std::strerror(file.Error()));
}

bool FileExists(const std::string& fileName) {
  std::error_code ec;
  return std::filesystem::is_regular_file(fileName, ec);
}
