#pragma once
// One printed element of a band: a label, a memo of lines, a system-data field (the date and
// time of the run, the page number), a picture or a rule. Geometry is in points (1/72 inch)
// from the band's top-left corner, so a report lays out the same on paper, in a PDF and in the
// preview whatever the device's resolution.

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

enum class TRptItemKind {
  Label,       // Text in Geometry, one line
  Memo,        // Lines, one below the other, LineHeight apart
  DateTime,    // Text followed by the run's date and time in Format
  PageNumber,  // Text followed by the current page number
  Picture,     // Picture scaled into Geometry
  Rule,        // a horizontal line along the top of Geometry
};

// What a label hook knows while the band is being placed.
struct TRptPrintContext {
  int Page = 0;  // from 1
  QDateTime GeneratedAt;
};

// Fills a label's text as the band is placed on its page (the page count of "Page n of N").
using TRptLabelHook = std::function<void(const TRptPrintContext& context, QString& text)>;

struct TRptItem {
  TRptItemKind Kind = TRptItemKind::Label;
  QString Name;
  QRectF Geometry;
  QFont Font;
  Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignTop;
  QString Text;
  QStringList Lines;
  qreal LineHeight = 0;  // memo: the distance between lines; 0 uses the font's line spacing
  QString Format = QStringLiteral("dd/MM/yyyy hh:mm");  // DateTime
  QImage Picture;
  bool Visible = true;
  TRptLabelHook OnPrint;  // Label only

  // The memo's height for its lines: line count times the line height.
  qreal MemoHeight() const;
  qreal EffectiveLineHeight() const;
};
