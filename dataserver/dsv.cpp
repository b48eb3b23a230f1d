// The call interface: opening and closing, enumerations, instance arrays and the export.
// The value operations are in dsvvalues.cpp, the section files in dsvsection.cpp.
#include "dataserver/dsv.h"
#include "dataserver/dsvexport.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "dataserver/dictionary.h"
#include "dataserver/dsvcursors.h"
#include "dataserver/dsvtext.h"
#include "dataserver/transfer.h"

namespace {

std::string FileNameOf(const char* name) {
  return name != nullptr ? std::string(name) : std::string();
}

}  // namespace

DsvHandle NextHandleKey() {
  static DsvHandle last = 0;
  last = last >= 0x7FFFFFFF ? 1 : last + 1;
  return last;
}

THandleRegistry<TEnumeration>& EnumerationCursors() {
  static THandleRegistry<TEnumeration> cursors;
  return cursors;
}

THandleRegistry<TInstArray>& InstArrayCursors() {
  static THandleRegistry<TInstArray> cursors;
  return cursors;
}

void DestroyAllCursors() {
  EnumerationCursors().Clear();
  InstArrayCursors().Clear();
}

DsvStatus DsvOpen(std::int16_t appNumber, std::int16_t dictVersion, const char* listsFile,
                  const char* structFile, const char* /*msgFile: not read*/) {
  try {
    // Reopening first drops whatever the previous dictionary held: no cursor may outlive it.
    DestroyAllCursors();
    if (DataDictionary().IsOpen())
      DataDictionary().Close();
    const std::int32_t expected = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::uint16_t>(appNumber)) << 16 |
        static_cast<std::uint16_t>(dictVersion));
    return DataDictionary().Open(expected, FileNameOf(listsFile), FileNameOf(structFile));
  } catch (...) {
    DataDictionary().Close();
    return dsv_status::kOpenError;
  }
}

DsvStatus DsvClose() {
  EnumerationCursors().Clear();
  DataDictionary().Close();
  InstArrayCursors().Clear();
  return dsv_status::kOk;
}

// The rules interpreter and the interchange component have no work of their own.
DsvStatus RiOpen(std::int32_t) {
  return dsv_status::kOk;
}

DsvStatus RiClose() {
  return dsv_status::kOk;
}

DsvStatus EdiOpen(std::int16_t, std::int16_t, const char*, const char*) {
  return dsv_status::kOk;
}

DsvStatus EdiSetTempFile(const char*) {
  return dsv_status::kOk;
}

DsvStatus DsvBeginEnumList(std::int32_t listId, DsvHandle* handle) {
  auto cursor = std::make_unique<TEnumeration>(DataDictionary(), listId);
  if (cursor->GetState() == TEnumeration::esNotAList)
    return dsv_status::kUnknownProperty;
  const DsvHandle key = EnumerationCursors().Add(std::move(cursor));
  if (handle != nullptr)
    *handle = key;
  return dsv_status::kOk;
}

