// The quote summary rendered to PDF for the demo samples and read back with pdftotext: every
// field of the family proposal, the records that the driving restriction gives, the address
// without its middle lines, aligned table rows, the page footer, and the mended columns.

#include <QDir>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>

#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "motor/identifiers.h"
#include "report/quotesummaryrptform.h"
#include "report/summaryvalues.h"
#include "report/tests/summaryfixture.h"
#include "settings/displayformats.h"

using namespace summarytest;

namespace {

QString Ago(int years, int months) {
  return FormatShortDate(QDate::currentDate().addYears(-years).addMonths(-months));
}

// Each expected phrase in the flat text, in the order given.
void ExpectInOrder(const QString& text, const QStringList& phrases) {
  qsizetype from = 0;
  for (const QString& phrase : phrases) {
    const qsizetype at = text.indexOf(phrase, from);
    ASSERT_GE(at, 0) << "missing after position " << from << ": " << phrase.toStdString()
                     << "\n--- text\n"
                     << text.toStdString();
    from = at + phrase.size();
  }
}

int Occurrences(const QString& text, const QString& phrase) {
  return static_cast<int>(text.count(phrase));
}

// The line of the page text holding `start`, with its runs of spaces made one.
QString LineWith(const QString& text, const QString& start) {
  const QStringList lines = pdfprobe::LinesWith(text, start);
  return lines.isEmpty() ? QString() : lines.front().simplified();
}

}  // namespace

TEST_F(SummaryTest, TheFamilyProposalPrintsEveryFieldOfEveryDriverAndTheQuotation) {
  Open("family");
  const QString pdf = WriteSummary();
  const QString text = pdfprobe::FlatText(pdf);

  ExpectInOrder(
      text,
      {"Private Motor Insurance Quotation",
       "Quotation Generated at: " + FormatShortDate(QDate::currentDate()) + " 14:05",
       "To arrange cover simply call Quillmarsh now on 01632 960123", BrokerName(), BrokerAddress(),
       // The proposer.
       "Proposer (Policyholder) Details", "Insurance in the name of: Mr David Hargreaves",
       "Address of the Proposer: 27 Cotham Brow, Bristol, BS6 6AR.", "Date of Birth: " + Ago(47, 2),
       "Age at cover inception: 47", "Sex: Male", "Marital Status Married",
       "Number of years resident in the UK: 47", "Main Occupation: Teacher",
       "Employment Status: Employed", "Employers Business: Education - Schools",
       "Other Occupation:", "Other Employment: None",
       "Other Business:", "Type of Driving Licence held: Full UK",
       "Time licence held for: 29 Years 0 Months", "Member of motoring organisation AA",
       "Frequency of use Main", "Class Of Use Social, domestic and pleasure including commuting",
       "Number Of Other Vehicles Owned 0", "No. Other Vehicles Driven 0",
       "Other Vehicles Years NCD 0", "Company Car Usage None", "Company Car Years NCD 0",
       "Date Ceased", "Hold a Pass Plus Qualification No", "Member of the Institute No",
       "of advanced Motoring", "SuccessfullyCompleted the ROSPA No", "Defensive Driving Course",
       // The vehicle.
       "Vehicle", "Vehicle 2003-2010 MPV 5 DM 1896 TOURAN 1.9 TDI SE",
       "Registration Number WU08 TXR", "Type of cover Comprehensive",
       "Voluntary Excess " + Pound() + "100", "Left Hand Drive No",
       "Postcode where vehicle kept BS6 6AR", "Location Kept overnight Locked garage",
       "Current Value " + Pound() + "9,500.00", "Annual Mileage 11000",
       "Years No Claims Dicsount 9 (Protected)", "Registered Owner Proposer",
       "Registered Keeper Proposer",
       // Its modification and security devices.
       "Modifications", "Number Modification Due to medical condition", "1 Tow bar No", "Security",
       "Number Device Fitted By", "1 Tracker Monitor No", "2 Manufacturer fitted immobiliser Yes",
       // The proposer's history: the conviction's incident is not a claim.
       "Driving Claims", "Number Date Type of Claim Cost of Claim Fault Claim Personal Injury",
       "1 " + Ago(0, 14) + " Accident - own vehicle damaged " + Pound() + "2300 Yes No",
       "Driving Convictions", "Number Date Conviction Code Fine Points Months Banned",
       "1 " + Ago(0, 20) + " SP30 - Exceeding statutory speed", Pound() + "100 3 0",
       // Driver 1.
       "Additional Driver's Details", "Identifier of Driver Mrs Helen Hargreaves",
       "Relatioship to proposer Spouse", "Date of Birth: " + Ago(45, 7),
       "Age at cover inception: 45", "Sex: Female", "Marital Status Married",
       "Number of years resident in the UK: 45", "Now permanently resident in the UK? Yes",
       "Full Time Employment Employed", "Main Occupation: Nurse",
       "Employers Business: Health Service (NHS)", "PartTime Employment None",
       "Other Occupation:", "Other Business:", "Type of Driving Licence held: Full UK",
       "Time licence held for: 26 Years 0 Months", "Member of motoring organisation None",
       "Frequency of use Frequent", "Class Of Use Social, domestic and pleasure",
       "Number Of Other Vehicles Owned 0", "Company Car Usage None",
       "Hold a Pass Plus Qualification No", "Driving Claims",
       "1 " + Ago(0, 30) + " Hit while parked " + Pound() + "850 No No",
       // Driver 2.
       "Identifier of Driver Mr Thomas Hargreaves", "Relatioship to proposer Son",
       "Age at cover inception: 23", "Main Occupation: Software Engineer",
       "Employers Business: Computer Services and IT", "Time licence held for: 5 Years 4 Months",
       "Driving Convictions", "1 " + Ago(0, 26) + " SP30", Pound() + "100 3 0",
       "2 " + Ago(0, 8) + " CU80", Pound() + "200 6 0",
       // Driver 3, then the quotation.
       "Identifier of Driver Miss Amy Hargreaves", "Relatioship to proposer Daughter",
       "Age at cover inception: 21", "Full Time Employment Full-time education",
       "Main Occupation: Student", "Time licence held for: 3 Years 1 Months",
       "Hold a Pass Plus Qualification Yes", "Quotation",
       "Insurer (Scheme): Corrie & Vale Family Plus", "Premium " + Pound() + "1,234.50", "Excesses",
       "Total Compulsory Excess Value : " + Pound() + "150",
       "Total Voluntary Excess Value : " + Pound() + "100",
       "Total All sections Excess Value : " + Pound() + "250", "Windscreen := " + Pound() + "75",
       "Theft := " + Pound() + "300", "Policy Notes", "12 Windscreen cover included",
       "40 Named drivers only"});

  // One claim row each for the proposer and his wife: no empty row for a conviction's incident.
  EXPECT_EQ(Occurrences(text, "Driving Claims"), 2);
  EXPECT_EQ(Occurrences(text, "Additional Driver's Details"), 3);
  EXPECT_EQ(Occurrences(text, "Insurer (Scheme):"), 1);
  EXPECT_EQ(Occurrences(text, "Medical Conditions"), 0);
}

