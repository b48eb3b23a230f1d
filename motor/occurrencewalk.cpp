#include "motor/occurrencewalk.h"

#include "dataserver/dsv.h"

namespace {

class TInstArrayGuard {
 public:
  explicit TInstArrayGuard(DsvHandle handle) : handle_(handle) {}
  ~TInstArrayGuard() { DsvEndInstArray(handle_); }
  TInstArrayGuard(const TInstArrayGuard&) = delete;
  TInstArrayGuard& operator=(const TInstArrayGuard&) = delete;

 private:
  DsvHandle handle_;
};

}  // namespace

bool ForEachInstancePath(std::int32_t propertyId, const std::function<void(const TPath&)>& visit) {
  DsvHandle handle = 0;
  if (DsvBeginInstArray(propertyId, &handle) != 0)
    return false;
  TInstArrayGuard guard(handle);
  do {
    // Ask for the length first so that the buffer always fits the path.
    std::uint16_t length = 0;
    if (DsvQueryInstArrayPath(handle, &length, nullptr) != 0)
      break;
    TPath path(length);
    if (DsvQueryInstArrayPath(handle, &length, path.data()) != 0)
      break;
    path.resize(length);
    visit(path);
  } while (DsvNextInstArray(handle) == 0);
  return true;
}
