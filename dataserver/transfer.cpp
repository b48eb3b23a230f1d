#include "dataserver/transfer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dataserver/durablefile.h"
#include "dataserver/numbertext.h"
#include "dataserver/status.h"
#include "dataserver/wholeperiod.h"

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

// ------------------------------------------------------------------------------------------------
// Finding and formatting the value of one field of the transfer.

namespace {

// Room for the largest value passed through a value buffer: a 255-character text and its NUL.
union TValueBuffer {
  double Number;
  std::int32_t Integer;
  char Text[256];
};

std::string Printf(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool IsValueType(std::uint8_t type) {
  return type >= ptNumeric && type <= ptList;
}

// The properties that share the holding object of a field: its dictionary siblings, or the
// top-level properties for a field that has no holding object.
std::vector<const TProperty*> PropertiesBeside(const TProperty& property,
                                               const TDictionary& dictionary) {
  std::vector<const TProperty*> result;
  if (property.Parent != nullptr) {
    for (const TProperty* p = property.Parent->firstChild; p != nullptr; p = p->NextSibling)
      result.push_back(p);
  } else {
    for (const TProperty* p : dictionary.Properties())
      if (p->Parent == nullptr)
        result.push_back(p);
  }
  return result;
}

}  // namespace

TTransferLocation NthOccurrence(const TProperty& objectProperty, std::int32_t a) {
  const TInstanceList& occurrences = objectProperty.Instances();
  if (a < 1 || a > occurrences.Count())
    return {};
  return {true, occurrences.Item(a - 1)->Path()};
}

TTransferLocation TTransferObject::ChainLocation() const {
  std::vector<const TTransferObject*> chain;
  for (const TTransferObject* o = this; o != nullptr && !o->IsRoot; o = o->fParent)
    chain.insert(chain.begin(), o);
  if (chain.empty())
    return {true, {}};

  TTransferLocation location{true, {}};
  std::size_t next = 0;
  // The top-level object's part of the path is the occurrence its own fields are written from
  // (counted over the stored occurrences), so that a nested group always belongs to the
  // occurrence written just before it, even when occurrence numbers have gaps.
  const TTransferObject* top = chain.front();
  if (top->fProperty != nullptr && top->fProperty->Type == ptObject) {
    location = NthOccurrence(*top->fProperty, top->CurrentOccurrence);
    if (!location.Exists)
      return {};
    next = 1;
  }
  for (; next < chain.size(); ++next) {
    const std::int32_t occurrence = chain[next]->CurrentOccurrence;
    if (occurrence < 1 || occurrence > 65536)
      return {};
    TPathEntry entry{};
    entry.ObjectId = static_cast<std::uint16_t>(chain[next]->PropertyId & 0xFFFF);
    entry.Index = static_cast<std::uint16_t>(occurrence - 1);
    location.Path.push_back(entry);
  }
  return location;
}

TTransferLocation TTransferProperty::CurrentLocation() const {
  if (fParent == nullptr || fParent->IsRoot)
    return {true, {}};
  if (!fParent->IsTopLevel())
    return fParent->ChainLocation();
  const TProperty* holding = fProperty != nullptr ? fProperty->Parent : nullptr;
  if (holding == nullptr)
    return {true, {}};
  return NthOccurrence(*holding, fParent->CurrentOccurrence);
}

const TInstance* TTransferProperty::LocateValue(const TProperty& property,
                                                const TTransferLocation& at) const {
  if (!at.Exists)
    return nullptr;
  return property.Instances().FindInstance(static_cast<int>(at.Path.size()), at.Path.data());
}

bool TTransferProperty::OccurrenceExists(const TTransferLocation& at) const {
  for (const TProperty* sibling : PropertiesBeside(*fProperty, Dictionary())) {
    if (IsValueType(sibling->Type) && LocateValue(*sibling, at) != nullptr)
      return true;
  }
  return false;
}

std::string TTransferProperty::OccurrenceNumberText() const {
  // Settled only for fields placed directly inside a top-level object.
  if (fParent == nullptr || !fParent->IsTopLevel() || fParent->fProperty == nullptr)
    return Literal;
  const TInstanceList& occurrences = fParent->fProperty->Instances();
  const std::int32_t a = fParent->CurrentOccurrence;
  if (a < 1 || a > occurrences.Count())
    return Literal;
  const TPathView path = occurrences.Item(a - 1)->Path();
  if (static_cast<std::int64_t>(path.size()) < Level)
    return Literal;
  return std::to_string(path[path.size() - static_cast<std::size_t>(Level)].Index + 1);
}

std::string TTransferProperty::GetDataAsProperty() {
  fInstance = nullptr;
  if (fProperty == nullptr)
    return Literal;
  try {
    const TTransferLocation at = CurrentLocation();
    fInstance = LocateValue(*fProperty, at);
    TValueBuffer value{};
    if (fInstance != nullptr) {
      fInstance->GetValue(&value);
    } else if (!at.Exists || !fProperty->HasDefault || !OccurrenceExists(at) ||
               fProperty->GetDefaultValue(&value) != dsv_status::kOk) {
      return Literal;
    }
    valueFound_ = true;
    return FormatValue(&value);
  } catch (...) {
    return Literal;
  }
}

std::string TTransferProperty::FormatValue(const void* value) const {
  const auto& v = *static_cast<const TValueBuffer*>(value);
  switch (fProperty->Type) {
    case ptNumeric:
      return FormatGeneralNumber(v.Number);
    case ptString:
      return std::string(v.Text, strnlen(v.Text, sizeof v.Text - 1));
    case ptDate:
      return FormatDate(v.Integer);
    case ptList:
      return FormatListEntry(v.Integer);
    default:
      return Literal;
  }
}

std::string TTransferProperty::FormatDate(PackedDate packed) const {
  TCalendarDate date;
  // A packed value that names no calendar date has nothing to show.
  if (!UnpackDate(packed, date))
    return Literal;
  switch (FormatKind) {
    case 0: {
      char text[48];
      std::snprintf(text, sizeof text, "%.2d/%.2d/%.4d", date.Day, date.Month, date.Year);
      return text;
    }
    case 1:
      return Printf("%.2d", date.Year % 100);
    case 2:
      return Printf("%.4d", date.Year);
    case 3:
    case 4: {
      TWholePeriod age;
      if (!WholeYearsAndMonthsBetween(packed, Dictionary().ReferenceDate(), age))
        return Literal;
      return Printf("%d", FormatKind == 3 ? age.Years : age.TotalMonths());
    }
    default:
      return Literal;
  }
}

std::string TTransferProperty::FormatListEntry(std::int32_t code) const {
  if (FormatKind == 0)
    return std::to_string(code);
  if (FormatKind != 1 && FormatKind != 2)
    return Literal;
  TEnumeration list(Dictionary(), fProperty->Identifier);
  TEnumEntry entry;
  if (list.GetState() != TEnumeration::esOpen || !list.FindByCode(code, entry))
    return Literal;
  return FormatKind == 1 ? entry.Description : entry.AbiCode;
}