TEST_F(SummaryTest, EveryPageShowsItsNumberAndTheSameTotal) {
  Open("family");
  const QString pdf = WriteSummary();
  const int pages = pdfprobe::PageCount(pdf);
  ASSERT_GT(pages, 1);
  for (int page = 1; page <= pages; ++page) {
    const QString text = pdfprobe::FlatText(pdf, page);
    EXPECT_EQ(Occurrences(text, "Page "), 1) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages)))
        << text.toStdString();
  }
  // The title is on the first page only.
  EXPECT_TRUE(pdfprobe::FlatText(pdf, 1).contains("Private Motor Insurance Quotation"));
  EXPECT_FALSE(pdfprobe::FlatText(pdf, 2).contains("Private Motor Insurance Quotation"));
}

TEST_F(SummaryTest, TheDrivingRestrictionDecidesTheRecords) {
  EXPECT_EQ(SummaryRecordCount(Code::ProposerOnly), 1);
  EXPECT_EQ(SummaryRecordCount(Code::ProposerAndSpouse), 2);
  EXPECT_EQ(SummaryRecordCount(3), 2);
  EXPECT_EQ(SummaryRecordCount(7), 6);
  EXPECT_EQ(SummaryRecordCount(Code::AnyDriver), 1);
  EXPECT_EQ(SummaryRecordCount(0), 0);
  EXPECT_EQ(SummaryRecordCount(9), 0);

  Open("family");
  // Proposer only: one record, and the quotation follows the proposer's own history.
  ASSERT_TRUE(SetListValue(Id::DrivingRestriction, {CoverPath()}, Code::ProposerOnly, false));
  QString text = pdfprobe::FlatText(WriteSummary());
  EXPECT_FALSE(text.contains("Additional Driver's Details"));
  EXPECT_FALSE(text.contains("Helen"));
  ExpectInOrder(
      text, {"Proposer (Policyholder) Details", "Vehicle", "Driving Claims", "Driving Convictions",
             "SP30", "Quotation", "Insurer (Scheme):", "Excesses", "Policy Notes"});

  // Proposer and 2 named drivers: drivers 1 and 2, and the quotation after driver 2.
  ASSERT_TRUE(SetListValue(Id::DrivingRestriction, {CoverPath()}, 4, false));
  text = pdfprobe::FlatText(WriteSummary());
  EXPECT_EQ(Occurrences(text, "Additional Driver's Details"), 2);
  EXPECT_FALSE(text.contains("Amy"));
  ExpectInOrder(text, {"Proposer (Policyholder) Details", "Identifier of Driver Mrs Helen",
                       "Identifier of Driver Mr Thomas", "CU80", "Quotation",
                       "Insurer (Scheme):", "Excesses", "Policy Notes"});
  EXPECT_EQ(Occurrences(text, "Insurer (Scheme):"), 1);
}

