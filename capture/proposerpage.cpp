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

  BeginGroup(QStringLiteral("Personal details"));
  AddRow({FieldName::DOBKwDate, TFieldKind::Date, "&Date of Birth",
          "|Enter the Proposer's date of birth.", 110101, TListSource::None, Id::DateOfBirth,
          proposer, TWriteRule::OnExitIfChanged, foTodayIsNegative});
  AddSex("&Sex", "|Indicate whether the Proposer is male or female.", 110102);
  AddRow({FieldName::MaritalStatusKwComboEdit, TFieldKind::List, "&Marital Status",
          "|Select the marital status of the Proposer.", 110103, TListSource::DataServer,
          Id::MaritalStatus, proposer, TWriteRule::OnExitIfSelected, foInitialCaps});
  AddPeriod(
      {DriverField::ResidencyNumericEdit, TFieldKind::Number, "Period &Resident in UK",
       "|Enter the number of years the Proposer has been permanently resident in the UK.", 110104},
      {DriverField::ResidencyKwComboEdit, TFieldKind::List, QString(),
       "|Enter the number of years the Proposer has been permanently resident in the UK.", 110104});
  AddRow({FieldName::ProposerPostCodeKwEdit, TFieldKind::Text, "&Postcode where Proposer lives",
          "|Enter postcode of the address used for correspondence with the Proposer.", 110105,
          TListSource::None, Id::ProposerPostcode, Address, TWriteRule::None, foUpperCase, 30});

  BeginGroup(QStringLiteral("Occupation"));
  AddRow({FieldName::BusinessKwComboEdit, TFieldKind::List, "&Employers Business",
          "|Select the text that best describes the employer's type of business.", 110109,
          TListSource::Page});
  AddRow({FieldName::OccupationKwComboEdit, TFieldKind::List, "Full-time &Occupation",
          "|Select the text that best describes the Proposer's full-time occupation.", 110108,
          TListSource::Page});
  AddRow({FieldName::EmploymentStatusKwComboEdit, TFieldKind::List,
          "Proposers Full-time Employment S&tatus",
          "|Select the employment status for the Proposer's full-time occupation .", 110107,
          TListSource::Page});
  AddRow({DriverField::OtherOccupationKwYesNoDlg,
          TFieldKind::YesNo,
          "Any Part-time Occ&upation?",
          "|Indicate whether the Proposer has a part-time occupation.",
          110110,
          TListSource::None,
          0,
          {},
          TWriteRule::None,
          foDialogOnYes});

  BeginGroup(QStringLiteral("Licence"));
  AddRow({FieldName::LicenceTypeKwComboEdit, TFieldKind::List, "&Licence Type",
          "|Select the type of licence held by the Proposer. ", 110111, TListSource::DataServer,
          Id::LicenceType, proposer, TWriteRule::OnExitIfSelected, foInitialCaps});
  AddPeriod({DriverField::LicenceYearsNumericEdit, TFieldKind::Number, "Period Licen&ce Held",
             "|Enter the number of Years/Months that this licence has been valid for.", 110112},
            {DriverField::LicencePeriodKwComboEdit, TFieldKind::List, QString(),
             "|Enter the number of Years/Months that this licence has been valid for.", 110112});
  AddRow({DriverField::QualificationsKwYesNoDlg, TFieldKind::YesNo,
          "Has the Proposer any other Driving &Qualifications?",
          "|Indicate whether the Proposer has any other driving qualification.", 110113,
          TListSource::None, Id::HasQualifications, proposer, TWriteRule::None, foDialogOnYes});
  AddRow(
      {DriverField::OrganisationKwComboEdit, TFieldKind::List, "Member of Motoring Or&ganisation",
       "|Select the motoring organisation to which the Proposer belongs.", 110114,
       TListSource::DataServer, Id::MotoringOrganisation, proposer, TWriteRule::OnExitIfSelected});

  BeginGroup(QStringLiteral("Driving history"));
  AddRow({DriverField::ClaimsKwYesNoDlg, TFieldKind::YesNo,
          "Has the Proposer been involved in any &accidents, losses or claims within the last 3 "
          "years?",
          "|Indicate whether the Proposer has had any accidents, losses or claims.", 110115,
          TListSource::None, Id::HasClaims, proposer, TWriteRule::None, foDialogOnYes});
  AddRow({DriverField::ConvictionsKwYesNoDlg, TFieldKind::YesNo,
          "Has the Proposer been con&victed of any motoring offences within the last 5 Years?",
          "|Indicate whether the Proposer has been convicted of any motoring offences.", 110116,
          TListSource::None, Id::HasConvictions, proposer, TWriteRule::None, foDialogOnYes});
  AddRow({DriverField::MedicalConditionKwYesNoDlg, TFieldKind::YesNo,
          "Has the Proposer any med&ical conditions?",
          "|Indicate whether the Proposer has any medical conditions.", 110117, TListSource::None,
          Id::HasMedicalConditions, proposer, TWriteRule::None, foDialogOnYes});

  BeginGroup(QStringLiteral("Other insurance"));
  AddRow({DriverField::NCBKwYesNoDlg,
          TFieldKind::YesNo,
          "Does the Proposer have any &No Claims Bonus from a current or previous insurance "
          "policy?",
          "|Indicate if the Proposer has any No Claims Bonus.",
          110118,
          TListSource::None,
          0,
          {},
          TWriteRule::None,
          foDialogOnYes});
  AddRow({DriverField::OtherVehiclesKwYesNoDlg,
          TFieldKind::YesNo,
          "Does the Proposer O&wn, Use or Insure any other vehicles?",
          "|Indicate if the Proposer Owns, Uses or Insures any other vehicle.",
          110119,
          TListSource::None,
          0,
          {},
          TWriteRule::None,
          foDialogOnYes});
  FinishFields();

  connect(Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit), &TKwEdit::exited, this,
          &TProposerDetailsKwTabsheetForm::PostcodeLeft);
}

void TProposerDetailsKwTabsheetForm::PostcodeLeft() {
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
    emit PostcodeFollowed(postcode);
  }
  SetStringValue(Id::ProposerPostcode, Address(), postcode);
}
