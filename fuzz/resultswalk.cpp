#include "fuzz/resultswalk.h"

#include "motor/quoteinformation.h"
#include "motor/quoteresultserror.h"
#include "motor/resultdetails.h"
#include "motor/resultrows.h"

void ReadAndListResults(const QString& resultsFile, const QString& planNameFile, int coverType) {
  TQuoteInformation information;
  try {
    information.LoadFromFile(resultsFile, planNameFile, coverType);
  } catch (const EQuoteResultsError&) {
    // The quotations read before the fault stay in the collection.
  }
  for (int i = 0; i < information.Count(); ++i) {
    const TQuoteDetails& details = information.Items(i);
    for (int n = 0; n < details.NoteCount(); ++n)
      details.GetNote(n);
    for (int s = 0; s < details.SectionExcessCount(); ++s)
      details.GetSectionExcess(s);
    DescribeQuotation(details);
  }
  QList<TResultRow> rows = BuildResultRows(information);
  for (TResultColumn column :
       {TResultColumn::No, TResultColumn::Insurer, TResultColumn::Premium, TResultColumn::Excess}) {
    SortResultRows(rows, column, true);
    SortResultRows(rows, column, false);
  }
}
