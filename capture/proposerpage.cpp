#include "capture/proposerpage.h"

#include "controls/kwedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

TPath Address() {
  return {ProposerPath()};
}

}  // namespace

TProposerDetailsKwTabsheetForm::TProposerDetailsKwTabsheetForm(QWidget* parent)
    : TDriverDetailsPage(true, parent) {
  setObjectName(QStringLiteral("TProposerDetailsKwTabsheetForm"));
  const TPathProvider proposer = [this] { return DriverAnd(); };
  const TPathProvider occupation = [this] { return DriverAnd({OccupationPath(0)}); };

  QFormLayout* group = BeginGroup(QStringLiteral("Personal details"));
  binder_.AddRow(group, {.Name = FieldName::DOBKwDate,
                         .Kind = TFieldKind::Date,
                         .Label = "&Date of Birth",
                         .Hint = "|Enter the Proposer's date of birth.",
                         .HelpContext = 110101,
                         .PropertyId = Id::DateOfBirth,
                         .Path = proposer,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foTodayIsNegative | foExitOnStore,
                         .Exit = [this] { DOBKwDateExit(); }});
  binder_.AddRow(group, {.Name = DriverField::SexPanel,
                         .Kind = TFieldKind::Choice,
                         .Label = "&Sex",
                         .Hint = "|Indicate whether the Proposer is male or female.",
                         .HelpContext = 110102,
                         .PropertyId = Id::Sex,
                         .Path = proposer,
                         .Write = TWriteRule::OnExit,
                         .Handler = "MaleRadioButtonExit",
                         .Choices = SexChoices()});
  binder_.AddRow(group, {.Name = FieldName::MaritalStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Marital Status",
                         .Hint = "|Select the marital status of the Proposer.",
                         .HelpContext = 110103,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MaritalStatus,
                         .Path = proposer,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "MaritalStatusKwComboEditExit"});
  const QString residency =
      "|Enter the number of years the Proposer has been permanently resident in the UK.";
  binder_.AddPeriod(group,
                    {.Name = DriverField::ResidencyNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period &Resident in UK",
                     .Hint = residency,
                     .HelpContext = 110104,
                     .PropertyId = Id::ResidencyStartDate,
                     .Path = proposer,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { ResidencyNumericEditExit(); }},
                    {.Name = DriverField::ResidencyKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = residency,
                     .HelpContext = 110104});
  binder_.AddRow(group, {.Name = FieldName::ProposerPostCodeKwEdit,
                         .Kind = TFieldKind::Text,
                         .Label = "&Postcode where Proposer lives",
                         .Hint = "|Enter postcode of the address used for correspondence with "
                                 "the Proposer.",
                         .HelpContext = 110105,
                         .PropertyId = Id::ProposerPostcode,
                         .Path = Address,
                         .Write = TWriteRule::OnExit,
                         .Options = foUpperCase | foHandlerFirst,
                         .MaxLength = 30,
                         .Exit = [this] { ProposerPostCodeKwEditExit(); }});

  group = BeginGroup(QStringLiteral("Occupation"));
  binder_.AddRow(group, {.Name = FieldName::BusinessKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Employers Business",
                         .Hint = "|Select the text that best describes the employer's type of "
                                 "business.",
                         .HelpContext = 110109,
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
                         .Hint = "|Select the text that best describes the Proposer's full-time "
                                 "occupation.",
                         .HelpContext = 110108,
                         .List = TListSource::Page,
                         .PropertyId = Id::Occupation,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfChanged,
                         .Options = foOccupationItem | foExitOnStore,
                         .Exit = [this] { cascade_.OccupationKwComboEditExit(); },
                         .Change = [this] { cascade_.OccupationKwComboEditChange(); }});
  binder_.AddRow(group, {.Name = FieldName::EmploymentStatusKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Proposers Full-time Employment S&tatus",
                         .Hint = "|Select the employment status for the Proposer's full-time "
                                 "occupation .",
                         .HelpContext = 110107,
                         .List = TListSource::Page,
                         .PropertyId = Id::EmploymentStatus,
                         .Path = occupation,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "EmploymentStatusKwComboEditExit"});
  binder_.AddRow(group,
                 {.Name = DriverField::OtherOccupationKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Any Part-time Occ&upation?",
                  .Hint = "|Indicate whether the Proposer has a part-time occupation.",
                  .HelpContext = 110110,
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherOccupationKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherOccupationKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Licence"));
  binder_.AddRow(group, {.Name = FieldName::LicenceTypeKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "&Licence Type",
                         .Hint = "|Select the type of licence held by the Proposer. ",
                         .HelpContext = 110111,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::LicenceType,
                         .Path = proposer,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Handler = "LicenceTypeKwComboEditExit"});
  const QString licence = "|Enter the number of Years/Months that this licence has been valid for.";
  binder_.AddPeriod(group,
                    {.Name = DriverField::LicenceYearsNumericEdit,
                     .Kind = TFieldKind::Number,
                     .Label = "Period Licen&ce Held",
                     .Hint = licence,
                     .HelpContext = 110112,
                     .PropertyId = Id::LicenceStartDate,
                     .Path = proposer,
                     .Write = TWriteRule::OnExit,
                     .Options = foPeriodStart | foHandlerFirst,
                     .Exit = [this] { LicencePeriodNumericEditExit(); }},
                    {.Name = DriverField::LicencePeriodKwComboEdit,
                     .Kind = TFieldKind::List,
                     .Label = {},  // under the number's label
                     .Hint = licence,
                     .HelpContext = 110112});
  binder_.AddRow(group,
                 {.Name = DriverField::QualificationsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has the Proposer any other Driving &Qualifications?",
                  .Hint = "|Indicate whether the Proposer has any other driving qualification.",
                  .HelpContext = 110113,
                  .PropertyId = Id::HasQualifications,
                  .Path = proposer,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.QualificationsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.QualificationsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group, {.Name = DriverField::OrganisationKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Member of Motoring Or&ganisation",
                         .Hint = "|Select the motoring organisation to which the Proposer belongs.",
                         .HelpContext = 110114,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::MotoringOrganisation,
                         .Path = proposer,
                         .Write = TWriteRule::OnExitIfSelected,
                         .Handler = "OrganisationKwComboEditExit"});

  group = BeginGroup(QStringLiteral("Driving history"));
  binder_.AddRow(group,
                 {.Name = DriverField::ClaimsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has the Proposer been involved in any &accidents, losses or claims "
                           "within the last 3 years?",
                  .Hint = "|Indicate whether the Proposer has had any accidents, losses or claims.",
                  .HelpContext = 110115,
                  .PropertyId = Id::HasClaims,
                  .Path = proposer,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ClaimsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ClaimsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::ConvictionsKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has the Proposer been con&victed of any motoring offences within the "
                           "last 5 Years?",
                  .Hint = "|Indicate whether the Proposer has been convicted of any motoring "
                          "offences.",
                  .HelpContext = 110116,
                  .PropertyId = Id::HasConvictions,
                  .Path = proposer,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.ConvictionsKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.ConvictionsKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::MedicalConditionKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Has the Proposer any med&ical conditions?",
                  .Hint = "|Indicate whether the Proposer has any medical conditions.",
                  .HelpContext = 110117,
                  .PropertyId = Id::HasMedicalConditions,
                  .Path = proposer,
                  .Write = TWriteRule::OnChange,
                  .Options = foDialogOnYes | foHandlerFirst,
                  .Change = [this] { questions_.MedicalConditionKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.MedicalConditionKwYesNoDlgCallDialog(); }});

  group = BeginGroup(QStringLiteral("Other insurance"));
  binder_.AddRow(group, {.Name = DriverField::NCBKwYesNoDlg,
                         .Kind = TFieldKind::YesNo,
                         .Label = "Does the Proposer have any &No Claims Bonus from a current or "
                                  "previous insurance policy?",
                         .Hint = "|Indicate if the Proposer has any No Claims Bonus.",
                         .HelpContext = 110118,
                         .Options = foDialogOnYes,
                         .Change = [this] { questions_.NCBKwYesNoDlgChange(); },
                         .CallDialog = [this] { questions_.NCBKwYesNoDlgCallDialog(); }});
  binder_.AddRow(group,
                 {.Name = DriverField::OtherVehiclesKwYesNoDlg,
                  .Kind = TFieldKind::YesNo,
                  .Label = "Does the Proposer O&wn, Use or Insure any other vehicles?",
                  .Hint = "|Indicate if the Proposer Owns, Uses or Insures any other vehicle.",
                  .HelpContext = 110119,
                  .Options = foDialogOnYes,
                  .Change = [this] { questions_.OtherVehiclesKwYesNoDlgChange(); },
                  .CallDialog = [this] { questions_.OtherVehiclesKwYesNoDlgCallDialog(); }});
  FinishFields();
}

void TProposerDetailsKwTabsheetForm::ProposerPostCodeKwEditExit() {
  auto* field = Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit);
  // The check reformats what it can (AB12CD becomes AB1 2CD) and warns about the rest; what the
  // user typed is stored either way.
  QString postcode = field->Text();
  ValidatePostcode(field, postcode);
  field->SetText(postcode);
  const TPath vehicle{VehiclePath()};
  // The vehicle is kept where the proposer lives until its postcode is told otherwise.
  if (GetStringValue(Id::VehiclePostcode, vehicle) ==
      GetStringValue(Id::ProposerPostcode, Address())) {
    SetStringValue(Id::VehiclePostcode, vehicle, postcode);
    emit postcodeFollowed(postcode);
  }
}
