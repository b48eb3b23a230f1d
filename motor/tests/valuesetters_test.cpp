// The setters: storing, the empty value, the modified-flag rule and the failure texts.

#include <QDate>

#include "motor/getmotordsv.h"
#include "motor/modifiedstate.h"
#include "motor/tests/motortestdictionary.h"

using namespace testdict;

namespace {

const TPath kVehicle{VehiclePath()};
const TPath kCover{CoverPath()};
const TPath kProposer{DriverPath(0)};
// A list identifier the dictionary does not hold: 0x60099 is 393369.
constexpr std::int32_t kUnknownId = 0x60099;

}  // namespace

class SetterTest : public MotorDsvTest {};

TEST_F(SetterTest, ListValueIsStoredAndCodeZeroRemovesIt) {
  EXPECT_TRUE(SetListValue(kRestriction, kCover, 3));
  EXPECT_EQ(GetListValue(kRestriction, kCover), 3);
  EXPECT_TRUE(SetListValue(kRestriction, kCover, 0));
  EXPECT_FALSE(ValueExists(kRestriction, kCover));
  EXPECT_EQ(GetListValue(kRestriction, kCover), 0);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(SetterTest, NumericZeroIsStoredNotRemoved) {
  EXPECT_TRUE(SetNumericValue(kVehicleValue, kVehicle, 0));
  EXPECT_TRUE(ValueExists(kVehicleValue, kVehicle));
  EXPECT_EQ(GetNumericValue(kVehicleValue, kVehicle), 0.0);
  EXPECT_TRUE(SetNumericValue(kVehicleValue, kVehicle, 1234.5));
  EXPECT_EQ(GetNumericValue(kVehicleValue, kVehicle), 1234.5);
}

TEST_F(SetterTest, EmptyTextAndNoDateRemoveTheValue) {
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  ASSERT_TRUE(SetDateValue(kDateOfBirth, kProposer, QDate(1970, 3, 4)));
  EXPECT_EQ(GetDateValue(kDateOfBirth, kProposer), QDate(1970, 3, 4));
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, QString()));
  EXPECT_TRUE(SetDateValue(kDateOfBirth, kProposer, QDate()));
  EXPECT_FALSE(ValueExists(kSurname, kProposer));
  EXPECT_FALSE(ValueExists(kDateOfBirth, kProposer));
  // Deleting what is not there succeeds.
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, QString()));
}

TEST_F(SetterTest, TextIsCutTo255CharactersAndCarriedAsWindows1252) {
  QString longText(300, QLatin1Char('x'));
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, longText));
  EXPECT_EQ(GetStringValue(kSurname, kProposer), longText.left(255));

  EXPECT_TRUE(SetStringValue(kSurname, kProposer, QString::fromUtf8("\u00a3500 caf\u00e9 \u20ac")));
  EXPECT_EQ(GetStringValue(kSurname, kProposer), QString::fromUtf8("\u00a3500 caf\u00e9 \u20ac"));
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, QString::fromUtf8("\u0141\u00f3d\u017a")));
  // The Polish letters L-stroke and z-acute are not in the set; o-acute is.
  EXPECT_EQ(GetStringValue(kSurname, kProposer), QString::fromUtf8("?\u00f3d?"));
}

// ---- The modified flag --------------------------------------------------------------------------

TEST_F(SetterTest, ADifferentValueMarksOnceAndTheSameValueDoesNot) {
  ASSERT_TRUE(SetListValue(kRestriction, kCover, 2, true, false));
  EXPECT_FALSE(IsModified());
  EXPECT_TRUE(SetListValue(kRestriction, kCover, 2));
  EXPECT_FALSE(IsModified());
  EXPECT_TRUE(SetListValue(kRestriction, kCover, 3));
  EXPECT_TRUE(IsModified());
}

TEST_F(SetterTest, EverySetterMarksWhenTheValueChanges) {
  auto marks = [](const std::function<bool()>& set) {
    ClearModified();
    EXPECT_TRUE(set());
    return IsModified();
  };
  EXPECT_TRUE(marks([] { return SetNumericValue(kVehicleValue, kVehicle, 10); }));
  EXPECT_FALSE(marks([] { return SetNumericValue(kVehicleValue, kVehicle, 10); }));
  EXPECT_TRUE(marks([] { return SetStringValue(kSurname, kProposer, "Jones"); }));
  EXPECT_FALSE(marks([] { return SetStringValue(kSurname, kProposer, "Jones"); }));
  EXPECT_TRUE(marks([] { return SetDateValue(kDateOfBirth, kProposer, QDate(1980, 1, 2)); }));
  EXPECT_FALSE(marks([] { return SetDateValue(kDateOfBirth, kProposer, QDate(1980, 1, 2)); }));
  EXPECT_TRUE(marks([] { return SetDateValue(kDateOfBirth, kProposer, QDate()); }));
  EXPECT_FALSE(marks([] { return SetDateValue(kDateOfBirth, kProposer, QDate()); }));
  EXPECT_TRUE(marks([] { return SetListValue(kRestriction, kCover, 5); }));
  EXPECT_TRUE(marks([] { return SetListValue(kRestriction, kCover, 0); }));
  EXPECT_FALSE(marks([] { return SetListValue(kRestriction, kCover, 0); }));
}

TEST_F(SetterTest, SettingTheDictionaryDefaultDoesNotMark) {
  // Annual mileage defaults to 5000, the cover type to "Comprehensive".
  EXPECT_TRUE(SetNumericValue(kAnnualMileage, kVehicle, 5000));
  EXPECT_TRUE(SetStringValue(kCoverType, kCover, "Comprehensive"));
  EXPECT_FALSE(IsModified());
  EXPECT_TRUE(ValueExists(kAnnualMileage, kVehicle));
}

