#pragma once
// The rows of the quotation results list: one per listed scheme with its "No", "Insurer",
// "Premium" and "Excess" texts, and the comparisons behind sorting by each column. The results
// dialog and the command line both list quotations through these.

#include <QList>
#include <QString>
#include <optional>

class TQuoteDetails;
class TQuoteInformation;

enum class TResultColumn { No, Insurer, Premium, Excess };

struct TResultRow {
  int Position = 0;  // the record's place in the results, from 0 (sorting by "No" uses it)
  QString No;        // the number of rows listed before it + 1
  QString Insurer;
  QString PremiumText;  // "£1,234.56" or "Referred"
  QString ExcessText;   // "£250"
  double Premium = 0;   // pounds
  bool Referred = false;
  int TotalExcess = 0;
  const TQuoteDetails* Details = nullptr;  // the record the row stands for
};

// First-note codes with which the engine marks a scheme that declined rather than referred.
bool IsDeclineNoteCode(int code);

// The row for one results record, or nothing when the record is not listed: a plan number of 0
// or less, or a referred record whose first note marks a decline. A referred record without any
// note is listed as "Referred". `listed` is the number of rows already listed.
std::optional<TResultRow> MakeResultRow(int position, int listed, int planNumber,
                                        const QString& insurer, double premium, int totalExcess,
                                        std::optional<int> firstNoteCode);

// One row per listed record of the results, in reading order, each pointing at its record.
QList<TResultRow> BuildResultRows(const TQuoteInformation& information);

// Money as the program shows it whatever the locale: the pound sign and "##,##0.00".
QString FormatPremium(double pounds);
// The pound sign and a whole number of pounds.
QString FormatWholePounds(int pounds);
QString PoundSign();

// Negative when A goes before B in ascending order, 0 when they compare equal, positive after.
// Premiums are compared in whole pounds of their difference (300.20 and 300.90 are equal); a
// referred row counts as 2147483647 pounds.
int CompareResultRows(const TResultRow& a, const TResultRow& b, TResultColumn column);

// Sorts stably by one column; descending negates the comparison.
void SortResultRows(QList<TResultRow>& rows, TResultColumn column, bool descending);

// The results list's header clicks: rows stay in reading order until a header is clicked; the
// first click sorts descending, a further click on the same column reverses the direction, and a
// click on another column sorts by it in the current direction.
class TResultSortState {
 public:
  void Click(TResultColumn column);
  bool Sorted() const { return sorted_; }
  TResultColumn Column() const { return column_; }
  bool Descending() const { return descending_; }
  // Sorts the rows as the clicks so far ask (leaves them alone before the first click).
  void Apply(QList<TResultRow>& rows) const;

 private:
  bool sorted_ = false;
  TResultColumn column_ = TResultColumn::Premium;
  bool descending_ = true;
};

// "No", "Insurer", "Premium", "Excess" (any case) as a column.
std::optional<TResultColumn> ParseResultColumn(const QString& name);
QString ResultColumnName(TResultColumn column);
