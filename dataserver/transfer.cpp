#include "dataserver/transfer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "dataserver/durablefile.h"

namespace {

// The engine reads lines of at most 255 characters including the line end; longer content is
// cut there, so a field wider than 253 characters loses its line end.
constexpr std::size_t kMaxLine = 255;
constexpr std::size_t kFlushSize = 64 * 1024;

// A field's width in characters: nothing beyond the line limit is ever kept, so absurd widths
// cost no memory.
std::size_t FieldWidth(std::int32_t width) {
  return width <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(width), kMaxLine);
}

}  // namespace

void TTransferOutput::WriteLine(std::string_view prefix, std::string_view text, std::size_t width,
                                std::string_view suffix) {
  if (file_ == nullptr)
    return;
  const std::size_t start = pending_.size();
  const std::size_t kept = std::min(text.size(), width);
  pending_.append(prefix);
  pending_.append(text.substr(0, kept));
  pending_.append(width - kept, ' ');
  pending_.append(suffix);
  pending_.append("\r\n");
  if (pending_.size() - start > kMaxLine)
    pending_.resize(start + kMaxLine);
  if (pending_.size() >= kFlushSize)
    Flush();
}

void TTransferOutput::Flush() {
  if (!pending_.empty() && !failed_ && !file_->Write(pending_.data(), pending_.size()))
    failed_ = true;
  pending_.clear();
}

bool TTransferOutput::Finish() {
  if (file_ == nullptr)
    return false;
  Flush();
  return !failed_;
}

void TTransferObject::WriteTo(TTransferWriter& out) {
  CurrentOccurrence = From;
  if (To < From)
    return;
  const auto id = static_cast<std::uint32_t>(IsRoot ? 0 : PropertyId);
  // Counted in 64 bits so that an iteration up to the largest int32 ends.
  for (std::int64_t occurrence = From; occurrence <= To; ++occurrence) {
    CurrentOccurrence = static_cast<std::int32_t>(occurrence);
    if (out.Dump.IsOpen()) {
      char heading[48];
      std::snprintf(heading, sizeof heading, "Object %.4X [%d]", id, CurrentOccurrence);
      out.Dump.WriteLine(heading, "", 0, "");
    }
    for (auto& child : fChildren)
      child->WriteTo(out);
    out.Dump.WriteLine("", "", 0, "");
  }
}

void TTransferProperty::WriteTo(TTransferWriter& out) {
  valueFound_ = false;
  const std::string text = FieldText();
  const std::size_t width = FieldWidth(Width);
  // A stored number, text or list code is never cut: the engine would price another value. (A
  // list's description or ABI code and a definition's own literal text are the installation's
  // affair.)
  if (valueFound_ && text.size() > width && !out.Refusal.Refused &&
      (fProperty->Type == ptNumeric || fProperty->Type == ptString ||
       (fProperty->Type == ptList && FormatKind == 0)))
    out.Refusal = {true, PropertyId, Width, text};
  out.Input.WriteLine("", text, width, "");
  if (out.Dump.IsOpen()) {
    // "property %.8X [%d] := \"", laid out by hand: it is written for every field.
    char prefix[48] = "property ";
    char* end = prefix + 9;
    const auto id = static_cast<std::uint32_t>(PropertyId);
    for (int shift = 28; shift >= 0; shift -= 4)
      *end++ = "0123456789ABCDEF"[(id >> shift) & 0xF];
    *end++ = ' ';
    *end++ = '[';
    end = std::to_chars(end, prefix + sizeof prefix, Width).ptr;
    std::memcpy(end, "] := \"", 6);
    out.Dump.WriteLine(std::string_view(prefix, static_cast<std::size_t>(end + 6 - prefix)), text,
                       width, "\"");
  }
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
