#pragma once
// The Data Server's call interface: plain functions with fixed-width arguments, NUL-terminated
// 256-byte text buffers and a 16-bit status (0 for success).
//
// Value buffers by property type: numeric double; string char[256] NUL-terminated; date int32
// packed (year * 65536 + month * 256 + day); list int32 entry code.

#include <cstdint>

#include "dataserver/pathentry.h"  // TPathEntry (6 bytes), DsvStatus, DsvHandle
#include "dataserver/status.h"

DsvStatus DsvOpen(std::int16_t appNumber, std::int16_t dictVersion, const char* listsFile,
                  const char* structFile, const char* msgFile);
DsvStatus DsvClose();
DsvStatus RiOpen(std::int32_t);
DsvStatus RiClose();
DsvStatus EdiOpen(std::int16_t appNumber, std::int16_t dictVersion, const char* defFile,
                  const char* mapFile);
DsvStatus EdiSetTempFile(const char* fileName);

DsvStatus DsvBeginEnumList(std::int32_t listId, DsvHandle* handle);
DsvStatus DsvFilterEnumList(DsvHandle handle, std::int16_t kind, std::int32_t controllingListId,
                            std::int32_t controllingCode);
DsvStatus DsvQueryEnumListCount(DsvHandle handle, std::int32_t* count);
DsvStatus DsvGetEnumListNext(DsvHandle handle, std::int32_t* code, std::int32_t* ordinal,
                             char* description /*256*/, char* abiCode /*256*/);
DsvStatus DsvEndEnumList(DsvHandle handle);
DsvStatus DsvQueryEnumEntry(std::int32_t listId, std::int32_t code,
                            char* description /*256 or nullptr*/, std::int32_t* ordinal,
                            char* abiCode /*256 or nullptr*/);

DsvStatus DsvSetValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                      const void* value);
DsvStatus DsvDeleteValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path);
DsvStatus DsvQueryValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                        void* value);
DsvStatus DsvQueryValueExists(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path);
DsvStatus DsvQueryInstanceCount(std::int32_t propId, std::uint16_t* limit, std::uint16_t* count);
DsvStatus DsvSetABIValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                         const char* abiCode);
DsvStatus DsvQueryABIValue(std::int32_t propId, std::int16_t pathLen, const TPathEntry* path,
                           char* abiCode /*256*/);
DsvStatus DsvDeleteObject(std::int16_t pathLen, const TPathEntry* path, std::int32_t flags);
DsvStatus DsvClearAll();
DsvStatus DsvSetReferenceDate(const std::int32_t* packedDate);

DsvStatus DsvBeginInstArray(std::int32_t propId, DsvHandle* handle);
DsvStatus DsvNextInstArray(DsvHandle handle);
DsvStatus DsvQueryInstArrayPath(DsvHandle handle, std::uint16_t* pathLen,
                                TPathEntry* path /*or nullptr*/);
DsvStatus DsvQueryInstArrayValue(DsvHandle handle, std::int32_t propId, void* value);
DsvStatus DsvEndInstArray(DsvHandle handle);

DsvStatus DsvExport(std::int16_t appNumber, std::int16_t dictVersion, std::int32_t, std::int32_t,
                    std::int32_t, const char* defFile, const char* outFile);
DsvStatus DsvSaveSection(const char* fileName, const char* sectionName);
DsvStatus DsvLoadSection(const char* fileName, const char* sectionName);
