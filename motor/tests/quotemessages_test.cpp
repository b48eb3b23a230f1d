#include "motor/quotemessages.h"

#include <gtest/gtest.h>

TEST(QuoteMessages, TheProgramsOwnTextsAreExact) {
  EXPECT_EQ(DeclinedMessage(),
            "All the insurance companies declined to quote for the details that you have "
            "entered\rPlease contact Quillmarsh on 01632 960123");
  EXPECT_EQ(EngineNotFoundMessage(),
            "The Quote engine cound not be found\rPlease Reinstall the software");
  EXPECT_EQ(CoverBeforeTodayMessage(),
            "A quotation cannot be obtained for cover prior to today\r\rPlease enter a date on "
            "or after today");
}

TEST(QuoteCoverStart, TodayAndLaterAreAcceptedEarlierAndMissingAreNot) {
  const QDate today(2024, 2, 29);
  EXPECT_TRUE(CoverStartAcceptable(today, today));
  EXPECT_TRUE(CoverStartAcceptable(QDate(2024, 3, 1), today));
  EXPECT_FALSE(CoverStartAcceptable(QDate(2024, 2, 28), today));
  EXPECT_FALSE(CoverStartAcceptable(QDate(), today));
}

TEST(QuoteRunMessages, ResultsAndCancelNeedNoMessage) {
  TEngineRunResult result;
  result.Outcome = TEngineOutcome::Results;
  EXPECT_TRUE(EngineRunMessage(result).isEmpty());
  result.Outcome = TEngineOutcome::Cancelled;
  EXPECT_TRUE(EngineRunMessage(result).isEmpty());
}

TEST(QuoteRunMessages, EveryFailureSaysWhatWentWrong) {
  TEngineRunResult result;
  result.Outcome = TEngineOutcome::InputNotWritten;
  result.InputStatus = 240;
  EXPECT_TRUE(EngineRunMessage(result).contains("could not be written"));
  EXPECT_TRUE(EngineRunMessage(result).contains("[Error : 240]"));

  result = TEngineRunResult{};
  result.Outcome = TEngineOutcome::EngineMissing;
  result.Detail = "/opt/engine/QuoForm1.pif";
  EXPECT_TRUE(EngineRunMessage(result).startsWith("The Quote engine program could not be found"));
  EXPECT_TRUE(EngineRunMessage(result).endsWith("\r/opt/engine/QuoForm1.pif"));

  result.Outcome = TEngineOutcome::EngineNotStarted;
  EXPECT_TRUE(EngineRunMessage(result).startsWith("The Quote engine could not be started"));

  result = TEngineRunResult{};
  result.Outcome = TEngineOutcome::NoResults;
  result.ExitCode = 3;
  result.Detail = "bad input";
  EXPECT_EQ(EngineRunMessage(result),
            "The Quote engine ended (exit code 3) without producing any quotations\rbad input");
  result.Crashed = true;
  EXPECT_TRUE(EngineRunMessage(result).startsWith("The Quote engine stopped abnormally"));

  result = TEngineRunResult{};
  result.Outcome = TEngineOutcome::ResultsUnreadable;
  result.Detail = "line 2 is not a number";
  EXPECT_TRUE(EngineRunMessage(result).endsWith("\rline 2 is not a number"));

  result = TEngineRunResult{};
  result.Outcome = TEngineOutcome::TimedOut;
  EXPECT_TRUE(EngineRunMessage(result).contains("did not finish in time"));
}
