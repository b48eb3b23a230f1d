#include <gtest/gtest.h>

#include "tools/dictc/compileerror.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/testsupport/tempfolder.h"

namespace {

const std::string kData = QM_DICTC_TEST_DATA;

const char* const kYesNo =
    R"("yesno": [ { "code": 1, "description": "No", "abi": "N" },
                  { "code": 2, "description": "Yes", "abi": "Y" } ])";

std::string Dictionary(const std::string& properties, const std::string& lists,
                       const std::string& more = "") {
  return R"({ "application": 1, "version": 2, "properties": [)" + properties + R"(], "lists": {)" +
         lists + "}" + more + "}";
}

// Compiles the text and answers the refusal it must cause.
ECompileError Refusal(const std::string& text) {
  TTempFolder folder;
  std::string file = folder.Write("dictionary.json", text);
  try {
    CompileDictionary(file);
  } catch (const ECompileError& e) {
    EXPECT_EQ(e.File(), file);
    return e;
  }
  ADD_FAILURE() << "the source was accepted";
  return ECompileError("", "", "");
}

}  // namespace

TEST(DictionaryCompiler, CompilesTheTestDictionaryWithItsIncludedLists) {
  TCompiledDictionary d = CompileDictionary(kData + "/dictionary.json");
  EXPECT_EQ(d.Application, 1);
  EXPECT_EQ(d.Version, 7);
  EXPECT_EQ(d.Source.Version, 0x10007);
  ASSERT_EQ(d.Source.TopLevel.size(), 2u);
  EXPECT_EQ(d.Source.TopLevel[0].Identifier, 6);
  EXPECT_EQ(d.Source.TopLevel[0].Children.size(), 6u);

  const TPropertyInfo* claim = d.Find(0x70001);
  ASSERT_NE(claim, nullptr);
  EXPECT_EQ(claim->Type, 4);
  EXPECT_EQ(claim->Ancestors, (std::vector<std::int32_t>{6, 7}));

  // UTF-8 in the source becomes Windows-1252.
  const TDictList* mods = d.ListOf(0x70001);
  ASSERT_NE(mods, nullptr);
  EXPECT_EQ(mods->Entries[2].Description, "Caf\xE9 racer seat");

  // The yes/no list is written once although two properties use it.
  EXPECT_EQ(d.Find(0x60011)->List, d.Find(0xF003B)->List);
}

TEST(DictionaryCompiler, LeavesOutAListNoPropertyUsesAndSaysSo) {
  TCompiledDictionary d = CompileDictionary(kData + "/dictionary.json");
  for (const auto& name : d.ListNames)
    EXPECT_NE(name, "unused");
  ASSERT_EQ(d.Warnings.size(), 1u);
  EXPECT_NE(d.Warnings[0].find("\"unused\""), std::string::npos);
}

TEST(DictionaryCompiler, DependencyBlocksFollowTheControllingListsDisplayOrder) {
  TCompiledDictionary d = CompileDictionary(kData + "/dictionary.json");
  ASSERT_EQ(d.Source.Dependencies.size(), 1u);
  const auto& dep = d.Source.Dependencies[0];
  EXPECT_EQ(dep.ControllingPropertyId, 0x60003);
  EXPECT_EQ(dep.DependentList, d.Find(0x60004)->List);
  // Makes in display order: FORD (20), AUDI (5), VAUXHALL (31); models 0 and 2 are Fords.
  ASSERT_EQ(dep.Blocks.size(), 3u);
  EXPECT_EQ(dep.Blocks[0], (std::vector<int>{0, 2}));
  EXPECT_EQ(dep.Blocks[1], (std::vector<int>{1}));
  EXPECT_TRUE(dep.Blocks[2].empty());
}

