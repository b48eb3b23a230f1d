#include <gtest/gtest.h>

#include <sstream>

#include "motor/plannames.h"
#include "motor/quoteinformation.h"
#include "motor/quoteresultserror.h"
#include "tools/dsvdump/resultsdump.h"
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

TQuoteInformation Load(const TTempFolder& folder) {
  return ReadEngineResults(folder.File("Formula1.001"), folder.File("PlanName.Dat"));
}

}  // namespace

TEST(ResultsReader, ReadsBlocksSkippingEmptyLinesBetweenThem) {
  TTempFolder folder;
  folder.Write("Formula1.001",
               Block(11, 41250, {{7, "Windscreen cover included"}}, {{12, "00075"}, {4, "000"}}) +
                   "\r\n\r\n" + Block(20, 0, {{32, "Declined: age"}}, {}, 2));
  TQuoteInformation results = Load(folder);
  ASSERT_EQ(results.Count(), 2);
  const TQuoteDetails& first = results.Items(0);
  EXPECT_EQ(first.PlanNumber, 11);
  EXPECT_DOUBLE_EQ(first.Premium, 412.50);
  EXPECT_FALSE(first.IsReferred());
  ASSERT_EQ(first.NoteCount(), 1);
  EXPECT_EQ(first.GetNote(0).text, "Windscreen cover included");
  EXPECT_EQ(first.CompulsoryExcess, 100);
  ASSERT_EQ(first.SectionExcessCount(), 2);
  EXPECT_EQ(first.SectionExcesses[0].amount, "75");
  EXPECT_EQ(first.SectionExcesses[1].amount, "");  // only zeros
  EXPECT_TRUE(results.Items(1).IsReferred());
  EXPECT_TRUE(IsDeclined(results.Items(1)));
  EXPECT_EQ(results.Items(1).UseDescription, "Class 1");  // use code 2
}

TEST(ResultsReader, NinetyNinePenceIsReferredAndAnOrdinaryNoteIsNotADecline) {
  TTempFolder folder;
  folder.Write("Formula1.001", Block(30, 99, {{12, "Refer: points"}}, {}));
  TQuoteInformation results = Load(folder);
  ASSERT_EQ(results.Count(), 1);
  EXPECT_TRUE(results.Items(0).IsReferred());
  EXPECT_FALSE(IsDeclined(results.Items(0)));
}

TEST(ResultsReader, ANonNumberWhereANumberBelongsNamesTheLine) {
  TTempFolder folder;
  std::string text = Block(11, 41250, {}, {});
  text.replace(text.find("100\r\n150"), 3, "1O0");
  folder.Write("Formula1.001", text);
  try {
    Load(folder);
    FAIL() << "accepted";
  } catch (const EQuoteResultsError& e) {
    EXPECT_EQ(e.Line(), 33);
    EXPECT_NE(std::string(e.what()).find("line 33"), std::string::npos) << e.what();
  }
}

TEST(ResultsReader, ABlockCutShortIsRefused) {
  TTempFolder folder;
  std::string text = Block(11, 41250, {}, {});
  folder.Write("Formula1.001", text.substr(0, text.size() - 3));
  EXPECT_THROW(Load(folder), EQuoteResultsError);
}

TEST(PlanNames, PlanNumberNamesTheInsurerLineAndTheVariantField) {
  TPlanNames names({
      "Harrowgate Mutual   Standard            Gold",
      "Kestrel Insurance   ",
  });
  EXPECT_EQ(names.Lookup(10).insurerName, "Harrowgate Mutual");
  EXPECT_EQ(names.Lookup(11).insurerName, "Harrowgate Mutual Standard");
  EXPECT_EQ(names.Lookup(12).insurerName, "Harrowgate Mutual Gold");
  EXPECT_EQ(names.Lookup(20).insurerName, "Kestrel Insurance");
  EXPECT_EQ(names.Lookup(30).insurerName, "");
  EXPECT_EQ(names.Lookup(5).insurerName, "");
}

TEST(ResultsDump, PrintsPremiumsReferralsAndDeclinesWithNames) {
  TTempFolder folder;
  folder.Write("Formula1.001", Block(11, 41250, {}, {{12, "75"}}) +
                                   Block(20, 0, {{12, "Refer: points"}}, {}) +
                                   Block(20, 0, {{56, "Declined"}}, {}));
  folder.Write("PlanName.Dat", "Harrowgate Mutual   Standard\r\nKestrel Insurance\r\n");
  std::ostringstream out;
  DumpResultsFile(folder.File("Formula1.001"), folder.File("PlanName.Dat"), out);
  std::string text = out.str();
  EXPECT_NE(text.find("Plan 11  Harrowgate Mutual Standard"), std::string::npos);
  EXPECT_NE(text.find("premium 41250 pence (\xC2\xA3"
                      "412.50)"),
            std::string::npos);
  EXPECT_NE(text.find("referred"), std::string::npos);
  EXPECT_NE(text.find("declined"), std::string::npos);
  EXPECT_NE(text.find("section 12 Windscreen: 75"), std::string::npos);
}

TEST(ResultsDump, WithoutAPlanNameFileTheSchemesAreShownByNumber) {
  TTempFolder folder;
  folder.Write("Formula1.001", Block(11, 41250, {}, {}));
  std::ostringstream out;
  DumpResultsFile(folder.File("Formula1.001"), folder.File("PlanName.Dat"), out);
  EXPECT_NE(out.str().find("Plan 11\n  premium 41250 pence"), std::string::npos) << out.str();
}
