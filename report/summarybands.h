#pragma once
// The building blocks of the quote summary's bands: the fonts, section headings, column
// headings, and tables of memos, one memo per column, whose rows stay level however many lines
// each cell wraps to.

#include <QFont>
#include <QString>
#include <vector>

#include "report/engine/rptband.h"
#include "report/summaryvalues.h"

namespace summarylayout {

// 14 screen pixels at 96 pixels per inch, the report's line of memo text.
inline constexpr qreal kLineHeight = 10.5;
// A4 less 15 mm on each side.
inline constexpr qreal kMarginMillimetres = 15;
inline constexpr qreal kBodyWidth = 595.28 - 2 * kMarginMillimetres * 72 / 25.4;

QFont TextFont();     // captions and values
QFont BoldFont();     // column headings
QFont HeadingFont();  // section headings

struct TColumn {
  qreal Left = 0;
  qreal Width = 0;
  QString Heading;  // "\n" between the lines of a heading over two lines
};
using TColumns = std::vector<TColumn>;

// The caption and value columns of a table of fields.
TColumns FieldColumns();

// A section heading with a rule beneath it at the top of the band; answers the height it takes.
qreal AddSectionHeading(TRptBand& band, const QString& name, const QString& heading);
// The column headings below a section heading; answers the band's height with them.
qreal AddColumnHeadings(TRptBand& band, const QString& name, qreal top, const TColumns& columns);

// One memo per column at `top`; the band may be cut between its lines across pages.
std::vector<TRptItem*> AddTableMemos(TRptBand& band, const QString& name, qreal top,
                                     const TColumns& columns);
// Fills the memos row by row: each cell wrapped to its column, every column then padded with
// empty lines to the longest, so that the next row starts level in all of them. Sets each memo's
// height and makes the band hold them and `bottomMargin` more.
void FillTable(TRptBand& band, const std::vector<TRptItem*>& memos, const TColumns& columns,
               const TSummaryRows& rows, qreal bottomMargin = 4);
// The same for a table of fields (caption, value).
void FillFields(TRptBand& band, const std::vector<TRptItem*>& memos, const TSummaryFields& fields,
                qreal bottomMargin = 4);

}  // namespace summarylayout