TEST(DictionaryCompiler, RefusesADuplicateIdentifier) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [
           { "id": "0xF0005", "type": "date" }, { "id": "0xF0005", "type": "numeric" } ] })",
      kYesNo));
  EXPECT_EQ(e.Place(), "/properties/0/children/1/id");
  EXPECT_NE(e.Fault().find("duplicate identifier 0xF0005"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAValuePropertyWhoseUpperBitsAreNotItsObject) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xD0005", "type": "date" } ] })",
      kYesNo));
  EXPECT_EQ(e.Place(), "/properties/0/children/0/id");
  EXPECT_NE(e.Fault().find("upper 16 bits are not its object 0xF"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAValuePropertyOutsideEveryObject) {
  auto e = Refusal(Dictionary(R"({ "id": "0xF0005", "type": "date" })", kYesNo));
  EXPECT_NE(e.Fault().find("must sit inside an object"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAnObjectIdentifierTooWideForAPath) {
  auto e = Refusal(Dictionary(R"({ "id": "0x10000", "type": "object", "children": [] })", kYesNo));
  EXPECT_NE(e.Fault().find("below 0x10000"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAListWithoutEntries) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list", "list": "sexes" } ] })",
      R"("sexes": [])"));
  EXPECT_EQ(e.Place(), "/lists/sexes");
  EXPECT_NE(e.Fault().find("has no entries"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAnUnknownListReference) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list", "list": "sexs" } ] })",
      kYesNo));
  EXPECT_EQ(e.Place(), "/properties/0/children/0/list");
  EXPECT_NE(e.Fault().find("unknown list \"sexs\""), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAListPropertyWithoutAList) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list" } ] })",
      kYesNo));
  EXPECT_NE(e.Fault().find("names no list"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesADuplicateCodeWithinAList) {
  auto e = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list", "list": "yesno" } ] })",
      R"("yesno": [ { "code": 1, "description": "No", "abi": "N" },
                    { "code": 1, "description": "Yes", "abi": "Y" } ])"));
  EXPECT_EQ(e.Place(), "/lists/yesno/1/code");
  EXPECT_NE(e.Fault().find("duplicate code 1"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesUnknownKeysSoTyposAreNotSilentlyIgnored) {
  auto e = Refusal(Dictionary(R"({ "id": "0xF", "type": "object", "childern": [] })", kYesNo));
  EXPECT_EQ(e.Place(), "/properties/0/childern");
}

TEST(DictionaryCompiler, RefusesDefaultsThatDoNotConvert) {
  auto numeric = Refusal(Dictionary(
      R"({ "id": "0x6", "type": "object", "children": [ { "id": "0x6000E", "type": "numeric", "default": "1.5" } ] })",
      kYesNo));
  EXPECT_EQ(numeric.Place(), "/properties/0/children/0/default");
  auto date = Refusal(Dictionary(
      R"({ "id": "0x6", "type": "object", "children": [ { "id": "0x60001", "type": "date", "default": "31/02/1997" } ] })",
      kYesNo));
  EXPECT_NE(date.Fault().find("is not a date"), std::string::npos);
  auto list = Refusal(Dictionary(
      R"({ "id": "0x6", "type": "object", "children": [ { "id": "0x60011", "type": "list", "list": "yesno", "default": "3" } ] })",
      kYesNo));
  EXPECT_NE(list.Fault().find("default 3 is not a code of list \"yesno\""), std::string::npos);
}

TEST(DictionaryCompiler, AcceptsAnEmptyDateDefaultMeaningToday) {
  TTempFolder folder;
  auto file = folder.Write(
      "d.json",
      Dictionary(
          R"({ "id": "0x6", "type": "object", "children": [ { "id": "0x60001", "type": "date", "default": "" } ] })",
          ""));
  auto d = CompileDictionary(file);
  EXPECT_TRUE(d.Source.TopLevel[0].Children[0].HasDefault);
}

TEST(DictionaryCompiler, RefusesTextTheCodePageCannotHoldOrThatIsTooLong) {
  auto arrow = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list", "list": "yesno" } ] })",
      "\"yesno\": [ { \"code\": 1, \"description\": \"No \xE2\x86\x92\", \"abi\": \"N\" } ]"));
  EXPECT_EQ(arrow.Place(), "/lists/yesno/0/description");
  std::string longText(256, 'x');
  auto tooLong = Refusal(Dictionary(
      R"({ "id": "0xF", "type": "object", "children": [ { "id": "0xF0007", "type": "list", "list": "yesno" } ] })",
      "\"yesno\": [ { \"code\": 1, \"description\": \"" + longText + "\", \"abi\": \"N\" } ]"));
  EXPECT_NE(tooLong.Fault().find("256 characters"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesAListDefinedTwiceAcrossIncludedFiles) {
  TTempFolder folder;
  folder.Write("more.json", std::string("{ \"lists\": {") + kYesNo + "} }");
  std::string main = folder.Write(
      "dictionary.json", Dictionary(R"({ "id": "0xF", "type": "object", "children": [] })", kYesNo,
                                    R"(, "include": ["more.json"])"));
  try {
    CompileDictionary(main);
    FAIL() << "accepted";
  } catch (const ECompileError& e) {
    EXPECT_EQ(e.File(), folder.File("more.json"));
    EXPECT_EQ(e.Place(), "/lists/yesno");
    EXPECT_NE(e.Fault().find("already defined"), std::string::npos);
  }
}

TEST(DictionaryCompiler, RefusesAnIncludeCycle) {
  TTempFolder folder;
  folder.Write("a.json", R"({ "include": ["b.json"] })");
  folder.Write("b.json", R"({ "include": ["a.json"] })");
  std::string main = folder.Write(
      "dictionary.json", Dictionary(R"({ "id": "0xF", "type": "object", "children": [] })", "",
                                    R"(, "include": ["a.json"])"));
  EXPECT_THROW(CompileDictionary(main), ECompileError);
}

TEST(DictionaryCompiler, RefusesAMissingIncludedFileNamingIt) {
  TTempFolder folder;
  std::string main = folder.Write(
      "dictionary.json", Dictionary(R"({ "id": "0xF", "type": "object", "children": [] })", "",
                                    R"(, "include": ["lists/missing.json"])"));
  try {
    CompileDictionary(main);
    FAIL() << "accepted";
  } catch (const ECompileError& e) {
    EXPECT_EQ(e.File(), folder.File("lists/missing.json"));
    EXPECT_NE(e.Fault().find("cannot open"), std::string::npos);
  }
}

TEST(DictionaryCompiler, RefusesBadJsonWithItsPosition) {
  auto e = Refusal(R"({ "application": 1, )");
  EXPECT_NE(e.Place().find("byte"), std::string::npos);
  EXPECT_NE(e.Fault().find("not valid JSON"), std::string::npos);
}

namespace {

std::string VehicleWithModels(const std::string& models, const std::string& dependency) {
  return Dictionary(
      R"({ "id": "0x6", "type": "object", "children": [
           { "id": "0x60003", "type": "list", "list": "makes" },
           { "id": "0x60004", "type": "list", "list": "models" } ] })",
      R"("makes": [ { "code": 20, "description": "FORD", "abi": "F" } ], "models": )" + models,
      R"(, "dependencies": [ )" + dependency + " ]");
}

}  // namespace

