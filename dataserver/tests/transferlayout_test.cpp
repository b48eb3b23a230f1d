// The layout of the engine input and its dump, the export's files and statuses, and the
// reading of the definition.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "dataserver/binarystream.h"
#include "dataserver/dictionary.h"
#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "dataserver/tests/transfertestsupport.h"
#include "dataserver/transfer.h"

namespace dsvtest {
namespace {

class TransferLayout : public TransferFixture {};

TEST_F(TransferLayout, FieldsArePaddedOrCutToTheirWidth) {
  ASSERT_EQ(Export({Literal("AB", 5), Literal("ABCDEFG", 3), Literal("XYZ", 3)}), 0);
  EXPECT_EQ(output_, "AB   \r\nABC\r\nXYZ\r\n");
}

TEST_F(TransferLayout, WidthZeroWritesAnEmptyLine) {
  ASSERT_EQ(Export({Literal("AB", 0), Literal("C", 1)}), 0);
  EXPECT_EQ(output_, "\r\nC\r\n");
}

TEST_F(TransferLayout, ANegativeWidthWritesAnEmptyLine) {
  ASSERT_EQ(Export({Literal("AB", -4)}), 0);
  EXPECT_EQ(output_, "\r\n");
}

TEST_F(TransferLayout, LinesAreCutAtTwoHundredAndFiftyFiveCharacters) {
  ASSERT_EQ(Export({Literal("A", 253), Literal("B", 254), Literal("C", 300), Literal("D", 1)}), 0);
  const std::string line253 = "A" + std::string(252, ' ') + "\r\n";
  const std::string line254 = "B" + std::string(253, ' ') + "\r";  // loses its line feed
  const std::string line300 = "C" + std::string(254, ' ');         // loses its whole line end
  EXPECT_EQ(output_, line253 + line254 + line300 + "D\r\n");
}

TEST_F(TransferLayout, DumpListsEveryOccurrenceAndField) {
  SetText(kSurname, DriverPath(0), "Smith");
  SetNumber(kAge, DriverPath(0), 30);
  SetText(kSurname, DriverPath(1), "Jones");
  SetNumber(kAge, DriverPath(1), 41);
  ASSERT_EQ(
      Export({Object(kDriver, 1, 2, 200, {Field(kSurname, 6), Field(kAge, 3)}), Literal("X", 2)}),
      0);
  EXPECT_EQ(output_, "Smith \r\n30 \r\nJones \r\n41 \r\nX \r\n");
  EXPECT_EQ(dump_,
            "Object 0000 [1]\r\n"
            "Object 000F [1]\r\n"
            "property 000F0002 [6] := \"Smith \"\r\n"
            "property 000F0001 [3] := \"30 \"\r\n"
            "\r\n"
            "Object 000F [2]\r\n"
            "property 000F0002 [6] := \"Jones \"\r\n"
            "property 000F0001 [3] := \"41 \"\r\n"
            "\r\n"
            "property 00000000 [2] := \"X \"\r\n"
            "\r\n");
}

TEST_F(TransferLayout, DumpWritesHexadecimalInUpperCase) {
  ASSERT_EQ(Export({Object(0xABC, 1, 1, 200, {Field(0xABCDE, 1, 0, "z")})}), 0);
  EXPECT_EQ(dump_,
            "Object 0000 [1]\r\n"
            "Object 0ABC [1]\r\n"
            "property 000ABCDE [1] := \"z\"\r\n"
            "\r\n"
            "\r\n");
}

TEST_F(TransferLayout, DumpLinesObeyTheSameLimit) {
  ASSERT_EQ(Export({Literal("W", 300)}), 0);
  const std::string prefix = "property 00000000 [300] := \"W";
  const std::string line = prefix + std::string(255 - prefix.size(), ' ');
  EXPECT_EQ(dump_, "Object 0000 [1]\r\n" + line + "\r\n");
}

TEST_F(TransferLayout, ObjectsIterateFromTheirFirstToTheirLastOccurrence) {
  ASSERT_EQ(Export({Object(kDriver, 1, 3, 200, {Literal("a", 1)}),
                    Object(kVehicle, 2, 1, 300, {Literal("b", 1)}),
                    Object(kClaim, 1, -2, 400, {Literal("c", 1)})}),
            0);
  // 1 to 3: three times; 2 to 1: nothing; 1 to -2: to counts as 2.
  EXPECT_EQ(output_, "a\r\na\r\na\r\nc\r\nc\r\n");
  EXPECT_EQ(dump_.find("Object 0006"), std::string::npos);
}

TEST_F(TransferLayout, TheDumpSitsBesideTheOutputWithTheExtensionOut) {
  EXPECT_EQ(TransferDumpFileName("/engine/QuoForm1.001"), "/engine/QuoForm1.out");
  EXPECT_EQ(TransferDumpFileName("/a.b/input"), "/a.b/input.out");
  ASSERT_EQ(Export({Literal("x", 1)}), 0);
  EXPECT_TRUE(FileExists(DumpFile()));
  EXPECT_TRUE(FileExists(OutputFile()));
}

TEST_F(TransferLayout, AnExistingOutputIsReplaced) {
  ASSERT_TRUE(WriteBytesToFile(OutputFile(), std::vector<std::uint8_t>(1000, 'Q')));
  ASSERT_EQ(Export({Literal("x", 1)}), 0);
  EXPECT_EQ(output_, "x\r\n");
}

TEST_F(TransferLayout, MissingDefinitionAnswers240) {
  EXPECT_EQ(DsvExport(kApp, kDictVersion, 0, 0, 0, folder_.File("none.BIN").c_str(),
                      OutputFile().c_str()),
            dsv_status::kTransferFile);
  EXPECT_FALSE(FileExists(OutputFile()));
  EXPECT_FALSE(FileExists(DumpFile()));
}

TEST_F(TransferLayout, OutputThatCannotBeCreatedAnswers240) {
  ASSERT_TRUE(WriteBytesToFile(DefinitionFile(), WriteExportsFile(0, 100, {Literal("x", 1)})));
  const std::string output = folder_.File("no such folder/QuoForm1.001");
  EXPECT_EQ(DsvExport(kApp, kDictVersion, 0, 0, 0, DefinitionFile().c_str(), output.c_str()),
            dsv_status::kTransferFile);
}

TEST_F(TransferLayout, AFailingDumpDoesNotStopTheOutput) {
  std::filesystem::create_directory(DumpFile());  // the dump cannot be created
  ASSERT_EQ(Export({Literal("x", 1)}), 0);
  EXPECT_EQ(output_, "x\r\n");
}

TEST_F(TransferLayout, ADamagedDefinitionAnswersNonZero) {
  std::vector<std::uint8_t> bytes = WriteExportsFile(0, 100, {Literal("abc", 3), Literal("d", 1)});
  bytes.resize(bytes.size() - 6);  // the last record loses its end
  EXPECT_NE(ExportBytes(bytes), 0);
  EXPECT_NE(ExportBytes({1, 0, 0}), 0);  // not even a header
}

TEST_F(TransferLayout, ARangeBeyondWhatTheDataServerHoldsIsDamagedAndWritesNothing) {
  // A 61-byte definition whose object iterates 1 to 2,147,483,647 once filled the disk.
  const std::vector<std::uint8_t> hostile =
      WriteExportsFile(0, 100, {Object(kDriver, 1, 2147483647, 200, {Literal("x", 1)})});
  ASSERT_EQ(hostile.size(), 61u);
  ASSERT_EQ(Export({Literal("previous", 8)}), 0);
  EXPECT_EQ(ExportBytes(hostile), dsv_status::kInternalError);
  // The input and dump of the previous export stay as they were; no temporary file is left.
  EXPECT_EQ(output_, "previous\r\n");
  EXPECT_EQ(dump_, "Object 0000 [1]\r\nproperty 00000000 [8] := \"previous\"\r\n\r\n");
  EXPECT_FALSE(std::filesystem::exists(OutputFile() + ".new"));

  // Each range, and the product of the ranges of nested objects, is held to 65,536.
  EXPECT_EQ(Export({Object(kDriver, 1, 65537, 200, {Literal("x", 1)})}),
            dsv_status::kInternalError);
  EXPECT_EQ(Export({Object(kDriver, -65536, 0, 200, {Literal("x", 1)})}),
            dsv_status::kInternalError);
  EXPECT_EQ(
      Export({Object(kDriver, 1, 257, 200, {Object(kClaim, 1, 256, 300, {Literal("x", 1)})})}),
      dsv_status::kInternalError);
  ASSERT_EQ(
      Export({Object(kDriver, 1, 256, 200, {Object(kClaim, 1, 256, 300, {Literal("x", 1)})})}), 0);
  EXPECT_EQ(output_.size(), 65536u * 3);
  // An object that iterates nothing lets anything nested in it pass.
  EXPECT_EQ(Export({Object(kDriver, 2, 1, 200, {Object(kClaim, 1, 65536, 300, {Literal("x", 1)})}),
                    Literal("y", 1)}),
            0);
  EXPECT_EQ(output_, "y\r\n");
}

int createsSeen = 0;

TEST_F(TransferLayout, TheInputIsReplacedOnlyWhenWrittenWhole) {
  ASSERT_TRUE(WriteBytesToFile(OutputFile(), std::vector<std::uint8_t>(10, 'Q')));
  // The input's temporary file cannot be created (the dump's, made next, can): the old input
  // stays and the status is 240.
  createsSeen = 0;
  TDataServerSeamsGuard seams;
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Create && createsSeen++ == 0 ? EACCES : 0;
  };
  ASSERT_TRUE(WriteBytesToFile(DefinitionFile(), WriteExportsFile(0, 100, {Literal("x", 1)})));
  EXPECT_EQ(DsvExport(kApp, kDictVersion, 0, 0, 0, DefinitionFile().c_str(), OutputFile().c_str()),
            dsv_status::kTransferFile);
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_EQ(ReadFileText(OutputFile()), "QQQQQQQQQQ");
  EXPECT_EQ(ReadFileText(DumpFile()), "Object 0000 [1]\r\nproperty 00000000 [1] := \"x\"\r\n\r\n");
  // A full disk part-way: the old input stays, and the failure is reported.
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Write ? ENOSPC : 0;
  };
  EXPECT_EQ(DsvExport(kApp, kDictVersion, 0, 0, 0, DefinitionFile().c_str(), OutputFile().c_str()),
            dsv_status::kInternalError);
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_EQ(ReadFileText(OutputFile()), "QQQQQQQQQQ");
  ASSERT_EQ(Export({Literal("x", 1)}), 0);
  EXPECT_EQ(output_, "x\r\n");
  // Nothing is left beside the input.
  int files = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(OutputFile()).parent_path()))
    files += entry.path().filename().string().rfind(
                 std::filesystem::path(OutputFile()).filename().string() + ".", 0) == 0;
  EXPECT_EQ(files, 0);
}

