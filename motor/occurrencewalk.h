#pragma once
// Binding-internal: walking the occurrences (instances) of one property with the Data Server's
// instance-array cursor.

#include <cstdint>
#include <functional>

#include "motor/getmotordsv.h"

// Calls `visit` with the path of every instance of the property, in the Data Server's order.
// Answers false when the property has no instances (or is unknown). The cursor is ended even
// when `visit` or a cursor operation raises.
bool ForEachInstancePath(std::int32_t propertyId, const std::function<void(const TPath&)>& visit);
