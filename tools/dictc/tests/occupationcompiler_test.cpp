#include <gtest/gtest.h>

#include "dataserver/binarystream.h"
#include "tools/dictc/compileerror.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/occupationcompiler.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kData = QM_DICTC_TEST_DATA;

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::int32_t>(b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) |
                                   (static_cast<std::uint32_t>(b.at(at + 3)) << 24));
}

ECompileError Refusal(const std::string& tree) {
  static const TCompiledDictionary dictionary = CompileDictionary(kData + "/dictionary.json");
  TTempFolder folder;
  std::string file = folder.Write("occupations.json", R"({ "tree": )" + tree + "}");
  try {
    CompileOccupations(file, &dictionary);
  } catch (const ECompileError& e) {
    return e;
  }
  ADD_FAILURE() << "the source was accepted";
  return ECompileError("", "", "");
}

}  // namespace

TEST(OccupationCompiler, LaysOutSixByteNodesWithAbsoluteSiblingPositions) {
  TCompiledDictionary d = CompileDictionary(kData + "/dictionary.json");
  auto bytes = WriteOccupationMap(CompileOccupations(kData + "/occupations.json", &d));
  // Business 12 at 0; its occupation 301 at 6; qualifier 0 at 12 with statuses 1 2 0;
  // qualifier 5 at 21 with status 2 0; business 40 at 29.
  EXPECT_EQ(U16(bytes, 0), 12);
  EXPECT_EQ(I32(bytes, 2), 29);
  EXPECT_EQ(U16(bytes, 6), 301);
  EXPECT_EQ(I32(bytes, 8), 0);  // the only occupation of business 12
  EXPECT_EQ(U16(bytes, 12), 0);
  EXPECT_EQ(I32(bytes, 14), 21);
  EXPECT_EQ(bytes[18], 1);
  EXPECT_EQ(bytes[19], 2);
  EXPECT_EQ(bytes[20], 0);
  EXPECT_EQ(U16(bytes, 21), 5);
  EXPECT_EQ(I32(bytes, 23), 0);
  EXPECT_EQ(bytes[27], 2);
  EXPECT_EQ(bytes[28], 0);
  EXPECT_EQ(U16(bytes, 29), 40);
  EXPECT_EQ(I32(bytes, 31), 0);  // the last business
  EXPECT_EQ(U16(bytes, 35), 302);
  EXPECT_EQ(I32(bytes, 37), 49);
  EXPECT_EQ(U16(bytes, 49), 301);
  EXPECT_EQ(bytes.size(), 63u);
}

TEST(OccupationCompiler, RefusesACodeThatIsNotInItsList) {
  auto e = Refusal(R"([ { "code": 12, "children": [ { "code": 999, "children": [
      { "code": 0, "children": [ { "code": 1 } ] } ] } ] } ])");
  EXPECT_EQ(e.Place(), "/tree/0/children/0/code");
  EXPECT_NE(e.Fault().find("occupation 999 is not a code of list 0x220002"), std::string::npos);
}

TEST(OccupationCompiler, RefusesAnOccupationWithoutQualifiers) {
  auto e = Refusal(R"([ { "code": 12, "children": [ { "code": 301, "children": [] } ] } ])");
  EXPECT_EQ(e.Place(), "/tree/0/children/0/children");
}

TEST(OccupationCompiler, RefusesStatusZeroBecauseItEndsTheRun) {
  auto e = Refusal(R"([ { "code": 12, "children": [ { "code": 301, "children": [
      { "code": 0, "children": [ { "code": 0 } ] } ] } ] } ])");
  EXPECT_EQ(e.Place(), "/tree/0/children/0/children/0/children/0/code");
}

TEST(OccupationCompiler, RefusesTheSameBusinessTwice) {
  auto e = Refusal(R"([ { "code": 12, "children": [ { "code": 301, "children": [
      { "code": 0, "children": [ { "code": 1 } ] } ] } ] },
      { "code": 12, "children": [ { "code": 301, "children": [
      { "code": 0, "children": [ { "code": 1 } ] } ] } ] } ])");
  EXPECT_EQ(e.Place(), "/tree/1/code");
}
