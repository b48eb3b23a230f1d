#include "motor/missingdata.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "platform/scriptedprompter.h"

namespace {

TDictProperty Value(std::int32_t id, std::uint8_t type, int list = -1) {
  TDictProperty property;
  property.Identifier = id;
  property.Type = type;
  property.List = list;
  return property;
}

TDictProperty Object(std::int32_t id, std::vector<TDictProperty> children) {
  TDictProperty property;
  property.Identifier = id;
  property.Type = 0;
  property.Children = std::move(children);
  return property;
}

TDictList List(std::initializer_list<std::pair<int, const char*>> entries) {
  TDictList list;
  for (const auto& [code, text] : entries) {
    list.Entries.push_back(TDictListEntry{code, text, std::to_string(code)});
  }
  return list;
}

// Just the part of a motor dictionary that the missing-data check reads.
TDictionarySource CheckDictionary() {
  enum { kYesNo, kMakes, kModels, kRestrictions, kStatuses };
  TDictionarySource source;
  source.Version = 1 * 65536 + 1;
  source.Lists = {List({{1, "No"}, {2, "Yes"}}), List({{7, "Ford"}, {9, "Volvo"}}),
                  List({{7001, "Fiesta"}, {9001, "V70"}}),
                  List({{1, "Proposer only"}, {2, "Spouse"}, {3, "One"}, {4, "Two"}}),
                  List({{1, "Employed"}, {4, "Retired"}})};
  source.TopLevel = {
      Object(0x2, {Value(0x2001C, 2)}),
      Object(0x6, {Value(0x60001, 3), Value(0x60003, 4, kMakes), Value(0x60004, 4, kModels),
                   Value(0x60012, 4, kYesNo), Value(0x60013, 2)}),
      Object(0xD, {Value(0xD0006, 4, kRestrictions)}),
      Object(0xF, {Value(0xF0005, 3), Value(0xF0008, 4, kYesNo), Value(0xF000F, 4, kYesNo),
                   Object(0x22, {Value(0x220002, 4, kYesNo), Value(0x220004, 4, kYesNo),
                                 Value(0x220006, 4, kStatuses)})}),
  };
  return source;
}

class MissingDataCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const TDictionaryFiles files = WriteDictionaryFiles(CheckDictionary());
    const std::string lists = dir_.filePath("Lists.BIN").toStdString();
    const std::string structure = dir_.filePath("Struct.BIN").toStdString();
    ASSERT_TRUE(WriteBytesToFile(lists, files.Lists));
    ASSERT_TRUE(WriteBytesToFile(structure, files.Struct));
    ASSERT_EQ(DsvOpen(1, 1, lists.c_str(), structure.c_str(), "corvane.msg"), 0);
  }
  void TearDown() override {
    DsvClose();
    EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join("|").toStdString();
  }

  static TPath Driver(int n) { return TPath{DriverPath(n)}; }
  static TPath Occupation(int n) { return TPath{DriverPath(n), OccupationPath(0)}; }

  void CompleteDriver(int n) {
    SetDateValue(0xF0005, Driver(n), QDate(1980, 5, 17));
    SetListValue(0xF0008, Driver(n), 2);
    SetListValue(0xF000F, Driver(n), 1);
    SetListValue(0x220004, Occupation(n), 1);
    SetListValue(0x220002, Occupation(n), 2);
    SetListValue(0x220006, Occupation(n), 1);
  }

  void CompleteProposal(int restriction = 1) {
    CompleteDriver(0);
    SetStringValue(0x2001C, TPath{ProposerPath()}, "AB1 2CD");
    SetDateValue(0x60001, TPath{VehiclePath()}, QDate(2015, 1, 1));
    SetListValue(0x60003, TPath{VehiclePath()}, 7);
    SetListValue(0x60004, TPath{VehiclePath()}, 7001);
    SetStringValue(0x60013, TPath{VehiclePath()}, "AB1 2CD");
    SetListValue(0x60012, TPath{VehiclePath()}, 1);
    SetListValue(0xD0006, TPath{CoverPath()}, restriction);
  }

  static QStringList Messages(const QList<TMissingItem>& items) {
    QStringList messages;
    for (const TMissingItem& item : items) {
      messages << item.Message;
    }
    return messages;
  }

  const QDate today_{2024, 6, 30};
  QTemporaryDir dir_;
  ScopedScriptedPrompter prompter_;
};

}  // namespace