TEST_F(TransferLayout, ADefinitionWithoutRecordsWritesNothing) {
  ASSERT_EQ(Export({}), 0);
  EXPECT_EQ(output_, "");
  EXPECT_EQ(dump_, "Object 0000 [1]\r\n\r\n");
}

TEST_F(TransferLayout, FewerThanTwoBytesBehindARecordEndTheDefinition) {
  std::vector<std::uint8_t> bytes = WriteExportsFile(0, 100, {Literal("a", 1)});
  bytes.push_back(0x7F);
  ASSERT_EQ(ExportBytes(bytes), 0);
  EXPECT_EQ(output_, "a\r\n");
}

TEST_F(TransferLayout, NestedObjectsHandTheirGroupBackToTheirParent) {
  SetNumber(kClaimCost, ClaimPath(0, 0), 10);
  SetNumber(kClaimCost, ClaimPath(0, 1), 20);
  ASSERT_EQ(Export({Literal("<", 1),
                    Object(kDriver, 1, 1, 200,
                           {Literal("d", 1), Object(kClaim, 1, 2, 300, {Field(kClaimCost, 2)}),
                            Literal("e", 1)}),
                    Literal(">", 1)}),
            0);
  EXPECT_EQ(output_, "<\r\nd\r\n10\r\n20\r\ne\r\n>\r\n");
}

