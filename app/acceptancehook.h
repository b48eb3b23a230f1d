#pragma once
// Where an accepted quotation goes: the results dialog's Proceed hands the chosen quotation to
// the acceptance wizard through the app seams' handler (app/seams.h). The program fills in the
// wizard; tests fill in their own to see what was handed over.

#include <functional>

class QWidget;
class TQuoteDetails;

// Opens the acceptance wizard for the quotation, modally over `parent`.
using TAcceptanceHandler = std::function<void(const TQuoteDetails& quotation, QWidget* parent)>;

bool HasAcceptanceHandler();
// Runs the handler; nothing happens without one.
void StartAcceptance(const TQuoteDetails& quotation, QWidget* parent);
// The program's handler: the acceptance wizard, which reports its own outcome.
void RunAcceptanceWizard(const TQuoteDetails& quotation, QWidget* parent);
