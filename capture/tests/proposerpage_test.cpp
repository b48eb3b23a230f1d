// The proposer page on the demo dictionary and occupation map: typed from the keyboard into the
// Data Server, shown back by LoadDetails, the age checks, the occupation cascade, the postcode
// the vehicle follows, and the removals a user declines.

#include "capture/proposerpage.h"

#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include "capture/tests/capturefixture.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

const QString kUnder17 =
    QStringLiteral("Age of Driver under 17 years.\rPlease check the entered date of birth.");
const QString kOver80 =
    QStringLiteral("Age of Driver over 80 years.\rPlease check the entered date of birth.");

TPath Proposer(std::initializer_list<TPathEntry> below = {}) {
  TPath path{DriverPath(0)};
  path.insert(path.end(), below.begin(), below.end());
  return path;
}
TPath Occupation(int k) {
  return Proposer({OccupationPath(k)});
}
TPath Address() {
  return {ProposerPath()};
}

class ProposerPageTest : public CaptureTest {
 protected:
  template <class Control>
  Control* Field(const char* name) {
    auto* control = page_->Field<Control>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  TKwComboEdit* Combo(const char* name) { return Field<TKwComboEdit>(name); }
  TKwYesNoDlg* Question(const char* name) { return Field<TKwYesNoDlg>(name); }
  bool IsYes(const char* name) { return Question(name)->State() == TKwYesNoState::ynYes; }
  std::int32_t SelectedCode(const char* name) {
    TKwComboEdit* combo = Combo(name);
    return combo->ItemIndex() < 0 ? -1 : combo->ItemCode(combo->ItemIndex());
  }
  // Selects the item by typing its text.
  void Choose(const char* name, const QString& text) {
    TKwComboEdit* combo = Combo(name);
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(combo, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  void ReplaceNumber(const char* name, const char* digits) {
    auto* number = Field<TNumericEdit>(name);
    TypeAndTab(number, digits);
  }
  // The first business whose occupation list offers a choice ("<select>" and at least two).
  int BusinessWithSeveralOccupations(QString* text) {
    TKwComboEdit* business = Combo(FieldName::BusinessKwComboEdit);
    for (int i = 0; i < business->ItemCount(); ++i) {
      if (business->ItemCode(i) <= 0)
        continue;
      page_->FillOccupationList(business->ItemCode(i), false);
      if (Combo(FieldName::OccupationKwComboEdit)->ItemCount() > 2) {
        *text = business->ItemText(i);
        return business->ItemCode(i);
      }
    }
    return 0;
  }

  void SetUp() override {
    CaptureTest::SetUp();
    page_ = std::make_unique<TProposerDetailsKwTabsheetForm>();
  }
  void TearDown() override {
    page_.reset();
    CaptureTest::TearDown();
  }

  std::unique_ptr<TProposerDetailsKwTabsheetForm> page_;
};

TEST_F(ProposerPageTest, HasEveryFieldLabelledInTableOrder) {
  const QStringList expected{"DOBKwDate",
                             "MaleRadioButton",
                             "FemaleRadioButton",
                             "MaritalStatusKwComboEdit",
                             "ResidencyNumericEdit",
                             "ResidencyKwComboEdit",
                             "ProposerPostCodeKwEdit",
                             "BusinessKwComboEdit",
                             "OccupationKwComboEdit",
                             "EmploymentStatusKwComboEdit",
                             "OtherOccupationKwYesNoDlg",
                             "LicenceTypeKwComboEdit",
                             "LicenceYearsNumericEdit",
                             "LicencePeriodKwComboEdit",
                             "QualificationsKwYesNoDlg",
                             "OrganisationKwComboEdit",
                             "ClaimsKwYesNoDlg",
                             "ConvictionsKwYesNoDlg",
                             "MedicalConditionKwYesNoDlg",
                             "NCBKwYesNoDlg",
                             "OtherVehiclesKwYesNoDlg"};
  QStringList stops;
  for (QWidget* stop : page_->TabStops())
    stops << stop->objectName();
  EXPECT_EQ(stops, expected);
  EXPECT_EQ(page_->objectName(), "TProposerDetailsKwTabsheetForm");

  // Each field is the buddy of its label, so the label names it.
  QStringList captions;
  for (QLabel* label : page_->findChildren<QLabel*>()) {
    if (label->buddy() != nullptr)
      captions << label->buddy()->objectName() + "=" + label->text().remove('&');
  }
  EXPECT_TRUE(captions.contains("DOBKwDate=Date of Birth"));
  EXPECT_TRUE(captions.contains("MaleRadioButton=Sex"));
  EXPECT_TRUE(captions.contains("ResidencyNumericEdit=Period Resident in UK"));
  EXPECT_TRUE(captions.contains(
      "ClaimsKwYesNoDlg=Has the Proposer been involved in any accidents, losses or claims within "
      "the last 3 years?"));
  EXPECT_EQ(Combo(FieldName::MaritalStatusKwComboEdit)->statusTip(),
            "Select the marital status of the Proposer.");
  EXPECT_EQ(Field<QRadioButton>(DriverField::MaleRadioButton)->text(), "Male  /");
  EXPECT_FALSE(Combo(FieldName::OccupationKwComboEdit)->isEnabled());
  EXPECT_FALSE(Combo(FieldName::EmploymentStatusKwComboEdit)->isEnabled());
  for (const char* question : {DriverField::ClaimsKwYesNoDlg, DriverField::NCBKwYesNoDlg})
    EXPECT_FALSE(IsYes(question));
}

TEST_F(ProposerPageTest, AProposerTypedFromTheKeyboardLandsInTheDataServer) {
  ASSERT_TRUE(ShowActive(page_.get()));
  page_->FormShow();
  EXPECT_EQ(QApplication::focusWidget(), Field<TKwDate>(FieldName::DOBKwDate));
  QTest::keyClicks(QApplication::focusWidget(), "15061980");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Proposer()), QDate(1980, 6, 15));
  // The residency not given yet becomes the age.
  EXPECT_EQ(Field<TNumericEdit>(DriverField::ResidencyNumericEdit)->AsInteger(), 46);
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Proposer()), QDate(1980, 6, 15));

  EXPECT_EQ(QApplication::focusWidget(), Field<QRadioButton>(DriverField::MaleRadioButton));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  Field<QRadioButton>(DriverField::FemaleRadioButton)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(GetListValue(Id::Sex, Proposer()), Code::Male);

  KeyAndTab(Combo(FieldName::MaritalStatusKwComboEdit), Qt::Key_Down);
  EXPECT_EQ(GetListValue(Id::MaritalStatus, Proposer()), 2);  // Single

  ReplaceNumber(DriverField::ResidencyNumericEdit, "12");
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Proposer()), QDate(2014, 6, 15));
  KeyAndTab(Combo(DriverField::ResidencyKwComboEdit), Qt::Key_Down);
  EXPECT_EQ(Combo(DriverField::ResidencyKwComboEdit)->Text(), "Months");
  EXPECT_EQ(GetDateValue(Id::ResidencyStartDate, Proposer()), QDate(2025, 6, 15));

  QSignalSpy followed(page_.get(), &TProposerDetailsKwTabsheetForm::postcodeFollowed);
  TypeAndTab(Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit), "ab12cd");
  EXPECT_EQ(Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit)->Text(), "AB1 2CD");
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, Address()), "AB1 2CD");
  EXPECT_EQ(GetStringValue(Id::VehiclePostcode, Vehicle()), "AB1 2CD");
  EXPECT_EQ(followed.count(), 1);

  // A business with a choice of occupations: "<select>", nothing stored, no status yet.
  QString businessText;
  const int business = BusinessWithSeveralOccupations(&businessText);
  ASSERT_GT(business, 0);
  Choose(FieldName::BusinessKwComboEdit, businessText);
  EXPECT_EQ(GetListValue(Id::EmployersBusiness, Occupation(0)), business);
  EXPECT_EQ(Combo(FieldName::OccupationKwComboEdit)->Text(), "<select>");
  EXPECT_TRUE(Combo(FieldName::OccupationKwComboEdit)->isEnabled());
  EXPECT_EQ(GetListValue(Id::Occupation, Occupation(0)), 0);
  EXPECT_EQ(GetListValue(Id::OccupationQualifier, Occupation(0)), 0);
  EXPECT_FALSE(Combo(FieldName::EmploymentStatusKwComboEdit)->isEnabled());

  TKwComboEdit* occupation = Combo(FieldName::OccupationKwComboEdit);
  const std::int32_t item = occupation->ItemCode(1);
  Choose(FieldName::OccupationKwComboEdit, occupation->ItemText(1));
  EXPECT_EQ(GetListValue(Id::Occupation, Occupation(0)), item >> 16);
  EXPECT_EQ(GetListValue(Id::OccupationQualifier, Occupation(0)), item & 0xFFFF);
  TKwComboEdit* status = Combo(FieldName::EmploymentStatusKwComboEdit);
  EXPECT_TRUE(status->isEnabled());
  ASSERT_GT(status->ItemCount(), 0);
  KeyAndTab(status, Qt::Key_Down);
  EXPECT_EQ(GetListValue(Id::EmploymentStatus, Occupation(0)),
            SelectedCode(FieldName::EmploymentStatusKwComboEdit));
  EXPECT_GT(GetListValue(Id::EmploymentStatus, Occupation(0)), 0);

  // Leaving the business that is stored changes nothing below it.
  KeyAndTab(Combo(FieldName::BusinessKwComboEdit), Qt::Key_Shift);
  EXPECT_EQ(SelectedCode(FieldName::OccupationKwComboEdit), item);
  EXPECT_EQ(GetListValue(Id::Occupation, Occupation(0)), item >> 16);

  KeyAndTab(Combo(FieldName::LicenceTypeKwComboEdit), Qt::Key_Down);
  EXPECT_EQ(GetListValue(Id::LicenceType, Proposer()),
            Combo(FieldName::LicenceTypeKwComboEdit)->ItemCode(1));
  // Licensed before 17: the number becomes the age less 17.
  ReplaceNumber(DriverField::LicenceYearsNumericEdit, "30");
  EXPECT_EQ(Field<TNumericEdit>(DriverField::LicenceYearsNumericEdit)->AsInteger(), 29);
  EXPECT_EQ(GetDateValue(Id::LicenceStartDate, Proposer()), QDate(1997, 6, 15));
  EXPECT_EQ(PromptLog(),
            "Licence obtained before driver was 17 years old.\rLicence period has been "
            "set to age of the driver less 17 years.");

  KeyAndTab(Combo(DriverField::OrganisationKwComboEdit), Qt::Key_Down);
  EXPECT_EQ(GetListValue(Id::MotoringOrganisation, Proposer()),
            Combo(DriverField::OrganisationKwComboEdit)->ItemCode(1));

  // No claims entered: answering No asks nothing and stores No.
  Answer(Question(DriverField::ClaimsKwYesNoDlg), 'n');
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::No);
  EXPECT_EQ(Prompts().size(), 1);
  EXPECT_TRUE(IsModified());
}

