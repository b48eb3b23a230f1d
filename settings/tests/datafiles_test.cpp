// Every installed data file's name: its folder setting joined with the exact file name.

#include "settings/tests/optionsfixture.h"

namespace {

TEST_F(OptionsTest, EngineFilesLieInTheQuoteEngineFolder) {
  InstallText("\\QuoteEngine", "Path", "/opt/engine");
  EXPECT_EQ(options().EngineProgramFile(), "/opt/engine/QuoForm1.pif");
  EXPECT_EQ(options().EngineInputFile(), "/opt/engine/QuoForm1.001");
  EXPECT_EQ(options().EngineResultsFile(), "/opt/engine/Formula1.001");
  EXPECT_EQ(options().PlanNameFile(), "/opt/engine/PlanName.Dat");
  EXPECT_EQ(options().ChoiceFile(), "/opt/engine/Choice.Dat");
  EXPECT_EQ(options().OccupationMapFile(), "/opt/engine/OccupMap.bin");
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(OptionsTest, DictionaryFilesLieInTheDictionaryFolder) {
  InstallText("\\Dictionary", "DictionaryPath", "/opt/dict");
  EXPECT_EQ(options().ListsFile(), "/opt/dict/Lists.BIN");
  EXPECT_EQ(options().StructFile(), "/opt/dict/Struct.BIN");
  EXPECT_EQ(options().ExportsFile(), "/opt/dict/Exports.BIN");
  EXPECT_EQ(options().MessageFile(), "/opt/dict/corvane.msg");
  EXPECT_EQ(options().EdiDefFile(), "/opt/dict/EDIDEF.BIN");
  EXPECT_EQ(options().EdiMapFile(), "/opt/dict/EDIMAP.BIN");
}

TEST_F(OptionsTest, TheFolderIsUsedAsStored) {
  InstallText("\\QuoteEngine", "Path", "/opt/engine/");
  EXPECT_EQ(options().PlanNameFile(), "/opt/engine//PlanName.Dat");
}

TEST_F(OptionsTest, EachNameReadsItsFolderAfreshAndReportsAMissingFolderEachTime) {
  EXPECT_EQ(options().StructFile(), "/Struct.BIN");
  EXPECT_EQ(options().ListsFile(), "/Lists.BIN");
  EXPECT_EQ(options().EngineResultsFile(), "/Formula1.001");
  EXPECT_EQ(Boxes(), QStringList({"No Dictionary path found", "No Dictionary path found",
                                  "No Quote engine path found"}));
  InstallText("\\Dictionary", "DictionaryPath", "/later");
  EXPECT_EQ(options().StructFile(), "/later/Struct.BIN");
}

}  // namespace
