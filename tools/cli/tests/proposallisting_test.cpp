// The proposal listing of the demo samples, on the demo dictionary as the program opens it.

#include <gtest/gtest.h>

#include <QFile>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"
#include "platform/scriptedprompter.h"

namespace {

const QString kDemo = QStringLiteral(QM_DEMO_BUILD_DIR);

class ProposalListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QByteArray lists = QFile::encodeName(kDemo + "/dictionary/Lists.BIN");
    const QByteArray structure = QFile::encodeName(kDemo + "/dictionary/Struct.BIN");
    ASSERT_EQ(DsvOpen(1, 1, lists.constData(), structure.constData(), ""), 0);
    const QByteArray family = QFile::encodeName(kDemo + "/samples/family.PCD");
    ASSERT_EQ(DsvLoadSection(family.constData(), "Tolvane"), 0);
    today_ = QDate::currentDate();
    SetPolicyStartDate(today_);
  }
  void TearDown() override { DsvClose(); }

  QStringList Lines() const { return ProposalListingLines(today_); }
  // The lines from the first one that starts with `first`, `count` of them.
  QStringList From(const QString& first, int count) const {
    const QStringList lines = Lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (lines[i].startsWith(first))
        return lines.mid(i, count);
    }
    return {};
  }
  bool Lists(const QString& start) const {
    for (const QString& line : Lines()) {
      if (line.startsWith(start))
        return true;
    }
    return false;
  }
  void Restrict(std::int32_t code) {
    ASSERT_TRUE(SetListValue(Id::DrivingRestriction, {CoverPath()}, code));
  }

  ScopedScriptedPrompter prompter_;
  QDate today_;
};

TEST_F(ProposalListingTest, TheFamilySampleIsListedInOrder) {
  const TPath quote{AcceptedQuotePath()};
  ASSERT_TRUE(SetNumericValue(Id::AcceptedPlanNumber, quote, 7));
  ASSERT_TRUE(SetStringValue(Id::AcceptedInsurerName, quote, QString::fromUtf8("Corrie & Vale £")));
  ASSERT_TRUE(SetNumericValue(Id::AcceptedPremium, quote, 612.5));
  const QString ten(10, QLatin1Char(' '));
  const QStringList lines = Lines();
  EXPECT_EQ(lines.mid(0, 13),
            QStringList({QString::fromUtf8("Insurer Plan ID = 7 (Scheme = Corrie & Vale £)"),
                         "Premium = 612.5", "", "PolicyHolder = Mr David Hargreaves",
                         "Address = 27 Cotham Brow", ten, ten + "Bristol", ten, ten, ten,
                         ten + "BS6 6AR", "Home Telephone Number = 0117 496 0814",
                         "Work Telephone Number = 0117 496 0200"}));
  EXPECT_EQ(From("Cover Start Date", 1),
            QStringList({"Cover Start Date = " + today_.toString("dd/MM/yyyy")}));
  EXPECT_EQ(From("Vehicle Garaging Code", 1),
            QStringList({"Vehicle Garaging Code = Locked garage (ABI Code = G)"}));
  EXPECT_EQ(From("Alarm 1 ABICode", 4),
            QStringList({"Alarm 1 ABICode = Tracker Monitor (ABI Code = TRMON)",
                         "Alarm 1 Manufacturer Fitted Flag = N",
                         "Alarm 2 ABICode = Manufacturer fitted immobiliser (ABI Code = MFIM)",
                         "Alarm 2 Manufacturer Fitted Flag = Y"}));
  EXPECT_EQ(From("Driving restriction", 1),
            QStringList({"Driving restriction = Proposer and 3 named drivers (Code = 05)"}));
  // The cover block ends with an empty line before the proposer's own details.
  EXPECT_EQ(From("Age of yongest driver", 3).mid(1), QStringList({"", "Age Of Proposer = 47"}));
  EXPECT_EQ(From("Type of licence held by proposer", 1),
            QStringList({"Type of licence held by proposer = 1 (Code = F)"}));
  // Restriction 5: three additional drivers, each after an empty line.
  for (const char* driver : {"Driver 1 = Mrs Helen", "Driver 2 = Mr Thomas", "Driver 3 = Miss Amy"})
    EXPECT_EQ(lines.at(lines.indexOf(From(driver, 1).value(0)) - 1), "") << driver;
  EXPECT_EQ(From("Driver 2 = ", 6).mid(4),
            QStringList({"Relationship of Driver 2 to proposer = Son (Code = O)",
                         "Number of years Driver 2 resident in the U.K. = 23"}));
  // The son's two convictions, from his two incidents.
  EXPECT_EQ(From("Code of Endorsement 2", 2),
            QStringList({"Code of Endorsement 2 = CU80 - Breach of requirements as to control "
                         "of the vehicle (mobile phone) (ABI Code = CU80)",
                         "Number of penalty points due to Endorsement 2 = 6"}));
  EXPECT_EQ(lines.mid(lines.size() - 6),
            QStringList({"", "Driver who owns the vehicle = Proposer",
                         "Driver who is the registered keeper of the vehicle = Proposer",
                         "Driver who is the main driver of the vehicle = Proposer", "",
                         "Modification 1 = Tow bar (Code = 19)"}));

  // On the wire: Windows-1252, every line ended by CR LF.
  QByteArray stream("before\r\n");
  WriteProposalListing(stream, today_);
  EXPECT_TRUE(stream.startsWith("before\r\nInsurer Plan ID = 7 (Scheme = Corrie & Vale \xA3)\r\n"));
  EXPECT_EQ(stream.count("\r\n"), lines.size() + 1);
  EXPECT_TRUE(stream.endsWith("(Code = 19)\r\n"));
}

