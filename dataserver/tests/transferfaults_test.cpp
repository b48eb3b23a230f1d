// A damaged transfer definition or a failing disk during an export: status 1020 and no input
// file written, or the old one left as it was; the engine never sees half an input.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>

#include "dataserver/dictwriter.h"
#include "dataserver/dsvexport.h"
#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "dataserver/status.h"
#include "dataserver/tests/transfertestsupport.h"

namespace dsvtest {
namespace {

class TransferFaults : public TransferFixture {
 protected:
  // Every test's disk faults end with it.
  TDataServerSeamsGuard seams_;
  std::size_t FilesInFolder() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      ++count;
    return count;
  }
};

// The reproducer found by fuzzing: an object repeated from 1 to 2,147,483,647 in a definition of
// a few dozen bytes made every export loop for ever, writing gigabytes of input and dump.
TEST_F(TransferFaults, ARepetitionBeyondTheOccurrencesIsADamagedDefinition) {
  const std::vector<std::uint8_t> definition =
      WriteExportsFile(0, 100, {Object(kDriver, 1, INT32_MAX, 200, {Field(kSurname, 6)})});
  EXPECT_LT(definition.size(), 80u);
  EXPECT_EQ(ExportBytes(definition), dsv_status::kInternalError);
  EXPECT_FALSE(std::filesystem::exists(OutputFile()));
  EXPECT_FALSE(std::filesystem::exists(DumpFile()));

  // From the smallest int32 up: as damaged.
  EXPECT_EQ(Export({Object(kDriver, INT32_MIN, 0, 200, {Literal("x", 1)})}),
            dsv_status::kInternalError);
  // Nested objects multiply: 300 claims in each of 300 drivers is beyond any index.
  EXPECT_EQ(
      Export({Object(kDriver, 1, 300, 200, {Object(kClaim, 1, 300, 300, {Field(kClaimCost, 4)})})}),
      dsv_status::kInternalError);
  // As many occurrences as an index can number are written, and an input of over 262,144 lines
  // is not.
  ASSERT_EQ(Export({Object(kDriver, 1, 65536, 200, {Literal("x", 1)})}), dsv_status::kOk);
  EXPECT_EQ(output_.size(), 65536u * 3);
  std::vector<TExportRecord> fields(17, Literal("y", 1));
  EXPECT_EQ(Export({Object(kDriver, 1, 65536, 200, fields)}), dsv_status::kInternalError);

  // A damaged definition leaves the last input as it was: the engine reads nothing new.
  ASSERT_EQ(Export({Literal("good", 4)}), dsv_status::kOk);
  EXPECT_EQ(ExportBytes(definition), dsv_status::kInternalError);
  EXPECT_EQ(output_, "good\r\n");
}

TEST_F(TransferFaults, AFullDiskDuringTheExportLeavesTheOldInputWhole) {
  ASSERT_EQ(Export({Literal("old", 3)}), dsv_status::kOk);
  const std::size_t files = FilesInFolder();
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Write ? ENOSPC : 0;
  };
  EXPECT_EQ(Export({Object(kDriver, 1, 5000, 200, {Literal("new", 3)})}),
            dsv_status::kInternalError);
  EXPECT_EQ(output_, "old\r\n");
  EXPECT_EQ(FilesInFolder(), files);  // no temporary file left behind

  // Nor can an input be begun when no file can be created beside it.
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Create ? ENOSPC : 0;
  };
  EXPECT_EQ(Export({Literal("new", 3)}), dsv_status::kTransferFile);
  EXPECT_EQ(output_, "old\r\n");
}

// A value cut to its field would be priced as another value (99,999,999,999 as 9999999): the
// export refuses, names the field and leaves the last input as it was.
TEST_F(TransferFaults, AStoredValueWiderThanItsFieldIsRefusedNotCut) {
  ASSERT_EQ(Export({Literal("good", 4)}), dsv_status::kOk);
  SetNumber(kAge, DriverPath(0), 99999999999.0);
  SetText(kSurname, DriverPath(0), "Smith");
  EXPECT_EQ(Export({Object(kDriver, 1, 1, 200, {Field(kSurname, 5), Field(kAge, 7)})}),
            dsv_status::kValueDoesNotFit);
  EXPECT_EQ(output_, "good\r\n");
  std::int32_t id = 0;
  std::int32_t width = 0;
  char text[256] = {};
  ASSERT_EQ(DsvQueryExportRefusal(&id, &width, text), dsv_status::kOk);
  EXPECT_EQ(id, kAge);
  EXPECT_EQ(width, 7);
  EXPECT_STREQ(text, "99999999999");
  EXPECT_NE(dump_.find("property 000F0001 [7] := \"9999999\""), std::string::npos);

  // Texts too; a literal (the installation's own text) is still cut.
  SetNumber(kAge, DriverPath(0), 41);
  SetText(kSurname, DriverPath(0), "Smithers");
  EXPECT_EQ(Export({Object(kDriver, 1, 1, 200, {Field(kSurname, 5)})}),
            dsv_status::kValueDoesNotFit);
  ASSERT_EQ(DsvQueryExportRefusal(&id, &width, text), dsv_status::kOk);
  EXPECT_EQ(id, kSurname);
  EXPECT_EQ(Export({Field(kSurname, 8), Literal("toolong", 3)}), dsv_status::kOk);
  EXPECT_EQ(DsvQueryExportRefusal(&id, &width, text), dsv_status::kNoValue);
}

}  // namespace
}  // namespace dsvtest
