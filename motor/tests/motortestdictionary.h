#pragma once
// A small motor-like dictionary for the binding's tests, written to a temporary folder, and a
// fixture that opens the engine's data side on it with a scripted prompter installed.

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "dataserver/dictwriter.h"
#include "motor/getmotordsv.h"
#include "platform/scriptedprompter.h"

namespace testdict {

inline constexpr std::int16_t kApplicationNumber = 1;
inline constexpr std::int16_t kVersion = 7;

// Properties of the test dictionary.
inline constexpr std::int32_t kAddressLine1 = 0x20001;      // string, proposer
inline constexpr std::int32_t kVehicleMake = 0x60003;       // list: makes
inline constexpr std::int32_t kVehicleModel = 0x60004;      // list: models, filtered by make
inline constexpr std::int32_t kVehicleValue = 0x60010;      // numeric
inline constexpr std::int32_t kAnnualMileage = 0x60011;     // numeric, default 5000
inline constexpr std::int32_t kRegisteredKeeper = 0x6005D;  // list: owners
inline constexpr std::int32_t kRegisteredOwner = 0x6005E;   // list: owners
inline constexpr std::int32_t kMainDriverNumber = 0x6FFFC;  // list: driver numbers
inline constexpr std::int32_t kCoverStart = 0xD0005;        // date
inline constexpr std::int32_t kRestriction = 0xD0006;       // list: restrictions
inline constexpr std::int32_t kCoverType = 0xD0007;         // string, default "Comprehensive"
inline constexpr std::int32_t kDateOfBirth = 0xF0005;       // date, driver
inline constexpr std::int32_t kSurname = 0xF002A;           // string, driver
inline constexpr std::int32_t kIsMainDriver = 0xF0048;      // list: yes/no (ABI "Y", "N")
inline constexpr std::int32_t kIncidentDate = 0x110001;     // date, incident of a driver
inline constexpr std::int32_t kClaimType = 0x120001;        // list: claim types, claim
inline constexpr std::int32_t kClaimNumber = 0x12FFFF;      // numeric, claim
inline constexpr std::int32_t kConvictionCode = 0x130001;   // string, conviction
inline constexpr std::int32_t kPolicyEnd = 0x2B000C;        // date
inline constexpr std::int32_t kAcceptedPremium = 0xFF0001;  // numeric

// Model codes: Ford 101-103, Vauxhall 201; Rover has no models.
inline constexpr std::int32_t kFord = 10;
inline constexpr std::int32_t kVauxhall = 20;
inline constexpr std::int32_t kRover = 30;
inline constexpr std::int32_t kUnlistedMake = 99;

// A model description in the engine's fixed columns; the texts are padded or cut to their
// column widths.
std::string ModelDescription(const std::string& firstYear, const std::string& lastYear,
                             char variant, char fuel, char transmission, const std::string& cc,
                             const std::string& name);

// Lists of the test dictionary, by their place in the source.
enum TTestList {
  kMakesList,
  kModelsList,
  kYesNoList,
  kRestrictionsList,
  kNumbersList,
  kClaimTypesList
};

struct TTestDictionaryFiles {
  QString lists;
  QString structure;
  QString message;
};

TDictionarySource MotorDictionarySource(std::int16_t version = kVersion);
// Writes Struct.BIN and Lists.BIN into the folder.
TTestDictionaryFiles WriteDictionary(const QString& folder, const TDictionaryFiles& bytes);
// The motor dictionary written with the given version.
TTestDictionaryFiles WriteMotorDictionary(const QString& folder, std::int16_t version = kVersion);

TQuoteEngineFiles EngineFiles(const TTestDictionaryFiles& files);

}  // namespace testdict

// Opens the engine's data side on the test dictionary for each test and closes it afterwards;
// the modified state starts cleared and every box is recorded.
class MotorDsvTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QTemporaryDir folder_;
  testdict::TTestDictionaryFiles files_;
  ScopedScriptedPrompter prompter_;
  bool open_ = false;
};
