#include "motor/resultrows.h"

#include <gtest/gtest.h>

namespace {

const QString kPound = QString(QChar(0x00A3));

TResultRow Row(int position, const QString& insurer, double premium, int excess = 0) {
  auto row = MakeResultRow(position, position, 10 * (position + 1), insurer, premium, excess,
                           std::nullopt);
  EXPECT_TRUE(row.has_value());
  return *row;
}

QStringList Insurers(const QList<TResultRow>& rows) {
  QStringList names;
  for (const TResultRow& row : rows) {
    names << row.Insurer;
  }
  return names;
}

}  // namespace

TEST(ResultRowListing, APricedRecordShowsItsPremiumAndExcess) {
  auto row = MakeResultRow(3, 1, 23, "Harbour Mutual Gold", 1234.5, 250, 12);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->No, "2");
  EXPECT_EQ(row->Position, 3);
  EXPECT_EQ(row->Insurer, "Harbour Mutual Gold");
  EXPECT_EQ(row->PremiumText, kPound + "1,234.50");
  EXPECT_EQ(row->ExcessText, kPound + "250");
  EXPECT_FALSE(row->Referred);
}

TEST(ResultRowListing, RecordsWithoutAPlanNumberAreNotListed) {
  EXPECT_FALSE(MakeResultRow(0, 0, 0, "Nobody", 300, 0, std::nullopt).has_value());
  EXPECT_FALSE(MakeResultRow(0, 0, -10, "Nobody", 300, 0, std::nullopt).has_value());
}

TEST(ResultRowListing, DeclineCodesHideAReferredRecord) {
  for (int code : {32, 39, 56}) {
    EXPECT_FALSE(MakeResultRow(0, 0, 10, "Declines", 0, 0, code).has_value()) << code;
  }
}

TEST(ResultRowListing, OtherCodesListAReferredRecordAsReferred) {
  auto row = MakeResultRow(0, 0, 10, "Refers", 0.99, 100, 12);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->PremiumText, "Referred");
  EXPECT_EQ(row->ExcessText, kPound + "100");
  EXPECT_TRUE(row->Referred);
}

TEST(ResultRowListing, AReferredRecordWithoutNotesIsListedAsReferred) {
  auto row = MakeResultRow(0, 0, 10, "Silent", 0, 0, std::nullopt);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->PremiumText, "Referred");
}

TEST(ResultRowListing, ADeclineCodeOnAPricedRecordDoesNotHideIt) {
  auto row = MakeResultRow(0, 0, 10, "Priced", 1.0, 0, 39);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ(row->PremiumText, kPound + "1.00");
}

TEST(ResultRowFormats, PremiumsUseThePoundSignThousandsAndTwoDecimals) {
  EXPECT_EQ(FormatPremium(1), kPound + "1.00");
  EXPECT_EQ(FormatPremium(999.999), kPound + "1,000.00");
  EXPECT_EQ(FormatPremium(12345.6), kPound + "12,345.60");
  EXPECT_EQ(FormatPremium(1234567.891), kPound + "1,234,567.89");
  EXPECT_EQ(FormatPremium(123.45), kPound + "123.45");
  EXPECT_EQ(FormatPremium(12345 * 0.01), kPound + "123.45");
}

TEST(ResultRowFormats, ExcessIsAWholeNumberOfPounds) {
  EXPECT_EQ(FormatWholePounds(0), kPound + "0");
  EXPECT_EQ(FormatWholePounds(1500), kPound + "1500");
}

TEST(ResultRowComparison, NoComparesReadingPositions) {
  EXPECT_LT(CompareResultRows(Row(1, "B", 5), Row(4, "A", 2), TResultColumn::No), 0);
  EXPECT_GT(CompareResultRows(Row(4, "A", 2), Row(1, "B", 5), TResultColumn::No), 0);
}

TEST(ResultRowComparison, InsurerIgnoresCase) {
  EXPECT_EQ(CompareResultRows(Row(0, "abc", 1), Row(1, "ABC", 1), TResultColumn::Insurer), 0);
  EXPECT_LT(CompareResultRows(Row(0, "abc", 1), Row(1, "ABD", 1), TResultColumn::Insurer), 0);
}

TEST(ResultRowComparison, PremiumsLessThanAPoundApartAreEqual) {
  EXPECT_EQ(CompareResultRows(Row(0, "A", 300.20), Row(1, "B", 300.90), TResultColumn::Premium), 0);
  EXPECT_EQ(CompareResultRows(Row(0, "A", 300.90), Row(1, "B", 300.20), TResultColumn::Premium), 0);
  EXPECT_LT(CompareResultRows(Row(0, "A", 300.20), Row(1, "B", 301.20), TResultColumn::Premium), 0);
}

TEST(ResultRowComparison, AReferredRowCountsAsTheHighestPremium) {
  const TResultRow referred = Row(0, "R", 0);
  EXPECT_GT(CompareResultRows(referred, Row(1, "P", 99999.99), TResultColumn::Premium), 0);
  EXPECT_EQ(CompareResultRows(referred, Row(2, "S", 0.5), TResultColumn::Premium), 0);
}

