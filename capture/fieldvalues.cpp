#include "capture/fieldvalues.h"

#include "controls/dateserial.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwyesnodlg.h"
#include "motor/getmotordsv.h"

void CopyItems(TKwComboEdit* combo, const TCodedStringList& items) {
  combo->ClearItems();
  for (const TCodedString& item : items)
    combo->AddItem(item.text, item.code);
}

TCodedStringList ItemsOf(const TKwComboEdit* combo) {
  TCodedStringList items;
  for (int i = 0; i < combo->ItemCount(); ++i)
    items.append({combo->ItemText(i), combo->ItemCode(i)});
  return items;
}

bool FillWithSelectFirst(TKwComboEdit* combo, std::int32_t listId) {
  ListItems entries;
  if (FillEnumList(listId, entries) != 0)
    return false;
  combo->ClearItems();
  combo->AddItem(QStringLiteral("<Select>"), 0);
  for (const ListItem& entry : entries)
    combo->AddItem(entry.text, entry.code);
  return true;
}

void SelectCode(TKwComboEdit* combo, std::int32_t code) {
  combo->SetItemIndex(combo->IndexOfCode(code));
}

void SelectFirst(TKwComboEdit* combo) {
  combo->SetItemIndex(combo->ItemCount() > 0 ? 0 : -1);
}

bool TextNamesAChoice(const TKwComboEdit* combo) {
  const int index = combo->FindItem(combo->Text());
  return index >= 0 && combo->ItemCode(index) > 0;
}

QDate DateOf(const TKwDate* field) {
  const double serial = field->GetAsNumber();
  return serial == 0 ? QDate() : SerialToDate(serial);
}

void ShowDate(TKwDate* field, const QDate& date) {
  field->SetAsNumber(date.isValid() ? DateToSerial(date) : 0);
}

bool IsYes(const TKwYesNoDlg* field) {
  return field->State() == TKwYesNoState::ynYes;
}

void SetYes(TKwYesNoDlg* field, bool yes) {
  field->SetState(yes ? TKwYesNoState::ynYes : TKwYesNoState::ynNo);
}