TEST_F(ProposerPageTest, LoadDetailsShowsASavedProposerBack) {
  SetDateValue(Id::DateOfBirth, Proposer(), QDate(1970, 1, 2));
  SetListValue(Id::Sex, Proposer(), Code::Female);
  SetListValue(Id::MaritalStatus, Proposer(), 3);
  SetDateValue(Id::ResidencyStartDate, Proposer(), QDate(2025, 4, 15));  // 14 months
  SetDateValue(Id::LicenceStartDate, Proposer(), QDate(2025, 7, 15));    // 11 months
  SetStringValue(Id::ProposerPostcode, Address(), "ZZ1 1ZZ");
  SetListValue(Id::HasQualifications, Proposer(), Code::Yes);
  SetListValue(Id::HasMedicalConditions, Proposer(), Code::Yes);
  SetListValue(Id::EmploymentStatus, Occupation(0), FirstCode(ListId::EmploymentStatuses));
  SetListValue(Id::EmploymentStatus, Occupation(1), FirstCode(ListId::EmploymentStatuses));
  SetNumericValue(Id::BonusYears, {VehiclePath(), NCBPath()}, 4.6);
  SetListValue(Id::CompanyCarUse, Proposer(), 2);
  SetListValue(Id::ClaimType, Proposer({IncidentPath(0), ClaimPath(0)}), 1);
  ClearModified();

  page_->LoadDetails();
  EXPECT_EQ(Field<TKwDate>(FieldName::DOBKwDate)->AsString(), "02/01/1970");
  EXPECT_TRUE(Field<QRadioButton>(DriverField::FemaleRadioButton)->isChecked());
  EXPECT_EQ(SelectedCode(FieldName::MaritalStatusKwComboEdit), 3);
  EXPECT_EQ(Field<TNumericEdit>(DriverField::ResidencyNumericEdit)->AsInteger(), 1);
  EXPECT_EQ(Combo(DriverField::ResidencyKwComboEdit)->Text(), "Years");
  EXPECT_EQ(Field<TNumericEdit>(DriverField::LicenceYearsNumericEdit)->AsInteger(), 11);
  EXPECT_EQ(Combo(DriverField::LicencePeriodKwComboEdit)->Text(), "Months");
  EXPECT_EQ(Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit)->Text(), "ZZ1 1ZZ");
  for (const char* yes :
       {DriverField::OtherOccupationKwYesNoDlg, DriverField::QualificationsKwYesNoDlg,
        DriverField::MedicalConditionKwYesNoDlg, DriverField::NCBKwYesNoDlg,
        DriverField::OtherVehiclesKwYesNoDlg})
    EXPECT_TRUE(IsYes(yes)) << yes;
  EXPECT_FALSE(IsYes(DriverField::ClaimsKwYesNoDlg));  // the answer is stored, not derived
  EXPECT_EQ(page_->ClaimList().Count(), 1);
  EXPECT_FALSE(Combo(FieldName::OccupationKwComboEdit)->isEnabled());
  EXPECT_FALSE(IsModified());
  EXPECT_EQ(PromptLog(), "");

  // An empty start date shows 0 years.
  DsvClearAll();
  page_->LoadDetails();
  EXPECT_EQ(Field<TNumericEdit>(DriverField::LicenceYearsNumericEdit)->AsInteger(), 0);
  EXPECT_EQ(Combo(DriverField::LicencePeriodKwComboEdit)->Text(), "Years");
  EXPECT_FALSE(IsYes(DriverField::NCBKwYesNoDlg));
  EXPECT_EQ(page_->ClaimList().Count(), 0);
}

