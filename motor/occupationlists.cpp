#include "motor/occupationlists.h"

namespace {

const QString kSelect = QStringLiteral("<select>");

// Builds into a local list so that a damaged map leaves the caller's list empty.
template <typename Fill>
bool Load(TCodedStringList& list, Fill fill) {
  list.clear();
  TCodedStringList entries;
  fill(entries);
  list = std::move(entries);
  return !list.isEmpty();
}

void InsertSelectWhenMoreThanOne(TCodedStringList& entries) {
  if (entries.size() > 1)
    entries.prepend({kSelect, 0});
}

qint32 OccupationEntryCode(quint16 occupation, quint16 qualifier) {
  return static_cast<qint32>((quint32(occupation) << 16) | qualifier);
}

void AddOccupation(TCodedStringList& entries, const TOccupationMap& map,
                   const TOccupationNode& occupation, const TListTextLookup& listText) {
  QString occupationText = listText(ListId::Occupations, occupation.code);
  if (occupationText.isEmpty())
    return;
  int added = 0;
  for (const TOccupationNode& qualifier : map.Children(occupation)) {
    qint32 code = OccupationEntryCode(occupation.code, qualifier.code);
    QString qualifierText = listText(ListId::OccupationQualifiers, qualifier.code);
    QString qualified = QStringLiteral("%1 (%2)").arg(occupationText, qualifierText);
    bool last = qualifier.next == 0;
    if (!last) {
      if (!qualifierText.isEmpty()) {
        entries.append({qualified, code});
        ++added;
      }
    } else if (added == 0) {
      // An occupation with no qualified entry is listed once under its own name.
      entries.append({occupationText, code});
    } else if (!qualifierText.isEmpty()) {
      entries.append({qualified, code});
    }
  }
}

}  // namespace

bool LoadBusinessList(TCodedStringList& list, const TOccupationMap& map,
                      const TListTextLookup& listText) {
  return Load(list, [&](TCodedStringList& entries) {
    for (const TOccupationNode& business : map.Businesses()) {
      QString text = listText(ListId::EmployersBusinesses, business.code);
      if (!text.isEmpty())
        entries.append({text, business.code});
    }
    if (!entries.isEmpty())
      entries.prepend({kSelect, 0});
  });
}

bool LoadOccupationList(TCodedStringList& list, qint32 business, const TOccupationMap& map,
                        const TListTextLookup& listText) {
  return Load(list, [&](TCodedStringList& entries) {
    if (business <= 0)
      return;
    QList<TOccupationNode> businesses = map.Businesses();
    const TOccupationNode* found = TOccupationMap::Find(businesses, business);
    if (found == nullptr)
      return;
    for (const TOccupationNode& occupation : map.Children(*found))
      AddOccupation(entries, map, occupation, listText);
    InsertSelectWhenMoreThanOne(entries);
  });
}

bool LoadEmploymentStatusList(TCodedStringList& list, qint32 business, qint32 occupation,
                              qint32 qualifier, const TOccupationMap& map,
                              const TListTextLookup& listText) {
  return Load(list, [&](TCodedStringList& entries) {
    if (business <= 0 || occupation <= 0)
      return;
    QList<TOccupationNode> businesses = map.Businesses();
    const TOccupationNode* businessNode = TOccupationMap::Find(businesses, business);
    if (businessNode == nullptr)
      return;
    QList<TOccupationNode> occupations = map.Children(*businessNode);
    const TOccupationNode* occupationNode = TOccupationMap::Find(occupations, occupation);
    if (occupationNode == nullptr)
      return;
    QList<TOccupationNode> qualifiers = map.Children(*occupationNode);
    const TOccupationNode* qualifierNode = TOccupationMap::Find(qualifiers, qualifier);
    if (qualifierNode == nullptr)
      return;
    for (quint8 status : map.Statuses(*qualifierNode)) {
      QString text = listText(ListId::EmploymentStatuses, status);
      if (!text.isEmpty())
        entries.append({text, status});
    }
    InsertSelectWhenMoreThanOne(entries);
  });
}

bool LoadBusinessList(TCodedStringList& list, const QString& mapFile,
                      const TListTextLookup& listText) {
  list.clear();
  return LoadBusinessList(list, TOccupationMap::LoadFromFile(mapFile), listText);
}

bool LoadOccupationList(TCodedStringList& list, qint32 business, const QString& mapFile,
                        const TListTextLookup& listText) {
  list.clear();
  return LoadOccupationList(list, business, TOccupationMap::LoadFromFile(mapFile), listText);
}

bool LoadEmploymentStatusList(TCodedStringList& list, qint32 business, qint32 occupation,
                              qint32 qualifier, const QString& mapFile,
                              const TListTextLookup& listText) {
  list.clear();
  return LoadEmploymentStatusList(list, business, occupation, qualifier,
                                  TOccupationMap::LoadFromFile(mapFile), listText);
}
