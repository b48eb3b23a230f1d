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
  AddFields();
}

void TDrivingDetailsKwTabsheetForm::AddOwnPersonalRow(QFormLayout* group) {
  binder_.AddRow(group, {.Name = DriverField::RelationshipKwComboEdit,
                         .Kind = TFieldKind::List,
                         .Label = "Relationship to &Proposer",
                         .Hint = "|Select the relationship between this Driver and the Proposer.",
                         .HelpContext = 110306,
                         .List = TListSource::DataServer,
                         .PropertyId = Id::Relationship,
                         .Path = [this] { return DriverAnd(); },
                         .Write = TWriteRule::OnExitIfSelected,
                         .Options = foInitialCaps,
                         .Exit = [this] { RelationshipKwComboEditExit(); }});
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

void TDrivingDetailsKwTabsheetForm::RelationshipKwComboEditExit() {
  auto* relationship = Field<TKwComboEdit>(DriverField::RelationshipKwComboEdit);
  if (relationship->ItemIndex() >= 0)
    return;
  Ask(PromptKind::Warning, PromptButtons::Ok, kSelectAnItem);
  SelectCode(relationship, 0);
  relationship->setFocus(Qt::OtherFocusReason);
}
