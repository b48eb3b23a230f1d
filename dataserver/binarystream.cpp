#include "dataserver/binarystream.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "dataserver/durablefile.h"

bool TBinaryReader::Open(const std::string& fileName) {
  Close();
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr)
    return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  std::unique_ptr<std::uint8_t[]> bytes;
  if (ok) {
    // Read in one go; a file that cannot be held (or shrinks meanwhile) cannot be opened.
    bytes.reset(new (std::nothrow) std::uint8_t[size > 0 ? static_cast<std::size_t>(size) : 1]);
    ok = bytes != nullptr &&
         (size == 0 || std::fread(bytes.get(), 1, static_cast<std::size_t>(size), file) ==
                           static_cast<std::size_t>(size));
  }
  std::fclose(file);
  if (!ok)
    return false;
  bytes_ = std::move(bytes);
  size_ = static_cast<std::size_t>(size);
  position_ = 0;
  open_ = true;
  return true;
}

void TBinaryReader::Close() {
  bytes_.reset();
  size_ = 0;
  position_ = 0;
  open_ = false;
}

void TBinaryReader::ReadBytes(void* destination, std::size_t count) {
  if (count == 0) {
    if (!open_)
      throw EReadError("Stream read error: file not open");
    return;
  }
  std::memcpy(destination, Take(count), count);
}

void TBinaryWriter::WriteUInt8(std::uint8_t value) {
  bytes_.push_back(value);
}

void TBinaryWriter::WriteUInt16(std::uint16_t value) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(value),
                             static_cast<std::uint8_t>(value >> 8)};
  bytes_.insert(bytes_.end(), b, b + 2);
}

void TBinaryWriter::WriteInt32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                             static_cast<std::uint8_t>(u >> 16),
                             static_cast<std::uint8_t>(u >> 24)};
  bytes_.insert(bytes_.end(), b, b + 4);
}

void TBinaryWriter::WriteDouble(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  std::uint8_t b[8];
  for (int i = 0; i < 8; ++i)
    b[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  bytes_.insert(bytes_.end(), b, b + 8);
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
