#include "app/acceptancehook.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <utility>

#include "transmit/acceptanceform.h"

namespace {

TAcceptanceHandler& Handler() {
  static TAcceptanceHandler handler;
  return handler;
}

}  // namespace

TAcceptanceHandler SetAcceptanceHandler(TAcceptanceHandler handler) {
  TAcceptanceHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

bool HasAcceptanceHandler() {
  return static_cast<bool>(Handler());
}

void StartAcceptance(const TQuoteDetails& quotation, QWidget* parent) {
  if (!Handler())
    return;
  // When the wizard's window goes, the focus comes back to the button that opened it (Proceed),
  // or to the window that opened it; the window manager alone may leave it nowhere.
  QPointer<QWidget> opener = QApplication::focusWidget();
  QPointer<QWidget> owner = parent;
  Handler()(quotation, parent);
  QWidget* back = opener != nullptr && opener->isVisible() && opener->isEnabled() ? opener.data()
                                                                                  : owner.data();
  if (back == nullptr || !back->isVisible())
    return;
  back->window()->activateWindow();
  back->setFocus(Qt::OtherFocusReason);
}

void UseAcceptanceWizard() {
  SetAcceptanceHandler([](const TQuoteDetails& quotation, QWidget* parent) {
    OpenAcceptanceWizard(quotation, parent);  // the wizard reports its own outcome
  });
}