TEST(DictionaryCompiler, RefusesADependentEntryWithoutItsKey) {
  auto e = Refusal(
      VehicleWithModels(R"([ { "code": 1, "description": "FIESTA", "abi": "1" } ])",
                        R"({ "controlling": "0x60003", "dependent": "models", "key": "make" })"));
  EXPECT_EQ(e.Place(), "/lists/models/0");
  EXPECT_NE(e.Fault().find("has no \"make\""), std::string::npos);
}

TEST(DictionaryCompiler, RefusesADependentEntryKeyedToAnUnknownControllingCode) {
  auto e = Refusal(
      VehicleWithModels(R"([ { "code": 1, "make": 21, "description": "FIESTA", "abi": "1" } ])",
                        R"({ "controlling": "0x60003", "dependent": "models", "key": "make" })"));
  EXPECT_EQ(e.Place(), "/lists/models/0/make");
  EXPECT_NE(e.Fault().find("make 21 is not a code"), std::string::npos);
}

TEST(DictionaryCompiler, RefusesADependencyOnAPropertyThatIsNotAList) {
  auto e = Refusal(
      VehicleWithModels(R"([ { "code": 1, "make": 20, "description": "FIESTA", "abi": "1" } ])",
                        R"({ "controlling": "0x60009", "dependent": "models", "key": "make" })"));
  EXPECT_EQ(e.Place(), "/dependencies/0/controlling");
}

TEST(DictionaryCompiler, RefusesASecondDependencyOnTheSameControllingList) {
  auto e = Refusal(
      VehicleWithModels(R"([ { "code": 1, "make": 20, "description": "FIESTA", "abi": "1" } ])",
                        R"({ "controlling": "0x60003", "dependent": "models", "key": "make" },
         { "controlling": "0x60003", "dependent": "models", "key": "make" })"));
  EXPECT_EQ(e.Place(), "/dependencies/1/controlling");
}