TEST_F(ProposalListingTest, TheDrivingRestrictionDecidesWhichDriversAreListed) {
  Restrict(1);  // proposer only: the stored drivers are not listed
  EXPECT_FALSE(Lists("Driver 1 = "));
  Restrict(4);
  EXPECT_TRUE(Lists("Driver 1 = Mrs Helen Hargreaves"));
  EXPECT_TRUE(Lists("Driver 2 = Mr Thomas Hargreaves"));
  EXPECT_FALSE(Lists("Driver 3 = "));
  Restrict(8);  // any driver: none named
  EXPECT_FALSE(Lists("Driver 1 = "));
  const int expected[] = {0, 0, 1, 1, 2, 3, 4, 5, 0, 0};
  for (int code = 0; code < 10; ++code)
    EXPECT_EQ(ListedAdditionalDrivers(code), expected[code]) << code;
}

TEST_F(ProposalListingTest, ADriversTwoClaimsAreClaim1AndClaim2) {
  // A second claim after the proposer's conviction, whose incident the quotation numbers.
  const TPath claim{DriverPath(0), IncidentPath(2), ClaimPath(0)};
  ASSERT_TRUE(SetListValue(Id::ClaimType, claim, 4));
  ASSERT_TRUE(SetDateValue(Id::ClaimDate, claim, QDate(2025, 3, 4)));
  ASSERT_TRUE(SetNumericValue(Id::ClaimCost, claim, 400));
  ASSERT_TRUE(SetListValue(Id::ClaimAtFault, claim, 3));
  NumberConvictions();

  EXPECT_EQ(
      From("Cost of Claim 1", 11),
      QStringList({"Cost of Claim 1 = 2300",
                   "Date of Claim 1 = " + today_.addMonths(-14).toString("dd/MM/yyyy"),
                   "Type of Claim 1 = Accident - own vehicle damaged (Code = AD)",
                   "NCD Lost on Claim 1 = Yes (Code = Y)", "Personal Injury due to Claim 1 = N",
                   "Cost of Claim 2 = 400", "Date of Claim 2 = 04/03/2025",
                   "Type of Claim 2 = Hit while parked (Code = HP)",
                   "NCD Lost on Claim 2 = No (Code = N)", "Personal Injury due to Claim 2 = N",
                   "Code of Endorsement 1 = SP30 - Exceeding statutory speed limit on a "
                   "public road (ABI Code = SP30)"}));
  EXPECT_FALSE(Lists("Cost of Claim 3"));
}

TEST_F(ProposalListingTest, AgesCountToThePolicyStartDateAndMonthsToToday) {
  const TPath proposer{DriverPath(0)};
  SetPolicyStartDate(QDate(2030, 6, 15));
  ASSERT_TRUE(SetDateValue(Id::DateOfBirth, proposer, QDate(1990, 6, 15)));
  EXPECT_TRUE(Lists("Age Of Proposer = 40"));  // born on the start date's day: the full count
  ASSERT_TRUE(SetDateValue(Id::DateOfBirth, proposer, QDate(1990, 6, 16)));
  EXPECT_TRUE(Lists("Age Of Proposer = 39"));

  const TPath bonus{VehiclePath(), NCBPath()};
  ASSERT_TRUE(SetDateValue(Id::BonusPolicyExpiry, bonus, today_.addMonths(-14)));
  EXPECT_TRUE(Lists("Number of Months since last insurance expired = 14"));

  const TPath condition{DriverPath(0), MedicalConditionPath(0)};
  ASSERT_TRUE(SetListValue(Id::MedicalCondition, condition, 2));
  ASSERT_TRUE(SetDateValue(Id::ConditionStartDate, condition, QDate(2020, 6, 1)));
  EXPECT_EQ(
      From("Type of Disability 1", 4),
      QStringList({"Type of Disability 1 = Diabetes - insulin treated (ABI Code = DIN)",
                   "Number of years Disability 1 held = 10", "DVLA Notified of Disability 1 = N",
                   "DVLA Requirements met for Disability 1 =  (ABI Code = )"}));

  // Each rendering of each type.
  using R = TListingRendering;
  EXPECT_EQ(ListingValue(Id::DateOfBirth, proposer, R::Plain, today_), "16/06/1990");
  EXPECT_EQ(ListingValue(Id::DateOfBirth, proposer, R::Description, today_), "90");
  EXPECT_EQ(ListingValue(Id::DateOfBirth, proposer, R::AbiCode, today_), "1990");
  EXPECT_EQ(ListingValue(Id::Sex, proposer, R::Plain, today_), "2");
  EXPECT_EQ(ListingValue(Id::Sex, proposer, R::Description, today_), "Male");
  EXPECT_EQ(ListingValue(Id::Sex, proposer, R::AbiCode, today_), "M");
  EXPECT_EQ(ListingValue(Id::Sex, proposer, R::Years, today_), "");
  EXPECT_EQ(ListingValue(Id::Surname, proposer, R::AbiCode, today_), "Hargreaves");
  EXPECT_EQ(ListingValue(Id::VehicleValue, {VehiclePath()}, R::Description, today_), "9500");
  // No value and no default: nothing; no value but a default: the default.
  EXPECT_EQ(ListingValue(Id::FaxNumber, {ProposerPath()}, R::Plain, today_), "");
  EXPECT_EQ(
      ListingValue(Id::DvlaNotified, {DriverPath(3), MedicalConditionPath(0)}, R::AbiCode, today_),
      "N");
}

}  // namespace
