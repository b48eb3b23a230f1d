#pragma once
// The proposal listing: a plain-text account of the whole stored proposal, one item a line, that
// goes to the broker as the body of the acceptance e-mail and that the results dialog writes to
// "struc.out". The command line prints it with `quillmarsh-cli listing FILE.PCD`.
//
// A labelled item reads "label = value"; some lines add a second item in parentheses:
// "label = value (Code = value)". Values are read from the Data Server (an absent value gives
// the property's default, or nothing) and shown by the property's type in one of the renderings
// below. Ages ("years") count to the Data Server's reference date, the policy start date.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "motor/getmotordsv.h"

enum class TListingRendering {
  Plain,        // number; text; date dd/mm/yyyy; list code
  Description,  // a list's description; a date's two-digit year
  AbiCode,      // a list's ABI code; a date's four-digit year
  Years,        // a date: whole years to the reference date; nothing for a list
  Months,       // a date: whole months to today; nothing for a list
};

// One value as the listing shows it; `today` is the date "months" count to.
QString ListingValue(std::int32_t id, const TPath& path, TListingRendering rendering,
                     const QDate& today);

// How many additional drivers the listing shows for a driving restriction code.
int ListedAdditionalDrivers(std::int32_t restrictionCode);

// How many claims the listing shows for the driver (0 the proposer): the incidents with a claim
// type. The quotation run gives each conviction's incident a claim entry with only a number;
// those are not claims.
int ListedClaimCount(int driver);

// The listing's lines, without line ends.
QStringList ProposalListingLines(const QDate& today = QDate::currentDate());
// The label the listing shows a property under (empty when it shows it nowhere).
QString ListingCaption(std::int32_t id);
// Appends the listing to the stream as the e-mail carries it: Windows-1252 text, each line
// ended by CR LF.
void WriteProposalListing(QByteArray& stream, const QDate& today = QDate::currentDate());
