#include "app/acceptancehook.h"

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
  if (Handler())
    Handler()(quotation, parent);
}

void UseAcceptanceWizard() {
  SetAcceptanceHandler([](const TQuoteDetails& quotation, QWidget* parent) {
    OpenAcceptanceWizard(quotation, parent);  // the wizard reports its own outcome
  });
}
