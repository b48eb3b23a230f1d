#pragma once
// The call interface's questions about the export (beside dsv.h): what the last export refused,
// and how wide the engine input's field for a property is.

#include <cstdint>

#include "dataserver/pathentry.h"

namespace dsv_status {
// export: a stored value is wider than its field in the engine input (no input is written)
inline constexpr DsvStatus kValueDoesNotFit = 1050;
}  // namespace dsv_status

// After an export that answered 1050: the field whose stored value was too wide, its width and
// the value's text (256 bytes, cut to fit). 1039 when the last export refused nothing.
DsvStatus DsvQueryExportRefusal(std::int32_t* propId, std::int32_t* width, char* text /*256*/);
// The number of characters the engine input gives the property's value (its narrowest field in
// the definition); 1039 when the definition writes no value of it.
DsvStatus DsvQueryExportWidth(const char* defFile, std::int32_t propId, std::int32_t* width);
