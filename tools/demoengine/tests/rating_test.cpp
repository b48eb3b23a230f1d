#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "tools/demoengine/rating.h"
#include "tools/demoengine/tests/inputbuilder.h"

namespace {

TRisk RiskOf(const TInputBuilder& b) {
  return BuildRisk(ParseEngineInput(b.Text()));
}

TQuote QuoteFor(const std::vector<TQuote>& quotes, int plan) {
  for (const auto& q : quotes)
    if (q.Plan == plan)
      return q;
  throw std::logic_error("no plan " + std::to_string(plan));
}

long long Premium(const TInputBuilder& b, int plan = 50) {
  return QuoteFor(RatePanel(RiskOf(b)), plan).PremiumPence;
}

int FirstNote(const TInputBuilder& b, int plan) {
  const TQuote q = QuoteFor(RatePanel(RiskOf(b)), plan);
  return q.Notes.empty() ? 0 : q.Notes.front().first;
}

}  // namespace

TEST(Rating, TheStandardRiskIsPricedByEveryMainstreamScheme) {
  auto quotes = RatePanel(RiskOf(StandardRisk()));
  ASSERT_EQ(quotes.size(), DemoPanel().size());
  for (int plan : {11, 12, 20, 30, 40, 50, 60}) {
    SCOPED_TRACE(plan);
    EXPECT_GE(QuoteFor(quotes, plan).PremiumPence, 10000);
    EXPECT_LE(QuoteFor(quotes, plan).PremiumPence, 200000);
  }
  // The young drivers' scheme and the classic scheme are not for this risk.
  EXPECT_EQ(QuoteFor(quotes, 31).PremiumPence, 0);
  EXPECT_EQ(QuoteFor(quotes, 31).Notes.front().first, kDeclinedDriver);
  EXPECT_EQ(QuoteFor(quotes, 51).Notes.front().first, kDeclinedVehicle);
}

TEST(Rating, IsDeterministic) {
  auto a = RatePanel(RiskOf(StandardRisk()));
  auto b = RatePanel(RiskOf(StandardRisk()));
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].PremiumPence, b[i].PremiumPence);
    EXPECT_EQ(a[i].Notes, b[i].Notes);
  }
}

// Each change of one answer moves the price the way an insurer's would.
struct TDirection {
  const char* What;
  std::function<void(TInputBuilder&)> Change;
  bool Dearer;
};

// Names the case in CTest's list instead of dumping its bytes.
void PrintTo(const TDirection& direction, std::ostream* out) {
  *out << direction.What;
}

class RatingDirection : public ::testing::TestWithParam<TDirection> {};

