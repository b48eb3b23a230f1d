#pragma once
// Object names of the driver pages' controls beyond those of motor/fieldnames.h.

namespace DriverField {
inline constexpr char SexPanel[] = "SexPanel";
inline constexpr char MaleRadioButton[] = "MaleRadioButton";
inline constexpr char FemaleRadioButton[] = "FemaleRadioButton";
inline constexpr char ResidencyNumericEdit[] = "ResidencyNumericEdit";
inline constexpr char ResidencyKwComboEdit[] = "ResidencyKwComboEdit";
inline constexpr char RelationshipKwComboEdit[] = "RelationshipKwComboEdit";
inline constexpr char OtherOccupationKwYesNoDlg[] = "OtherOccupationKwYesNoDlg";
inline constexpr char LicenceYearsNumericEdit[] = "LicenceYearsNumericEdit";
inline constexpr char LicencePeriodKwComboEdit[] = "LicencePeriodKwComboEdit";
inline constexpr char QualificationsKwYesNoDlg[] = "QualificationsKwYesNoDlg";
inline constexpr char OrganisationKwComboEdit[] = "OrganisationKwComboEdit";
inline constexpr char ClaimsKwYesNoDlg[] = "ClaimsKwYesNoDlg";
inline constexpr char ConvictionsKwYesNoDlg[] = "ConvictionsKwYesNoDlg";
inline constexpr char MedicalConditionKwYesNoDlg[] = "MedicalConditionKwYesNoDlg";
inline constexpr char NCBKwYesNoDlg[] = "NCBKwYesNoDlg";
inline constexpr char OtherVehiclesKwYesNoDlg[] = "OtherVehiclesKwYesNoDlg";
}  // namespace DriverField