TEST_F(ProposerPageTest, WarnsOfAgesUnder17AndOver80Only) {
  ASSERT_TRUE(ShowActive(page_.get()));
  auto* dob = Field<TKwDate>(FieldName::DOBKwDate);
  const struct {
    const char* keys;
    QStringList warnings;
  } cases[] = {
      {"15062009", {}},          // 17 today
      {"16062009", {kUnder17}},  // 17 tomorrow
      {"16061945", {}},          // 80, 81 tomorrow
      {"15061945", {kOver80}},   // 81 today
  };
  for (const auto& c : cases) {
    prompter_->Clear();
    dob->SetAsNumber(0);
    TypeAndTab(dob, c.keys);
    EXPECT_EQ(PromptLog(), c.warnings.join('|').toStdString()) << c.keys;
  }
  // Left unchanged, the date warns nothing; nor does an empty one passed through.
  dob->SetAsNumber(0);
  SetDateValue(Id::DateOfBirth, Proposer(), QDate());
  prompter_->Clear();
  KeyAndTab(dob, Qt::Key_Shift);
  EXPECT_EQ(PromptLog(), "");
  EXPECT_FALSE(ValueExists(Id::DateOfBirth, Proposer()));
  TypeAndTab(dob, "15061945");
  prompter_->Clear();
  KeyAndTab(dob, Qt::Key_Shift);
  EXPECT_TRUE(Prompts().isEmpty());
}

