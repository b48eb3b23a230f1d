#pragma once
// `quillmarsh-cli listing`: prints the proposal listing of the loaded quotation, as the broker
// receives it in the acceptance e-mail.

#include <QDate>
#include <QTextStream>

// Prints the listing of the proposal in the Data Server, one line each. Ages count to the
// stored cover start date, as in the window after the policy conditions are confirmed (today
// when the proposal has none).
void PrintProposalListing(QTextStream& out, const QDate& today);
