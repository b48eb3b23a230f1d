#pragma once
// The details of one quotation as the results dialog's lower list shows them (and the command
// line prints them): its policy notes and its excess breakdown.

#include <QString>
#include <QStringList>

class TQuoteDetails;

struct TResultDetails {
  QString Caption;    // "Policy Notes for " and the insurer name
  QStringList Lines;  // the notes, then the excesses
};

TResultDetails DescribeQuotation(const TQuoteDetails& details);
