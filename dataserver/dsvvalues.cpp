// The value operations of the call interface. Each catches every error raised inside it and
// answers a status, so a caller's getter or setter never sees an exception.
#include <string>

#include "dataserver/dictionary.h"
#include "dataserver/dsv.h"
#include "dataserver/dsvtext.h"

namespace {

// A negative length, or entries promised but not given, names no instance.
bool PathUsable(std::int16_t pathLen, const TPathEntry* path) {
  return pathLen >= 0 && (pathLen == 0 || path != nullptr);
}

TProperty* ListProperty(std::int32_t propId) {
  TProperty* property = DataDictionary().Find(propId);
  return property != nullptr && property->Type == ptList ? property : nullptr;
}

// The code of the first entry, in display order, that carries the ABI code.
bool FindCodeByAbi(std::int32_t listId, const std::string& abiCode, std::int32_t& code) {
  TEnumeration list(DataDictionary(), listId);
  if (list.GetState() != TEnumeration::esOpen)
    return false;
  TEnumEntry entry;
  while (list.Next(entry)) {
    if (entry.AbiCode == abiCode) {
      code = entry.Code;
      return true;
    }
  }
  return false;
}

}  // namespace

DsvStatus DsvSetValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                      const void* value) {
  try {
    TProperty* property = DataDictionary().Find(propId);
    if (property == nullptr)
      return dsv_status::kUnknownProperty;
    if (!PathUsable(pathLen, path))
      return dsv_status::kNoValue;
    if (value == nullptr)
      return dsv_status::kInternalError;
    TInstance* instance = property->Instances().GetInstance(pathLen, path);
    if (instance == nullptr)
      return dsv_status::kNoValue;
    return instance->SetValue(value);
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvDeleteValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path) {
  try {
    TProperty* property = DataDictionary().Find(propId);
    if (property == nullptr)
      return dsv_status::kUnknownProperty;
    if (!PathUsable(pathLen, path))
      return dsv_status::kNoValue;
    // Found or made, then destroyed: deleting a value that does not exist succeeds.
    TInstance* instance = property->Instances().GetInstance(pathLen, path);
    if (instance == nullptr)
      return dsv_status::kNoValue;
    property->Instances().DestroyInstance(instance);
    return dsv_status::kOk;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                        void* value) {
  try {
    TProperty* property = DataDictionary().Find(propId);
    if (property == nullptr)
      return dsv_status::kUnknownProperty;
    if (!PathUsable(pathLen, path))
      return dsv_status::kNoValue;
    if (value == nullptr)
      return dsv_status::kInternalError;
    const TInstance* instance = property->Instances().FindInstance(pathLen, path);
    if (instance != nullptr)
      return instance->GetValue(value);
    return property->GetDefaultValue(value);
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryValueExists(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path) {
  try {
    TProperty* property = DataDictionary().Find(propId);
    if (property == nullptr)
      return dsv_status::kUnknownProperty;
    if (!PathUsable(pathLen, path))
      return dsv_status::kNoValue;
    return property->Instances().FindInstance(pathLen, path) != nullptr ? dsv_status::kOk
                                                                        : dsv_status::kNoValue;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryInstanceCount(std::int32_t propId, std::uint16_t* limit, std::uint16_t* count) {
  try {
    TProperty* property = DataDictionary().Find(propId);
    if (property == nullptr)
      return dsv_status::kCountUnknownProperty;
    if (limit != nullptr)
      *limit = 255;
    if (count != nullptr)
      *count = static_cast<std::uint16_t>(property->Instances().Count() & 0xFFFF);
    return dsv_status::kOk;
  } catch (...) {
    return dsv_status::kCountUnknownProperty;
  }
}

DsvStatus DsvSetABIValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                         const char* abiCode) {
  try {
    if (ListProperty(propId) == nullptr)
      return dsv_status::kUnknownProperty;
    const std::string abi = DsvTextOf(abiCode);
    if (abi.empty())
      return DsvDeleteValue(propId, pathLen, path);
    std::int32_t code = 0;
    if (!FindCodeByAbi(propId, abi, code))
      return dsv_status::kCodeNotInList;
    return DsvSetValue(propId, pathLen, path, &code);
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvQueryABIValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                           char* abiCode) {
  try {
    if (ListProperty(propId) == nullptr)
      return dsv_status::kUnknownProperty;
    std::int32_t code = 0;
    const DsvStatus status = DsvQueryValue(propId, pathLen, path, &code);
    if (status != dsv_status::kOk)
      return status;
    TEnumeration list(DataDictionary(), propId);
    TEnumEntry entry;
    if (!list.FindByCode(code, entry))
      return dsv_status::kCodeNotInList;
    DsvCopyToBuffer(abiCode, entry.AbiCode);
    return dsv_status::kOk;
  } catch (...) {
    return dsv_status::kInternalError;
  }
}

DsvStatus DsvDeleteObject(std::int16_t pathLen, const TPathEntry* path, std::int32_t flags) {
  // A path the caller cannot have meant deletes nothing rather than everything with index 0.
  if (PathUsable(pathLen, path))
    DataDictionary().DeleteByPath(pathLen, path, flags);
  return dsv_status::kOk;
}

DsvStatus DsvClearAll() {
  DataDictionary().ClearAll();
  return dsv_status::kOk;
}

DsvStatus DsvSetReferenceDate(const std::int32_t* packedDate) {
  TCalendarDate date;
  const bool valid = packedDate != nullptr && UnpackDate(*packedDate, date);
  DataDictionary().SetReferenceDate(valid ? *packedDate : 0);
  return dsv_status::kOk;
}