TEST_F(ProposerPageTest, ADateOfBirthAfterTodayIsRefusedAndNotStored) {
  ASSERT_TRUE(ShowActive(page_.get()));
  auto* dob = Field<TKwDate>(FieldName::DOBKwDate);
  dob->SetAsNumber(0);
  TypeAndTab(dob, "01012030");
  EXPECT_EQ(QApplication::focusWidget(), dob);
  EXPECT_FALSE(ValueExists(Id::DateOfBirth, Proposer()));
  ASSERT_EQ(Prompts().size(), 1) << PromptLog();
  EXPECT_TRUE(Prompts()[0].startsWith("The Date of Birth cannot be after today")) << PromptLog();

  // Today is the last date taken (the under-17 warning follows, as for any minor).
  prompter_->Clear();
  dob->SetAsNumber(0);
  TypeAndTab(dob, "15062026");
  EXPECT_EQ(GetDateValue(Id::DateOfBirth, Proposer()), kToday);
  EXPECT_EQ(PromptLog(), kUnder17.toStdString());
}

TEST_F(ProposerPageTest, TheVehiclePostcodeFollowsOnlyWhileTheTwoAreTheSame) {
  SetStringValue(Id::ProposerPostcode, Address(), "AB1 2CD");
  SetStringValue(Id::VehiclePostcode, Vehicle(), "AB1 2CD");
  page_->LoadDetails();
  ASSERT_TRUE(ShowActive(page_.get()));
  QSignalSpy followed(page_.get(), &TProposerDetailsKwTabsheetForm::postcodeFollowed);
  auto* postcode = Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit);
  postcode->SetText(QString());
  TypeAndTab(postcode, "EF3 4GH");
  EXPECT_EQ(GetStringValue(Id::VehiclePostcode, Vehicle()), "EF3 4GH");
  ASSERT_EQ(followed.count(), 1);
  EXPECT_EQ(followed.at(0).at(0).toString(), "EF3 4GH");

  SetStringValue(Id::VehiclePostcode, Vehicle(), "ZZ9 9ZZ");
  postcode->SetText(QString());
  TypeAndTab(postcode, "IJ5 6KL");
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, Address()), "IJ5 6KL");
  EXPECT_EQ(GetStringValue(Id::VehiclePostcode, Vehicle()), "ZZ9 9ZZ");
  EXPECT_EQ(followed.count(), 1);

  // A postcode that fails the check is warned about and stored as typed.
  postcode->SetText(QString());
  TypeAndTab(postcode, "1AB");
  EXPECT_EQ(PromptLog(), "Invalid postcode district.\rPlease check the entered postcode.");
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, Address()), "1AB");
}

