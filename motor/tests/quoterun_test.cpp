// A quotation run over the Data Server: the input exported as the definition asks, the engine
// run, the results read with the policy's cover type, and how the run ends for the user.

#include "motor/quoterun.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/numberbounds.h"
#include "motor/quotemessages.h"
#include "motor/tests/enginefiles.h"
#include "motor/tests/quoterunfixture.h"
#include "motor/tests/testengine.h"
#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "settings/optionkeys.h"
#include "settings/options.h"

namespace {

class QuoteRunWithoutResults : public QuoteRunTest {
 protected:
  QuoteRunWithoutResults() : QuoteRunTest("writes-nothing.sh") {}
};

}  // namespace

TEST_F(QuoteRunTest, ExportsTheInputAndListsTheResultsWithTheCoverTypesExcess) {
  ASSERT_TRUE(SetListValue(kCoverType, TPath{CoverPath()}, 2));
  engine_.Write("Prepared.001", ResultsText({Quote("10", "45000"), Quote("20", "0", "12")}));
  TQuoteRun run(Setup());

  EXPECT_EQ(run.RunAndWait().Outcome, TEngineOutcome::Results);

  EXPECT_EQ(engine_.Read("QuoForm1.001"), "2 \r\n");
  ASSERT_EQ(run.Rows().size(), 2);
  EXPECT_EQ(run.Rows()[0].Insurer, "Alder Insurance");
  EXPECT_EQ(run.Rows()[0].ExcessText, QString(QChar(0x00A3)) + "300");
  EXPECT_EQ(run.Rows()[1].PremiumText, "Referred");
  EXPECT_EQ(run.Information().Count(), 2);
  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::ShowResults);
  EXPECT_TRUE(conclusion.Message.isEmpty());
}

TEST_F(QuoteRunTest, NoListedSchemeEndsInTheDeclinedMessage) {
  engine_.Write("Prepared.001", ResultsText({Quote("10", "0", "39"), Quote("0", "50000")}));
  TQuoteRun run(Setup());

  EXPECT_EQ(run.RunAndWait().Outcome, TEngineOutcome::Results);

  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Declined);
  EXPECT_EQ(conclusion.Message, DeclinedMessage());
}

TEST_F(QuoteRunTest, DamagedResultsAreAFailureThatSaysWhere) {
  engine_.Write("Prepared.001", "10\r\nnot pence\r\n");
  TQuoteRun run(Setup());

  EXPECT_EQ(run.RunAndWait().Outcome, TEngineOutcome::ResultsUnreadable);

  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed);
  EXPECT_TRUE(conclusion.Message.contains("Formula1.001")) << conclusion.Message.toStdString();
  EXPECT_TRUE(run.Rows().isEmpty());
}

