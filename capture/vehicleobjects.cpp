#include "capture/vehicleobjects.h"

#include "platform/prompt.h"

TPath VehicleObjectPath(std::uint16_t objectId, int index) {
  return {VehiclePath(), MakePathEntry(objectId, static_cast<std::uint16_t>(index))};
}

int ObjectCountBelow(const TPath& path, std::uint16_t objectId) {
  int count = 0;
  try {
    GetObjectCount(path, objectId, count);
  } catch (const EHierarchyError& error) {
    Ask(PromptKind::Error, PromptButtons::Ok, QString::fromUtf8(error.what()));
    return 0;
  }
  return count;
}

int VehicleObjectCount(std::uint16_t objectId) {
  return ObjectCountBelow({VehiclePath()}, objectId);
}

void DeleteVehicleObjects(std::uint16_t objectId, int count) {
  for (int index = 0; index < count; ++index)
    DeleteObject(VehicleObjectPath(objectId, index));
}

bool RemoveVehicleObject(std::uint16_t objectId, int index,
                         std::initializer_list<std::int32_t> listProperties) {
  const int last = VehicleObjectCount(objectId) - 1;
  if (index < 0 || index > last)
    return false;
  for (int later = index + 1; later <= last; ++later) {
    for (std::int32_t property : listProperties) {
      SetListValue(property, VehicleObjectPath(objectId, later - 1),
                   GetListValue(property, VehicleObjectPath(objectId, later)));
    }
  }
  DeleteObject(VehicleObjectPath(objectId, last));
  return true;
}
