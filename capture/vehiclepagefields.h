#pragma once
// The object names of the vehicle page's controls, in tab order. The page builds them from its
// field table; the page's sources, the classes that handle some of its fields, and the tests name
// them from here.

#include "motor/fieldnames.h"

namespace VehicleField {
inline constexpr const char* VehicleYearNumericEdit = FieldName::VehicleYearNumericEdit;
inline constexpr char VehicleYearSpinButton[] = "VehicleYearSpinButton";
inline constexpr const char* VehicleMakeKwComboEdit = FieldName::VehicleMakeKwComboEdit;
inline constexpr const char* VehicleModelKwComboEdit = FieldName::VehicleModelKwComboEdit;
inline constexpr char LHDKwYesNoDlg[] = "LHDKwYesNoDlg";
inline constexpr char SeatsNumericEdit[] = "SeatsNumericEdit";
inline constexpr char RegNoKwEdit[] = "RegNoKwEdit";
inline constexpr char ValueNumericEdit[] = "ValueNumericEdit";
inline constexpr char PrivateMileageNumericEdit[] = "PrivateMileageNumericEdit";
inline constexpr const char* LocationKwComboEdit = FieldName::LocationKwComboEdit;
inline constexpr const char* PostCodeKwEdit = FieldName::PostCodeKwEdit;
inline constexpr char LeaseKwYesNoDlg[] = "LeaseKwYesNoDlg";
inline constexpr char ModificationsKwYesNoDlg[] = "ModificationsKwYesNoDlg";
inline constexpr char SecurityDevicesKwYesNoDlg[] = "SecurityDevicesKwYesNoDlg";
inline constexpr char UseKwComboEdit[] = "UseKwComboEdit";
inline constexpr char GoodsKwYesNoDlg[] = "GoodsKwYesNoDlg";
inline constexpr char BusMileageNumericEdit[] = "BusMileageNumericEdit";
inline constexpr char CoverKwComboEdit[] = "CoverKwComboEdit";
inline constexpr char VoluntaryExcessAmountKwComboEdit[] = "VoluntaryExcessAmountKwComboEdit";
inline constexpr const char* DrivingRestrictionsKwComboEdit =
    FieldName::DrivingRestrictionsKwComboEdit;
inline constexpr char YoungestDriverNumericEdit[] = "YoungestDriverNumericEdit";
inline constexpr char FemaleDriversKwComboEdit[] = "FemaleDriversKwComboEdit";
inline constexpr char MainDriverKwComboEdit[] = "MainDriverKwComboEdit";
inline constexpr char RegisteredKeeperKwComboEdit[] = "RegisteredKeeperKwComboEdit";
inline constexpr char RegisteredOwnerKwComboEdit[] = "RegisteredOwnerKwComboEdit";
}  // namespace VehicleField