TEST_F(MissingDataCheck, AnEmptyProposalListsEveryTestInOrder) {
  const QList<TMissingItem> missing = FindMissingData(0, today_);

  const QList<TMissingItem> expected{
      {"Date of Birth not entered for the proposer", 0, "DOBKwDate"},
      {"No Marial Status selected for the proposer", 0, "MaritalStatusKwComboEdit"},
      {"Postcode where Proposer lives not entered", 0, "ProposerPostCodeKwEdit"},
      {"No Employers Business selected for the proposer", 0, "BusinessKwComboEdit"},
      {"No Main Occupation selected for the proposer", 0, "OccupationKwComboEdit"},
      {"No Employment Status selected for the proposer", 0, "EmploymentStatusKwComboEdit"},
      {"No Driving Licence selected for the proposer", 0, "LicenceTypeKwComboEdit"},
      {"Year Vehicle manufactured not entered", 1, "VehicleYearNumericEdit"},
      {"Vehicle Make not selected", 1, "VehicleMakeKwComboEdit"},
      {"Vehicle Model not selected", 1, "VehicleModelKwComboEdit"},
      {"Postcode where Vehicle kept not entered", 1, "PostCodeKwEdit"},
      {"Location vehicle left overnight not selected", 1, "LocationKwComboEdit"},
      {"Vehicle driving restrictions not selected", 1, "DrivingRestrictionsKwComboEdit"},
  };
  ASSERT_EQ(missing.size(), expected.size());
  for (qsizetype i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(missing[i].Message, expected[i].Message) << i;
    EXPECT_EQ(missing[i].Page, expected[i].Page) << i;
    EXPECT_EQ(missing[i].Field, expected[i].Field) << i;
  }
}

TEST_F(MissingDataCheck, ACompleteProposalListsNothing) {
  CompleteProposal();
  EXPECT_TRUE(FindMissingData(0, today_).isEmpty());
}

TEST_F(MissingDataCheck, TheSecondOfTwoDriversWithoutADateOfBirthLeadsToPageThree) {
  CompleteProposal(4);
  CompleteDriver(1);
  CompleteDriver(2);
  SetDateValue(0xF0005, Driver(2), QDate());

  const QList<TMissingItem> missing = FindMissingData(2, today_);

  ASSERT_EQ(missing.size(), 1);
  EXPECT_EQ(missing[0].Message, "Date of Birth not entered for driver 2");
  EXPECT_EQ(missing[0].Page, 3);
  EXPECT_EQ(missing[0].Field, "DOBKwDate");
}

TEST_F(MissingDataCheck, AnAdditionalDriverHasNoPostcodeTestAndNamesItsNumber) {
  CompleteProposal(3);

  const QList<TMissingItem> missing = FindMissingData(1, today_);

  EXPECT_EQ(Messages(missing), QStringList({"Date of Birth not entered for driver 1",
                                            "No Marial Status selected for driver 1",
                                            "No Employers Business selected for driver 1",
                                            "No Main Occupation selected for driver 1",
                                            "No Employment Status selected for driver 1",
                                            "No Driving Licence selected for driver 1"}));
  for (const TMissingItem& item : missing) {
    EXPECT_EQ(item.Page, 2);
  }
}

TEST_F(MissingDataCheck, AStoredStatusOfNoughtSatisfiesTheProposerButNotADriver) {
  CompleteProposal(3);
  CompleteDriver(1);
  const std::int32_t nought = 0;
  const TPath proposer = Occupation(0);
  const TPath driver = Occupation(1);
  ASSERT_EQ(DsvSetValue(0x220006, 2, proposer.data(), &nought), 0);
  ASSERT_EQ(DsvSetValue(0x220006, 2, driver.data(), &nought), 0);

  EXPECT_EQ(Messages(FindMissingData(1, today_)),
            QStringList({"No Employment Status selected for driver 1"}));
}

