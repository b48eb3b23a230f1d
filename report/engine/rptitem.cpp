#include "report/engine/rptitem.h"

#include "report/engine/rpttext.h"

qreal TRptItem::EffectiveLineHeight() const {
  return LineHeight > 0 ? LineHeight : RptLineSpacing(Font);
}

qreal TRptItem::MemoHeight() const {
  return Lines.size() * EffectiveLineHeight();
}