TEST_F(SummaryTest, AnAddressWithoutLocalityTownOrCountyKeepsFirstLineAndPostcode) {
  Open("family");
  const TPath proposer{ProposerPath()};
  ASSERT_TRUE(SetStringValue(Id::Town, proposer, QString(), false));
  QString text = pdfprobe::FlatText(WriteSummary());
  EXPECT_TRUE(text.contains("Address of the Proposer: 27 Cotham Brow, BS6 6AR. Date of Birth:"))
      << text.toStdString();

  ASSERT_TRUE(SetStringValue(Id::Locality, proposer, QStringLiteral("Cotham"), false));
  ASSERT_TRUE(SetStringValue(Id::County, proposer, QStringLiteral("Avon"), false));
  text = pdfprobe::FlatText(WriteSummary());
  EXPECT_TRUE(text.contains("Address of the Proposer: 27 Cotham Brow, Cotham, Avon, BS6 6AR."));
}

TEST_F(SummaryTest, ALongClaimTypeKeepsTheRowsOfAllSixColumnsLevel) {
  Open("family",
       "Accident - own vehicle damaged while parked on a public road by a third party who "
       "could not be traced");
  // A second claim for the proposer, after the long one.
  const TPath claim{DriverPath(0), IncidentPath(2), ClaimPath(0)};
  ASSERT_TRUE(SetListValue(Id::ClaimType, claim, 4, false));
  ASSERT_TRUE(SetDateValue(Id::ClaimDate, claim, QDate::currentDate().addMonths(-3), false));
  ASSERT_TRUE(SetNumericValue(Id::ClaimCost, claim, 640, false));
  ASSERT_TRUE(SetListValue(Id::ClaimAtFault, claim, Code::NotAtFault, false));
  ASSERT_TRUE(SetListValue(Id::ClaimInjury, claim, Code::Yes, false));

  const QString text = pdfprobe::Text(WriteSummary());
  // Each row's six cells share its first line; the long type goes on below without pushing them.
  const QString first = LineWith(text, Pound() + "2300");
  EXPECT_TRUE(first.startsWith("1 " + Ago(0, 14) + " Accident - own vehicle damaged"))
      << first.toStdString();
  EXPECT_TRUE(first.endsWith(Pound() + "2300 Yes No")) << first.toStdString();
  EXPECT_EQ(LineWith(text, Pound() + "640"),
            "2 " + FormatShortDate(QDate::currentDate().addMonths(-3)) + " Hit while parked " +
                Pound() + "640 No Yes");
  const QString flat = text.simplified();
  ExpectInOrder(
      flat, {"Accident - own vehicle damaged", Pound() + "2300 Yes No", "on a public road",
             "could not be traced", "2 " + FormatShortDate(QDate::currentDate().addMonths(-3))});
}

