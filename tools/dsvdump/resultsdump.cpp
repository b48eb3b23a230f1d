#include "tools/dsvdump/resultsdump.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#include "motor/enginetextfile.h"
#include "motor/quotedescriptions.h"

namespace {

constexpr qint32 kDeclineCodes[] = {32, 39, 56};

std::string Utf8(const QString& text) {
  return text.toStdString();
}

std::string PremiumText(double pounds) {
  long long pence = qRound64(pounds * 100);
  char money[64];
  std::snprintf(money, sizeof money, "premium %lld pence (\xC2\xA3%lld.%02lld)", pence, pence / 100,
                pence % 100);
  return money;
}

}  // namespace

bool IsDeclined(const TQuoteDetails& quotation) {
  if (!quotation.IsReferred() || quotation.NoteCount() == 0)
    return false;
  qint32 first = quotation.GetNote(0).code;
  for (qint32 code : kDeclineCodes)
    if (first == code)
      return true;
  return false;
}

TQuoteInformation ReadEngineResults(const std::string& fileName, const std::string& planNameFile) {
  QString names = QString::fromStdString(planNameFile);
  // The reader needs a plan-name file; an empty one stands in for a missing one, so that the
  // results of an engine run can be looked at on their own.
  QTemporaryFile noNames;
  if (!QFileInfo::exists(names) && noNames.open())
    names = noNames.fileName();
  TQuoteInformation results;
  // The cover type only decides TotalExcess, the excess the results dialog shows beside the
  // premium; the dump prints the excesses themselves.
  results.LoadFromFile(QString::fromStdString(fileName), names, 0);
  return results;
}

void DumpResultsFile(const std::string& fileName, const std::string& planNameFile,
                     std::ostream& out) {
  TQuoteInformation results = ReadEngineResults(fileName, planNameFile);
  out << "Formula1.001: " << results.Count() << " quotations\n";
  for (int i = 0; i < results.Count(); ++i) {
    const TQuoteDetails& q = results.Items(i);
    out << "\nPlan " << q.PlanNumber;
    if (!q.InsurerName.isEmpty())
      out << "  " << Utf8(q.InsurerName);
    out << "\n  ";
    if (IsDeclined(q))
      out << "declined";
    else if (q.IsReferred())
      out << "referred";
    else
      out << PremiumText(q.Premium);
    out << "\n";
    for (const TQuoteNote& note : q.Notes)
      out << "  note " << note.code << ": " << Utf8(TrimTrailing(note.text)) << "\n";
    out << "  excess: compulsory " << q.CompulsoryExcess << ", voluntary " << q.VoluntaryExcess
        << ", all sections " << q.AllSectionsExcess << "\n";
    for (const TSectionExcess& excess : q.SectionExcesses)
      out << "  section " << excess.sectionCode << " "
          << Utf8(CoverSectionDescription(excess.sectionCode)) << ": " << Utf8(excess.amount)
          << "\n";
    out << "  use " << Utf8(q.UseDescription) << "\n";
  }
}
