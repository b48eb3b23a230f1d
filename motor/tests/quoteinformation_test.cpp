// Reading the engine's results file into quotation records.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "motor/quoteinformation.h"
#include "motor/quoteresultserror.h"
#include "motor/tests/enginefiles.h"

namespace {

class QuoteInformationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    results_ = folder_.filePath("Formula1.001");
    plans_ = folder_.filePath("PlanName.Dat");
    WriteTestFile(plans_, CrLfLines({PlanLine("Alpha Insurance"),
                                     PlanLine("Bravo Mutual", {{1, "Gold"}, {3, "Young Drivers"}}),
                                     PlanLine("Charlie Direct", {{9, "Classic"}})}));
  }

  void Load(const QList<TTestQuote>& quotes, qint32 coverType = 1) {
    WriteTestFile(results_, ResultsText(quotes));
    info_.LoadFromFile(results_, plans_, coverType);
  }

  static TTestQuote Plan(const QString& plan) {
    TTestQuote quote;
    quote.plan = plan;
    return quote;
  }

  QTemporaryDir folder_;
  QString results_;
  QString plans_;
  TQuoteInformation info_;
};

TEST_F(QuoteInformationTest, RecordsAreReadInFileOrderWithEveryField) {
  TTestQuote first = Plan("10");
  first.premium = "34567";
  first.notes = {{"0", "skipped"},
                 {"12", "Excess endorsement"},
                 {"-3", "also skipped"},
                 {"7", "Referred: claims"}};
  first.compulsory = "150";
  first.voluntary = "100";
  first.allSections = "75";
  first.sections = {{"4", "00250"}, {"0", "999"}, {"12", "075"}};
  first.use = "3";
  Load({first, Plan("20")});

  ASSERT_EQ(info_.Count(), 2);
  const TQuoteDetails& q = info_.Items(0);
  EXPECT_EQ(q.PlanNumber, 10);
  EXPECT_EQ(q.InsurerName, "Alpha Insurance");
  EXPECT_EQ(q.LogoCode, "Alp");
  EXPECT_DOUBLE_EQ(q.Premium, 345.67);
  ASSERT_EQ(q.NoteCount(), 2);
  EXPECT_EQ(q.GetNote(0).code, 12);
  EXPECT_EQ(q.GetNote(0).text, "Excess endorsement");
  EXPECT_EQ(q.GetNote(1).code, 7);
  EXPECT_EQ(q.GetNote(1).text, "Referred: claims");
  EXPECT_EQ(q.CompulsoryExcess, 150);
  EXPECT_EQ(q.VoluntaryExcess, 100);
  EXPECT_EQ(q.AllSectionsExcess, 75);
  ASSERT_EQ(q.SectionExcessCount(), 2);
  EXPECT_EQ(q.GetSectionExcess(0).description, "Fire and theft");
  EXPECT_EQ(q.GetSectionExcess(0).amount, QString::fromUtf8("£250"));
  EXPECT_EQ(q.GetSectionExcess(1).description, "Windscreen");
  EXPECT_EQ(q.GetSectionExcess(1).amount, QString::fromUtf8("£75"));
  EXPECT_EQ(q.UseDescription, "Class 2");
  EXPECT_EQ(info_.Items(1).InsurerName, "Bravo Mutual");
}

TEST_F(QuoteInformationTest, PlanNumbersNameTheInsurerLineAndSchemeVariant) {
  Load({Plan("23"), Plan("20"), Plan("39"), Plan("22")});
  // Each name sits in its own 20-character field: one space between insurer and scheme.
  EXPECT_EQ(info_.Items(0).InsurerName, "Bravo Mutual Young Drivers");
  EXPECT_EQ(info_.Items(0).LogoCode, "Bra");
  EXPECT_EQ(info_.Items(1).InsurerName, "Bravo Mutual");
  EXPECT_EQ(info_.Items(2).InsurerName, "Charlie Direct Classic");
  // A variant without a name of its own still gets the separating space.
  EXPECT_EQ(info_.Items(3).InsurerName, "Bravo Mutual ");
}

TEST_F(QuoteInformationTest, VariantFieldsAreTheWholeTwentyCharacterFieldsAfterTheInsurer) {
  // The insurer is characters 1-20, variant 1 characters 21-40, variant 2 characters 41-60;
  // names that fill their field keep every character and lose no leading letter.
  QString line = "Delta Cover Partners" + QString("First Class Motorist") +
                 QString(" Second").leftJustified(20);
  ASSERT_EQ(line.size(), 60);
  WriteTestFile(plans_, CrLfLines({line}));
  Load({Plan("10"), Plan("11"), Plan("12")});
  EXPECT_EQ(info_.Items(0).InsurerName, "Delta Cover Partners");
  EXPECT_EQ(info_.Items(1).InsurerName, "Delta Cover Partners First Class Motorist");
  // Leading spaces of a field are kept.
  EXPECT_EQ(info_.Items(2).InsurerName, "Delta Cover Partners  Second");
}

TEST_F(QuoteInformationTest, PlansWithoutANameLineKeepNoLogoAndAnEmptyName) {
  Load({Plan("40"), Plan("45"), Plan("5"), Plan("-10")});
  for (int i = 0; i < info_.Count(); ++i) {
    EXPECT_EQ(info_.Items(i).InsurerName, "") << i;
    EXPECT_EQ(info_.Items(i).LogoCode, "NOLOGO") << i;
  }
}

