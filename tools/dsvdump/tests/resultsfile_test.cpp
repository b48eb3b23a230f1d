#include <gtest/gtest.h>

#include <sstream>

#include "dataserver/binarystream.h"
#include "tools/dsvdump/resultsfile.h"
#include "tools/testsupport/tempfolder.h"

namespace {

// One block of 46 lines; notes and sections given as (code, text) pairs, the rest zero.
std::string Block(int plan, long premium, std::vector<std::pair<int, std::string>> notes,
                  std::vector<std::pair<int, std::string>> sections, int use = 1) {
  std::string text = std::to_string(plan) + "\r\n" + std::to_string(premium) + "\r\n";
  notes.resize(15, {0, ""});
  for (const auto& [code, note] : notes)
    text += std::to_string(code) + "\r\n" + note + "\r\n";
  text += "100\r\n150\r\n0\r\n";
  sections.resize(5, {0, "0"});
  for (const auto& [code, amount] : sections)
    text += std::to_string(code) + "\r\n" + amount + "\r\n";
  return text + std::to_string(use) + "\r\n";
}

}  // namespace

TEST(ResultsReader, ReadsBlocksSkippingEmptyLinesBetweenThem) {
  TTempFolder folder;
  folder.Write("Formula1.001",
               Block(11, 41250, {{7, "Windscreen cover included"}}, {{12, "00075"}, {4, "000"}}) +
                   "\r\n\r\n" + Block(20, 0, {{32, "Declined: age"}}, {}, 2));
  auto blocks = ReadResultsFile(folder.File("Formula1.001"));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].PlanNumber, 11);
  EXPECT_EQ(blocks[0].PremiumPence, 41250);
  EXPECT_FALSE(blocks[0].IsReferred());
  ASSERT_EQ(blocks[0].Notes.size(), 1u);
  EXPECT_EQ(blocks[0].Notes[0].second, "Windscreen cover included");
  EXPECT_EQ(blocks[0].CompulsoryExcess, 100);
  ASSERT_EQ(blocks[0].SectionExcesses.size(), 2u);
  EXPECT_EQ(blocks[0].SectionExcesses[0].second, "75");
  EXPECT_EQ(blocks[0].SectionExcesses[1].second, "");  // only zeros
  EXPECT_TRUE(blocks[1].IsReferred());
  EXPECT_TRUE(blocks[1].IsDeclined());
  EXPECT_EQ(blocks[1].UseCode, 2);
}

TEST(ResultsReader, NinetyNinePenceIsReferredAndAnOrdinaryNoteIsNotADecline) {
  TTempFolder folder;
  folder.Write("Formula1.001", Block(30, 99, {{12, "Refer: points"}}, {}));
  auto blocks = ReadResultsFile(folder.File("Formula1.001"));
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_TRUE(blocks[0].IsReferred());
  EXPECT_FALSE(blocks[0].IsDeclined());
}

TEST(ResultsReader, ANonNumberWhereANumberBelongsNamesTheLine) {
  TTempFolder folder;
  std::string text = Block(11, 41250, {}, {});
  text.replace(text.find("100\r\n150"), 3, "1O0");
  folder.Write("Formula1.001", text);
  try {
    ReadResultsFile(folder.File("Formula1.001"));
    FAIL() << "accepted";
  } catch (const EReadError& e) {
    EXPECT_NE(std::string(e.what()).find("line 33"), std::string::npos) << e.what();
  }
}

TEST(ResultsReader, ABlockCutShortIsRefused) {
  TTempFolder folder;
  std::string text = Block(11, 41250, {}, {});
  folder.Write("Formula1.001", text.substr(0, text.size() - 3));
  EXPECT_THROW(ReadResultsFile(folder.File("Formula1.001")), EReadError);
}

TEST(PlanNames, PlanNumberNamesTheInsurerLineAndTheVariantField) {
  std::vector<std::string> lines = {
      "Harrowgate Mutual   Standard            Gold",
      "Kestrel Insurance   ",
  };
  EXPECT_EQ(PlanDisplayName(lines, 10), "Harrowgate Mutual");
  EXPECT_EQ(PlanDisplayName(lines, 11), "Harrowgate Mutual Standard");
  EXPECT_EQ(PlanDisplayName(lines, 12), "Harrowgate Mutual Gold");
  EXPECT_EQ(PlanDisplayName(lines, 20), "Kestrel Insurance");
  EXPECT_EQ(PlanDisplayName(lines, 30), "");
  EXPECT_EQ(PlanDisplayName(lines, 5), "");
}

TEST(ResultsDump, PrintsPremiumsReferralsAndDeclinesWithNames) {
  TTempFolder folder;
  folder.Write("Formula1.001", Block(11, 41250, {}, {{12, "75"}}) +
                                   Block(20, 0, {{12, "Refer: points"}}, {}) +
                                   Block(20, 0, {{56, "Declined"}}, {}));
  std::ostringstream out;
  DumpResultsFile(folder.File("Formula1.001"),
                  {"Harrowgate Mutual   Standard", "Kestrel Insurance"}, out);
  std::string text = out.str();
  EXPECT_NE(text.find("Plan 11  Harrowgate Mutual Standard"), std::string::npos);
  EXPECT_NE(text.find("premium 41250 pence (\xC2\xA3"
                      "412.50)"),
            std::string::npos);
  EXPECT_NE(text.find("referred"), std::string::npos);
  EXPECT_NE(text.find("declined"), std::string::npos);
  EXPECT_NE(text.find("section 12 Windscreen: 75"), std::string::npos);
}
