#include <gtest/gtest.h>

#include <fstream>

#include "tools/demoengine/inputlayout.h"
#include "tools/demoengine/tests/inputbuilder.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/dictc/exportscompiler.h"

namespace {

const std::string kDemo = QM_DEMO_SOURCES;

// Walks the transfer records of one object against one layout node: the node's fields are the
// object's field records in order, its children the object records that follow them.
void ExpectSameLayout(const std::vector<TExportRecord>& records, const TLayoutNode& node) {
  SCOPED_TRACE(node.Name);
  std::size_t r = 0;
  for (const auto& field : node.Fields) {
    ASSERT_LT(r, records.size()) << "the definition lacks field " << field.Name;
    const TExportRecord& record = records[r++];
    ASSERT_FALSE(record.IsObject) << "expected field " << field.Name;
    EXPECT_EQ(record.Width, field.Width) << field.Name;
    EXPECT_EQ(record.PropertyId, field.PropertyId) << field.Name;
    EXPECT_EQ(record.FormatKind, field.Format) << field.Name;
    if (field.Kind == TFieldKind::Tag) {
      EXPECT_EQ(record.Literal, kInputTag);
    }
    if (field.Kind == TFieldKind::Code) {
      // A missing answer must still read as a code.
      EXPECT_FALSE(record.Literal.empty()) << field.Name;
      EXPECT_EQ(record.Literal.find_first_not_of("0123456789"), std::string::npos) << field.Name;
    }
  }
  for (const auto& child : node.Children) {
    ASSERT_LT(r, records.size()) << "the definition lacks object " << child.Name;
    const TExportRecord& record = records[r++];
    ASSERT_TRUE(record.IsObject) << "expected object " << child.Name;
    EXPECT_EQ(record.To - record.From + 1, child.Repeat) << child.Name;
    ExpectSameLayout(record.Children, child);
  }
  EXPECT_EQ(r, records.size()) << "the definition has more records than the engine reads";
}

std::string WithLine(std::string text, int lineNumber, const std::string& replacement) {
  std::size_t at = 0;
  for (int i = 1; i < lineNumber; ++i)
    at = text.find("\r\n", at) + 2;
  std::size_t end = text.find("\r\n", at);
  return text.replace(at, end - at, replacement);
}

std::string ErrorOf(const std::string& text) {
  try {
    ParseEngineInput(text);
  } catch (const EInputError& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace

TEST(EngineInputLayout, MatchesTheDemoTransferDefinitionLineForLine) {
  TCompiledDictionary dictionary = CompileDictionary(kDemo + "/dictionary.json");
  TCompiledExports exports = CompileExports(kDemo + "/exports.json", &dictionary);
  ExpectSameLayout(exports.Records, EngineInputLayout());
  EXPECT_EQ(CountExportLines(exports.Records), LayoutLineCount(EngineInputLayout()));
}

TEST(EngineInputParser, ReadsFieldsAndOccurrencesByName) {
  std::string text =
      StandardRisk()
          .At({{"driver", 1}, {"incident", 2}, {"conviction", 1}}, "conviction code", "SP30")
          .Text();
  TInputRecord input = ParseEngineInput(text);
  EXPECT_EQ(input.Field("cover").Number, 1);
  EXPECT_EQ(input.Field("model description").Text, " 2018-     HBK  5  PM 1596  FOCUS 1.6 ZETEC");
  EXPECT_FALSE(input.Field("youngest driver age").Given);
  const auto& drivers = input.Occurrences("driver");
  ASSERT_EQ(drivers.size(), 6u);
  EXPECT_EQ(drivers[0].Field("age").Number, 40);
  EXPECT_EQ(drivers[1].Field("driver number").Number, 0);
  EXPECT_EQ(drivers[0]
                .Occurrences("incident")[1]
                .Occurrences("conviction")[0]
                .Field("conviction code")
                .Text,
            "SP30");
}

TEST(EngineInputParser, AcceptsLinesEndedByLineFeedAlone) {
  std::string text = StandardRisk().Text();
  std::string unix;
  for (char c : text)
    if (c != '\r')
      unix += c;
  EXPECT_EQ(ParseEngineInput(unix).Field("vehicle value").Number, 8000);
}

TEST(EngineInputParser, RefusesAFileWithLinesMissingOrExtra) {
  std::string text = StandardRisk().Text();
  EXPECT_NE(ErrorOf(text + "X\r\n").find("lines; the layout has"), std::string::npos);
  EXPECT_NE(ErrorOf(text.substr(0, text.size() / 2)).find("ends early"), std::string::npos);
  EXPECT_NE(ErrorOf("").find("line 1"), std::string::npos);
}

TEST(EngineInputParser, RefusesALineOfTheWrongWidthNamingLineAndField) {
  std::string error = ErrorOf(WithLine(StandardRisk().Text(), 18, "8000"));
  EXPECT_NE(error.find("line 18 (vehicle value)"), std::string::npos) << error;
  EXPECT_NE(error.find("4 characters wide, not 7"), std::string::npos) << error;
}

TEST(EngineInputParser, RefusesTextWhereANumberBelongs) {
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 18, "8k     ")).find("expected a number"),
            std::string::npos);
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 18, "0x10   ")).find("expected a number"),
            std::string::npos);
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 2, "x")).find("line 2 (cover)"),
            std::string::npos);
  // A list code is whole.
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 2, ".")).find("expected a number"),
            std::string::npos);
}

TEST(EngineInputParser, RefusesABadDateAndAForeignFormatTag) {
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 3, "2026-06-01")).find("dd/mm/yyyy"),
            std::string::npos);
  EXPECT_NE(ErrorOf(WithLine(StandardRisk().Text(), 1, "OTHER01")).find("format tag"),
            std::string::npos);
}

TEST(EngineInputParser, NamesTheOccurrenceOfANestedField) {
  TInputBuilder b = StandardRisk();
  b.At({{"driver", 2}, {"incident", 3}, {"claim", 1}}, "claim cost", "lots");
  std::string error = ErrorOf(b.Text());
  EXPECT_NE(error.find("(driver 2, incident 3, claim 1, claim cost)"), std::string::npos) << error;
}

TEST(EngineInputLayout, TheReadmeDocumentsTheLayoutAsTheEngineReadsIt) {
  std::ifstream in(kDemo + "/README.md");
  std::string readme((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(readme.find(DescribeLayout(EngineInputLayout())), std::string::npos)
      << "update resources/demo/README.md with the output of QuoForm1.pif --describe-input";
}