TEST_F(QuoteInformationTest, APlanNumberThatIsNotANumberGivesZeroAndTheRecordIsKept) {
  Load({Plan("X9"), Plan("10")});
  ASSERT_EQ(info_.Count(), 2);
  EXPECT_EQ(info_.Items(0).PlanNumber, 0);
  EXPECT_EQ(info_.Items(0).LogoCode, "NOLOGO");
  EXPECT_EQ(info_.Items(1).PlanNumber, 10);
}

TEST_F(QuoteInformationTest, PremiumsBelowOnePoundAreReferred) {
  TTestQuote zero = Plan("10"), ninetyNine = Plan("10"), hundred = Plan("10");
  zero.premium = "0";
  ninetyNine.premium = "99";
  hundred.premium = "100";
  Load({zero, ninetyNine, hundred});
  EXPECT_TRUE(info_.Items(0).IsReferred());
  EXPECT_TRUE(info_.Items(1).IsReferred());
  EXPECT_FALSE(info_.Items(2).IsReferred());
  EXPECT_DOUBLE_EQ(info_.Items(2).Premium, 1.00);
}

TEST_F(QuoteInformationTest, SectionAmountsLoseTheirLeadingZeros) {
  TTestQuote quote = Plan("10");
  quote.sections = {{"1", "00150"}, {"2", "000"}, {"3", "0100"}};
  Load({quote});
  const TQuoteDetails& q = info_.Items(0);
  EXPECT_EQ(q.SectionExcesses[0].amount, "150");
  EXPECT_EQ(q.SectionExcesses[1].amount, "");
  EXPECT_EQ(q.GetSectionExcess(1).amount, QString::fromUtf8("£"));
  EXPECT_EQ(q.SectionExcesses[2].amount, "100");
  EXPECT_EQ(q.SectionExcessByCode(1), 150);
  EXPECT_EQ(q.SectionExcessByCode(2), 0);
  EXPECT_EQ(q.SectionExcessByCode(9), 0);
}

TEST_F(QuoteInformationTest, TheFirstExcessOfASectionCounts) {
  TTestQuote quote = Plan("10");
  quote.sections = {{"4", "200"}, {"4", "300"}, {"5", "n/a"}};
  Load({quote});
  EXPECT_EQ(info_.Items(0).SectionExcessByCode(4), 200);
  EXPECT_EQ(info_.Items(0).SectionExcessByCode(5), 0);
}

TEST_F(QuoteInformationTest, TheTotalExcessDependsOnTheCoverType) {
  TTestQuote quote = Plan("10");
  quote.compulsory = "150";
  quote.voluntary = "250";
  quote.sections = {{"1", "500"}, {"4", "0125"}};
  Load({quote}, 1);
  EXPECT_EQ(info_.Items(0).TotalExcess, 400);
  Load({quote}, 2);
  EXPECT_EQ(info_.Items(0).TotalExcess, 125);
  Load({quote}, 3);
  EXPECT_EQ(info_.Items(0).TotalExcess, 0);
  Load({quote}, 0);
  EXPECT_EQ(info_.Items(0).TotalExcess, 0);
}

TEST_F(QuoteInformationTest, UnknownCodesHaveEmptyDescriptions) {
  TTestQuote quote = Plan("10");
  quote.sections = {{"24", "10"}};
  quote.use = "8";
  Load({quote});
  EXPECT_EQ(info_.Items(0).GetSectionExcess(0).description, "");
  EXPECT_EQ(info_.Items(0).UseDescription, "");
}

TEST_F(QuoteInformationTest, EmptyLinesBetweenBlocksAreSkipped) {
  QStringList lines{"", ""};
  lines += Plan("10").Lines();
  lines << ""
        << "   ";
  lines += Plan("20").Lines();
  lines << "";
  WriteTestFile(results_, CrLfLines(lines));
  info_.LoadFromFile(results_, plans_, 1);
  EXPECT_EQ(info_.Count(), 2);
}

TEST_F(QuoteInformationTest, AnEmptyResultsFileGivesAnEmptyCollection) {
  Load({Plan("10")});
  WriteTestFile(results_, "");
  info_.LoadFromFile(results_, plans_, 1);
  EXPECT_EQ(info_.Count(), 0);
}

TEST_F(QuoteInformationTest, LinesEndedByLineFeedAloneAndATrailingEndOfFileMarkAreAccepted) {
  QByteArray text = ResultsText({Plan("10"), Plan("30")});
  text.replace("\r\n", "\n");
  text += "\x1A";
  WriteTestFile(results_, text);
  info_.LoadFromFile(results_, plans_, 1);
  ASSERT_EQ(info_.Count(), 2);
  EXPECT_EQ(info_.Items(1).InsurerName, "Charlie Direct");
}

TEST_F(QuoteInformationTest, TextsAreReadAsWindows1252) {
  TTestQuote quote = Plan("10");
  quote.notes = {{"5", QString::fromUtf8("Excess £100 – see schedule")}};
  Load({quote});
  EXPECT_EQ(info_.Items(0).GetNote(0).text, QString::fromUtf8("Excess £100 – see schedule"));
}

TEST_F(QuoteInformationTest, IndexesOutsideTheCollectionAreRefused) {
  Load({Plan("10")});
  EXPECT_THROW(info_.Items(1), std::out_of_range);
  EXPECT_THROW(info_.Items(-1), std::out_of_range);
  EXPECT_THROW(info_.Items(0).GetNote(0), std::out_of_range);
  EXPECT_THROW(info_.Items(0).GetSectionExcess(0), std::out_of_range);
}

}  // namespace
