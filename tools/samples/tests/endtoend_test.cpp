// Each sample proposal through the whole road of a quotation: loaded from its quotation file,
// prepared as the quotation run prepares it, exported with the demo transfer definition, rated
// by the demo engine in a folder of its own, and read back with TQuoteInformation.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "dataserver/dsv.h"
#include "dataserver/packeddate.h"
#include "motor/quoteinformation.h"
#include "tools/demoengine/inputlayout.h"
#include "tools/testsupport/runprogram.h"
#include "tools/testsupport/tempfolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kDemo = QM_DEMO_BUILD_DIR;

enum class TKind { Priced, Referred, Declined };

// What the results dialog makes of a quotation.
TKind KindOf(const TQuoteDetails& q) {
  if (!q.IsReferred())
    return TKind::Priced;
  if (q.NoteCount() > 0) {
    qint32 first = q.GetNote(0).code;
    if (first == 32 || first == 39 || first == 56)
      return TKind::Declined;
  }
  return TKind::Referred;
}

struct TRun {
  std::map<int, TKind> ByPlan;
  std::map<TKind, int> Count;
  TInputRecord Input;
};

// The program's preparation for a quotation: convictions numbered so that each incident also
// holds a claim entry, the policy starting today and ending a year later.
void PrepareQuote() {
  DsvHandle h = 0;
  if (DsvBeginInstArray(0x13, &h) == 0) {
    double number = 0;
    do {
      std::uint16_t length = 0;
      TPathEntry path[20];
      DsvQueryInstArrayPath(h, &length, path);
      ++number;
      path[length - 1] = TPathEntry{18, 0, 0};
      if (DsvQueryValueExists(0x120001, static_cast<std::int16_t>(length), path) != 0)
        DsvSetValue(0x12FFFF, static_cast<std::int16_t>(length), path, &number);
    } while (DsvNextInstArray(h) == 0);
    DsvEndInstArray(h);
  }
  PackedDate today = TodayPacked();
  TCalendarDate t;
  UnpackDate(today, t);
  PackedDate end = PackDate(t.Year + 1, t.Month, t.Month == 2 && t.Day == 29 ? 28 : t.Day);
  DsvSetReferenceDate(&today);
  TPathEntry cover{13, 0, 0}, policyEnd{43, 0, 0};
  DsvSetValue(0xD0005, 1, &cover, &today);
  DsvSetValue(0x2B000C, 1, &policyEnd, &end);
}

TRun Quote(const std::string& sample) {
  TRun run;
  TTempFolder engine;
  for (const char* name : {"QuoForm1.pif", "PlanName.Dat", "Choice.Dat", "OccupMap.bin"})
    fs::copy_file(kDemo + "/engine/" + name, engine.File(name));
  fs::permissions(engine.File("QuoForm1.pif"), fs::perms::owner_exec, fs::perm_options::add);

  const std::string dictionary = kDemo + "/dictionary";
  EXPECT_EQ(DsvOpen(1, 1, (dictionary + "/Lists.BIN").c_str(), (dictionary + "/Struct.BIN").c_str(),
                    (dictionary + "/corvane.msg").c_str()),
            0);
  EXPECT_EQ(DsvLoadSection((kDemo + "/samples/" + sample + ".PCD").c_str(), "Tolvane"), 0);
  PrepareQuote();
  std::int32_t cover = 0;
  TPathEntry coverPath{13, 0, 0};
  DsvQueryValue(0xD0001, 1, &coverPath, &cover);
  EXPECT_EQ(DsvExport(1, 1, 0, 0, 0, (dictionary + "/Exports.BIN").c_str(),
                      engine.File("QuoForm1.001").c_str()),
            0);
  DsvClose();

  run.Input = ParseEngineInput(engine.Read("QuoForm1.001"));
  TProgramRun engineRun = RunProgram("cd '" + engine.Path().string() + "' && ./QuoForm1.pif");
  EXPECT_EQ(engineRun.Status, 0) << engineRun.Output;

  TQuoteInformation results;
  results.LoadFromFile(QString::fromStdString(engine.File("Formula1.001")),
                       QString::fromStdString(engine.File("PlanName.Dat")), cover);
  for (int i = 0; i < results.Count(); ++i) {
    TKind kind = KindOf(results.Items(i));
    run.ByPlan[results.Items(i).PlanNumber] = kind;
    ++run.Count[kind];
  }
  return run;
}

}  // namespace

TEST(DemoQuotation, TheYoungDriverIsPricedByTheSchemesForYoungDrivers) {
  TRun run = Quote("young-driver");
  const TInputRecord& proposer = run.Input.Occurrences("driver")[0];
  EXPECT_EQ(proposer.Field("age").Number, 19);
  EXPECT_EQ(proposer.Field("licence months").Number, 14);
  EXPECT_EQ(run.Input.Field("make name").Text, "FORD");
  EXPECT_EQ(run.ByPlan.size(), 9u);
  EXPECT_EQ(run.ByPlan[20], TKind::Priced);
  EXPECT_EQ(run.ByPlan[31], TKind::Priced);
  EXPECT_EQ(run.ByPlan[60], TKind::Priced);
  EXPECT_EQ(run.ByPlan[11], TKind::Declined);
  EXPECT_EQ(run.ByPlan[40], TKind::Declined);
}

TEST(DemoQuotation, TheFamilyIsReferredForTheSonsPointsAndPricedByTheSpecialist) {
  TRun run = Quote("family");
  const auto& drivers = run.Input.Occurrences("driver");
  EXPECT_EQ(drivers[3].Field("driver number").Number, 4);
  EXPECT_EQ(drivers[4].Field("driver number").Number, 0);
  // The son's two convictions sit in his incidents 1 and 2, each with a numbered claim entry.
  const auto& sonsIncidents = drivers[2].Occurrences("incident");
  EXPECT_EQ(sonsIncidents[1].Occurrences("conviction")[0].Field("conviction code").Text, "CU80");
  EXPECT_EQ(sonsIncidents[1].Occurrences("claim")[0].Field("claim type").Number, 0);
  EXPECT_EQ(run.ByPlan[11], TKind::Referred);
  EXPECT_EQ(run.ByPlan[20], TKind::Referred);
  EXPECT_EQ(run.ByPlan[40], TKind::Declined);
  EXPECT_EQ(run.ByPlan[60], TKind::Priced);
}

TEST(DemoQuotation, EveryInsurerDeclinesTheLastSample) {
  TRun run = Quote("declined-by-all");
  EXPECT_EQ(run.Count[TKind::Declined], 9);
}

TEST(DemoQuotation, PricedReferredAndDeclinedSchemesAllOccurAcrossTheSamples) {
  std::map<TKind, int> all;
  for (const char* sample : {"young-driver", "family", "declined-by-all"})
    for (const auto& [kind, count] : Quote(sample).Count)
      all[kind] += count;
  EXPECT_GT(all[TKind::Priced], 0);
  EXPECT_GT(all[TKind::Referred], 0);
  EXPECT_GT(all[TKind::Declined], 0);
}
