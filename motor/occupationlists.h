#pragma once
// The choice lists of the occupation fields, read from the engine's occupation map: employer's
// businesses, the occupations of a business (with their qualifiers), and the employment statuses
// allowed for an occupation. Each clears the list, fills it with (text, code) entries and answers
// whether it holds any. Texts come from the Data Server's lists through listText (the motor
// binding's GetListText); a code whose text is empty is left out.
//
// A map that cannot be read or is damaged raises EOccupationMapError; the list is then empty.

#include <QString>
#include <functional>

#include "motor/identifiers.h"
#include "motor/occupationmap.h"
#include "platform/codedstringlist.h"

// The description of an entry of a Data Server list; empty when there is none.
using TListTextLookup = std::function<QString(qint32 listId, qint32 code)>;

// Every business, coded by business code; "<select>" first unless the list is empty.
bool LoadBusinessList(TCodedStringList& list, const TOccupationMap& map,
                      const TListTextLookup& listText);
// The occupations of a business: "occupation (qualifier)" per qualifier, or the occupation
// alone when it has one qualifier; coded (occupation code << 16) | qualifier code.
// "<select>" first when there is more than one entry.
bool LoadOccupationList(TCodedStringList& list, qint32 business, const TOccupationMap& map,
                        const TListTextLookup& listText);
// The employment statuses allowed under (business, occupation, qualifier), coded by status
// code; "<select>" first when there is more than one entry.
bool LoadEmploymentStatusList(TCodedStringList& list, qint32 business, qint32 occupation,
                              qint32 qualifier, const TOccupationMap& map,
                              const TListTextLookup& listText);

// The same, reading the map file afresh (the occupation map file of the options).
bool LoadBusinessList(TCodedStringList& list, const QString& mapFile,
                      const TListTextLookup& listText);
bool LoadOccupationList(TCodedStringList& list, qint32 business, const QString& mapFile,
                        const TListTextLookup& listText);
bool LoadEmploymentStatusList(TCodedStringList& list, qint32 business, qint32 occupation,
                              qint32 qualifier, const QString& mapFile,
                              const TListTextLookup& listText);