TEST_F(MissingDataCheck, TheVehicleYearIsNotEnteredWhenZeroAndInvalidOutsideItsRange) {
  CompleteProposal();
  SetDateValue(0x60001, TPath{VehiclePath()}, QDate());
  EXPECT_EQ(Messages(FindMissingData(0, today_)),
            QStringList({"Year Vehicle manufactured not entered"}));

  SetDateValue(0x60001, TPath{VehiclePath()}, QDate(2025, 1, 1));
  EXPECT_EQ(Messages(FindMissingData(0, today_)),
            QStringList({"Year Vehicle manufactured is invalid"}));

  SetDateValue(0x60001, TPath{VehiclePath()}, QDate(1899, 12, 31));
  EXPECT_EQ(Messages(FindMissingData(0, today_)),
            QStringList({"Year Vehicle manufactured is invalid"}));

  SetDateValue(0x60001, TPath{VehiclePath()}, QDate(1900, 1, 1));
  EXPECT_TRUE(FindMissingData(0, today_).isEmpty());
  SetDateValue(0x60001, TPath{VehiclePath()}, today_);
  EXPECT_TRUE(FindMissingData(0, today_).isEmpty());
}

TEST_F(MissingDataCheck, AStoredMakeThatTheListDoesNotHoldIsNotSelected) {
  CompleteProposal();
  SetListValue(0x60003, TPath{VehiclePath()}, 8);
  EXPECT_EQ(Messages(FindMissingData(0, today_)), QStringList({"Vehicle Make not selected"}));
}

TEST_F(MissingDataCheck, DriversToCheckFollowTheRestrictionAndTheStoredDrivers) {
  CompleteProposal(4);
  EXPECT_EQ(StoredAdditionalDrivers(), 0);
  EXPECT_EQ(AdditionalDriversToCheck(), 2);

  SetListValue(0xF0008, Driver(3), 2);
  EXPECT_EQ(StoredAdditionalDrivers(), 3);
  EXPECT_EQ(AdditionalDriversToCheck(), 3);
}

TEST(MissingDataDrivers, TheDrivingRestrictionProvidesForTheDrivers) {
  EXPECT_EQ(AdditionalDriversForRestriction(0), 0);
  EXPECT_EQ(AdditionalDriversForRestriction(1), 0);
  EXPECT_EQ(AdditionalDriversForRestriction(2), 1);
  EXPECT_EQ(AdditionalDriversForRestriction(3), 1);
  EXPECT_EQ(AdditionalDriversForRestriction(7), 5);
  EXPECT_EQ(AdditionalDriversForRestriction(8), 0);
  EXPECT_EQ(AdditionalDriversForRestriction(9), 0);
}

// Nothing is quoted that the pages do not show: drivers stored beyond what the restriction
// provides for, and list codes their lists do not hold, lead the user to the field. Nothing is
// deleted.
TEST_F(MissingDataCheck, HiddenDriversAndCodesTheListsDoNotHoldAreListed) {
  CompleteProposal(1);
  CompleteDriver(1);
  CompleteDriver(3);
  QList<TMissingItem> missing = FindMissingData(0, today_);
  ASSERT_EQ(missing.size(), 1);
  EXPECT_EQ(missing[0].Message,
            "Vehicle driving restrictions allow 0 additional driver(s), but 2 are stored");
  EXPECT_EQ(missing[0].Page, 1);
  EXPECT_EQ(missing[0].Field, "DrivingRestrictionsKwComboEdit");
  EXPECT_TRUE(ValueExists(0xF0005, Driver(3)));

  SetListValue(0xD0006, TPath{CoverPath()}, 3);
  EXPECT_EQ(Messages(FindMissingData(1, today_)),
            QStringList({"Vehicle driving restrictions allow 1 additional driver(s), but 2 are "
                         "stored"}));

  SetListValue(0xD0006, TPath{CoverPath()}, 1);
  DsvDeleteObject(1, Driver(1).data(), 0);
  DsvDeleteObject(1, Driver(3).data(), 0);
  const std::int32_t unknown = 9999;
  ASSERT_EQ(DsvSetValue(0xF0008, 1, Driver(0).data(), &unknown), 0);
  ASSERT_EQ(DsvSetValue(0x60004, 1, TPath{VehiclePath()}.data(), &unknown), 0);
  ASSERT_EQ(DsvSetValue(0x220006, 2, Occupation(0).data(), &unknown), 0);
  EXPECT_EQ(Messages(FindMissingData(0, today_)),
            QStringList({"No Marial Status selected for the proposer",
                         "No Employment Status selected for the proposer",
                         "Vehicle Model not selected"}));
}
