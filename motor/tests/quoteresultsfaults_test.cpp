// Results, plan-name and occupation-map files that are missing, cut short, damaged or huge.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <climits>

#include "motor/occupationmap.h"
#include "motor/quoteinformation.h"
#include "motor/quoteresultserror.h"
#include "motor/tests/enginefiles.h"

namespace {

class QuoteResultsFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    results_ = folder_.filePath("Formula1.001");
    plans_ = folder_.filePath("PlanName.Dat");
    WriteTestFile(plans_, CrLfLines({PlanLine("Alpha Insurance")}));
  }

  // Loads and answers the error raised (the test fails when none is).
  EQuoteResultsError LoadFailing(const QByteArray& text) {
    WriteTestFile(results_, text);
    try {
      info_.LoadFromFile(results_, plans_, 1);
    } catch (const EQuoteResultsError& error) {
      return error;
    }
    ADD_FAILURE() << "no error raised";
    return EQuoteResultsError(QString(), 0, QString());
  }

  QTemporaryDir folder_;
  QString results_;
  QString plans_;
  TQuoteInformation info_;
};

TEST_F(QuoteResultsFaultTest, AMissingResultsFileRaisesAndClearsTheCollection) {
  WriteTestFile(results_, ResultsText({TTestQuote()}));
  info_.LoadFromFile(results_, plans_, 1);
  ASSERT_EQ(info_.Count(), 1);
  QFile::remove(results_);
  try {
    info_.LoadFromFile(results_, plans_, 1);
    FAIL() << "no error raised";
  } catch (const EQuoteResultsError& error) {
    EXPECT_EQ(error.FileName(), results_);
    EXPECT_EQ(error.Line(), 0);
    EXPECT_TRUE(error.Message().contains(results_));
  }
  EXPECT_EQ(info_.Count(), 0);
}

TEST_F(QuoteResultsFaultTest, AMissingPlanNameFileRaises) {
  WriteTestFile(results_, ResultsText({TTestQuote()}));
  QFile::remove(plans_);
  try {
    info_.LoadFromFile(results_, plans_, 1);
    FAIL() << "no error raised";
  } catch (const EQuoteResultsError& error) {
    EXPECT_EQ(error.FileName(), plans_);
  }
}

TEST_F(QuoteResultsFaultTest, AFileCutShortRaisesNamingTheLineAndKeepsTheCompleteRecords) {
  QStringList lines = TTestQuote().Lines();
  TTestQuote second;
  second.plan = "10";
  second.premium = "123";
  lines += second.Lines().mid(0, 20);  // cut in the middle of the notes
  EQuoteResultsError error = LoadFailing(CrLfLines(lines));
  EXPECT_EQ(error.FileName(), results_);
  EXPECT_EQ(error.Line(), 46 + 21);
  EXPECT_TRUE(error.Message().contains("ends in the middle"));
  ASSERT_EQ(info_.Count(), 1);
  EXPECT_DOUBLE_EQ(info_.Items(0).Premium, 250.00);
}

TEST_F(QuoteResultsFaultTest, AFileWithoutItsLastUseLineRaises) {
  QStringList lines = TTestQuote().Lines();
  lines.removeLast();
  EQuoteResultsError error = LoadFailing(CrLfLines(lines));
  EXPECT_EQ(error.Line(), 46);
  EXPECT_EQ(info_.Count(), 0);
}

TEST_F(QuoteResultsFaultTest, ANonNumberWhereANumberBelongsRaisesNamingTheLine) {
  struct Case {
    int line;  // from 1 within the block
    const char* text;
  };
  for (Case c : {Case{2, "12.50"}, Case{3, "abc"}, Case{33, ""}, Case{35, "1O0"}, Case{36, "x"},
                 Case{46, "Class 1"}}) {
    QStringList lines = TTestQuote().Lines();
    lines += TTestQuote().Lines();
    lines[46 + c.line - 1] = c.text;
    EQuoteResultsError error = LoadFailing(CrLfLines(lines));
    EXPECT_EQ(error.Line(), 46 + c.line) << c.text;
    EXPECT_TRUE(error.Message().contains(QString("line %1").arg(46 + c.line))) << c.text;
    EXPECT_EQ(info_.Count(), 1) << c.text;
  }
}

TEST_F(QuoteResultsFaultTest, BinaryGarbageRaisesInsteadOfMakingRecords) {
  QByteArray garbage;
  for (int i = 0; i < 400; ++i)
    garbage.append(char((i * 37 + 11) % 256 == 0x1A ? 1 : (i * 37 + 11) % 256));
  LoadFailing(garbage);
  EXPECT_EQ(info_.Count(), 0);
}

TEST_F(QuoteResultsFaultTest, ExcessesAtThe32BitLimitsAddUpWithoutOverflowing) {
  // Found by fuzzing: a comprehensive cover's total excess is the sum of two numbers from the
  // file, which may lie at the limits of 32 bits. The total stops at the limit.
  TTestQuote high;
  high.compulsory = "2147483647";
  high.voluntary = "600";
  TTestQuote low;
  low.compulsory = "-2147483648";
  low.voluntary = "-1";
  WriteTestFile(results_, ResultsText({high, low}));
  info_.LoadFromFile(results_, plans_, 1);
  ASSERT_EQ(info_.Count(), 2);
  EXPECT_EQ(info_.Items(0).TotalExcess, INT32_MAX);
  EXPECT_EQ(info_.Items(1).TotalExcess, INT32_MIN);
}

}  // namespace

// Engine files of 1 GB (sparse, so they cost no disk) are refused before they are read, as
// damaged files, never loaded into memory.
TEST_F(QuoteResultsFaultTest, FilesOfAGigabyteAreRefusedUnread) {
  const auto makeHuge = [](const QString& name, const QByteArray& start) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(start);
    ASSERT_TRUE(file.resize(qint64{1} << 30));
  };
  makeHuge(results_, ResultsText({TTestQuote()}));
  try {
    info_.LoadFromFile(results_, plans_, 1);
    FAIL() << "no error raised";
  } catch (const EQuoteResultsError& error) {
    EXPECT_EQ(error.FileName(), results_);
  }
  WriteTestFile(results_, ResultsText({TTestQuote()}));
  makeHuge(plans_, CrLfLines({PlanLine("Alpha Insurance")}));
  try {
    info_.LoadFromFile(results_, plans_, 1);
    FAIL() << "no error raised";
  } catch (const EQuoteResultsError& error) {
    EXPECT_EQ(error.FileName(), plans_);
  }
  const QString map = folder_.filePath("OccupMap.bin");
  makeHuge(map, OccupationMapBytes({{10, {{100, {{1, {1}}}}}}}));
  EXPECT_THROW(TOccupationMap::LoadFromFile(map), EOccupationMapError);
}
