#include "app/quotehook.h"

#include "app/seams.h"

bool HasQuoteHandler() {
  return static_cast<bool>(TAppSeams::Current().quote);
}

bool StartQuote(bool checkMissingData) {
  const TQuoteHandler& handler = TAppSeams::Current().quote;
  return handler ? handler(checkMissingData) : false;
}
