#include "tools/cli/clilisting.h"

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/proposallisting.h"

void PrintProposalListing(QTextStream& out, const QDate& today) {
  const QDate start = GetDateValue(Id::CoverStartDate, {CoverPath()});
  const PackedDate reference = DateToPacked(start.isValid() ? start : today);
  DsvSetReferenceDate(&reference);
  for (const QString& line : ProposalListingLines(today))
    out << line << '\n';
}
