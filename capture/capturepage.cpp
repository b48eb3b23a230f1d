#include "capture/capturepage.h"

TCapturePage::TCapturePage(QWidget* parent) : QWidget(parent) {}

QList<QWidget*> TCapturePage::TabStops() const {
  QList<QWidget*> stops;
  // The focus chain runs round the whole window; the page's stops are the ones inside the page.
  for (QWidget* w = nextInFocusChain(); w != this && w != nullptr; w = w->nextInFocusChain()) {
    if (!isAncestorOf(w) || w->focusProxy() != nullptr ||
        (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
      continue;
    if (stops.contains(w))
      break;  // the chain came round again
    stops.append(w);
  }
  return stops;
}

QList<QWidget*> TCapturePage::FieldsInTabOrder() const {
  QList<QWidget*> fields;
  for (QWidget* w : TabStops()) {
    if (w->isEnabled() && w->isVisibleTo(this))
      fields.append(w);
  }
  return fields;
}

QWidget* TCapturePage::FirstField() const {
  const QList<QWidget*> fields = FieldsInTabOrder();
  return fields.isEmpty() ? nullptr : fields.first();
}

QWidget* TCapturePage::LastField() const {
  const QList<QWidget*> fields = FieldsInTabOrder();
  return fields.isEmpty() ? nullptr : fields.last();
}
