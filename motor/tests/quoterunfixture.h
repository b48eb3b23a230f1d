#pragma once
// A quotation run's test set-up: a small dictionary holding the cover type, a transfer definition
// that writes it into the engine input, and an engine folder with one of the stand-in engines and
// two insurers' scheme names.

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "dataserver/dictwriter.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/quoterun.h"
#include "motor/tests/enginefiles.h"
#include "motor/tests/testengine.h"
#include "platform/scriptedprompter.h"

inline constexpr std::int32_t kCoverType = 0xD0001;

class QuoteRunTest : public ::testing::Test {
 protected:
  explicit QuoteRunTest(const char* engine = "copies-results.sh") : engine_(engine) {}

  void SetUp() override {
    TDictionarySource source;
    source.Version = 0x10001;
    source.Lists = {TDictList{{{1, "Comprehensive", "01"}, {2, "Third Party Fire", "02"}}}};
    source.TopLevel = {TDictProperty{13, 0, false, "", -1, {{kCoverType, 4, false, "", 0, {}}}}};
    const TDictionaryFiles files = WriteDictionaryFiles(source);
    ASSERT_TRUE(WriteBytesToFile(Local("Struct.BIN"), files.Struct));
    ASSERT_TRUE(WriteBytesToFile(Local("Lists.BIN"), files.Lists));
    // The input holds the cover type, so a test can see what the engine was given.
    ASSERT_TRUE(WriteBytesToFile(
        Local("Exports.BIN"),
        WriteExportsFile(
            0, 100,
            {TExportRecord{0,
                           0,
                           13,
                           true,
                           0,
                           "",
                           0,
                           1,
                           1,
                           200,
                           {TExportRecord{2, 0, kCoverType, false, 2, "", 0, 1, 1, 0, {}}}}})));
    ASSERT_EQ(DsvOpen(1, 1, Local("Lists.BIN").c_str(), Local("Struct.BIN").c_str(), ""), 0);
    engine_.Write("PlanName.Dat", CrLfLines({PlanLine("Alder Insurance"), PlanLine("Birch")}));
  }
  void TearDown() override { DsvClose(); }

  std::string Local(const char* name) const {
    return QFile::encodeName(engine_.File(QString::fromLatin1(name))).toStdString();
  }

  TQuoteRunSetup Setup() const {
    TQuoteRunSetup setup;
    setup.Engine = TEngineFiles{engine_.Program(), engine_.Results()};
    setup.Input = engine_.File("QuoForm1.001");
    setup.Exports = engine_.File("Exports.BIN");
    setup.PlanNames = engine_.File("PlanName.Dat");
    setup.ApplicationVersion = 1;
    return setup;
  }

  static TTestQuote Quote(const QString& plan, const QString& pence, const QString& note = {}) {
    TTestQuote quote;
    quote.plan = plan;
    quote.premium = pence;
    if (!note.isEmpty()) {
      quote.notes = {{note, "Reason"}};
    }
    quote.sections = {{"4", "0300"}};
    return quote;
  }

  TTestEngineFolder engine_;
  ScopedScriptedPrompter prompter_;
};
