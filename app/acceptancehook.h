#pragma once
// Where an accepted quotation goes: the results dialog's Proceed hands the chosen quotation to
// the acceptance wizard through this one seam. The wizard installs itself as the handler; tests
// install their own to see what was handed over.

#include <functional>

class QWidget;
class TQuoteDetails;

// Opens the acceptance wizard for the quotation, modally over `parent`.
using TAcceptanceHandler = std::function<void(const TQuoteDetails& quotation, QWidget* parent)>;

// Installs the handler (nullptr removes it); answers the previous one.
TAcceptanceHandler SetAcceptanceHandler(TAcceptanceHandler handler);
bool HasAcceptanceHandler();
// Runs the installed handler; nothing happens without one.
void StartAcceptance(const TQuoteDetails& quotation, QWidget* parent);
// Makes Proceed open the acceptance wizard (the program does so at start-up).
void UseAcceptanceWizard();