DsvStatus DsvFilterEnumList(DsvHandle handle, std::int16_t kind, std::int32_t controllingListId,
                            std::int32_t controllingCode) {
  TEnumeration* cursor = EnumerationCursors().Find(handle);
  if (cursor == nullptr)
    return dsv_status::kBadHandle;
  try {
    return cursor->Filter(kind, controllingListId, controllingCode) ? dsv_status::kOk
                                                                    : dsv_status::kInternalError;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryEnumListCount(DsvHandle handle, std::int32_t* count) {
  TEnumeration* cursor = EnumerationCursors().Find(handle);
  if (cursor == nullptr)
    return dsv_status::kBadHandle;
  if (count != nullptr)
    *count = cursor->EntryCount();
  return dsv_status::kOk;
}

DsvStatus DsvGetEnumListNext(DsvHandle handle, std::int32_t* code, std::int32_t* ordinal,
                             char* description, char* abiCode) {
  TEnumeration* cursor = EnumerationCursors().Find(handle);
  if (cursor == nullptr)
    return dsv_status::kBadHandle;
  TEnumEntry entry;
  if (!cursor->Next(entry))
    return dsv_status::kEnumExhausted;
  if (code != nullptr)
    *code = entry.Code;
  if (ordinal != nullptr)
    *ordinal = entry.Ordinal;
  DsvCopyToBuffer(description, entry.Description);
  DsvCopyToBuffer(abiCode, entry.AbiCode);
  return dsv_status::kOk;
}

DsvStatus DsvEndEnumList(DsvHandle handle) {
  return EnumerationCursors().Remove(handle) ? dsv_status::kOk : dsv_status::kBadHandle;
}

DsvStatus DsvQueryEnumEntry(std::int32_t listId, std::int32_t code, char* description,
                            std::int32_t* ordinal, char* abiCode) {
  try {
    TEnumeration list(DataDictionary(), listId);
    if (list.GetState() == TEnumeration::esNotAList)
      return dsv_status::kUnknownProperty;
    TEnumEntry entry;
    if (!list.FindByCode(code, entry))
      return dsv_status::kCodeNotInList;
    DsvCopyToBuffer(description, entry.Description);
    DsvCopyToBuffer(abiCode, entry.AbiCode);
    if (ordinal != nullptr)
      *ordinal = entry.Ordinal;
    return dsv_status::kOk;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvBeginInstArray(std::int32_t propId, DsvHandle* handle) {
  TProperty* property = DataDictionary().Find(propId);
  if (property == nullptr)
    return dsv_status::kUnknownProperty;
  if (property->Instances().Count() == 0)
    return dsv_status::kNoFurtherInstance;
  const DsvHandle key = InstArrayCursors().Add(std::make_unique<TInstArray>(property));
  if (handle != nullptr)
    *handle = key;
  return dsv_status::kOk;
}

DsvStatus DsvNextInstArray(DsvHandle handle) {
  TInstArray* cursor = InstArrayCursors().Find(handle);
  if (cursor == nullptr)
    return dsv_status::kBadHandle;
  if (cursor->Position + 1 >= cursor->fProperty->Instances().Count())
    return dsv_status::kNoFurtherInstance;
  ++cursor->Position;
  return dsv_status::kOk;
}

namespace {

// The instance the cursor stands on; nullptr when values were deleted beneath it.
const TInstance* CurrentInstance(const TInstArray& cursor) {
  const TInstanceList& list = cursor.fProperty->Instances();
  if (cursor.Position < 0 || cursor.Position >= list.Count())
    return nullptr;
  return list.Item(cursor.Position);
}

// The instance under an open cursor; otherwise the status to answer.
DsvStatus CursorInstance(DsvHandle handle, const TInstance*& instance) {
  TInstArray* cursor = InstArrayCursors().Find(handle);
  if (cursor == nullptr)
    return dsv_status::kBadHandle;
  instance = CurrentInstance(*cursor);
  return instance == nullptr ? dsv_status::kNoFurtherInstance : dsv_status::kOk;
}

}  // namespace

DsvStatus DsvQueryInstArrayPath(DsvHandle handle, std::uint16_t* pathLen, TPathEntry* path) {
  const TInstance* instance = nullptr;
  if (const DsvStatus status = CursorInstance(handle, instance))
    return status;
  if (pathLen != nullptr)
    *pathLen = static_cast<std::uint16_t>(instance->PathLength());
  if (path != nullptr && instance->PathLength() > 0)
    std::memcpy(path, instance->Path().data(), instance->Path().size() * sizeof(TPathEntry));
  return dsv_status::kOk;
}

DsvStatus DsvQueryInstArrayValue(DsvHandle handle, std::int32_t propId, void* value) {
  const TInstance* instance = nullptr;
  if (const DsvStatus status = CursorInstance(handle, instance))
    return status;
  return DsvQueryValue(propId, static_cast<std::int16_t>(instance->PathLength()),
                       instance->Path().data(), value);
}

DsvStatus DsvEndInstArray(DsvHandle handle) {
  return InstArrayCursors().Remove(handle) ? dsv_status::kOk : dsv_status::kBadHandle;
}

DsvStatus DsvExport(std::int16_t, std::int16_t, std::int32_t, std::int32_t, std::int32_t,
                    const char* defFile, const char* outFile) {
  try {
    return ExportTransfer(DataDictionary(), FileNameOf(defFile), FileNameOf(outFile));
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryExportWidth(const char* defFile, std::int32_t propId, std::int32_t* width) {
  try {
    std::int32_t found = 0;
    const DsvStatus status = ExportFieldWidth(DataDictionary(), FileNameOf(defFile), propId, found);
    if (status == dsv_status::kOk && width != nullptr)
      *width = found;
    return status;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryExportRefusal(std::int32_t* propId, std::int32_t* width, char* text) {
  const TTransferRefusal& refusal = LastTransferRefusal();
  if (!refusal.Refused)
    return dsv_status::kNoValue;
  if (propId != nullptr)
    *propId = refusal.PropertyId;
  if (width != nullptr)
    *width = refusal.Width;
  if (text != nullptr) {
    const std::size_t n = std::min<std::size_t>(refusal.Text.size(), 255);
    std::memcpy(text, refusal.Text.data(), n);
    text[n] = '\0';
  }
  return dsv_status::kOk;
}
