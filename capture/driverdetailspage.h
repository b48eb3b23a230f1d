#pragma once
// TDriverDetailsPage: what the proposer page and the additional-driver page share. The two pages
// have the same fields, the same occupation cascade, the same detail dialogs and the same way of
// writing every answer when it is given; the proposer page adds the age checks, the postcode and
// the no-claims bonus, the driver page the relationship to the proposer.
//
// Each page builds its own field table (in the order of its tab stops) with the Add... calls
// below, grouped as the page's bevels group them, and then calls FinishFields(). Every answer
// is written into the Data Server for Driver() as the field is left or the answer changes, and
// LoadDetails reads every field back.

#include <QDate>
#include <QGroupBox>
#include <QRadioButton>
#include <cstdint>

#include "capture/capturepage.h"
#include "capture/claimrecords.h"
#include "capture/fieldbinder.h"
#include "capture/periods.h"

class QFormLayout;
class TKwComboEdit;
class TKwDate;
class TKwYesNoDlg;
class TNumericEdit;

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

class TDriverDetailsPage : public TCapturePage {
  Q_OBJECT

 public:
  void LoadDetails() override;
  // Puts the focus on the date of birth.
  void FormShow();

  // The driver the page writes: 0 for the proposer, the driver shown on the driver page.
  virtual int Driver() const = 0;
  bool IsProposerPage() const { return proposer_; }

  // The page's controls by object name.
  QWidget* Control(const char* name) const;
  template <class Control>
  Control* Field(const char* name) const {
    return qobject_cast<Control*>(this->Control(name));
  }

  TClaimList& ClaimList() { return claims_; }
  TConvictionList& ConvictionList() { return convictions_; }

  // Rebuild the Occupation list for a business and the Employment Status list for (business,
  // occupation, qualifier); with selectFirst the first item is selected and stored.
  void FillOccupationList(std::int32_t business, bool selectFirst);
  void FillEmploymentStatusList(std::int32_t business, std::int32_t occupation, bool selectFirst,
                                std::int32_t qualifier);

 protected:
  TDriverDetailsPage(bool proposer, QWidget* parent);

  // ---- Building the field table (in tab order).
  // Starts the next bevel group; `name` is read out by screen readers.
  void BeginGroup(const QString& name);
  QWidget* AddRow(const TFieldRow& row);
  // The two sex buttons in SexPanel, under one label.
  void AddSex(const QString& label, const QString& hint, int helpContext);
  // A period: a whole number and its unit list ("Years", "Months"), under the number's label.
  void AddPeriod(const TFieldRow& number, const TFieldRow& unit);
  // Connects the handlers of the fields the page has, and sets the tab order.
  void FinishFields();

  // A path of the page's driver: the driver, then `below` (empty for the driver itself).
  TPath DriverAnd(std::initializer_list<TPathEntry> below = {}) const;
  // "the proposer" or "Driver : n", as the removal confirmations name the driver.
  QString ForWhom() const;

  // The page's own additions to LoadDetails, run after the shared steps.
  virtual void LoadOwnDetails() {}

  TFieldBinder binder_{this};

 private:
  // ---- Handlers (driverdetailspage.cpp).
  void DateOfBirthStored();
  void SexLeft();
  void ResidencyLeft();
  void LicencePeriodLeft();
  void ConnectPersonalFields();
  QDate EnteredBirthDate() const;
  TPeriodUnit Unit(const char* unitField) const;
  void SetPeriod(const char* numberField, const char* unitField, const TShownPeriod& period);
  void LoadPeriod(const char* numberField, const char* unitField, std::int32_t id);
  void StorePeriod(const char* numberField, const char* unitField, std::int32_t id);

  // ---- The occupation cascade (driveroccupation.cpp).
  void ConnectOccupationFields();
  void LoadOccupation();
  void BusinessChanged();
  void OccupationChanged();
  void BusinessLeft();
  void OccupationLeft();
  void EmploymentStatusLeft();

  // ---- The yes/no questions and their dialogs (driverquestions.cpp).
  void ConnectQuestions();
  void LoadQuestions();
  void PartTimeChanged();
  void PartTimeDialog();
  void QualificationsChanged();
  void QualificationsDialog();
  void ClaimsChanged();
  void ClaimsDialog();
  void ConvictionsChanged();
  void ConvictionsDialog();
  void MedicalChanged();
  void MedicalDialog();
  void BonusChanged();
  void BonusDialog();
  void OtherVehiclesChanged();
  void OtherVehiclesDialog();
  void SaveClaimsAndConvictions();
  void StoreAnswer(const char* question, std::int32_t id);
  bool ConfirmRemoval(const QString& text);
  void SetAnswer(const char* question, bool yes);
  TKwYesNoDlg* Question(const char* name) const;

  bool proposer_;
  TClaimList claims_;
  TConvictionList convictions_;
  QList<QWidget*> tabOrder_;
  QFormLayout* group_ = nullptr;
  int groupCount_ = 0;
  QRadioButton* male_ = nullptr;
  QRadioButton* female_ = nullptr;
};
