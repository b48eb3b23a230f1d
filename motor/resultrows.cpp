#include "motor/resultrows.h"

#include <cmath>
#include <cstdint>

#include "motor/quoteinformation.h"

namespace {

// A referred row sorts as the highest premium there can be.
constexpr double kReferredPremium = 2147483647.0;

int Sign(std::int64_t value) {
  return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

QString GroupThousands(std::int64_t whole) {
  QString digits = QString::number(whole);
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
    digits.insert(at, QLatin1Char(','));
  }
  return digits;
}

}  // namespace

bool IsDeclineNoteCode(int code) {
  return code == 32 || code == 39 || code == 56;
}

QString PoundSign() {
  return QString(QChar(0x00A3));
}

QString FormatPremium(double pounds) {
  const std::int64_t pence = std::llround(pounds * 100.0);
  const std::int64_t magnitude = pence < 0 ? -pence : pence;
  return QStringLiteral("%1%2%3.%4")
      .arg(PoundSign(), pence < 0 ? QStringLiteral("-") : QString(),
           GroupThousands(magnitude / 100))
      .arg(static_cast<int>(magnitude % 100), 2, 10, QLatin1Char('0'));
}

QString FormatWholePounds(int pounds) {
  return PoundSign() + QString::number(pounds);
}

std::optional<TResultRow> MakeResultRow(int position, int listed, int planNumber,
                                        const QString& insurer, double premium, int totalExcess,
                                        std::optional<int> firstNoteCode) {
  if (planNumber <= 0) {
    return std::nullopt;
  }
  TResultRow row;
  row.Position = position;
  row.No = QString::number(listed + 1);
  row.Insurer = insurer;
  row.Premium = premium;
  row.Referred = premium < 1.0;
  row.TotalExcess = totalExcess;
  row.ExcessText = FormatWholePounds(totalExcess);
  if (row.Referred) {
    if (firstNoteCode && IsDeclineNoteCode(*firstNoteCode)) {
      return std::nullopt;
    }
    row.PremiumText = QStringLiteral("Referred");
  } else {
    row.PremiumText = FormatPremium(premium);
  }
  return row;
}

QList<TResultRow> BuildResultRows(const TQuoteInformation& information) {
  QList<TResultRow> rows;
  for (int i = 0; i < information.Count(); ++i) {
    const TQuoteDetails& details = information.Items(i);
    std::optional<int> firstNote;
    if (details.NoteCount() > 0) {
      firstNote = details.GetNote(0).code;
    }
    auto row = MakeResultRow(i, static_cast<int>(rows.size()), details.PlanNumber,
                             details.InsurerName, details.Premium, details.TotalExcess, firstNote);
    if (row) {
      row->Details = &details;
      rows.append(std::move(*row));
    }
  }
  return rows;
}

int CompareResultRows(const TResultRow& a, const TResultRow& b, TResultColumn column) {
  switch (column) {
    case TResultColumn::No:
      return Sign(static_cast<std::int64_t>(a.Position) - b.Position);
    case TResultColumn::Insurer:
      return Sign(QString::compare(a.Insurer, b.Insurer, Qt::CaseInsensitive));
    case TResultColumn::Premium: {
      const double left = a.Referred ? kReferredPremium : a.Premium;
      const double right = b.Referred ? kReferredPremium : b.Premium;
      // The difference is cut to whole pounds, so premiums less than a pound apart are equal.
      return Sign(static_cast<std::int64_t>(std::trunc(left - right)));
    }
    case TResultColumn::Excess:
      return Sign(static_cast<std::int64_t>(a.TotalExcess) - b.TotalExcess);
  }
  return 0;
}

void SortResultRows(QList<TResultRow>& rows, TResultColumn column, bool descending) {
  // An insertion sort: stable, and well defined even though the premium comparison is not
  // transitive (300.20 = 300.90 = 301.50, yet 300.20 < 301.50). The lists are short.
  for (qsizetype i = 1; i < rows.size(); ++i) {
    TResultRow moving = std::move(rows[i]);
    qsizetype j = i;
    while (j > 0) {
      int order = CompareResultRows(moving, rows[j - 1], column);
      if (descending) {
        order = -order;
      }
      if (order >= 0) {
        break;
      }
      rows[j] = std::move(rows[j - 1]);
      --j;
    }
    rows[j] = std::move(moving);
  }
}

void TResultSortState::Click(TResultColumn column) {
  if (sorted_ && column == column_) {
    descending_ = !descending_;
  } else if (!sorted_) {
    descending_ = true;
  }
  sorted_ = true;
  column_ = column;
}

void TResultSortState::Apply(QList<TResultRow>& rows) const {
  if (sorted_) {
    SortResultRows(rows, column_, descending_);
  }
}

std::optional<TResultColumn> ParseResultColumn(const QString& name) {
  for (TResultColumn column :
       {TResultColumn::No, TResultColumn::Insurer, TResultColumn::Premium, TResultColumn::Excess}) {
    if (name.compare(ResultColumnName(column), Qt::CaseInsensitive) == 0) {
      return column;
    }
  }
  return std::nullopt;
}

QString ResultColumnName(TResultColumn column) {
  switch (column) {
    case TResultColumn::No:
      return QStringLiteral("No");
    case TResultColumn::Insurer:
      return QStringLiteral("Insurer");
    case TResultColumn::Premium:
      return QStringLiteral("Premium");
    case TResultColumn::Excess:
      return QStringLiteral("Excess");
  }
  return QString();
}
