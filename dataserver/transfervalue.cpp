// Finding and formatting the value of one field of the transfer.
#include <cstdio>
#include <cstring>
#include <vector>

#include "dataserver/numbertext.h"
#include "dataserver/status.h"
#include "dataserver/transfer.h"
#include "dataserver/wholeperiod.h"

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
