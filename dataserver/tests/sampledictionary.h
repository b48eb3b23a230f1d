#pragma once
// A small motor-like dictionary for the Data Server tests, written to a private folder and
// opened through the real loader.

#include <gtest/gtest.h>

#include <string>

#include "dataserver/dictionary.h"
#include "dataserver/dictwriter.h"

namespace sample {

inline constexpr std::int32_t kVersion = 0x10002;

// Objects.
inline constexpr std::int32_t kDriver = 15;
inline constexpr std::int32_t kClaim = 16;  // beneath a driver
inline constexpr std::int32_t kVehicle = 20;
inline constexpr std::int32_t kEmptyObject = 25;  // an object with no children

// Values of a driver.
inline constexpr std::int32_t kAge = 0xF0001;      // numeric, default "42"
inline constexpr std::int32_t kSurname = 0xF0002;  // string, default "Smith"
inline constexpr std::int32_t kBorn = 0xF0003;     // date, default empty: today
inline constexpr std::int32_t kMarital = 0xF0004;  // list 0, default "2"
// Values of a claim.
inline constexpr std::int32_t kClaimCost = 0x100001;  // numeric, no default
inline constexpr std::int32_t kClaimDate = 0x100002;  // date, default "01/02/2003"
// Values of the vehicle.
inline constexpr std::int32_t kMake = 0x140001;   // list 1
inline constexpr std::int32_t kModel = 0x140002;  // list 2, filtered by the make
inline constexpr std::int32_t kOnly = 0x140003;   // list 3, one entry
inline constexpr std::int32_t kValue = 0x140004;  // numeric, no default
// A top-level value with no holding object.
inline constexpr std::int32_t kTopLevel = 0x30001;

TDictionarySource Source();

}  // namespace sample

// A folder of its own under the system's temporary folder, removed with everything in it.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

inline TPathEntry Entry(std::uint16_t objectId, std::uint16_t index) {
  return TPathEntry{objectId, 0, index};
}

// Opens dictionaries written from descriptions or from raw bytes.
class DictionaryTest : public ::testing::Test {
 protected:
  DsvStatus OpenBytes(const std::vector<std::uint8_t>& structBytes,
                      const std::vector<std::uint8_t>& listsBytes,
                      std::int32_t version = sample::kVersion);
  DsvStatus OpenSource(const TDictionarySource& source);
  // Opens the sample dictionary; the test fails at once when it cannot.
  void OpenSample();

  TProperty& Property(std::int32_t identifier);
  TInstanceList& Instances(std::int32_t identifier) { return Property(identifier).Instances(); }

  TTempFolder folder_;
  TDictionary dictionary_;
  TDictionaryFiles files_;
};
