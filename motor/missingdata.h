#pragma once
// The missing-data check run before a quotation: every answer the engine cannot do without that
// is not yet in the Data Server, in the order the user is led through them. The missing-data form
// lists these; the command line prints them.

#include <QDate>
#include <QList>
#include <QString>

struct TMissingItem {
  QString Message;  // the list box text
  int Page = 0;     // 0 the proposer, 1 the vehicle, n + 1 additional driver n
  QString Field;    // the control to focus on that page, e.g. "DOBKwDate"
};

// Checks the proposer, the vehicle and additional drivers 1 .. additionalDrivers.
QList<TMissingItem> FindMissingData(int additionalDrivers, const QDate& today);
QList<TMissingItem> FindMissingData(int additionalDrivers);

// The number of additional drivers a driving restriction (Id::DrivingRestriction on the cover)
// provides for: codes 1 and 8 none, code 2 (the spouse) one, codes 3 to 7 the code less 2, others
// none.
int AdditionalDriversForRestriction(int restrictionCode);

// The highest additional driver number with any stored answer (0 when there is none).
int StoredAdditionalDrivers();

// The drivers to check for a proposal read from a file, with no pages to count: those the
// stored driving restriction provides for, and any further driver that has answers stored.
int AdditionalDriversToCheck();
