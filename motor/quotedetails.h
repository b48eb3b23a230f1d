#pragma once
// TQuoteDetails: one insurer scheme's quotation as the quote engine left it in its results file.

#include <QList>
#include <QString>

struct TQuoteNote {
  qint32 code = 0;
  QString text;
};

struct TSectionExcess {
  QString amount;  // pounds, as the engine wrote it without leading zeros
  qint32 sectionCode = 0;
};

// A section excess as shown: the cover section's description and the amount with the pound sign.
struct TSectionExcessText {
  QString description;
  QString amount;
};

class TQuoteDetails {
 public:
  // (line of the insurer in the plan-name file, from 1) * 10 + scheme variant; 0 when the engine's
  // plan number was not a number.
  qint32 PlanNumber = 0;
  // First three characters of the insurer name; names the insurer's logo.
  QString LogoCode = QStringLiteral("NOLOGO");
  // Insurer name, then a space and the scheme variant's name when the variant is not 0.
  QString InsurerName;
  double Premium = 0;  // pounds, annual
  QList<TQuoteNote> Notes;
  qint32 TotalExcess = 0;  // the excess shown beside the premium (depends on the cover type)
  qint32 CompulsoryExcess = 0;
  qint32 VoluntaryExcess = 0;
  qint32 AllSectionsExcess = 0;
  QList<TSectionExcess> SectionExcesses;
  QString UseDescription;

  // The engine gave no price: a premium below 1.00 (including 0).
  bool IsReferred() const { return Premium < 1.0; }

  int NoteCount() const { return Notes.size(); }
  // Raises std::out_of_range for an index outside 0..NoteCount()-1.
  TQuoteNote GetNote(int index) const;

  int SectionExcessCount() const { return SectionExcesses.size(); }
  // Raises std::out_of_range for an index outside 0..SectionExcessCount()-1.
  TSectionExcessText GetSectionExcess(int index) const;
  // The amount of the first excess for that section as a whole number; 0 when there is none or
  // it is not a number.
  qint32 SectionExcessByCode(qint32 sectionCode) const;
};
