#include "capture/occupationfields.h"

#include <QAbstractItemModel>

#include "controls/kwcomboedit.h"
#include "motor/getmotordsv.h"
#include "motor/occupationlists.h"
#include "platform/prompt.h"
#include "settings/options.h"

namespace {

QString ListText(qint32 listId, qint32 code) {
  return GetListText(listId, code);
}

// Runs one of the map readers on the installed map; a damaged or missing map is reported and
// gives no items.
template <class Load>
void Fill(TKwComboEdit* combo, bool sorted, Load load) {
  combo->ClearItems();
  if (Options() == nullptr)
    return;
  TCodedStringList items;
  try {
    load(items, Options()->OccupationMapFile());
  } catch (const EOccupationMapError& error) {
    Ask(PromptKind::Error, PromptButtons::Ok, error.Message());
    return;
  }
  CopyItems(combo, items);
  if (sorted)
    combo->model()->sort(0);
  combo->SetItemIndex(-1);
}

}  // namespace

std::int32_t OccupationItemCode(std::int32_t occupation, std::int32_t qualifier) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(occupation) << 16) |
                                   (static_cast<std::uint32_t>(qualifier) & 0xFFFFu));
}

std::int32_t OccupationOfItem(std::int32_t itemCode) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(itemCode) >> 16);
}

std::int32_t QualifierOfItem(std::int32_t itemCode) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(itemCode) & 0xFFFFu);
}

void FillBusinessItems(TKwComboEdit* combo, bool sorted) {
  Fill(combo, sorted,
       [](TCodedStringList& items, const QString& map) { LoadBusinessList(items, map, ListText); });
}

void FillOccupationItems(TKwComboEdit* combo, std::int32_t business, bool sorted) {
  Fill(combo, sorted, [business](TCodedStringList& items, const QString& map) {
    LoadOccupationList(items, business, map, ListText);
  });
}

void FillEmploymentStatusItems(TKwComboEdit* combo, std::int32_t business, std::int32_t occupation,
                               std::int32_t qualifier, bool sorted) {
  Fill(combo, sorted, [=](TCodedStringList& items, const QString& map) {
    LoadEmploymentStatusList(items, business, occupation, qualifier, map, ListText);
  });
}
