#pragma once
// Status codes answered by the Data Server's operations.

#include "dataserver/pathentry.h"

namespace dsv_status {
inline constexpr DsvStatus kOk = 0;
inline constexpr DsvStatus kTransferFile = 240;
inline constexpr DsvStatus kFileMissing = 1003;
inline constexpr DsvStatus kOpenError = 1004;
inline constexpr DsvStatus kUnknownProperty = 1005;
inline constexpr DsvStatus kWrongVersion = 1008;
inline constexpr DsvStatus kInternalError = 1020;
inline constexpr DsvStatus kBadHandle = 1022;
inline constexpr DsvStatus kEnumExhausted = 1024;
inline constexpr DsvStatus kCodeNotInList = 1033;
inline constexpr DsvStatus kNoValue = 1039;
inline constexpr DsvStatus kCountUnknownProperty = 1040;
inline constexpr DsvStatus kNoFurtherInstance = 1043;
}  // namespace dsv_status