TEST_F(TransferLayout, AbsurdNestingIsADamagedDefinition) {
  auto nest = [](int depth) {
    TExportRecord inner = Literal("x", 1);
    for (int i = 0; i < depth; ++i)
      inner = Object(kClaim, 1, 1, 1000 + i, {inner});
    return inner;
  };
  ASSERT_EQ(Export({nest(10)}), 0);
  EXPECT_EQ(output_, "x\r\n");
  EXPECT_NE(Export({nest(500)}), 0);
}

TEST_F(TransferLayout, RecordsOfAGroupThatNoObjectCollectsAreNotWritten) {
  TBinaryWriter w;
  w.WriteInt32(0);
  w.WriteInt32(100);
  auto literal = [&w](const std::string& text) {
    w.WriteUInt8(1);
    w.WriteUInt8(0);
    w.WriteInt32(0);
    w.WriteUInt8(0);
    w.WriteInt32(1);
    w.WriteShortString(text);
    w.WriteInt32(0);
    w.WriteInt32(1);
    w.WriteInt32(1);
  };
  literal("a");
  w.WriteInt32(555);
  literal("b");
  ASSERT_EQ(ExportBytes(w.Bytes()), 0);
  EXPECT_EQ(output_, "a\r\n");
}

TEST_F(TransferLayout, TheDefinitionTreeFollowsTheGroupIdentifiers) {
  ASSERT_TRUE(WriteBytesToFile(
      DefinitionFile(),
      WriteExportsFile(
          7, 100,
          {Object(kDriver, 1, 5, 200, {Field(kSurname, 20, 0, "x"), Object(kClaim, 2, 3, 300, {})}),
           Literal("lit", 4)})));
  TBinaryReader in;
  ASSERT_TRUE(in.Open(DefinitionFile()));
  auto root = ReadTransferDefinition(in, DataDictionary());
  ASSERT_TRUE(root->IsRoot);
  EXPECT_EQ(root->GroupId, 100);
  ASSERT_EQ(root->fChildren.size(), 1u);
  auto* driver = dynamic_cast<TTransferObject*>(root->fChildren[0].get());
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(driver->GroupId, 200);
  EXPECT_EQ(driver->From, 1);
  EXPECT_EQ(driver->To, 5);
  EXPECT_EQ(driver->fProperty, DataDictionary().Find(kDriver));
  EXPECT_TRUE(driver->IsTopLevel());
  ASSERT_EQ(driver->fChildren.size(), 2u);
  auto* surname = dynamic_cast<TTransferProperty*>(driver->fChildren[0].get());
  ASSERT_NE(surname, nullptr);
  EXPECT_EQ(surname->Width, 20);
  EXPECT_EQ(surname->Literal, "x");
  EXPECT_EQ(surname->fParent, driver);
  // An object takes the group of the record behind its own. The claim object has no records
  // of its own, so it takes the root's group and adopts the literal that follows it.
  auto* claim = dynamic_cast<TTransferObject*>(driver->fChildren[1].get());
  ASSERT_NE(claim, nullptr);
  EXPECT_EQ(claim->GroupId, 100);
  EXPECT_FALSE(claim->IsTopLevel());
  ASSERT_EQ(claim->fChildren.size(), 1u);
  auto* literal = dynamic_cast<TTransferProperty*>(claim->fChildren[0].get());
  ASSERT_NE(literal, nullptr);
  EXPECT_EQ(literal->SourceKind, tsLiteral);
  EXPECT_EQ(literal->Literal, "lit");
  EXPECT_EQ(literal->fProperty, nullptr);
}

}  // namespace
}  // namespace dsvtest
