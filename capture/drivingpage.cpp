#include "capture/drivingpage.h"

#include "capture/fieldvalues.h"
#include "controls/kwcomboedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/mainwindowlink.h"
#include "platform/prompt.h"

const QString TDrivingDetailsKwTabsheetForm::kSelectAnItem =
    QStringLiteral("Please select an item from the list");

namespace {

// "Proposer" and "Vehicle" come before the first driver's tab.
constexpr int kTabsBeforeDrivers = 2;

}  // namespace

TDrivingDetailsKwTabsheetForm::TDrivingDetailsKwTabsheetForm(QWidget* parent)
    : TDriverDetailsPage(false, parent) {
  setObjectName(QStringLiteral("TDrivingDetailsKwTabsheetForm"));
  const TPathProvider driver = [this] { return DriverAnd(); };
  const TPathProvider occupation = [this] { return DriverAnd({OccupationPath(0)}); };

  QFormLayout* group = BeginGroup(QStringLiteral("Personal details"));
  binder_.AddRow(group, {.Name = FieldName::DOBKwDate,
                         .Kind = TFieldKind::Date,
                         .Label = "&Date of Birth",
                         .Hint = "|Enter the Driver's date of birth.",
                         .HelpContext = 110301,
                         .PropertyId = Id::DateOfBirth,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foTodayIsNegative | foExitOnStore,
                         .Exit = [this] { DOBKwDateExit(); }});
  binder_.AddRow(group, {.Name = DriverField::SexPanel,
                         .Kind = TFieldKind::Choice,
                         .Label = "&Sex",
                         .Hint = "|Indicate whether the Driver is male or female.",
                         .HelpContext = 110302,
                         .PropertyId = Id::Sex,
                         .Path = driver,
                         .Write = TWriteRule::OnExit,
                         .Handler = "MaleRadioButtonExit",
                         .Choices = SexChoices()});
  binder_.AddRow(group, {.Name = FieldName::MaritalStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Marital Status",
                         .Hint = "|Select the marital status of the Driver.",
                         .HelpContext = 110303,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MaritalStatus,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "MaritalStatusKwComboEditExit"});
  const QString residency =
      "|Enter the number of years the Driver has been permanently resident in the UK.";
  binder_.AddPeriod(group,
                    {.Name = DriverField::ResidencyNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period &Resident in UK",
                     .Hint = residency,
                     .HelpContext = 110304,
                     .PropertyId = Id::ResidencyStartDate,
                     .Path = driver,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { ResidencyNumericEditExit(); }},
                    {.Name = DriverField::ResidencyKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = residency,
                     .HelpContext = 110304});
  binder_.AddRow(group, {.Name = DriverField::RelationshipKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Relationship to &Proposer",
                         .Hint = "|Select the relationship between this Driver and the Proposer.",
                         .HelpContext = 110306,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::Relationship,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Exit = [this] { RelationshipKwComboEditExit(); }});

  group = BeginGroup(QStringLiteral("Occupation"));
  binder_.AddRow(group, {.Name = FieldName::BusinessKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Employers Business",
                         .Hint = "|Select the text that best describes the employer's type of "
                                 "business.",
                         .HelpContext = 110309,
                         .List = TListSource::Page,
                         .PropertyId = Id::EmployersBusiness,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foExitOnStore,
                         .Exit = [this] { cascade_.BusinessKwComboEditExit(); },
                         .Change = [this] { cascade_.BusinessKwComboEditChange(); },
                         .BuildList = [this] { cascade_.BusinessKwComboEditBuildList(); }});
  binder_.AddRow(group, {.Name = FieldName::OccupationKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Full-time &Occupation",
                         .Hint = "|Select the text that best describes the Driver's full-time "
                                 "occupation. ",
                         .HelpContext = 110308,
                         .List = TListSource::Page,
                         .PropertyId = Id::Occupation,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foOccupationItem | foExitOnStore,
                         .Exit = [this] { cascade_.OccupationKwComboEditExit(); },
                         .Change = [this] { cascade_.OccupationKwComboEditChange(); }});
  binder_.AddRow(group, {.Name = FieldName::EmploymentStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Drivers Full-time Employment S&tatus",
                         .Hint = "|Select the employment status for the Driver's full-time "
                                 "occupation. ",
                         .HelpContext = 110307,
                         .List = TListSource::Page,
                         .PropertyId = Id::EmploymentStatus,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "EmploymentStatusKwComboEditExit"});
  binder_.AddRow(group,
                 {.Name = DriverField::OtherOccupationKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Any Part-time Occ&upation?",
                  .Hint = "|Indicate whether the Driver has a part-time occupation.",
                  .HelpContext = 110310,
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherOccupationKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherOccupationKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Licence"));
  binder_.AddRow(group, {.Name = FieldName::LicenceTypeKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Licence Type",
                         .Hint = "|Select the type of licence held by the Driver. ",
                         .HelpContext = 110311,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::LicenceType,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "LicenceTypeKwComboEditExit"});
  const QString licence = "|Enter the number of Years/Months that this licence has been valid for.";
  binder_.AddPeriod(group,
                    {.Name = DriverField::LicenceYearsNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period Licen&ce Held",
                     .Hint = licence,
                     .HelpContext = 110312,
                     .PropertyId = Id::LicenceStartDate,
                     .Path = driver,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { LicencePeriodNumericEditExit(); }},
                    {.Name = DriverField::LicencePeriodKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = licence,
                     .HelpContext = 110312});
  binder_.AddRow(group,
                 {.Name = DriverField::QualificationsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has this Driver any other Driving &Qualifications?",
                  .Hint = "|Indicate whether the Driver has any other driving qualification.",
                  .HelpContext = 110313,
                  .PropertyId = Id::HasQualifications,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.QualificationsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.QualificationsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group, {.Name = DriverField::OrganisationKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Member of Motoring Or&ganisation",
                         .Hint = "|Select the motoring organisation to which the Driver belongs.",
                         .HelpContext = 110314,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MotoringOrganisation,
                         .Path = driver,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "OrganisationKwComboEditExit"});

  group = BeginGroup(QStringLiteral("Driving history"));
  binder_.AddRow(group,
                 {.Name = DriverField::ClaimsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has this Driver been involved in any &accidents, losses or claims "
                           "within the last 3 years?",
                  .Hint = "|Indicate whether the Driver has had any accidents, losses or claims.",
                  .HelpContext = 110315,
                  .PropertyId = Id::HasClaims,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ClaimsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ClaimsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::ConvictionsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has this Driver been con&victed of any motoring offences within the "
                           "last 5 Years?",
                  .Hint = "|Indicate whether this Driver has been convicted of any motoring "
                          "offences.",
                  .HelpContext = 110316,
                  .PropertyId = Id::HasConvictions,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ConvictionsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ConvictionsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::MedicalConditionKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has this Driver any med&ical conditions?",
                  .Hint = "|Indicate whether the Driver has any medical conditions.",
                  .HelpContext = 110317,
                  .PropertyId = Id::HasMedicalConditions,
                  .Path = driver,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.MedicalConditionKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.MedicalConditionKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Other insurance"));
  binder_.AddRow(group,
                 {.Name = DriverField::OtherVehiclesKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Does this Driver O&wn, Use or Insure any other vehicles?",
                  .Hint = "|Indicate if this Driver Owns, Uses or Insures any other vehicle.",
                  .HelpContext = 110319,
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherVehiclesKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherVehiclesKwYesNoDlgCallDialog(); }});
  FinishFields();
}

void TDrivingDetailsKwTabsheetForm::SelectDriver(int n) {
  TMainWindowLink* window = MainWindowLink();
  const int tabs = window != nullptr ? window->PageTabCount() : 0;
  // Driver n's tab must exist; 0 (no driver) always does.
  if (n != currentDriver_ && tabs >= n + kTabsBeforeDrivers) {
    currentDriver_ = n;
    if (n > 0)
      LoadDetails();
  }
  if (n > 0) {
    // With the proposer and spouse, the one additional driver is the spouse.
    const bool spouse =
        GetListValue(Id::DrivingRestriction, {CoverPath()}) == Code::ProposerAndSpouse;
    Control(DriverField::RelationshipKwComboEdit)->setEnabled(!spouse);
  }
}

void TDrivingDetailsKwTabsheetForm::LoadDetails() {
  if (currentDriver_ > 0)
    TDriverDetailsPage::LoadDetails();
}

void TDrivingDetailsKwTabsheetForm::RelationshipKwComboEditExit() {
  auto* relationship = Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit);
  if (relationship->ItemIndex() >= 0)
    return;
  Ask(PromptKind::Warning, PromptButtons::Ok, kSelectAnItem);
  SelectCode(relationship, 0);
  relationship->setFocus(Qt::OtherFocusReason);
}
