#include <gtest/gtest.h>

#include "tools/dictc/compileerror.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/exportscompiler.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kData = QM_DICTC_TEST_DATA;

std::string Exports(const std::string& records) {
  return R"({ "header": 0, "group": 1, "records": [)" + records + "] }";
}

ECompileError Refusal(const std::string& text, bool withDictionary = true) {
  static const TCompiledDictionary dictionary = CompileDictionary(kData + "/dictionary.json");
  TTempFolder folder;
  std::string file = folder.Write("exports.json", text);
  try {
    CompileExports(file, withDictionary ? &dictionary : nullptr);
  } catch (const ECompileError& e) {
    EXPECT_EQ(e.File(), file);
    return e;
  }
  ADD_FAILURE() << "the source was accepted";
  return ECompileError("", "", "");
}

}  // namespace

TEST(ExportsCompiler, CompilesTheTestDefinitionIntoANestedTree) {
  TCompiledDictionary d = CompileDictionary(kData + "/dictionary.json");
  TCompiledExports e = CompileExports(kData + "/exports.json", &d);
  EXPECT_EQ(e.Header, 3);
  EXPECT_EQ(e.Group, 1);
  ASSERT_EQ(e.Records.size(), 5u);
  const TExportRecord& drivers = e.Records[2];
  EXPECT_TRUE(drivers.IsObject);
  EXPECT_EQ(drivers.PropertyId, 0xF);
  EXPECT_EQ(drivers.Group, 2);
  EXPECT_EQ(drivers.To, 3);
  ASSERT_EQ(drivers.Children.size(), 3u);
  EXPECT_EQ(drivers.Children[0].SourceKind, 0);
  EXPECT_EQ(drivers.Children[0].Level, 1);
  EXPECT_EQ(drivers.Children[1].FormatKind, 3);
  EXPECT_EQ(drivers.Children[2].Children[0].PropertyId, 0x220002);
  EXPECT_EQ(e.Records[4].SourceKind, 1);
  EXPECT_EQ(e.Records[4].Literal, "END");
}

TEST(ExportsCompiler, CountsTheLinesEveryIterationWrites) {
  TCompiledExports e = CompileExports(kData + "/exports.json", nullptr);
  // 2 root fields, 3 drivers x (2 fields + 2 occupations x 1), 5 modifications x 1, 1 root field.
  EXPECT_EQ(CountExportLines(e.Records), 2 + 3 * (2 + 2) + 5 + 1);
}

TEST(ExportsCompiler, RefusesNestedObjectsSharingAGroupIdentifier) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 2, "children": [
      { "object": true, "id": "0x22", "group": 2, "children": [
          { "source": "value", "id": "0x220002", "width": 3 } ] } ] })"));
  EXPECT_EQ(e.Place(), "/records/0/children/0/group");
  EXPECT_NE(e.Fault().find("shares group identifier 2"), std::string::npos);
}

TEST(ExportsCompiler, RefusesAnObjectSharingTheRootsGroup) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 1, "children": [
      { "source": "value", "id": "0xF0005", "width": 3 } ] })"));
  EXPECT_EQ(e.Place(), "/records/0/group");
}

TEST(ExportsCompiler, RefusesAnObjectWithoutFieldsBecauseItWouldTakeItsSiblings) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 2, "children": [] })"));
  EXPECT_EQ(e.Place(), "/records/0/children");
}

TEST(ExportsCompiler, RefusesAnObjectThatWouldWriteNothing) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 2, "from": 3, "to": 1,
      "children": [ { "source": "value", "id": "0xF0005", "width": 3 } ] })"));
  EXPECT_EQ(e.Place(), "/records/0/to");
}

TEST(ExportsCompiler, RefusesAFieldWiderThanALine) {
  auto e = Refusal(Exports(R"({ "source": "literal", "width": 254, "literal": "x" })"), false);
  EXPECT_EQ(e.Place(), "/records/0/width");
}

TEST(ExportsCompiler, RefusesAnUnknownProperty) {
  auto e = Refusal(Exports(R"({ "source": "value", "id": "0x6FFFF", "width": 3 })"));
  EXPECT_EQ(e.Place(), "/records/0/id");
  EXPECT_NE(e.Fault().find("unknown property 0x6FFFF"), std::string::npos);
}

TEST(ExportsCompiler, AcceptsAnyIdentifierWithoutADictionary) {
  TTempFolder folder;
  auto file =
      folder.Write("e.json", Exports(R"({ "source": "value", "id": "0x6FFFF", "width": 3 })"));
  EXPECT_EQ(CompileExports(file, nullptr).Records.size(), 1u);
}

TEST(ExportsCompiler, RefusesAFieldOfAnotherObjectInsideATopLevelObject) {
  // Inside object 0xF the field would be looked up among the occurrences of object 6.
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 2, "children": [
      { "source": "value", "id": "0x6000E", "width": 3 } ] })"));
  EXPECT_NE(e.Fault().find("held by object 0x6, not by the enclosing object 0xF"),
            std::string::npos);
}

TEST(ExportsCompiler, RefusesANestedFieldOffTheChainOfObjects) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0x6", "group": 2, "children": [
      { "source": "value", "id": "0x6000E", "width": 3 },
      { "object": true, "id": "0x22", "group": 3, "children": [
          { "source": "value", "id": "0x220002", "width": 3 } ] } ] })"));
  EXPECT_EQ(e.Place(), "/records/0/children/1/children/0/id");
}

TEST(ExportsCompiler, RefusesAnOccurrenceNumberInsideANestedObject) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0xF", "group": 2, "children": [
      { "object": true, "id": "0x22", "group": 3, "children": [
          { "source": "occurrence", "level": 1, "width": 1 } ] } ] })"));
  EXPECT_NE(e.Fault().find("directly inside a top-level object"), std::string::npos);
}

TEST(ExportsCompiler, RefusesAListFormatBeyondDescriptionAndAbiCode) {
  auto e = Refusal(Exports(R"({ "source": "value", "id": "0x60003", "width": 3, "format": 3 })"));
  EXPECT_EQ(e.Place(), "/records/0/format");
}

TEST(ExportsCompiler, RefusesAnObjectRecordNamingAValueProperty) {
  auto e = Refusal(Exports(R"({ "object": true, "id": "0x6000E", "group": 2, "children": [
      { "source": "literal", "width": 1 } ] })"));
  EXPECT_NE(e.Fault().find("object identifiers are below 0x10000"), std::string::npos);
}

TEST(ExportsCompiler, RefusesAFieldWithoutSource) {
  auto e = Refusal(Exports(R"({ "id": "0x6000E", "width": 3 })"));
  EXPECT_NE(e.Fault().find("needs a source"), std::string::npos);
}