TEST_P(RatingDirection, MovesThePremium) {
  TInputBuilder changed = StandardRisk();
  GetParam().Change(changed);
  long long before = Premium(StandardRisk()), after = Premium(changed);
  ASSERT_GT(after, 0) << "the changed risk must still be priced";
  if (GetParam().Dearer)
    EXPECT_GT(after, before);
  else
    EXPECT_LT(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    EachFact, RatingDirection,
    ::testing::Values(
        TDirection{"younger proposer", [](TInputBuilder& b) { b.Driver(1, "age", "23"); }, true},
        TDirection{"older proposer", [](TInputBuilder& b) { b.Driver(1, "age", "76"); }, true},
        TDirection{"new licence", [](TInputBuilder& b) { b.Driver(1, "licence months", "10"); },
                   true},
        TDirection{"no bonus", [](TInputBuilder& b) { b.Set("bonus years", "0"); }, true},
        TDirection{"nine years bonus", [](TInputBuilder& b) { b.Set("bonus years", "9"); }, false},
        TDirection{"dearer car", [](TInputBuilder& b) { b.Set("vehicle value", "30000"); }, true},
        TDirection{"new car", [](TInputBuilder& b) { b.Set("vehicle age", "1"); }, true},
        TDirection{"old car", [](TInputBuilder& b) { b.Set("vehicle age", "16"); }, false},
        TDirection{"third party only", [](TInputBuilder& b) { b.Set("cover", "3"); }, false},
        TDirection{"business use", [](TInputBuilder& b) { b.Set("use", "3"); }, true},
        TDirection{"high mileage", [](TInputBuilder& b) { b.Set("private mileage", "22000"); },
                   true},
        TDirection{"low mileage", [](TInputBuilder& b) { b.Set("private mileage", "2500"); },
                   false},
        TDirection{"London", [](TInputBuilder& b) { b.Set("vehicle postcode", "E17 4QA"); }, true},
        TDirection{"Highlands", [](TInputBuilder& b) { b.Set("vehicle postcode", "IV2 3AB"); },
                   false},
        TDirection{"kept on the street", [](TInputBuilder& b) { b.Set("overnight location", "9"); },
                   true},
        TDirection{"a claim",
                   [](TInputBuilder& b) {
                     b.At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim type", "1")
                         .At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim months ago",
                             "14")
                         .At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim at fault", "4");
                   },
                   true},
        TDirection{"a speeding conviction",
                   [](TInputBuilder& b) {
                     b.At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction code",
                          "SP30")
                         .At({{"driver", 1}, {"incident", 1}, {"conviction", 1}},
                             "conviction points", "3");
                   },
                   true},
        TDirection{"higher voluntary excess",
                   [](TInputBuilder& b) { b.Set("voluntary excess", "250"); }, false},
        TDirection{"a young named driver",
                   [](TInputBuilder& b) {
                     b.Set("driving restriction", "3")
                         .Driver(2, "driver number", "2")
                         .Driver(2, "age", "22")
                         .Driver(2, "licence months", "30");
                   },
                   true},
        TDirection{"a tracker",
                   [](TInputBuilder& b) {
                     b.At({{"security device", 1}}, "device", "271")
                         .At({{"security device", 1}}, "device category", "6");
                   },
                   false}),
    [](const ::testing::TestParamInfo<TDirection>& info) {
      std::string name;
      for (const char* c = info.param.What; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(Rating, AClaimOlderThanThreeYearsIsNotRated) {
  TInputBuilder old = StandardRisk();
  old.At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim type", "1")
      .At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim months ago", "40")
      .At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim at fault", "4");
  EXPECT_EQ(Premium(old), Premium(StandardRisk()));
}

TEST(Rating, AnIncidentHoldingOnlyANumberedClaimIsNoClaim) {
  TInputBuilder b = StandardRisk();
  b.At({{"driver", 1}, {"incident", 1}, {"claim", 1}}, "claim cost", "0");
  EXPECT_EQ(Premium(b), Premium(StandardRisk()));
}

TEST(Rating, ADrinkDrivingConvictionIsDeclinedByMainstreamSchemesAndPricedByTheSpecialist) {
  TInputBuilder b = StandardRisk();
  b.At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction code", "DR10")
      .At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction months ago", "30")
      .At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction points", "3")
      .At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction months banned", "12");
  for (int plan : {11, 12, 20, 30, 40, 50})
    EXPECT_EQ(FirstNote(b, plan), kDeclinedHistory) << plan;
  EXPECT_GT(Premium(b, 60), Premium(StandardRisk(), 60));
  const TQuote specialist = QuoteFor(RatePanel(RiskOf(b)), 60);
  bool loadingNoted = false;
  for (const auto& [code, text] : specialist.Notes)
    loadingNoted = loadingNoted || code == 107;
  EXPECT_TRUE(loadingNoted);
}

TEST(Rating, ADrinkDrivingConvictionOlderThanFiveYearsNoLongerCounts) {
  TInputBuilder b = StandardRisk();
  b.At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction code", "DR10")
      .At({{"driver", 1}, {"incident", 1}, {"conviction", 1}}, "conviction months ago", "61");
  EXPECT_EQ(Premium(b, 11), Premium(StandardRisk(), 11));
}

TEST(Rating, NinePenaltyPointsAreReferredWithAZeroPremium) {
  TInputBuilder b = StandardRisk();
  for (int i = 1; i <= 3; ++i)
    b.At({{"driver", 1}, {"incident", i}, {"conviction", 1}}, "conviction code", "SP30")
        .At({{"driver", 1}, {"incident", i}, {"conviction", 1}}, "conviction points", "3");
  const TQuote q = QuoteFor(RatePanel(RiskOf(b)), 11);
  EXPECT_EQ(q.PremiumPence, 0);
  ASSERT_FALSE(q.Notes.empty());
  EXPECT_EQ(q.Notes.front().first, kReferredPoints);
  // Blackwater declines the same driver outright; the specialist prices him.
  EXPECT_EQ(FirstNote(b, 40), kDeclinedHistory);
  EXPECT_GT(Premium(b, 60), 0);
}

TEST(Rating, VehicleLimitsDeclineWithNote39) {
  TInputBuilder dear = StandardRisk();
  dear.Set("vehicle value", "90000");
  EXPECT_EQ(FirstNote(dear, 11), kDeclinedVehicle);
  EXPECT_EQ(FirstNote(dear, 20), kDeclinedVehicle);
  EXPECT_GT(Premium(dear, 30), 0);  // Pennant takes cars up to 100,000 pounds

  TInputBuilder modified = StandardRisk();
  modified.At({{"modification", 1}}, "modification", "8");
  EXPECT_EQ(FirstNote(modified, 40), kDeclinedVehicle);
  EXPECT_GT(Premium(modified, 50), Premium(StandardRisk(), 50));

  TInputBuilder medical = StandardRisk();
  medical.At({{"modification", 1}}, "modification", "25")
      .At({{"modification", 1}}, "for medical reason", "6");
  EXPECT_EQ(Premium(medical, 40), Premium(StandardRisk(), 40));
}

TEST(Rating, TheClassicSchemeTakesOldCarsOnLimitedMileage) {
  TInputBuilder classic = StandardRisk();
  classic.Set("vehicle age", "32").Set("private mileage", "3000");
  EXPECT_GT(Premium(classic, 51), 0);
  classic.Set("private mileage", "6000");
  EXPECT_EQ(FirstNote(classic, 51), kDeclinedVehicle);
}

TEST(Rating, MissingDetailsAreReferredNotGuessed) {
  TInputBuilder b = StandardRisk();
  b.Driver(1, "age", "");
  EXPECT_EQ(FirstNote(b, 50), kReferredIncomplete);
  TInputBuilder noValue = StandardRisk();
  noValue.Set("vehicle value", "");
  EXPECT_EQ(FirstNote(noValue, 50), kReferredIncomplete);
}

TEST(Rating, ExcessesFollowTheCoverAndTheDrivers) {
  const TQuote comp = QuoteFor(RatePanel(RiskOf(StandardRisk())), 50);
  EXPECT_EQ(comp.CompulsoryExcess, 200);
  EXPECT_EQ(comp.VoluntaryExcess, 100);
  EXPECT_EQ(comp.AllSectionsExcess, 300);
  ASSERT_EQ(comp.SectionExcesses.size(), 2u);
  EXPECT_EQ(comp.SectionExcesses[0], std::make_pair(12, 75));
  EXPECT_EQ(comp.SectionExcesses[1], std::make_pair(4, 300));

  TInputBuilder young = StandardRisk();
  young.Driver(1, "age", "19").Driver(1, "licence months", "14");
  const TQuote y = QuoteFor(RatePanel(RiskOf(young)), 20);
  EXPECT_EQ(y.CompulsoryExcess, 150 + 250);
  EXPECT_EQ(y.Notes.front().first, 101);

  TInputBuilder tpo = StandardRisk();
  tpo.Set("cover", "3");
  const TQuote t = QuoteFor(RatePanel(RiskOf(tpo)), 50);
  EXPECT_EQ(t.VoluntaryExcess, 0);
  EXPECT_EQ(t.AllSectionsExcess, 0);
  EXPECT_TRUE(t.SectionExcesses.empty());
}

TEST(Rating, TheUseCodeIsTheVehiclesClassOfUse) {
  TInputBuilder b = StandardRisk();
  b.Set("use", "2");
  EXPECT_EQ(QuoteFor(RatePanel(RiskOf(b)), 50).UseCode, 2);
}
