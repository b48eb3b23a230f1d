#include "capture/occupationcascade.h"

#include "capture/fieldbinder.h"
#include "capture/occupationfields.h"
#include "controls/kwcomboedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

TOccupationCascade::TOccupationCascade(TFieldBinder& binder, TPathProvider occupation,
                                       bool sortedStatuses)
    : binder_(binder), path_(std::move(occupation)), sortedStatuses_(sortedStatuses) {}

TKwComboEdit* TOccupationCascade::Business() const {
  return binder_.Field<TKwComboEdit>(FieldName::BusinessKwComboEdit);
}

TKwComboEdit* TOccupationCascade::Occupation() const {
  return binder_.Field<TKwComboEdit>(FieldName::OccupationKwComboEdit);
}

TKwComboEdit* TOccupationCascade::Status() const {
  return binder_.Field<TKwComboEdit>(FieldName::EmploymentStatusKwComboEdit);
}

void TOccupationCascade::Start() {
  Business()->BuildList();
  Occupation()->setEnabled(false);
  Status()->setEnabled(false);
}

void TOccupationCascade::BusinessKwComboEditBuildList() {
  FillBusinessItems(Business(), true);
}

void TOccupationCascade::FillOccupationList(std::int32_t business, bool selectFirst) {
  TKwComboEdit* occupation = Occupation();
  FillOccupationItems(occupation, business, true);
  if (!selectFirst)
    return;
  SelectFirst(occupation);
  binder_.Store(FieldName::OccupationKwComboEdit);
}

void TOccupationCascade::FillEmploymentStatusList(std::int32_t business, std::int32_t occupation,
                                                  bool selectFirst, std::int32_t qualifier) {
  TKwComboEdit* status = Status();
  FillEmploymentStatusItems(status, business, occupation, qualifier, sortedStatuses_);
  if (!selectFirst)
    return;
  SelectFirst(status);
  // An empty list (no occupation chosen) clears the stored status.
  binder_.Store(FieldName::EmploymentStatusKwComboEdit);
}

void TOccupationCascade::Load() {
  const TPath path = path_();
  const std::int32_t business = GetListValue(Id::EmployersBusiness, path);
  const std::int32_t occupation = GetListValue(Id::Occupation, path);
  const std::int32_t qualifier = GetListValue(Id::OccupationQualifier, path);
  FillOccupationList(business, false);
  FillEmploymentStatusList(business, occupation, false, qualifier);
  TKwComboEdit* occupationField = Occupation();
  occupationField->setEnabled(business > 0);
  Status()->setEnabled(occupationField->isEnabled() && business > 0);
  SelectCode(occupationField, OccupationItemCode(occupation, qualifier));
}

void TOccupationCascade::BusinessKwComboEditChange() {
  Occupation()->setEnabled(TextNamesAChoice(Business()));
}

void TOccupationCascade::OccupationKwComboEditChange() {
  Status()->setEnabled(TextNamesAChoice(Occupation()));
}

void TOccupationCascade::BusinessKwComboEditExit() {
  const std::int32_t business = Business()->SelectedCode();
  FillOccupationList(business, true);
  const std::int32_t item = Occupation()->SelectedCode();
  FillEmploymentStatusList(business, OccupationOfItem(item), true, QualifierOfItem(item));
  Status()->setEnabled(item > 0);
}

void TOccupationCascade::OccupationKwComboEditExit() {
  // The row has stored a new occupation (and its qualifier): the statuses follow it.
  const TPath path = path_();
  const std::int32_t item = Occupation()->SelectedCode();
  FillEmploymentStatusList(GetListValue(Id::EmployersBusiness, path), OccupationOfItem(item), true,
                           QualifierOfItem(item));
}
