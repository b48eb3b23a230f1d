#include "app/acceptancehook.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "app/seams.h"
#include "transmit/acceptanceform.h"

bool HasAcceptanceHandler() {
  return static_cast<bool>(TAppSeams::Current().acceptance);
}

void StartAcceptance(const TQuoteDetails& quotation, QWidget* parent) {
  const TAcceptanceHandler& handler = TAppSeams::Current().acceptance;
  if (!handler)
    return;
  // When the wizard's window goes, the focus comes back to the button that opened it (Proceed),
  // or to the window that opened it; the window manager alone may leave it nowhere.
  QPointer<QWidget> opener = QApplication::focusWidget();
  QPointer<QWidget> owner = parent;
  handler(quotation, parent);
  QWidget* back = opener != nullptr && opener->isVisible() && opener->isEnabled() ? opener.data()
                                                                                  : owner.data();
  if (back == nullptr || !back->isVisible())
    return;
  back->window()->activateWindow();
  back->setFocus(Qt::OtherFocusReason);
}

void RunAcceptanceWizard(const TQuoteDetails& quotation, QWidget* parent) {
  OpenAcceptanceWizard(quotation, parent);  // the wizard reports its own outcome
}
