#include "capture/proposerpage.h"

#include "controls/kwedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

TPath Address() {
  return {ProposerPath()};
}

}  // namespace

TProposerDetailsKwTabsheetForm::TProposerDetailsKwTabsheetForm(QWidget* parent)
    : TDriverDetailsPage(true, parent) {
  setObjectName(QStringLiteral("TProposerDetailsKwTabsheetForm"));
  AddFields();
}

void TProposerDetailsKwTabsheetForm::AddOwnPersonalRow(QFormLayout* group) {
  binder_.AddRow(group, {.Name = FieldName::ProposerPostCodeKwEdit,
                         .Kind = TFieldKind::Text,
                         .Label = "&Postcode where Proposer lives",
                         .Hint = "|Enter postcode of the address used for correspondence with "
                                 "the Proposer.",
                         .HelpContext = 110105,
                         .PropertyId = Id::ProposerPostcode,
                         .Path = Address,
                         .Write = TWriteRule::OnExit,
                         .Options = foUpperCase | foHandlerFirst,
                         .MaxLength = 30,
                         .Exit = [this] { ProposerPostCodeKwEditExit(); }});
}

void TProposerDetailsKwTabsheetForm::ProposerPostCodeKwEditExit() {
  auto* field = Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit);
  // The check reformats what it can (AB12CD becomes AB1 2CD) and warns about the rest; what the
  // user typed is stored either way.
  QString postcode = field->Text();
  ValidatePostcode(field, postcode);
  field->SetText(postcode);
  const TPath vehicle{VehiclePath()};
  // The vehicle is kept where the proposer lives until its postcode is told otherwise.
  if (GetStringValue(Id::VehiclePostcode, vehicle) ==
      GetStringValue(Id::ProposerPostcode, Address())) {
    SetStringValue(Id::VehiclePostcode, vehicle, postcode);
    emit postcodeFollowed(postcode);
  }
}
