#pragma once
// The report tests' fixture: the Data Server opened on the demo dictionary with a sample proposal
// loaded and prepared as a quotation run prepares it, a quotation of our own, the scripted
// prompter, and the summary written to a PDF in a private folder.

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/identifiers.h"
#include "motor/quotedetails.h"
#include "platform/scriptedprompter.h"
#include "report/engine/tests/pdfprobe.h"
#include "report/summarypdf.h"
#include "tools/dictc/dictionarycompiler.h"

namespace summarytest {

inline const std::string kDemo = QM_DEMO_BUILD_DIR;

inline QString Pound() {
  return QString(QChar(0x00A3));
}

// A quotation as the engine might leave it for the family proposal.
inline TQuoteDetails FamilyQuotation() {
  TQuoteDetails quotation;
  quotation.PlanNumber = 31;
  quotation.InsurerName = QStringLiteral("Corrie & Vale Family Plus");
  quotation.Premium = 1234.5;
  quotation.Notes = {{12, QStringLiteral("Windscreen cover included")},
                     {40, QStringLiteral("Named drivers only")}};
  quotation.CompulsoryExcess = 150;
  quotation.VoluntaryExcess = 100;
  quotation.AllSectionsExcess = 250;
  quotation.SectionExcesses = {{QStringLiteral("75"), 12}, {QStringLiteral("300"), 5}};
  return quotation;
}

class SummaryTest : public ::testing::Test {
 protected:
  void TearDown() override { DsvClose(); }

  // Opens the demo dictionary, with the description of claim type 1 replaced when one is given,
  // and loads the sample; then numbers the convictions and sets today as the cover start.
  void Open(const std::string& sample, const std::string& claimTypeOne = std::string()) {
    std::string lists = kDemo + "/dictionary/Lists.BIN";
    std::string structure = kDemo + "/dictionary/Struct.BIN";
    std::int16_t version = 1;
    if (!claimTypeOne.empty()) {
      TCompiledDictionary dictionary =
          CompileDictionary(std::string(QM_DEMO_SOURCES) + "/dictionary.json");
      TDictList& claimTypes =
          dictionary.Source.Lists[static_cast<std::size_t>(dictionary.Find(Id::ClaimType)->List)];
      for (TDictListEntry& entry : claimTypes.Entries) {
        if (entry.Code == 1) {
          entry.Description = claimTypeOne;
        }
      }
      const TDictionaryFiles files = WriteDictionaryFiles(dictionary.Source);
      lists = Write("Lists.BIN", files.Lists);
      structure = Write("Struct.BIN", files.Struct);
      version = dictionary.Version;
    }
    ASSERT_EQ(DsvOpen(1, version, lists.c_str(), structure.c_str(), "corvane.msg"), 0);
    ASSERT_EQ(DsvLoadSection((kDemo + "/samples/" + sample + ".PCD").c_str(), "Tolvane"), 0);
    PrepareQuote();
  }

  // Writes the summary of the quotation; answers the PDF's name.
  QString WriteSummary() {
    const QString pdf = folder_.filePath(QStringLiteral("summary%1.pdf").arg(++written_));
    QString error;
    EXPECT_TRUE(WriteQuoteSummaryPdf(quotation_, pdf, error, today_, generatedAt_))
        << error.toStdString();
    return pdf;
  }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string file = folder_.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file;
  }

  ScopedScriptedPrompter prompter_;
  QTemporaryDir folder_;
  TQuoteDetails quotation_ = FamilyQuotation();
  QDate today_ = QDate::currentDate();
  QDateTime generatedAt_ = QDateTime(QDate::currentDate(), QTime(14, 5));
  int written_ = 0;
};

}  // namespace summarytest
