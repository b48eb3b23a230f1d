#pragma once
// Where a quotation starts. The Quote menu item, the Quote speed button and tabbing forward out
// of the last page all run StartQuote through the main window's command wrapper; the quotation
// workflow fills in the app seams' handler (app/seams.h) that does the work (the engine check,
// the missing-data check, the conditions, the engine run and the results). Until it does the
// Quote commands are disabled.

#include <functional>

// checkMissingData: list the missing answers first (clear only when the missing-data form,
// closed empty, continues the quotation). Answers false when no quotation was produced, so the
// command wrapper gives the focus back to the field it came from.
using TQuoteHandler = std::function<bool(bool checkMissingData)>;

bool HasQuoteHandler();
// Runs the handler; false without one.
bool StartQuote(bool checkMissingData);
