#include "dataserver/transfer.h"

#include <algorithm>
#include <cstdio>

#include "dataserver/durablefile.h"

namespace {

// The engine reads lines of at most 255 characters including the line end; longer content is
// cut there, so a field wider than 253 characters loses its line end.
constexpr std::size_t kMaxLine = 255;
constexpr std::size_t kFlushSize = 64 * 1024;

const char* const kLineEnd = "\r\n";

// Left-aligned, cut or padded with spaces to exactly width characters. Nothing beyond the line
// limit is ever kept, so absurd widths cost no memory.
std::string Padded(const std::string& text, std::int32_t width) {
  const std::size_t size = width <= 0 ? 0 : std::min<std::size_t>(width, kMaxLine);
  std::string padded = text.substr(0, size);
  padded.resize(size, ' ');
  return padded;
}

void WriteLine(TTransferOutput& out, std::string line) {
  line += kLineEnd;
  if (line.size() > kMaxLine)
    line.resize(kMaxLine);
  out.Write(line);
}

std::string Printf(const char* format, std::uint32_t number, std::int32_t count) {
  char text[64];
  std::snprintf(text, sizeof text, format, number, count);
  return text;
}

}  // namespace

void TTransferOutput::Write(const std::string& text) {
  pending_ += text;
  if (pending_.size() >= kFlushSize)
    Finish();
}

bool TTransferOutput::Finish() {
  if (!pending_.empty() && !failed_ && !file_.Write(pending_.data(), pending_.size()))
    failed_ = true;
  pending_.clear();
  return !failed_;
}

void TTransferObject::WriteTo(bool dump, TTransferOutput& out) {
  CurrentOccurrence = From;
  if (To < From)
    return;
  const auto id = static_cast<std::uint32_t>(IsRoot ? 0 : PropertyId);
  // Counted in 64 bits so that an iteration up to the largest int32 ends.
  for (std::int64_t occurrence = From; occurrence <= To; ++occurrence) {
    CurrentOccurrence = static_cast<std::int32_t>(occurrence);
    if (dump)
      WriteLine(out, Printf("Object %.4X [%d]", id, CurrentOccurrence));
    for (auto& child : fChildren)
      child->WriteTo(dump, out);
    if (dump)
      WriteLine(out, "");
  }
}

void TTransferProperty::WriteTo(bool dump, TTransferOutput& out) {
  std::string text = Padded(FieldText(), Width);
  if (dump) {
    text = Printf("property %.8X [%d] := \"", static_cast<std::uint32_t>(PropertyId), Width) +
           text + "\"";
  }
  WriteLine(out, text);
}

std::string TTransferProperty::FieldText() {
  switch (SourceKind) {
    case tsLiteral:
      return Literal;
    case tsPropertyValue:
      return GetDataAsProperty();
    case tsOccurrenceNumber:
      if (Level == 0)
        return Literal;
      try {
        return OccurrenceNumberText();
      } catch (...) {
        return Literal;
      }
    default:
      return "";  // an unknown source kind: spaces of the field's width
  }
}
