#include "report/summarybands.h"

#include <algorithm>

#include "report/engine/rpttext.h"

namespace summarylayout {

namespace {

// Room left between a cell's text and the next column.
constexpr qreal kCellGap = 4;
constexpr qreal kHeadingHeight = 16;
constexpr qreal kRuleGap = 3;

QFont MakeFont(qreal points, bool bold) {
  QFont font;
  // Arial where the system has it (as the printed summary always looked), else a sans serif
  // whose outlines a PDF can embed.
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  // No ligatures: text copied out of a PDF reads "fi", not one joined glyph.
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont TextFont() {
  return MakeFont(8, false);
}

QFont BoldFont() {
  return MakeFont(8, true);
}

QFont HeadingFont() {
  return MakeFont(11, true);
}

TColumns FieldColumns() {
  return {TColumn{0, 190, QString()}, TColumn{200, kBodyWidth - 200, QString()}};
}

qreal AddSectionHeading(TRptBand& band, const QString& name, const QString& heading) {
  band.AddLabel(name + QStringLiteral("Label"), QRectF(0, 4, kBodyWidth, kHeadingHeight), heading,
                HeadingFont(), Qt::AlignLeft | Qt::AlignVCenter);
  TRptItem rule;
  rule.Kind = TRptItemKind::Rule;
  rule.Name = name + QStringLiteral("Rule");
  rule.Geometry = QRectF(0, 4 + kHeadingHeight + 1, kBodyWidth, 0);
  band.Add(std::move(rule));
  const qreal height = 4 + kHeadingHeight + 1 + kRuleGap;
  band.SetHeight(height);
  return height;
}

qreal AddColumnHeadings(TRptBand& band, const QString& name, qreal top, const TColumns& columns) {
  qreal lines = 1;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    TRptItem& memo =
        band.AddMemo(QStringLiteral("%1Heading%2").arg(name).arg(i + 1),
                     QRectF(columns[i].Left, top, columns[i].Width, 0), BoldFont(), kLineHeight);
    memo.Lines = RptWrapText(BoldFont(), columns[i].Heading, columns[i].Width - kCellGap);
    memo.Geometry.setHeight(memo.MemoHeight());
    lines = std::max<qreal>(lines, memo.Lines.size());
  }
  const qreal height = top + lines * kLineHeight + kRuleGap;
  band.SetHeight(height);
  return height;
}

std::vector<TRptItem*> AddTableMemos(TRptBand& band, const QString& name, qreal top,
                                     const TColumns& columns) {
  std::vector<TRptItem*> memos;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    memos.push_back(&band.AddMemo(QStringLiteral("%1Memo%2").arg(name).arg(i + 1),
                                  QRectF(columns[i].Left, top, columns[i].Width, 0), TextFont(),
                                  kLineHeight));
  }
  band.SetSplitGrid(top, kLineHeight);
  return memos;
}

void FillTable(TRptBand& band, const std::vector<TRptItem*>& memos, const TColumns& columns,
               const TSummaryRows& rows, qreal bottomMargin) {
  for (TRptItem* memo : memos) {
    memo->Lines.clear();
  }
  for (const QStringList& row : rows) {
    std::vector<QStringList> cells(memos.size());
    qsizetype longest = 1;
    for (std::size_t i = 0; i < memos.size(); ++i) {
      const QString text = static_cast<qsizetype>(i) < row.size() ? row[i] : QString();
      cells[i] = RptWrapText(memos[i]->Font, text, columns[i].Width - kCellGap);
      longest = std::max(longest, cells[i].size());
    }
    for (std::size_t i = 0; i < memos.size(); ++i) {
      while (cells[i].size() < longest) {
        cells[i] << QString();
      }
      memos[i]->Lines << cells[i];
    }
  }
  for (TRptItem* memo : memos) {
    memo->Geometry.setHeight(memo->MemoHeight());
  }
  band.FitHeightToItems(bottomMargin);
}

void FillFields(TRptBand& band, const std::vector<TRptItem*>& memos, const TSummaryFields& fields,
                qreal bottomMargin) {
  TSummaryRows rows;
  for (const TSummaryField& field : fields) {
    rows << QStringList{field.Caption, field.Value};
  }
  FillTable(band, memos, FieldColumns(), rows, bottomMargin);
}

}  // namespace summarylayout
