#pragma once
// A small motor-like dictionary for the transfer and call-interface tests: written with the
// dictionary writer into a scratch folder and opened through DsvOpen.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "dataserver/packeddate.h"

namespace dsvtest {

inline constexpr std::int16_t kApp = 1;
inline constexpr std::int16_t kDictVersion = 2;
inline constexpr std::int32_t kVersion = 0x10002;

// Objects (below 65536, so they come first in dictionary order).
inline constexpr std::int32_t kVehicle = 6;
inline constexpr std::int32_t kDriver = 15;
inline constexpr std::int32_t kClaim = 18;  // beneath a driver

// Values of a driver.
inline constexpr std::int32_t kAge = 0xF0001;      // numeric, no default
inline constexpr std::int32_t kSurname = 0xF0002;  // string, no default
inline constexpr std::int32_t kBorn = 0xF0003;     // date, no default
inline constexpr std::int32_t kSex = 0xF0004;      // list of sexes, no default
inline constexpr std::int32_t kYears = 0xF0005;    // numeric, default "3"
inline constexpr std::int32_t kTitle = 0xF0006;    // string, default "Mr"
inline constexpr std::int32_t kPassed = 0xF0007;   // date, default empty: today
inline constexpr std::int32_t kMarital = 0xF0008;  // list of marital states, default "2"
inline constexpr std::int32_t kSince = 0xF0009;    // date, default "01/02/2003"
// Values of a claim.
inline constexpr std::int32_t kClaimCost = 0x120001;  // numeric
inline constexpr std::int32_t kClaimType = 0x120002;  // list of claim types, default "20"
inline constexpr std::int32_t kClaimDate = 0x120003;  // date
// Values of the vehicle.
inline constexpr std::int32_t kMake = 0x60001;   // list of makes
inline constexpr std::int32_t kModel = 0x60002;  // list of models, filtered by the make
inline constexpr std::int32_t kPrice = 0x60003;  // numeric
// Top-level values with no holding object.
inline constexpr std::int32_t kCover = 0x1000A;  // numeric
inline constexpr std::int32_t kNote = 0x1000B;   // string

// The folder of one test, removed with everything in it.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TDictionarySource Source();

inline TPathEntry Entry(std::uint16_t objectId, std::uint16_t index) {
  return TPathEntry{objectId, 0, index};
}
inline std::vector<TPathEntry> DriverPath(std::uint16_t driver) {
  return {Entry(kDriver, driver)};
}
inline std::vector<TPathEntry> ClaimPath(std::uint16_t driver, std::uint16_t claim) {
  return {Entry(kDriver, driver), Entry(kClaim, claim)};
}
inline std::vector<TPathEntry> VehiclePath() {
  return {Entry(kVehicle, 0)};
}

std::string ReadFileText(const std::string& fileName);
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);

// Opens the test dictionary through the call interface and closes it afterwards.
class DsvTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes both dictionary files of a source and opens them; the open call's status.
  DsvStatus OpenSource(const TDictionarySource& source);

  // Setters that fail the test when the call interface refuses the value.
  void SetNumber(std::int32_t id, const std::vector<TPathEntry>& path, double value);
  void SetText(std::int32_t id, const std::vector<TPathEntry>& path, const std::string& value);
  void SetDate(std::int32_t id, const std::vector<TPathEntry>& path, int y, int m, int d);
  void SetCode(std::int32_t id, const std::vector<TPathEntry>& path, std::int32_t code);

  // Getters: the status of the query, the value through the reference.
  DsvStatus GetNumber(std::int32_t id, const std::vector<TPathEntry>& path, double& value);
  DsvStatus GetText(std::int32_t id, const std::vector<TPathEntry>& path, std::string& value);
  DsvStatus GetInteger(std::int32_t id, const std::vector<TPathEntry>& path, std::int32_t& value);

  TScratchFolder folder_;
  TDictionaryFiles files_;
};

}  // namespace dsvtest
