#include "capture/otheroccupationform.h"

#include <QAbstractItemModel>
#include <QFormLayout>

#include "capture/occupationfields.h"
#include "controls/kwcomboedit.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

const QString kIncomplete = QStringLiteral(
    "You must select a description from each of the drop-down lists for 'Employment Status', "
    "'Occupation' and 'Employers Business'\r\rDo you want to remove this part time occupation?");

// A list counts as chosen with an item selected whose code is not 0 ("<select>").
bool Chosen(const TKwComboEdit* list) {
  return list->SelectedCode() != 0;
}

}  // namespace

TOtherOccupationForm::TOtherOccupationForm(QWidget* owner, int driver,
                                           const TCodedStringList& businesses)
    : TCaptureDialog(owner), driver_(driver) {
  setObjectName(QStringLiteral("TOtherOccupationForm"));
  setWindowTitle(
      driver == 0 ? QStringLiteral("Part Time Occupation for the Proposer")
                  : QStringLiteral("Part Time Occupation for Additional Driver : %1").arg(driver));
  auto* fields = new QWidget(this);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  // The business and the status load and store (at Close) through their rows; the occupation
  // item stands for two properties, the occupation and its qualifier.
  const TPathProvider partTime = [this] { return PartTime(); };
  businessField_ = static_cast<TKwComboEdit*>(Binder().AddRow(
      form, {.Name = "BusinessKwComboEdit",
             .Kind = TFieldKind::List,
             .Label = "Employers &Business",
             .Hint = "|Select the text that best describes the employer's type of business.",
             .HelpContext = 120103,
             .List = TListSource::Page,
             .PropertyId = Id::EmployersBusiness,
             .Path = partTime}));
  occupationField_ = static_cast<TKwComboEdit*>(Binder().AddRow(
      form,
      {.Name = "OccupationKwComboEdit",
       .Kind = TFieldKind::List,
       .Label = "&Occupation",
       .Hint = "|Select the text that best describes the Proposer's/Driver's part-time occupation.",
       .HelpContext = 120102,
       .List = TListSource::Page,
       .PropertyId = Id::Occupation,
       .Path = partTime,
       .Options = foOccupationItem}));
  statusField_ = static_cast<TKwComboEdit*>(Binder().AddRow(
      form, {.Name = "EmploymentStatusKwComboEdit",
             .Kind = TFieldKind::List,
             .Label = "Employment &Status",
             .Hint = QStringLiteral("Select the employment status for the Proposer\u2019s/Driver's "
                                    "part-time occupation."),
             .HelpContext = 120101,
             .List = TListSource::Page,
             .PropertyId = Id::EmploymentStatus,
             .Path = partTime}));
  for (TKwComboEdit* list : {businessField_, occupationField_, statusField_})
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
  close_ =
      LayOutWithClose({fields}, {businessField_, occupationField_, statusField_},
                      "|Closes the dialog and returns you to the 'Proposer/Driver Page'.", 120104);

  CopyItems(businessField_, businesses);
  businessField_->model()->sort(0);
  const TPath path = PartTime();
  int occupations = 0;
  GetObjectCount({DriverPath(driver)}, ObjectCode::Occupation, occupations);
  if (occupations < 2) {
    // A new part-time occupation: a part-time employment, as an employee until told otherwise.
    SetListValueByABI(Id::OccupationKind, path, QStringLiteral("N"), false, false);
    SetListValueByABI(Id::EmploymentStatus, path, QStringLiteral("E"), false, false);
  }
  business_ = GetListValue(Id::EmployersBusiness, path);
  occupationItem_ = OccupationItemCode(GetListValue(Id::Occupation, path),
                                       GetListValue(Id::OccupationQualifier, path));
  FillOccupationItems(occupationField_, business_, true);
  SelectFirst(occupationField_);
  RebuildStatuses(business_, occupationItem_);
  occupationField_->setEnabled(business_ > 0);
  statusField_->setEnabled(occupationField_->isEnabled() && business_ > 0);
  Binder().Load("BusinessKwComboEdit");
  Binder().Load("OccupationKwComboEdit");
  Binder().Load("EmploymentStatusKwComboEdit");

  connect(businessField_, &TKwComboEdit::changed, this,
          [this] { occupationField_->setEnabled(TextNamesAChoice(businessField_)); });
  connect(occupationField_, &TKwComboEdit::changed, this,
          [this] { statusField_->setEnabled(TextNamesAChoice(occupationField_)); });
  connect(businessField_, &TKwComboEdit::exited, this, &TOtherOccupationForm::BusinessLeft);
  connect(occupationField_, &TKwComboEdit::exited, this, &TOtherOccupationForm::OccupationLeft);
}

TPath TOtherOccupationForm::PartTime() const {
  return {DriverPath(driver_), OccupationPath(1)};
}

void TOtherOccupationForm::RebuildStatuses(std::int32_t business, std::int32_t occupationItem) {
  FillEmploymentStatusItems(statusField_, business, OccupationOfItem(occupationItem),
                            QualifierOfItem(occupationItem), true);
  SelectFirst(statusField_);
}

void TOtherOccupationForm::BusinessLeft() {
  const std::int32_t business = businessField_->SelectedCode();
  if (businessField_->ItemIndex() < 0 || business == business_)
    return;
  FillOccupationItems(occupationField_, business, true);
  SelectFirst(occupationField_);
  const std::int32_t item = occupationField_->SelectedCode();
  RebuildStatuses(business, item);
  statusField_->setEnabled(item > 0);
  business_ = business;
  occupationItem_ = item;
}

void TOtherOccupationForm::OccupationLeft() {
  const std::int32_t item = occupationField_->SelectedCode();
  if (occupationField_->ItemIndex() < 0 || item == occupationItem_)
    return;
  RebuildStatuses(businessField_->SelectedCode(), item);
  occupationItem_ = item;
}

void TOtherOccupationForm::CloseClicked() {
  if (!StoreEditedField(close_))
    return;
  // An occupation not chosen (or no item at all) gives up the part-time occupation.
  if (!Chosen(occupationField_)) {
    done(mrCancel);
    return;
  }
  if (Chosen(businessField_) && Chosen(statusField_)) {
    Binder().Store("EmploymentStatusKwComboEdit");
    Binder().Store("OccupationKwComboEdit");
    Binder().Store("BusinessKwComboEdit");
    done(mrOk);
    return;
  }
  if (Ask(PromptKind::Information, PromptButtons::YesNo, kIncomplete) == PromptAnswer::Yes)
    done(mrCancel);
}

bool ExecuteOtherOccupation(QWidget* owner, int driver, const TCodedStringList& businesses) {
  TOtherOccupationForm form(owner, driver, businesses);
  return RunCaptureDialog(form) == mrOk;
}
