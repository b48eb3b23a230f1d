#pragma once
// Reading and showing the values of the field controls as the pages and dialogs keep them:
// list codes, dates, yes/no answers.

#include <QDate>
#include <QString>
#include <cstdint>

#include "platform/codedstringlist.h"

class TKwComboEdit;
class TKwDate;
class TKwYesNoDlg;

// Fills the combo with a copy of the items, or gives the items of a combo.
void CopyItems(TKwComboEdit* combo, const TCodedStringList& items);
TCodedStringList ItemsOf(const TKwComboEdit* combo);
// Fills the combo from a Data Server list with "<Select>" (code 0) first. False, with the list's
// error already shown, when the list cannot be read.
bool FillWithSelectFirst(TKwComboEdit* combo, std::int32_t listId);

// Selects the item carrying the code (none when no item does).
void SelectCode(TKwComboEdit* combo, std::int32_t code);
// Selects the first item, or none in an empty list.
void SelectFirst(TKwComboEdit* combo);
// The field's text is an item whose code is above 0 ("<select>" and text that is no item do not
// count).
bool TextNamesAChoice(const TKwComboEdit* combo);

// The date shown, a null date when none is.
QDate DateOf(const TKwDate* field);
void ShowDate(TKwDate* field, const QDate& date);

bool IsYes(const TKwYesNoDlg* field);
// Sets the answer as the program does (no change is raised).
void SetYes(TKwYesNoDlg* field, bool yes);
