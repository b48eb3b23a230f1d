#include "app/quotehook.h"

namespace {

TQuoteHandler& Handler() {
  static TQuoteHandler handler;
  return handler;
}

}  // namespace

TQuoteHandler SetQuoteHandler(TQuoteHandler handler) {
  TQuoteHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

bool HasQuoteHandler() {
  return static_cast<bool>(Handler());
}

bool StartQuote(bool checkMissingData) {
  return Handler() ? Handler()(checkMissingData) : false;
}
