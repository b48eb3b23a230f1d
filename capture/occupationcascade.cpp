// The occupation cascade of the driver pages: the employer's business chooses the occupations
// offered, the occupation (with its qualifier) the employment statuses. Each exit stores its
// choice at once and rebuilds the lists below it.

#include "capture/driverdetailspage.h"
#include "capture/occupationfields.h"
#include "controls/kwcomboedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

TKwComboEdit* Combo(const TDriverDetailsPage* page, const char* name) {
  return page->Field<TKwComboEdit>(name);
}

}  // namespace

void TDriverDetailsPage::ConnectOccupationFields() {
  auto* business = Combo(this, FieldName::BusinessKwComboEdit);
  auto* occupation = Combo(this, FieldName::OccupationKwComboEdit);
  auto* status = Combo(this, FieldName::EmploymentStatusKwComboEdit);
  connect(business, &TKwComboEdit::buildList, this,
          [business] { FillBusinessItems(business, true); });
  business->BuildList();
  connect(business, &TKwComboEdit::changed, this, &TDriverDetailsPage::BusinessChanged);
  connect(business, &TKwComboEdit::exited, this, &TDriverDetailsPage::BusinessLeft);
  connect(occupation, &TKwComboEdit::changed, this, &TDriverDetailsPage::OccupationChanged);
  connect(occupation, &TKwComboEdit::exited, this, &TDriverDetailsPage::OccupationLeft);
  connect(status, &TKwComboEdit::exited, this, &TDriverDetailsPage::EmploymentStatusLeft);
  occupation->setEnabled(false);
  status->setEnabled(false);
}

void TDriverDetailsPage::FillOccupationList(std::int32_t business, bool selectFirst) {
  auto* occupation = Combo(this, FieldName::OccupationKwComboEdit);
  FillOccupationItems(occupation, business, true);
  if (!selectFirst)
    return;
  SelectFirst(occupation);
  const std::int32_t item = occupation->SelectedCode();
  const TPath path = DriverAnd({OccupationPath(0)});
  SetListValue(Id::Occupation, path, OccupationOfItem(item));
  SetListValue(Id::OccupationQualifier, path, QualifierOfItem(item));
}

void TDriverDetailsPage::FillEmploymentStatusList(std::int32_t business, std::int32_t occupation,
                                                  bool selectFirst, std::int32_t qualifier) {
  auto* status = Combo(this, FieldName::EmploymentStatusKwComboEdit);
  // The driver page offers the statuses in alphabetical order, the proposer page in map order.
  FillEmploymentStatusItems(status, business, occupation, qualifier, !IsProposerPage());
  if (!selectFirst)
    return;
  SelectFirst(status);
  // An empty list (no occupation chosen) clears the stored status.
  SetListValue(Id::EmploymentStatus, DriverAnd({OccupationPath(0)}), status->SelectedCode());
}

void TDriverDetailsPage::LoadOccupation() {
  const TPath path = DriverAnd({OccupationPath(0)});
  const std::int32_t business = GetListValue(Id::EmployersBusiness, path);
  const std::int32_t occupation = GetListValue(Id::Occupation, path);
  const std::int32_t qualifier = GetListValue(Id::OccupationQualifier, path);
  FillOccupationList(business, false);
  FillEmploymentStatusList(business, occupation, false, qualifier);
  auto* occupationField = Combo(this, FieldName::OccupationKwComboEdit);
  occupationField->setEnabled(business > 0);
  Combo(this, FieldName::EmploymentStatusKwComboEdit)
      ->setEnabled(occupationField->isEnabled() && business > 0);
  SelectCode(Combo(this, FieldName::BusinessKwComboEdit), business);
  SelectCode(occupationField, OccupationItemCode(occupation, qualifier));
  SelectCode(Combo(this, FieldName::EmploymentStatusKwComboEdit),
             GetListValue(Id::EmploymentStatus, path));
}

void TDriverDetailsPage::BusinessChanged() {
  Combo(this, FieldName::OccupationKwComboEdit)
      ->setEnabled(TextNamesAChoice(Combo(this, FieldName::BusinessKwComboEdit)));
}

void TDriverDetailsPage::OccupationChanged() {
  Combo(this, FieldName::EmploymentStatusKwComboEdit)
      ->setEnabled(TextNamesAChoice(Combo(this, FieldName::OccupationKwComboEdit)));
}

void TDriverDetailsPage::BusinessLeft() {
  auto* businessField = Combo(this, FieldName::BusinessKwComboEdit);
  const TPath path = DriverAnd({OccupationPath(0)});
  if (businessField->ItemIndex() < 0)
    return;
  const std::int32_t business = businessField->SelectedCode();
  if (business == GetListValue(Id::EmployersBusiness, path))
    return;
  SetListValue(Id::EmployersBusiness, path, business);
  FillOccupationList(business, true);
  const std::int32_t item = Combo(this, FieldName::OccupationKwComboEdit)->SelectedCode();
  FillEmploymentStatusList(business, OccupationOfItem(item), true, QualifierOfItem(item));
  Combo(this, FieldName::EmploymentStatusKwComboEdit)->setEnabled(item > 0);
}

void TDriverDetailsPage::OccupationLeft() {
  auto* occupationField = Combo(this, FieldName::OccupationKwComboEdit);
  const TPath path = DriverAnd({OccupationPath(0)});
  if (occupationField->ItemIndex() < 0)
    return;
  const std::int32_t item = occupationField->SelectedCode();
  const std::int32_t stored = OccupationItemCode(GetListValue(Id::Occupation, path),
                                                 GetListValue(Id::OccupationQualifier, path));
  if (item == stored)
    return;
  SetListValue(Id::Occupation, path, OccupationOfItem(item));
  SetListValue(Id::OccupationQualifier, path, QualifierOfItem(item));
  FillEmploymentStatusList(GetListValue(Id::EmployersBusiness, path), OccupationOfItem(item), true,
                           QualifierOfItem(item));
}

void TDriverDetailsPage::EmploymentStatusLeft() {
  auto* status = Combo(this, FieldName::EmploymentStatusKwComboEdit);
  if (status->ItemIndex() >= 0)
    SetListValue(Id::EmploymentStatus, DriverAnd({OccupationPath(0)}), status->SelectedCode());
}
