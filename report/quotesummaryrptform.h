#pragma once
// TQuoteSummaryRptForm: the printed summary of a proposal and one chosen quotation, as a banded
// report. Record 0 carries the proposer and the vehicle, record r >= 1 additional driver r, and
// the last record also carries the quotation with its excesses and policy notes. Values come from
// the Data Server (through the binding's getters) and from the quotation.
//
// The footer's "Page n of N" needs the page count before printing, so every use generates the
// report twice: GenerateQuoteSummary() counts with one form and prints with another.

#include <QDate>
#include <QDateTime>
#include <QPageLayout>
#include <vector>

#include "report/engine/bandedreport.h"
#include "report/summarybands.h"
#include "report/summaryvalues.h"

class TQuoteDetails;

class TQuoteSummaryRptForm {
 public:
  // `pageCount` is the N of "Page n of N" (the counting pass's result; 0 while counting).
  // `today` is the day periods are counted to; `generatedAt` the moment the title shows.
  TQuoteSummaryRptForm(const TQuoteDetails& quotation, int pageCount, const QDate& today,
                       const QDateTime& generatedAt);
  TQuoteSummaryRptForm(const TQuoteSummaryRptForm&) = delete;
  TQuoteSummaryRptForm& operator=(const TQuoteSummaryRptForm&) = delete;

  // Reads the number of records from the driving restriction and lays the report out.
  TRptDocument Generate(const QPageLayout& layout);

  int RecordCount() const { return records_; }

 private:
  bool NextRecord();
  bool LastRecord() const { return record_ == records_ - 1; }

  void BuildTitle();
  void BuildFooter();
  void BuildFieldSection(const QString& header, const QString& detail, const QString& heading,
                         std::function<bool()> printsWhen, std::function<TSummaryFields()> fields);
  void BuildTableSection(const QString& header, const QString& detail, const QString& heading,
                         const summarylayout::TColumns& columns, std::function<bool()> printsWhen,
                         std::function<TSummaryRows()> rows);
  void BuildQuotation();
  void BuildMemoSection(const QString& band, const QString& heading,
                        std::function<QStringList()> lines);

  const TQuoteDetails& quotation_;
  int pageCount_;
  QDate today_;
  int records_ = 0;
  int record_ = -1;
  TBandedReport report_;
};

// The page layout the summary is laid out on unless a printer says otherwise: A4 portrait with
// 15 mm margins.
QPageLayout DefaultSummaryPageLayout();

// The summary of the quotation ready to show, print or save: counted once, then generated again
// with that page count.
TRptDocument GenerateQuoteSummary(const TQuoteDetails& quotation,
                                  const QPageLayout& layout = DefaultSummaryPageLayout(),
                                  const QDate& today = QDate::currentDate(),
                                  const QDateTime& generatedAt = QDateTime::currentDateTime());

// The broker named in the title band.
QString BrokerName();
QString BrokerAddress();
QString BrokerTelephone();
