#include "motor/quotedetails.h"

#include <stdexcept>

#include "motor/quotedescriptions.h"

TQuoteNote TQuoteDetails::GetNote(int index) const {
  if (index < 0 || index >= Notes.size())
    throw std::out_of_range("quotation note index out of range");
  return Notes[index];
}

TSectionExcessText TQuoteDetails::GetSectionExcess(int index) const {
  if (index < 0 || index >= SectionExcesses.size())
    throw std::out_of_range("section excess index out of range");
  const TSectionExcess& excess = SectionExcesses[index];
  return {CoverSectionDescription(excess.sectionCode), QStringLiteral("\u00A3") + excess.amount};
}

qint32 TQuoteDetails::SectionExcessByCode(qint32 sectionCode) const {
  for (const TSectionExcess& excess : SectionExcesses) {
    if (excess.sectionCode != sectionCode)
      continue;
    bool ok = false;
    qint32 amount = excess.amount.trimmed().toInt(&ok);
    return ok ? amount : 0;
  }
  return 0;
}
