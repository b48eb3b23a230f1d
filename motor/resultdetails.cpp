#include "motor/resultdetails.h"

#include "motor/quotedetails.h"
#include "motor/resultrows.h"

TResultDetails DescribeQuotation(const TQuoteDetails& details) {
  TResultDetails result;
  result.Caption = QStringLiteral("Policy Notes for ") + details.InsurerName;
  for (int i = 0; i < details.NoteCount(); ++i) {
    result.Lines << QStringLiteral("    ") + details.GetNote(i).text;
  }
  const QString pound = PoundSign();
  if (details.CompulsoryExcess != 0 || details.VoluntaryExcess != 0) {
    const qint64 total = static_cast<qint64>(details.CompulsoryExcess) + details.VoluntaryExcess;
    result.Lines << QStringLiteral("Total Policy Excess: ") + pound + QString::number(total);
  }
  if (details.CompulsoryExcess != 0) {
    result.Lines << QStringLiteral("    Compulsory Excess:  ") + pound +
                        QString::number(details.CompulsoryExcess);
  }
  if (details.VoluntaryExcess != 0) {
    result.Lines << QStringLiteral("    Voluntary Excess: ") + pound +
                        QString::number(details.VoluntaryExcess);
  }
  if (details.SectionExcessCount() > 0) {
    result.Lines << QStringLiteral("Policy Sections Excess Breakdown:");
    for (int i = 0; i < details.SectionExcessCount(); ++i) {
      const TSectionExcessText section = details.GetSectionExcess(i);
      result.Lines << QStringLiteral("    %1: %2").arg(section.description, section.amount);
    }
  }
  return result;
}
