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

  BeginGroup(QStringLiteral("Personal details"));
  AddRow({FieldName::DOBKwDate, TFieldKind::Date, "&Date of Birth",
          "|Enter the Driver's date of birth.", 110301, TListSource::None, Id::DateOfBirth, driver,
          TWriteRule::OnExitIfChanged, foTodayIsNegative});
  AddSex("&Sex", "|Indicate whether the Driver is male or female.", 110302);
  AddRow({FieldName::MaritalStatusKwComboEdit, TFieldKind::List, "&Marital Status",
          "|Select the marital status of the Driver.", 110303, TListSource::DataServer,
          Id::MaritalStatus, driver, TWriteRule::OnExitIfSelected, foInitialCaps});
  AddPeriod(
      {DriverField::ResidencyNumericEdit, TFieldKind::Number, "Period &Resident in UK",
       "|Enter the number of years the Driver has been permanently resident in the UK.", 110304},
      {DriverField::ResidencyKwComboEdit, TFieldKind::List, QString(),
       "|Enter the number of years the Driver has been permanently resident in the UK.", 110304});
  AddRow({DriverField::RelationshipKwComboEdit, TFieldKind::List, "Relationship to &Proposer",
          "|Select the relationship between this Driver and the Proposer.", 110306,
          TListSource::DataServer, Id::Relationship, driver, TWriteRule::None, foInitialCaps});

  BeginGroup(QStringLiteral("Occupation"));
  AddRow({FieldName::BusinessKwComboEdit, TFieldKind::List, "&Employers Business",
          "|Select the text that best describes the employer's type of business.", 110309,
          TListSource::Page});
  AddRow({FieldName::OccupationKwComboEdit, TFieldKind::List, "Full-time &Occupation",
          "|Select the text that best describes the Driver's full-time occupation. ", 110308,
          TListSource::Page});
  AddRow({FieldName::EmploymentStatusKwComboEdit, TFieldKind::List,
          "Drivers Full-time Employment S&tatus",
          "|Select the employment status for the Driver's full-time occupation. ", 110307,
          TListSource::Page});
  AddRow({DriverField::OtherOccupationKwYesNoDlg,
          TFieldKind::YesNo,
          "Any Part-time Occ&upation?",
          "|Indicate whether the Driver has a part-time occupation.",
          110310,
          TListSource::None,
          0,
          {},
          TWriteRule::None,
          foDialogOnYes});

  BeginGroup(QStringLiteral("Licence"));
  AddRow({FieldName::LicenceTypeKwComboEdit, TFieldKind::List, "&Licence Type",
          "|Select the type of licence held by the Driver. ", 110311, TListSource::DataServer,
          Id::LicenceType, driver, TWriteRule::OnExitIfSelected, foInitialCaps});
  AddPeriod({DriverField::LicenceYearsNumericEdit, TFieldKind::Number, "Period Licen&ce Held",
             "|Enter the number of Years/Months that this licence has been valid for.", 110312},
            {DriverField::LicencePeriodKwComboEdit, TFieldKind::List, QString(),
             "|Enter the number of Years/Months that this licence has been valid for.", 110312});
  AddRow({DriverField::QualificationsKwYesNoDlg, TFieldKind::YesNo,
          "Has this Driver any other Driving &Qualifications?",
          "|Indicate whether the Driver has any other driving qualification.", 110313,
          TListSource::None, Id::HasQualifications, driver, TWriteRule::None, foDialogOnYes});
  AddRow({DriverField::OrganisationKwComboEdit, TFieldKind::List,
          "Member of Motoring Or&ganisation",
          "|Select the motoring organisation to which the Driver belongs.", 110314,
          TListSource::DataServer, Id::MotoringOrganisation, driver, TWriteRule::OnExitIfSelected});

  BeginGroup(QStringLiteral("Driving history"));
  AddRow({DriverField::ClaimsKwYesNoDlg, TFieldKind::YesNo,
          "Has this Driver been involved in any &accidents, losses or claims within the last 3 "
          "years?",
          "|Indicate whether the Driver has had any accidents, losses or claims.", 110315,
          TListSource::None, Id::HasClaims, driver, TWriteRule::None, foDialogOnYes});
  AddRow({DriverField::ConvictionsKwYesNoDlg, TFieldKind::YesNo,
          "Has this Driver been con&victed of any motoring offences within the last 5 Years?",
          "|Indicate whether this Driver has been convicted of any motoring offences.", 110316,
          TListSource::None, Id::HasConvictions, driver, TWriteRule::None, foDialogOnYes});
  AddRow({DriverField::MedicalConditionKwYesNoDlg, TFieldKind::YesNo,
          "Has this Driver any med&ical conditions?",
          "|Indicate whether the Driver has any medical conditions.", 110317, TListSource::None,
          Id::HasMedicalConditions, driver, TWriteRule::None, foDialogOnYes});

  BeginGroup(QStringLiteral("Other insurance"));
  AddRow({DriverField::OtherVehiclesKwYesNoDlg,
          TFieldKind::YesNo,
          "Does this Driver O&wn, Use or Insure any other vehicles?",
          "|Indicate if this Driver Owns, Uses or Insures any other vehicle.",
          110319,
          TListSource::None,
          0,
          {},
          TWriteRule::None,
          foDialogOnYes});
  FinishFields();

  connect(Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit), &TKwComboEdit::exited, this,
          &TDrivingDetailsKwTabsheetForm::RelationshipLeft);
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

void TDrivingDetailsKwTabsheetForm::RelationshipLeft() {
  auto* relationship = Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit);
  if (relationship->ItemIndex() < 0) {
    Ask(PromptKind::Warning, PromptButtons::Ok, kSelectAnItem);
    SelectCode(relationship, 0);
    relationship->setFocus(Qt::OtherFocusReason);
    return;
  }
  SetListValue(Id::Relationship, DriverAnd(), relationship->SelectedCode());
}