TEST_F(QuoteRunTest, AnInputThatCannotBeWrittenStartsNoEngine) {
  QFile::remove(engine_.File("Exports.BIN"));
  TQuoteRun run(Setup());

  const TEngineRunResult result = run.RunAndWait();

  EXPECT_EQ(result.Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_NE(result.InputStatus, 0);
  EXPECT_FALSE(QFile::exists(engine_.File("started-with-arguments.txt")));
  EXPECT_EQ(ConcludeQuotation(run).Ending, TQuoteEnding::Failed);
}

TEST_F(QuoteRunTest, AValueTooWideForTheEngineIsRefusedNamingItNotCut) {
  // Cover type 123 in the engine's field of two characters would be read as 12.
  const std::int32_t wide = 123;
  const TPath cover{CoverPath()};
  ASSERT_EQ(DsvSetValue(kCoverType, 1, cover.data(), &wide), 0);
  TQuoteRun run(Setup());

  run.RunAndWait();

  EXPECT_EQ(run.Result().Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_FALSE(QFile::exists(engine_.File("QuoForm1.001")));
  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed);
  EXPECT_TRUE(
      conclusion.Message.startsWith("The details could not be written for the Quote "
                                    "engine\rNo quotation was obtained\r"))
      << conclusion.Message.toStdString();
  EXPECT_TRUE(conclusion.Message.contains("(123) is longer than the 2 characters"))
      << conclusion.Message.toStdString();
}

TEST_F(QuoteRunTest, ANumberIsRefusedAtEntryBeyondItsBoundOrItsEngineField) {
  const QString exports = engine_.File("Exports.BIN");
  // The definition gives the cover type two characters.
  EXPECT_TRUE(NumberRefusal(kCoverType, 12, exports).isEmpty());
  EXPECT_TRUE(NumberRefusal(kCoverType, 123, exports)
                  .startsWith("The Quote engine reads at most 2 characters for this number (123)"));
  // Bounds of their own, whatever the engine reads.
  EXPECT_TRUE(NumberRefusal(Id::Seats, 20, exports).isEmpty());
  EXPECT_TRUE(NumberRefusal(Id::Seats, 21, exports)
                  .startsWith("A vehicle insured here has at "
                              "most 20 seats"));
  EXPECT_FALSE(NumberRefusal(Id::PrivateMileage, 150001, QString()).isEmpty());
  EXPECT_FALSE(NumberRefusal(Id::BonusYears, -1, QString()).isEmpty());
}

TEST_F(QuoteRunTest, ANewRunForgetsTheLastResults) {
  engine_.Write("Prepared.001", ResultsText({Quote("10", "45000")}));
  TQuoteRun run(Setup());
  ASSERT_EQ(run.RunAndWait().Outcome, TEngineOutcome::Results);
  ASSERT_EQ(run.Rows().size(), 1);

  QFile::remove(engine_.File("Exports.BIN"));
  EXPECT_EQ(run.RunAndWait().Outcome, TEngineOutcome::InputNotWritten);
  EXPECT_TRUE(run.Rows().isEmpty());
  EXPECT_EQ(run.Information().Count(), 0);
}

TEST_F(QuoteRunWithoutResults, AnEngineThatLeavesNoResultsIsAFailureNotADecline) {
  TQuoteRun run(Setup());

  EXPECT_EQ(run.RunAndWait().Outcome, TEngineOutcome::NoResults);

  const TQuoteConclusion conclusion = ConcludeQuotation(run);
  EXPECT_EQ(conclusion.Ending, TQuoteEnding::Failed);
  EXPECT_NE(conclusion.Message, DeclinedMessage());
}

TEST(QuoteRunSetupFromSettings, NamesTheInstalledFiles) {
  QTemporaryDir home;
  SetSettingsFolder(home.path());
  TSettingsStore store;
  ASSERT_TRUE(store.CreateKey(OptionKeys::kDictionary));
  ASSERT_TRUE(store.CreateKey(OptionKeys::kQuoteEngine));
  ASSERT_TRUE(store.WriteInteger(OptionKeys::kDictionary, OptionKeys::kApplicationVersion, 7));
  ASSERT_TRUE(store.WriteText(OptionKeys::kDictionary, OptionKeys::kDictionaryPath, "/q/dict"));
  ASSERT_TRUE(store.WriteText(OptionKeys::kQuoteEngine, OptionKeys::kPath, "/q/engine"));
  CreateOptions();

  const TQuoteRunSetup setup = QuoteRunSetupFromOptions();

  ReleaseOptions();
  SetSettingsFolder(QString());
  EXPECT_EQ(setup.Engine.Program, "/q/engine/QuoForm1.pif");
  EXPECT_EQ(setup.Engine.Results, "/q/engine/Formula1.001");
  EXPECT_EQ(setup.Input, "/q/engine/QuoForm1.001");
  EXPECT_EQ(setup.PlanNames, "/q/engine/PlanName.Dat");
  EXPECT_EQ(setup.Exports, "/q/dict/Exports.BIN");
  EXPECT_EQ(setup.ApplicationNumber, 1);
  EXPECT_EQ(setup.ApplicationVersion, 7);
}
