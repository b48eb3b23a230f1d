// The dsvdump program as support staff run it.

#include <gtest/gtest.h>

#include <string>

#include "dataserver/binarystream.h"
#include "tools/dictc/dictionarycompiler.h"
#include "tools/testsupport/runprogram.h"
#include "tools/testsupport/tempfolder.h"

namespace {

TProgramRun Dsvdump(const std::string& arguments) {
  return RunProgram(std::string(QM_DSVDUMP_PROGRAM) + " " + arguments);
}

}  // namespace

TEST(DsvdumpProgram, PrintsAFolderOfDictionaryFiles) {
  TTempFolder folder;
  auto d = CompileDictionary(std::string(QM_DICTC_TEST_DATA) + "/dictionary.json");
  auto files = WriteDictionaryFiles(d.Source);
  WriteBytesToFile(folder.File("Struct.BIN"), files.Struct);
  WriteBytesToFile(folder.File("Lists.BIN"), files.Lists);
  TProgramRun run = Dsvdump(folder.Path().string());
  EXPECT_EQ(run.Status, 0) << run.Output;
  EXPECT_NE(run.Output.find("0x000F0005 date"), std::string::npos);
  EXPECT_NE(run.Output.find("\"FORD\""), std::string::npos);

  TProgramRun json = Dsvdump("--json " + folder.File("Struct.BIN"));
  EXPECT_EQ(json.Status, 0);
  EXPECT_NE(json.Output.find("\"application\": 1"), std::string::npos);
}

TEST(DsvdumpProgram, AnUnknownFileKindAsksForTheType) {
  TTempFolder folder;
  folder.Write("mystery.dat", "x");
  TProgramRun run = Dsvdump(folder.File("mystery.dat"));
  EXPECT_EQ(run.Status, 2);
  EXPECT_NE(run.Output.find("--type"), std::string::npos);
}

TEST(DsvdumpProgram, ADamagedFileFailsWithItsName) {
  TTempFolder folder;
  folder.Write("Struct.BIN", std::string("\x01\x00\x01\x00\x05\x00\x00\x00", 8));
  TProgramRun run = Dsvdump(folder.File("Struct.BIN"));
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Output.find("Struct.BIN"), std::string::npos);
}
