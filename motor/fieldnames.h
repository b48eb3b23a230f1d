#pragma once
// Object names of the capture pages' field controls that the program names outside the page
// that holds them: the missing-data check leads the user to these fields by name. The pages
// give their controls these names, so the two cannot drift apart.

namespace FieldName {
// The proposer page and each driver page.
inline constexpr char DOBKwDate[] = "DOBKwDate";
inline constexpr char MaritalStatusKwComboEdit[] = "MaritalStatusKwComboEdit";
inline constexpr char BusinessKwComboEdit[] = "BusinessKwComboEdit";
inline constexpr char OccupationKwComboEdit[] = "OccupationKwComboEdit";
inline constexpr char EmploymentStatusKwComboEdit[] = "EmploymentStatusKwComboEdit";
inline constexpr char LicenceTypeKwComboEdit[] = "LicenceTypeKwComboEdit";
// The proposer page only.
inline constexpr char ProposerPostCodeKwEdit[] = "ProposerPostCodeKwEdit";
// The vehicle page.
inline constexpr char VehicleYearNumericEdit[] = "VehicleYearNumericEdit";
inline constexpr char VehicleMakeKwComboEdit[] = "VehicleMakeKwComboEdit";
inline constexpr char VehicleModelKwComboEdit[] = "VehicleModelKwComboEdit";
inline constexpr char PostCodeKwEdit[] = "PostCodeKwEdit";
inline constexpr char LocationKwComboEdit[] = "LocationKwComboEdit";
inline constexpr char DrivingRestrictionsKwComboEdit[] = "DrivingRestrictionsKwComboEdit";
}  // namespace FieldName
