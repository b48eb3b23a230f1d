#include "tools/cli/cliarguments.h"

#include <gtest/gtest.h>

namespace {

std::optional<TCliArguments> Parse(const QStringList& arguments, QString* error = nullptr) {
  QString ignored;
  return ParseCliArguments(arguments, error ? *error : ignored);
}

}  // namespace

TEST(CliArguments, QuoteTakesSeveralFilesAndDefaults) {
  auto arguments = Parse({"quote", "a.PCD", "b.PCD"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->Command, TCliCommand::Quote);
  EXPECT_EQ(arguments->Files, QStringList({"a.PCD", "b.PCD"}));
  EXPECT_FALSE(arguments->Start);
  EXPECT_FALSE(arguments->SortColumn);
  EXPECT_FALSE(arguments->Json);
  EXPECT_EQ(arguments->TimeoutSeconds, 120);
}

TEST(CliArguments, QuoteOptionsAreRead) {
  auto arguments = Parse({"quote", "--start", "01/03/2030", "a.PCD", "--sort", "premium:asc",
                          "--json", "--timeout", "5"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->Start, QDate(2030, 3, 1));
  EXPECT_EQ(arguments->SortColumn, TResultColumn::Premium);
  EXPECT_FALSE(arguments->SortDescending);
  EXPECT_TRUE(arguments->Json);
  EXPECT_EQ(arguments->TimeoutSeconds, 5);
  EXPECT_EQ(arguments->Files, QStringList({"a.PCD"}));
}

TEST(CliArguments, SortWithoutDirectionDescends) {
  auto arguments = Parse({"quote", "a.PCD", "--sort", "Insurer"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->SortColumn, TResultColumn::Insurer);
  EXPECT_TRUE(arguments->SortDescending);
  arguments = Parse({"quote", "a.PCD", "--sort", "Excess:desc"});
  ASSERT_TRUE(arguments);
  EXPECT_TRUE(arguments->SortDescending);
}

TEST(CliArguments, CheckTakesFiles) {
  auto arguments = Parse({"check", "a.PCD"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->Command, TCliCommand::Check);
}

TEST(CliArguments, ListingTakesFilesAndNoOptions) {
  auto arguments = Parse({"listing", "a.PCD", "b.PCD"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->Command, TCliCommand::Listing);
  EXPECT_EQ(arguments->Files, QStringList({"a.PCD", "b.PCD"}));
  QString error;
  EXPECT_FALSE(Parse({"listing", "a.PCD", "--json"}, &error));
  EXPECT_EQ(error, "The listing command takes no options (--json)");
  EXPECT_FALSE(Parse({"listing"}, &error));
  EXPECT_EQ(error, "No quotation file given");
}

TEST(CliArguments, HelpIsRecognised) {
  EXPECT_EQ(Parse({"--help"})->Command, TCliCommand::Help);
  EXPECT_EQ(Parse({"quote", "--help"})->Command, TCliCommand::Help);
}

TEST(CliArguments, MistakesAreRefusedWithAReason) {
  QString error;
  EXPECT_FALSE(Parse({}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(Parse({"print", "a.PCD"}, &error));
  EXPECT_TRUE(error.contains("print"));
  EXPECT_FALSE(Parse({"quote"}, &error));
  EXPECT_TRUE(error.contains("No quotation file"));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--start", "31/02/2030"}, &error));
  EXPECT_TRUE(error.contains("31/02/2030"));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--sort", "Price"}, &error));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--sort", "Premium:up"}, &error));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--timeout", "0"}, &error));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--timeout", "soon"}, &error));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--timeout"}, &error));
  EXPECT_TRUE(error.contains("needs a value"));
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--colour"}, &error));
  EXPECT_FALSE(Parse({"check", "a.PCD", "--start", "01/03/2030"}, &error));
  EXPECT_TRUE(error.contains("quote command"));
}

TEST(CliArguments, ReportTakesOneFileAPlanAndAnOutput) {
  auto arguments = Parse({"report", "a.PCD", "--plan", "2", "-o", "out.pdf", "--start",
                          "01/03/2030", "--timeout", "30"});
  ASSERT_TRUE(arguments);
  EXPECT_EQ(arguments->Command, TCliCommand::Report);
  EXPECT_EQ(arguments->Files, QStringList({"a.PCD"}));
  EXPECT_EQ(arguments->Plan, 2);
  EXPECT_EQ(arguments->Output, QStringLiteral("out.pdf"));
  EXPECT_EQ(arguments->Start, QDate(2030, 3, 1));
  EXPECT_EQ(arguments->TimeoutSeconds, 30);
  EXPECT_EQ(Parse({"report", "--output", "x.pdf", "--plan", "1", "a.PCD"})->Output, "x.pdf");

  QString error;
  EXPECT_FALSE(Parse({"report", "a.PCD", "-o", "out.pdf"}, &error));
  EXPECT_TRUE(error.contains("--plan")) << error.toStdString();
  EXPECT_FALSE(Parse({"report", "a.PCD", "--plan", "1"}, &error));
  EXPECT_TRUE(error.contains("-o")) << error.toStdString();
  EXPECT_FALSE(Parse({"report", "a.PCD", "b.PCD", "--plan", "1", "-o", "x.pdf"}, &error));
  EXPECT_TRUE(error.contains("one quotation file")) << error.toStdString();
  EXPECT_FALSE(Parse({"report", "a.PCD", "--plan", "0", "-o", "x.pdf"}, &error));
  EXPECT_FALSE(Parse({"report", "a.PCD", "--plan", "first", "-o", "x.pdf"}, &error));
  EXPECT_FALSE(Parse({"report", "a.PCD", "--plan", "1", "-o"}, &error));
  EXPECT_TRUE(error.contains("needs a value"));
  EXPECT_FALSE(Parse({"report", "a.PCD", "--plan", "1", "-o", "x.pdf", "--sort", "No"}, &error));
  EXPECT_TRUE(error.contains("quote command")) << error.toStdString();
  EXPECT_FALSE(Parse({"quote", "a.PCD", "--plan", "1"}, &error));
  EXPECT_TRUE(error.contains("report command")) << error.toStdString();
}
