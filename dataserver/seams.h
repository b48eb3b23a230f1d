#pragma once
// The Data Server's swappable service, kept as every layer keeps its own (platform/seams.h):
// one struct reached through Current(), which tests save and restore with a guard.

#include <tuple>

#include "dataserver/durablefile.h"

struct TDataServerSeams {
  // Where the tests play a failing disk under a file replacement; nullptr lets every step run.
  TDurableFaultHook durableFault = nullptr;

  static TDataServerSeams& Current();
};

// Saves the seams of the layers named on construction and puts them back on destruction.
template <typename... TLayerSeams>
class TSeamsGuardOf {
 public:
  TSeamsGuardOf() : saved_(TLayerSeams::Current()...) {}
  ~TSeamsGuardOf() { ((TLayerSeams::Current() = std::get<TLayerSeams>(saved_)), ...); }
  TSeamsGuardOf(const TSeamsGuardOf&) = delete;
  TSeamsGuardOf& operator=(const TSeamsGuardOf&) = delete;

 private:
  std::tuple<TLayerSeams...> saved_;
};

using TDataServerSeamsGuard = TSeamsGuardOf<TDataServerSeams>;
