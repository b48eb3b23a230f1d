#include "capture/vehiclemodelcascade.h"

#include <QKeyEvent>
#include <algorithm>

#include "capture/vehiclepagefields.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/numericedit.h"
#include "controls/spinbutton.h"
#include "controls/today.h"
#include "motor/identifiers.h"

using namespace VehicleField;

namespace {

void Fill(TKwComboEdit* list, const ListItems& items) {
  list->ClearItems();
  for (const ListItem& item : items)
    list->AddItem(item.text, item.code);
}

void SortByText(ListItems::iterator first, ListItems::iterator last) {
  std::stable_sort(first, last, [](const ListItem& a, const ListItem& b) {
    return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
  });
}

}  // namespace

TVehicleModelCascade::TVehicleModelCascade(QWidget* page, TFieldBinder& binder)
    : page_(page), binder_(binder) {}

TSpinButton* TVehicleModelCascade::MakeYearSpin() {
  auto* spin = new TSpinButton(page_);
  spin->setObjectName(QLatin1String(VehicleYearSpinButton));
  SetFieldHint(spin, QStringLiteral("Increase/Decrease Year"));
  SetHelpContext(spin, 110201);
  connect(spin, &TSpinButton::upClicked, this, &TVehicleModelCascade::VehicleYearSpinButtonUpClick);
  connect(spin, &TSpinButton::downClicked, this,
          &TVehicleModelCascade::VehicleYearSpinButtonDownClick);
  binder_.Control(VehicleYearNumericEdit)->installEventFilter(this);
  return spin;
}

// ---- Lists --------------------------------------------------------------------------------------

void TVehicleModelCascade::VehicleMakeKwComboEditBuildList() {
  TKwComboEdit* make = binder_.Field<TKwComboEdit>(VehicleMakeKwComboEdit);
  ListItems makes;
  // A list that cannot be read has been reported; the build is abandoned.
  if (FillEnumList(make->ListID(), makes) != 0)
    return;
  SortByText(makes.begin(), makes.end());
  makes.prepend({QStringLiteral("<Select>"), 0});
  Fill(make, makes);
  make->SetItemIndex(0);
}

void TVehicleModelCascade::VehicleModelKwComboEditBuildList() {
  TKwComboEdit* model = binder_.Field<TKwComboEdit>(VehicleModelKwComboEdit);
  const std::int32_t make = binder_.Field<TKwComboEdit>(VehicleMakeKwComboEdit)->SelectedCode();
  ListItems models;
  if (make <= 0) {
    models.append({QStringLiteral("<No Make Selected>"), 0});
  } else {
    FillModelList(make, binder_.Field<TNumericEdit>(VehicleYearNumericEdit)->AsInteger(), QString(),
                  models);
    // "<Select>" stays first.
    if (models.size() > 1)
      SortByText(models.begin() + 1, models.end());
  }
  Fill(model, models);
  binder_.SetEnabled(VehicleModelKwComboEdit, models.size() > 1);
  model->SetItemIndex(0);
}

// ---- Year and make ------------------------------------------------------------------------------

bool TVehicleModelCascade::eventFilter(QObject* watched, QEvent* event) {
  // The arrow keys work the spin button beside the year, which the mouse uses.
  if (watched == binder_.Control(VehicleYearNumericEdit) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      key == Qt::Key_Up ? VehicleYearSpinButtonUpClick() : VehicleYearSpinButtonDownClick();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void TVehicleModelCascade::VehicleYearNumericEditExit() {
  // The row has stored a changed year (corrected, without marking the proposal modified; a
  // year of 0 takes the stored year away); the models follow it.
  RebuildModelsAfterChange();
}

void TVehicleModelCascade::VehicleYearSpinButtonUpClick() {
  auto* field = binder_.Field<TNumericEdit>(VehicleYearNumericEdit);
  if (field->AsInteger() < Today().year())
    field->SetAsInteger(field->AsInteger() + 1);
  binder_.Leave(VehicleYearNumericEdit);
}

void TVehicleModelCascade::VehicleYearSpinButtonDownClick() {
  auto* field = binder_.Field<TNumericEdit>(VehicleYearNumericEdit);
  if (field->AsInteger() > 0)
    field->SetAsInteger(field->AsInteger() - 1);
  binder_.Leave(VehicleYearNumericEdit);
}

void TVehicleModelCascade::VehicleMakeKwComboEditExit() {
  // The row has stored a changed make; the models follow it.
  RebuildModelsAfterChange();
}

void TVehicleModelCascade::RebuildModelsAfterChange() {
  auto* model = binder_.Field<TKwComboEdit>(VehicleModelKwComboEdit);
  model->BuildList();
  const std::int32_t stored = GetListValue(Id::VehicleModel, Vehicle());
  if (stored == 0)
    return;
  // The model stays while the new list offers it; otherwise it goes, so that the field and
  // the proposal agree (a model of another make or year would be quoted unseen).
  // The rebuilt list shows its first item, which stands for no model: storing it clears the
  // model.
  const int index = model->IndexOfCode(stored);
  if (index > 0)
    model->SetItemIndex(index);
  else
    binder_.Store(VehicleModelKwComboEdit);
}
