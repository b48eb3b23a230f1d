#pragma once
// What the quote summary prints, read from the Data Server through the binding's getters: the
// caption and value of every field of the proposer, driver and vehicle tables, the rows of the
// modification, security, claim, conviction and medical-condition tables, and the lines of the
// quotation. No layout here: the report form places these.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TQuoteDetails;

struct TSummaryField {
  QString Caption;  // "\n" separates the lines of a caption printed over two lines
  QString Value;
};
using TSummaryFields = QList<TSummaryField>;
using TSummaryRows = QList<QStringList>;  // one list of column texts per row

// The number of report records for a driving restriction code: 1 for the proposer only, one more
// for each additional driver the restriction provides for, none for a code it does not know.
int SummaryRecordCount(int restrictionCode);
// The same for the restriction stored on the cover.
int SummaryRecordCount();

// `today` is the day the periods (years resident, licence held, condition held) count to.
TSummaryFields ProposerFields(const QDate& today);
TSummaryFields DriverFields(int driver, const QDate& today);  // driver from 1
TSummaryFields VehicleFields();

// Table rows, each numbered from 1 in its first column. `driver` 0 is the proposer.
TSummaryRows ModificationRows();
TSummaryRows SecurityDeviceRows();
TSummaryRows ClaimRows(int driver);
TSummaryRows ConvictionRows(int driver);
TSummaryRows MedicalConditionRows(int driver, const QDate& today);

// The name a saved copy of the summary is offered under: the proposer's forenames, a space and the
// surname ("Untitled" when both are empty), without characters a file name cannot hold.
QString SummaryFileBaseName();

// The quotation: its insurer (scheme), its premium ("Referred" when the engine gave no price),
// the excess lines and the policy-note lines.
QString QuotationInsurer(const TQuoteDetails& quotation);
QString QuotationPremium(const TQuoteDetails& quotation);
QStringList ExcessLines(const TQuoteDetails& quotation);
QStringList NoteLines(const TQuoteDetails& quotation);
