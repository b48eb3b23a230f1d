#pragma once
// The vehicle's modifications and security devices: numbered densely from 0 beneath the vehicle.
// Deleting an object does not renumber the others, so one is removed by moving every later one
// down an index and deleting the last.

#include <cstdint>
#include <initializer_list>

#include "motor/getmotordsv.h"

// How many objects of the kind lie beneath the path (0 when none, or when they cannot be
// counted, which is reported).
int ObjectCountBelow(const TPath& path, std::uint16_t objectId);

// The path of object `index` of the kind beneath the vehicle.
TPath VehicleObjectPath(std::uint16_t objectId, int index);
// How many the vehicle has (0 when none, or when they cannot be counted, which is reported).
int VehicleObjectCount(std::uint16_t objectId);
// Deletes objects 0 to count - 1 with everything beneath them.
void DeleteVehicleObjects(std::uint16_t objectId, int count);
// Removes object `index`: the list properties of every later object move down one index and the
// last object is deleted. Answers false (and changes nothing) when there is no such object.
bool RemoveVehicleObject(std::uint16_t objectId, int index,
                         std::initializer_list<std::int32_t> listProperties);