TEST_F(ProposerPageTest, EachRemovalDeclinedLeavesEverythingAsItWas) {
  const TPath claim = Proposer({IncidentPath(0), ClaimPath(0)});
  const TPath conviction = Proposer({IncidentPath(1), ConvictionPath(0)});
  SetListValue(Id::ClaimType, claim, 1);
  SetDateValue(Id::ClaimDate, claim, QDate(2025, 1, 1));
  SetListValue(Id::ConvictionCode, conviction, 1);
  SetListValue(Id::HasClaims, Proposer(), Code::Yes);
  SetListValue(Id::HasConvictions, Proposer(), Code::Yes);
  SetListValue(Id::EmploymentStatus, Occupation(0), FirstCode(ListId::EmploymentStatuses));
  SetListValue(Id::EmploymentStatus, Occupation(1), FirstCode(ListId::EmploymentStatuses));
  SetDateValue(Id::DateOfBirth, Proposer(), QDate(1980, 6, 15));
  SetListValue(Id::HasQualifications, Proposer(), Code::Yes);
  SetListValue(Id::PassPlus, Proposer({QualificationPath(0)}), Code::Yes);
  SetListValue(Id::HasMedicalConditions, Proposer(), Code::Yes);
  SetListValue(Id::MedicalCondition, Proposer({MedicalConditionPath(0)}), 1);
  SetNumericValue(Id::BonusYears, {VehiclePath(), NCBPath()}, 5);
  SetNumericValue(Id::VehiclesOwned, Proposer(), 2);
  page_->LoadDetails();
  ASSERT_TRUE(ShowActive(page_.get()));

  const struct {
    const char* question;
    QString confirmation;
  } questions[] = {
      {DriverField::OtherOccupationKwYesNoDlg, "Remove this Drivers Part-time Occupation?"},
      {DriverField::QualificationsKwYesNoDlg,
       "Remove all entered Driving Qualifications for the proposer?"},
      {DriverField::ClaimsKwYesNoDlg,
       "Remove all entered Accidents, Losses and Claims for the proposer?"},
      {DriverField::ConvictionsKwYesNoDlg,
       "Remove all entered driving Convictions for the proposer?"},
      {DriverField::MedicalConditionKwYesNoDlg,
       "Remove all entered Medical Conditions for the proposer?"},
      {DriverField::NCBKwYesNoDlg, "Remove the No Claims Discount details"},
      {DriverField::OtherVehiclesKwYesNoDlg, "Remove Other Vehicle details for the proposer"},
  };
  for (const auto& q : questions) {
    ASSERT_TRUE(IsYes(q.question)) << q.question;
    prompter_->Clear();
    prompter_->QueueAnswer(PromptAnswer::No);
    Answer(Question(q.question), 'n');
    EXPECT_EQ(PromptLog(), q.confirmation.toStdString()) << q.question;
    EXPECT_TRUE(IsYes(q.question)) << q.question;
  }
  EXPECT_TRUE(dialogsRun_.isEmpty()) << dialogsRun_.join('|').toStdString();
  int count = 0;
  GetObjectCount(Proposer(), ObjectCode::Occupation, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(GetListValue(Id::PassPlus, Proposer({QualificationPath(0)})), Code::Yes);
  EXPECT_EQ(GetListValue(Id::HasQualifications, Proposer()), Code::Yes);
  EXPECT_EQ(GetListValue(Id::ClaimType, claim), 1);
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::Yes);
  EXPECT_EQ(GetListValue(Id::HasConvictions, Proposer()), Code::Yes);
  EXPECT_EQ(GetListValue(Id::MedicalCondition, Proposer({MedicalConditionPath(0)})), 1);
  EXPECT_EQ(GetNumericValue(Id::BonusYears, {VehiclePath(), NCBPath()}), 5);
  EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, Proposer()), 2);

  // Accepted, the removals take the details away.
  prompter_->Clear();
  Answer(Question(DriverField::ClaimsKwYesNoDlg), 'n');
  Answer(Question(DriverField::OtherVehiclesKwYesNoDlg), 'n');
  Answer(Question(DriverField::MedicalConditionKwYesNoDlg), 'n');
  EXPECT_EQ(GetListValue(Id::HasClaims, Proposer()), Code::No);
  EXPECT_EQ(page_->ClaimList().Count(), 0);
  // The conviction stays, the first incident now.
  EXPECT_EQ(GetListValue(Id::ConvictionCode, Proposer({IncidentPath(0), ConvictionPath(0)})), 1);
  EXPECT_EQ(GetListValue(Id::ClaimType, Proposer({IncidentPath(0), ClaimPath(0)})), 0);
  EXPECT_EQ(GetNumericValue(Id::VehiclesOwned, Proposer()), 0);
  EXPECT_EQ(GetListValue(Id::OtherVehicleOwned, Proposer()), Code::OtherVehicleNotStated);
  EXPECT_EQ(GetListValue(Id::MedicalCondition, Proposer({MedicalConditionPath(0)})), 0);
  EXPECT_EQ(GetListValue(Id::HasMedicalConditions, Proposer()), Code::No);
}

}  // namespace
