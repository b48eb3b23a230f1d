#pragma once
// The three linked occupation lists (employer's business, occupation, employment status) as the
// driver pages and the part-time occupation dialog fill them from the engine's occupation map.
// An occupation item carries occupation code * 65536 + qualifier code.

#include <QString>
#include <cstdint>

#include "capture/fieldvalues.h"

class TKwComboEdit;

std::int32_t OccupationItemCode(std::int32_t occupation, std::int32_t qualifier);
std::int32_t OccupationOfItem(std::int32_t itemCode);
std::int32_t QualifierOfItem(std::int32_t itemCode);

// Each clears the list and fills it from the map named by the settings ("<select>", object 0,
// first where the map lists more than one entry); a map that cannot be read is reported in an
// error box and leaves the list empty. Nothing is selected.
void FillBusinessItems(TKwComboEdit* combo, bool sorted);
void FillOccupationItems(TKwComboEdit* combo, std::int32_t business, bool sorted);
void FillEmploymentStatusItems(TKwComboEdit* combo, std::int32_t business, std::int32_t occupation,
                               std::int32_t qualifier, bool sorted);