TEST(ResultRowComparison, ExcessComparesTotals) {
  EXPECT_LT(CompareResultRows(Row(0, "A", 1, 100), Row(1, "B", 1, 250), TResultColumn::Excess), 0);
  EXPECT_EQ(CompareResultRows(Row(0, "A", 1, 100), Row(1, "B", 1, 100), TResultColumn::Excess), 0);
}

class ResultRowSorting : public ::testing::Test {
 protected:
  QList<TResultRow> rows_{Row(0, "Cobalt", 420.00, 250), Row(1, "anchor", 0, 100),
                          Row(2, "Bramble", 300.90, 500), Row(3, "Dunmore", 300.20, 0),
                          Row(4, "Elmfield", 510.00, 100)};
};

TEST_F(ResultRowSorting, PremiumDescendingPutsReferredFirstThenHighestToLowest) {
  SortResultRows(rows_, TResultColumn::Premium, true);
  EXPECT_EQ(Insurers(rows_), QStringList({"anchor", "Elmfield", "Cobalt", "Bramble", "Dunmore"}));
}

TEST_F(ResultRowSorting, PremiumAscendingPutsReferredLast) {
  SortResultRows(rows_, TResultColumn::Premium, false);
  EXPECT_EQ(Insurers(rows_), QStringList({"Bramble", "Dunmore", "Cobalt", "Elmfield", "anchor"}));
}

TEST_F(ResultRowSorting, InsurerSortsWithoutRegardToCase) {
  SortResultRows(rows_, TResultColumn::Insurer, false);
  EXPECT_EQ(Insurers(rows_), QStringList({"anchor", "Bramble", "Cobalt", "Dunmore", "Elmfield"}));
  SortResultRows(rows_, TResultColumn::Insurer, true);
  EXPECT_EQ(Insurers(rows_), QStringList({"Elmfield", "Dunmore", "Cobalt", "Bramble", "anchor"}));
}

TEST_F(ResultRowSorting, ExcessSortsStablyOnEqualTotals) {
  SortResultRows(rows_, TResultColumn::Excess, false);
  EXPECT_EQ(Insurers(rows_), QStringList({"Dunmore", "anchor", "Elmfield", "Cobalt", "Bramble"}));
  SortResultRows(rows_, TResultColumn::Excess, true);
  EXPECT_EQ(Insurers(rows_), QStringList({"Bramble", "Cobalt", "anchor", "Elmfield", "Dunmore"}));
}

TEST_F(ResultRowSorting, NoRestoresTheReadingOrderAndKeepsTheNumbers) {
  SortResultRows(rows_, TResultColumn::Premium, true);
  SortResultRows(rows_, TResultColumn::No, false);
  EXPECT_EQ(Insurers(rows_), QStringList({"Cobalt", "anchor", "Bramble", "Dunmore", "Elmfield"}));
  SortResultRows(rows_, TResultColumn::No, true);
  EXPECT_EQ(rows_.front().Insurer, "Elmfield");
  EXPECT_EQ(rows_.front().No, "5");
}

TEST(ResultRowSortState, RowsStayInReadingOrderUntilAHeaderIsClicked) {
  TResultSortState state;
  QList<TResultRow> rows{Row(0, "B", 1), Row(1, "A", 2)};
  state.Apply(rows);
  EXPECT_EQ(Insurers(rows), QStringList({"B", "A"}));
  EXPECT_FALSE(state.Sorted());
}

TEST(ResultRowSortState, FirstClickDescendsSameColumnReversesOtherColumnKeepsDirection) {
  TResultSortState state;
  state.Click(TResultColumn::Insurer);
  EXPECT_EQ(state.Column(), TResultColumn::Insurer);
  EXPECT_TRUE(state.Descending());
  state.Click(TResultColumn::Insurer);
  EXPECT_FALSE(state.Descending());
  state.Click(TResultColumn::Excess);
  EXPECT_EQ(state.Column(), TResultColumn::Excess);
  EXPECT_FALSE(state.Descending());
  state.Click(TResultColumn::Excess);
  EXPECT_TRUE(state.Descending());
}

TEST(ResultRowSortState, TheFirstClickOnPremiumAlsoDescends) {
  TResultSortState state;
  QList<TResultRow> rows{Row(0, "Low", 100), Row(1, "High", 900)};
  state.Click(TResultColumn::Premium);
  state.Apply(rows);
  EXPECT_EQ(Insurers(rows), QStringList({"High", "Low"}));
}

TEST(ResultRowColumns, NamesParseInAnyCase) {
  EXPECT_EQ(ParseResultColumn("premium"), TResultColumn::Premium);
  EXPECT_EQ(ParseResultColumn("No"), TResultColumn::No);
  EXPECT_EQ(ParseResultColumn("EXCESS"), TResultColumn::Excess);
  EXPECT_EQ(ParseResultColumn("insurer"), TResultColumn::Insurer);
  EXPECT_FALSE(ParseResultColumn("Price").has_value());
}