TEST_F(SummaryTest, TheMendedColumnsReadWhatTheDialogsStore) {
  Open("family");
  // The modification was made for a medical reason (the dialog stores 6 for Yes).
  ASSERT_TRUE(SetListValue(Id::ModifiedForMedicalReason, {VehiclePath(), ModificationPath(0)},
                           Code::MedicalReasonYes, false));
  // Two conditions for the proposer: requirements met without an automatic restriction, and
  // restricted to automatics with the requirements not met.
  const TPath first{DriverPath(0), MedicalConditionPath(0)};
  ASSERT_TRUE(SetListValue(Id::MedicalCondition, first, 1, false));
  ASSERT_TRUE(
      SetDateValue(Id::ConditionStartDate, first, QDate::currentDate().addMonths(-7), false));
  ASSERT_TRUE(SetListValue(Id::AutomaticOnly, first, Code::No, false));
  ASSERT_TRUE(SetListValue(Id::DvlaRequirementsMet, first, 2, false));
  const TPath second{DriverPath(0), MedicalConditionPath(1)};
  ASSERT_TRUE(SetListValue(Id::MedicalCondition, second, 2, false));
  ASSERT_TRUE(
      SetDateValue(Id::ConditionStartDate, second, QDate::currentDate().addYears(-4), false));
  ASSERT_TRUE(SetListValue(Id::DvlaNotified, second, Code::Yes, false));
  ASSERT_TRUE(SetListValue(Id::AutomaticOnly, second, Code::Yes, false));
  ASSERT_TRUE(SetListValue(Id::DvlaRequirementsMet, second, Code::RequirementsNotMet, false));
  // Driver 1 has no residency date.
  ASSERT_TRUE(SetDateValue(Id::ResidencyStartDate, {DriverPath(1)}, QDate(), false));

  const QString text = pdfprobe::Text(WriteSummary());
  EXPECT_EQ(LineWith(text, "Tow bar"), "1 Tow bar Yes");
  // Fault Claim reads the at-fault answer: the proposer's claim was his fault, his wife's not.
  EXPECT_TRUE(LineWith(text, Pound() + "2300").endsWith(Pound() + "2300 Yes No"));
  EXPECT_TRUE(LineWith(text, Pound() + "850").endsWith(Pound() + "850 No No"));
  EXPECT_EQ(LineWith(text, "Epilepsy"), "1 7 Months Epilepsy No No No Yes");
  EXPECT_EQ(LineWith(text, "Diabetes"), "2 4 Years Diabetes - insulin treated No Yes Yes No");
  const QString flat = text.simplified();
  ExpectInOrder(flat,
                {"Medical Conditions", "Number Period condition Condition Notify DVLA",
                 "Restricted to All DVLA", "held DVLA? Notified? Automatic? requirements met?",
                 "Identifier of Driver Mrs Helen", "Now permanently resident in the UK? No",
                 "Identifier of Driver Mr Thomas", "Now permanently resident in the UK? Yes"});
}

TEST_F(SummaryTest, AReferredQuotationPrintsReferredRatherThanAPremium) {
  Open("family");
  quotation_.Premium = 0;
  const QString text = pdfprobe::FlatText(WriteSummary());
  EXPECT_TRUE(text.contains("Premium Referred")) << text.toStdString();
  EXPECT_FALSE(text.contains("Premium " + Pound() + "0.00"));
}

TEST_F(SummaryTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  Open("family");
  const QString pdf = folder_.filePath(QStringLiteral("no-such-folder/summary.pdf"));
  QString error;
  EXPECT_FALSE(WriteQuoteSummaryPdf(quotation_, pdf, error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(SummaryTest, AFullDiskLeavesTheSummarySavedBeforeAsItWas) {
  Open("family");
  const QString pdf = folder_.filePath(QStringLiteral("summary.pdf"));
  QString error;
  ASSERT_TRUE(WriteQuoteSummaryPdf(quotation_, pdf, error)) << error.toStdString();
  QFile saved(pdf);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QByteArray before = saved.readAll();
  saved.close();

  quotation_.Premium = 0;
  TDataServerSeamsGuard seams;
  TDataServerSeams::Current().durableFault = [](TDurableStep step) {
    return step == TDurableStep::Write ? ENOSPC : 0;
  };
  const bool written = WriteQuoteSummaryPdf(quotation_, pdf, error);
  TDataServerSeams::Current().durableFault = nullptr;
  EXPECT_FALSE(written);
  EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), before);
  EXPECT_EQ(QDir(folder_.path()).entryList({"summary.pdf*"}, QDir::Files),
            QStringList{"summary.pdf"});
}
