// Rows and details built from a results file as the engine writes it.

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "motor/quoteinformation.h"
#include "motor/resultdetails.h"
#include "motor/resultrows.h"
#include "motor/tests/enginefiles.h"

namespace {

const QString kPound = QString(QChar(0x00A3));

class ResultsFromEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    WriteTestFile(folder_.filePath("PlanName.Dat"),
                  CrLfLines({PlanLine("Alder Insurance"), PlanLine("Birch Mutual", {{1, "Gold"}}),
                             PlanLine("Cedar Direct")}));
  }

  void Load(const QList<TTestQuote>& quotes, qint32 coverType = 1) {
    WriteTestFile(folder_.filePath("Formula1.001"), ResultsText(quotes));
    info_.LoadFromFile(folder_.filePath("Formula1.001"), folder_.filePath("PlanName.Dat"),
                       coverType);
  }

  static TTestQuote Quote(const QString& plan, const QString& pence,
                          QList<QPair<QString, QString>> notes = {}) {
    TTestQuote quote;
    quote.plan = plan;
    quote.premium = pence;
    quote.notes = std::move(notes);
    return quote;
  }

  QTemporaryDir folder_;
  TQuoteInformation info_;
};

}  // namespace

TEST_F(ResultsFromEngine, ListedRecordsBecomeRowsInReadingOrder) {
  Load({Quote("10", "45678"), Quote("0", "30000"), Quote("21", "0", {{"39", "Declined"}}),
        Quote("21", "0", {{"12", "Refer to underwriter"}}), Quote("30", "123456")});

  const QList<TResultRow> rows = BuildResultRows(info_);

  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0].No, "1");
  EXPECT_EQ(rows[0].Insurer, "Alder Insurance");
  EXPECT_EQ(rows[0].PremiumText, kPound + "456.78");
  EXPECT_EQ(rows[0].ExcessText, kPound + "150");
  EXPECT_EQ(rows[0].Details, &info_.Items(0));
  EXPECT_EQ(rows[1].No, "2");
  EXPECT_EQ(rows[1].Insurer, "Birch Mutual Gold");
  EXPECT_EQ(rows[1].PremiumText, "Referred");
  EXPECT_EQ(rows[1].Position, 3);
  EXPECT_EQ(rows[1].Details, &info_.Items(3));
  EXPECT_EQ(rows[2].No, "3");
  EXPECT_EQ(rows[2].PremiumText, kPound + "1,234.56");
  EXPECT_EQ(rows[2].Position, 4);
}

TEST_F(ResultsFromEngine, EveryInsurerDecliningLeavesNoRows) {
  Load({Quote("10", "0", {{"32", "No cover"}}), Quote("20", "0", {{"56", "No cover"}})});
  EXPECT_TRUE(BuildResultRows(info_).isEmpty());
}

TEST_F(ResultsFromEngine, TheExcessColumnFollowsTheCoverType) {
  TTestQuote quote = Quote("10", "30000");
  quote.sections = {{"4", "00250"}};
  Load({quote}, 2);
  EXPECT_EQ(BuildResultRows(info_).front().ExcessText, kPound + "250");
  Load({quote}, 3);
  EXPECT_EQ(BuildResultRows(info_).front().ExcessText, kPound + "0");
}

TEST_F(ResultsFromEngine, DetailsListNotesThenTheExcessBreakdown) {
  TTestQuote quote = Quote("20", "30000", {{"5", "Windscreen cover included"}, {"7", "Pass Plus"}});
  quote.compulsory = "100";
  quote.voluntary = "150";
  quote.sections = {{"12", "0075"}, {"4", "250"}};
  Load({quote});

  const TResultDetails details = DescribeQuotation(info_.Items(0));

  EXPECT_EQ(details.Caption, "Policy Notes for Birch Mutual");
  EXPECT_EQ(details.Lines,
            QStringList({"    Windscreen cover included", "    Pass Plus",
                         "Total Policy Excess: " + kPound + "250",
                         "    Compulsory Excess:  " + kPound + "100",
                         "    Voluntary Excess: " + kPound + "150",
                         "Policy Sections Excess Breakdown:", "    Windscreen: " + kPound + "75",
                         "    Fire and theft: " + kPound + "250"}));
}

TEST_F(ResultsFromEngine, DetailsLeaveOutExcessesThatAreNought) {
  TTestQuote quote = Quote("10", "30000");
  quote.compulsory = "0";
  quote.voluntary = "200";
  Load({quote});
  EXPECT_EQ(DescribeQuotation(info_.Items(0)).Lines,
            QStringList({"Total Policy Excess: " + kPound + "200",
                         "    Voluntary Excess: " + kPound + "200"}));

  quote.voluntary = "0";
  Load({quote});
  EXPECT_TRUE(DescribeQuotation(info_.Items(0)).Lines.isEmpty());
}