TEST_F(SetterTest, RepeatingATextTooLongToStoreDoesNotMarkAgain) {
  QString longText(300, QLatin1Char('y'));
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, longText));
  ClearModified();
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, longText));
  EXPECT_FALSE(IsModified());
}

TEST_F(SetterTest, WithoutTheMarkFlagNothingIsMarked) {
  EXPECT_TRUE(SetStringValue(kSurname, kProposer, "Brown", true, false));
  EXPECT_TRUE(SetNumericValue(kVehicleValue, kVehicle, 99, true, false));
  EXPECT_TRUE(SetDateValue(kCoverStart, kCover, QDate(2024, 5, 1), true, false));
  EXPECT_TRUE(SetListValueByABI(kIsMainDriver, kProposer, "Y", true, false));
  EXPECT_FALSE(IsModified());
}

TEST_F(SetterTest, TheListenerHearsEveryChangeOfState) {
  QList<bool> heard;
  QObject listener;
  QObject::connect(&ModifiedState(), &TModifiedState::modifiedChanged, &listener,
                   [&](bool modified) { heard.append(modified); });
  SetListValue(kRestriction, kCover, 4);
  ClearModified();
  EXPECT_EQ(heard, (QList<bool>{true, false}));
}

TEST_F(SetterTest, ListValueByABICodeIsReadBackAndMarks) {
  EXPECT_TRUE(SetListValueByABI(kIsMainDriver, kProposer, "N"));
  EXPECT_TRUE(IsModified());
  EXPECT_EQ(GetABIValue(kIsMainDriver, kProposer), "N");
  ClearModified();
  EXPECT_TRUE(SetListValueByABI(kIsMainDriver, kProposer, "N"));
  EXPECT_FALSE(IsModified());
  EXPECT_TRUE(SetListValueByABI(kIsMainDriver, kProposer, ""));
  EXPECT_FALSE(ValueExists(kIsMainDriver, kProposer));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

// ---- Failure texts ------------------------------------------------------------------------------

TEST_F(SetterTest, FailedListSetShowsItsTextInAPlainBox) {
  EXPECT_FALSE(SetListValue(kUnknownId, kVehicle, 3));
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Plain);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(prompter_->Prompts()[0].text,
            "Failed to set the List ID : 393369 (60099) to value : 3 [Error : 1005]");
}

TEST_F(SetterTest, FailedSetsOfEachTypeNameIdentifierValueAndStatus) {
  // The surname belongs to a driver: the vehicle path is not a path to it.
  EXPECT_FALSE(SetStringValue(kSurname, kVehicle, "Green"));
  EXPECT_FALSE(SetNumericValue(kUnknownId, kVehicle, 1.5));
  EXPECT_FALSE(SetNumericValue(kUnknownId, kVehicle, 250000));
  EXPECT_FALSE(SetDateValue(kCoverStart, kProposer, QDate(2024, 2, 29)));
  EXPECT_FALSE(SetListValueByABI(kUnknownId, kVehicle, ""));
  EXPECT_EQ(prompter_->Texts(),
            (QStringList{
                "Failed to set String : 983082 (F002A) to value : Green [Error : 1039]",
                "Failed to set Numeric Value : 393369 (60099) to value : 1.5 [Error : 1005]",
                "Failed to set Numeric Value : 393369 (60099) to value : 250000 [Error : 1005]",
                "Failed to set Date : 851973 (D0005) to value : 29/02/2024 [Error : 1039]",
                "Failed to set the List ID : 393369 (60099) to ABI Code :  [Error : 1005]",
            }));
}

TEST_F(SetterTest, FailedNumericSetsShowTheValueInTheProgramsGeneralNumberForm) {
  // The form the rest of the program writes numbers in, not C's "1e+20".
  EXPECT_FALSE(SetNumericValue(kUnknownId, kVehicle, 1e20));
  EXPECT_FALSE(SetNumericValue(kUnknownId, kVehicle, 5e-7));
  EXPECT_FALSE(SetNumericValue(kUnknownId, kVehicle, -0.25));
  EXPECT_EQ(prompter_->Texts(),
            (QStringList{
                "Failed to set Numeric Value : 393369 (60099) to value : 1E20 [Error : 1005]",
                "Failed to set Numeric Value : 393369 (60099) to value : 5E-7 [Error : 1005]",
                "Failed to set Numeric Value : 393369 (60099) to value : -0.25 [Error : 1005]",
            }));
}

TEST_F(SetterTest, AnABICodeTheListDoesNotHoldIsReported) {
  EXPECT_FALSE(SetListValueByABI(kIsMainDriver, kProposer, "Q"));
  EXPECT_EQ(
      prompter_->Texts(),
      QStringList{"Failed to set the List ID : 983112 (F0048) to ABI Code : Q [Error : 1033]"});
}

TEST_F(SetterTest, APercentSignInTheValueIsShownAsItStands) {
  EXPECT_FALSE(SetStringValue(kSurname, kVehicle, "50%1 %2"));
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_EQ(prompter_->Texts()[0],
            "Failed to set String : 983082 (F002A) to value : 50%1 %2 [Error : 1039]");
}

TEST_F(SetterTest, FailuresAreSilentWhenNotShownAndKeepWhatTheComparisonMarked) {
  EXPECT_FALSE(SetListValue(kUnknownId, kVehicle, 3, false));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  // The unknown value reads as 0, which differs from 3: the comparison marked before the set.
  EXPECT_TRUE(IsModified());
}
