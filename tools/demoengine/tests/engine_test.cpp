// Runs of the engine in its folder, through the library and as the installed program.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/demoengine/engine.h"
#include "tools/demoengine/panel.h"
#include "tools/demoengine/tests/inputbuilder.h"
#include "tools/dsvdump/resultsfile.h"
#include "tools/testsupport/runprogram.h"
#include "tools/testsupport/tempfolder.h"

namespace {

TProgramRun RunEngineProgram(const TTempFolder& folder, const std::string& arguments = "") {
  return RunProgram("cd '" + folder.Path().string() + "' && '" + QM_ENGINE_PROGRAM + "' " +
                    arguments);
}

}  // namespace

TEST(EngineRun, WritesOneBlockPerSchemeOfThePanel) {
  TTempFolder folder;
  folder.Write("QuoForm1.001", StandardRisk().Text());
  std::ostringstream err;
  ASSERT_EQ(RunEngine(folder.Path().string(), err, nullptr), kEngineOk) << err.str();
  auto blocks = ReadResultsFile(folder.File("Formula1.001"));
  ASSERT_EQ(blocks.size(), DemoPanel().size());
  for (std::size_t i = 0; i < blocks.size(); ++i)
    EXPECT_EQ(blocks[i].PlanNumber, DemoPanel()[i].Plan);
  EXPECT_FALSE(blocks[0].IsReferred());
  EXPECT_TRUE(blocks[4].IsDeclined());  // the young drivers' scheme
  EXPECT_FALSE(folder.Read("Formula1.001").empty());
  EXPECT_FALSE(std::filesystem::exists(folder.File("Formula1.001.new")));
}

TEST(EngineRun, TheSameInputGivesTheSameFileByteForByte) {
  TTempFolder folder;
  folder.Write("QuoForm1.001", StandardRisk().Text());
  std::ostringstream err;
  RunEngine(folder.Path().string(), err, nullptr);
  std::string first = folder.Read("Formula1.001");
  RunEngine(folder.Path().string(), err, nullptr);
  EXPECT_EQ(folder.Read("Formula1.001"), first);
}

TEST(EngineRun, AMalformedInputLeavesNoResultsFile) {
  TTempFolder folder;
  folder.Write("Formula1.001", "stale results of an earlier run");
  folder.Write("QuoForm1.001", StandardRisk().Text() + "one line too many\r\n");
  std::ostringstream err;
  EXPECT_EQ(RunEngine(folder.Path().string(), err, nullptr), kEngineBadInput);
  EXPECT_NE(err.str().find("QuoForm1.001"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder.File("Formula1.001")));
}

TEST(EngineRun, AnInputWithoutTheProposerIsMalformed) {
  TTempFolder folder;
  TInputBuilder b = StandardRisk();
  b.Driver(1, "driver number", "0");
  folder.Write("QuoForm1.001", b.Text());
  std::ostringstream err;
  EXPECT_EQ(RunEngine(folder.Path().string(), err, nullptr), kEngineBadInput);
  EXPECT_NE(err.str().find("proposer"), std::string::npos);
}

TEST(EngineRun, AMissingInputIsAFileError) {
  TTempFolder folder;
  std::ostringstream err;
  EXPECT_EQ(RunEngine(folder.Path().string(), err, nullptr), kEngineFileError);
  EXPECT_FALSE(std::filesystem::exists(folder.File("Formula1.001")));
}

TEST(EngineRun, ExplainsEachSchemesRating) {
  TTempFolder folder;
  folder.Write("QuoForm1.001", StandardRisk().Text());
  std::ostringstream err, explain;
  RunEngine(folder.Path().string(), err, &explain);
  EXPECT_NE(explain.str().find("no claims bonus: x 0.500"), std::string::npos) << explain.str();
  EXPECT_NE(explain.str().find("plan 31: Declined"), std::string::npos);
}

TEST(EngineProgram, RunsWithoutArgumentsInTheCurrentFolder) {
  TTempFolder folder;
  folder.Write("QuoForm1.001", StandardRisk().Text());
  TProgramRun run = RunEngineProgram(folder);
  EXPECT_EQ(run.Status, 0) << run.Output;
  EXPECT_EQ(ReadResultsFile(folder.File("Formula1.001")).size(), DemoPanel().size());
}

TEST(EngineProgram, MalformedInputExitsNonZeroWithAMessage) {
  TTempFolder folder;
  folder.Write("QuoForm1.001", "rubbish\r\n");
  TProgramRun run = RunEngineProgram(folder);
  EXPECT_EQ(run.Status, kEngineBadInput);
  EXPECT_NE(run.Output.find("QuoForm1.001 line 1"), std::string::npos) << run.Output;
  EXPECT_FALSE(std::filesystem::exists(folder.File("Formula1.001")));
}

TEST(EngineProgram, UnknownArgumentsAreAUsageError) {
  TTempFolder folder;
  EXPECT_EQ(RunEngineProgram(folder, "--rate-everything").Status, 64);
}

TEST(ReferenceFiles, PlanNamesNameEverySchemeOfThePanel) {
  TTempFolder folder;
  TProgramRun run =
      RunEngineProgram(folder, "--write-reference-files '" + folder.Path().string() + "/engine'");
  ASSERT_EQ(run.Status, 0) << run.Output;
  auto lines = ReadPlanNames(folder.File("engine/PlanName.Dat"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(PlanDisplayName(lines, 11), "Harrowgate Mutual Essential");
  EXPECT_EQ(PlanDisplayName(lines, 12), "Harrowgate Mutual Premier");
  EXPECT_EQ(PlanDisplayName(lines, 20), "Kestrel Insurance");
  EXPECT_EQ(PlanDisplayName(lines, 31), "Pennant Motor Young Driver");
  EXPECT_EQ(PlanDisplayName(lines, 51), "Thornbury General Classic");
  EXPECT_EQ(PlanDisplayName(lines, 60), "Corrie & Vale");
  for (const auto& scheme : DemoPanel())
    EXPECT_FALSE(PlanDisplayName(lines, scheme.Plan).empty()) << scheme.Plan;
  // Fields are 20 characters: the variant names start at character 21, and character 20 (the
  // last of the name field) stays blank so a reader starting one early finds only a space.
  EXPECT_EQ(lines[0].substr(0, 20), "Harrowgate Mutual   ");
  EXPECT_EQ(lines[0].substr(20, 9), "Essential");
  EXPECT_EQ(lines[0][19], ' ');
}

TEST(ReferenceFiles, ChoiceFileContinuesPastTheStampedCharacter) {
  TTempFolder folder;
  std::ostringstream err;
  ASSERT_TRUE(WriteReferenceFiles(folder.Path().string(), err));
  std::string text = folder.Read("Choice.Dat");
  std::size_t second = text.find("\r\n");
  ASSERT_NE(second, std::string::npos);
  // The program overwrites the third character of the second line; the file must go on after.
  EXPECT_GT(text.size(), second + 2 + 3);
  EXPECT_NE(text[second + 2 + 2], '\r');
}
