// Opening the engine's data side, and the engine check that stamps the choice file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "motor/getmotordsv.h"
#include "motor/tests/motortestdictionary.h"
#include "platform/prompt.h"
#include "platform/scriptedprompter.h"
#include "platform/seams.h"

using namespace testdict;

// ---- Opening ------------------------------------------------------------------------------------

TEST(OpenQuoteEngine, OpensOnAGoodDictionaryWithoutABox) {
  QTemporaryDir folder;
  ScopedScriptedPrompter prompter;
  TQuoteEngineFiles files = EngineFiles(WriteMotorDictionary(folder.path()));
  files.ediDefFile = QDir(folder.path()).filePath("EDIDEF.BIN");
  files.ediMapFile = QDir(folder.path()).filePath("EDIMAP.BIN");
  EXPECT_EQ(OpenQuoteEngine(files), 0);
  EXPECT_TRUE(SetStringValue(kSurname, {DriverPath(0)}, "Open", false, false));
  CloseQuoteEngine();
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST(OpenQuoteEngine, AMissingDictionaryFileAnswers1003WithTheErrorBox) {
  QTemporaryDir folder;
  ScopedScriptedPrompter prompter;
  TTestDictionaryFiles written = WriteMotorDictionary(folder.path());
  ASSERT_TRUE(QFile::remove(written.lists));
  EXPECT_EQ(OpenQuoteEngine(EngineFiles(written)), 1003);
  ASSERT_EQ(prompter->Prompts().size(), 1);
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Error);
  EXPECT_EQ(prompter->Prompts()[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(prompter->Prompts()[0].text, "ERROR - Opening Corvane Data Server");
}

TEST(OpenQuoteEngine, AnotherDictionaryVersionAnswers1008) {
  QTemporaryDir folder;
  ScopedScriptedPrompter prompter;
  TQuoteEngineFiles files = EngineFiles(WriteMotorDictionary(folder.path(), kVersion + 1));
  EXPECT_EQ(OpenQuoteEngine(files), 1008);
  EXPECT_EQ(prompter->Texts(), QStringList{"ERROR - Opening Corvane Data Server"});
  // The caller decides what happens next; the binding does not end the program.
}

TEST(OpenQuoteEngine, ADamagedDictionaryAnswers1004) {
  QTemporaryDir folder;
  ScopedScriptedPrompter prompter;
  TTestDictionaryFiles written = WriteMotorDictionary(folder.path());
  QFile structure(written.structure);
  ASSERT_TRUE(structure.resize(12));  // version, count, and a record cut short
  EXPECT_EQ(OpenQuoteEngine(EngineFiles(written)), 1004);
  EXPECT_EQ(prompter->Texts(), QStringList{"ERROR - Opening Corvane Data Server"});
}

// ---- The engine check ---------------------------------------------------------------------------

namespace {

const QString kEngineMissing =
    QStringLiteral("The Quote engine cound not be found\rPlease Reinstall the software");

class CheckQuoteEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatformSeams::Current().endProgram = [this](int code) { exitCodes_.append(code); };
    choiceFile_ = QDir(folder_.path()).filePath("Choice.Dat");
  }

  void WriteChoiceFile(const QByteArray& bytes) {
    QFile file(choiceFile_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  QByteArray ChoiceFile() {
    QFile file(choiceFile_);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }
  void ExpectFailure() {
    EXPECT_EQ(prompter_->Prompts().size(), 1);
    if (prompter_->Prompts().isEmpty())
      return;
    EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
    EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(prompter_->Prompts()[0].text, kEngineMissing);
    EXPECT_TRUE(exitCodes_.isEmpty()) << "only the quotation is abandoned, not the program";
  }

  QTemporaryDir folder_;
  QString choiceFile_;
  ScopedScriptedPrompter prompter_;
  const TPlatformSeamsGuard seams_;
  QList<int> exitCodes_;
};

}  // namespace

TEST_F(CheckQuoteEngineTest, TheThirdCharacterOfTheSecondLineTakesTheStamp) {
  WriteChoiceFile("ENGINE\r\nC:\\QUOTE\r\nREST");
  EXPECT_TRUE(CheckQuoteEngine(choiceFile_));
  // The first character of the upper-cased full name: on this system the root separator.
  EXPECT_EQ(ChoiceFile(), QByteArray("ENGINE\r\nC:/QUOTE\r\nREST"));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  EXPECT_TRUE(exitCodes_.isEmpty());
}

TEST_F(CheckQuoteEngineTest, AnyRunOfLineEndsSeparatesTheLines) {
  WriteChoiceFile("\n\r\n\rXYZ");
  EXPECT_TRUE(CheckQuoteEngine(choiceFile_));
  EXPECT_EQ(ChoiceFile(), QByteArray("\n\r\n\rXY/"));
}

TEST_F(CheckQuoteEngineTest, AMissingFileAbandonsTheQuotationAndIsNotCreated) {
  EXPECT_FALSE(CheckQuoteEngine(choiceFile_));
  ExpectFailure();
  EXPECT_FALSE(QFile::exists(choiceFile_));
}

TEST_F(CheckQuoteEngineTest, AFileEndingBeforeTheStampIsLeftUntouched) {
  for (const QByteArray& shortFile :
       {QByteArray(), QByteArray("ONE LINE ONLY"), QByteArray("ENGINE\r\n"),
        QByteArray("ENGINE\r\nC"), QByteArray("ENGINE\r\nC:")}) {
    prompter_->Clear();
    exitCodes_.clear();
    WriteChoiceFile(shortFile);
    EXPECT_FALSE(CheckQuoteEngine(choiceFile_)) << shortFile.toStdString();
    ExpectFailure();
    EXPECT_EQ(ChoiceFile(), shortFile) << "the file keeps its size and bytes";
  }
}

TEST_F(CheckQuoteEngineTest, AFolderInsteadOfAFileFails) {
  ASSERT_TRUE(QDir(folder_.path()).mkdir("Choice.Dat"));
  EXPECT_FALSE(CheckQuoteEngine(choiceFile_));
  ExpectFailure();
}

TEST_F(CheckQuoteEngineTest, StampingTwiceWritesTheSameByte) {
  QByteArray original("HEADER\nAB?DEF\n");
  WriteChoiceFile(original);
  ASSERT_TRUE(CheckQuoteEngine(choiceFile_));
  QByteArray once = ChoiceFile();
  ASSERT_TRUE(CheckQuoteEngine(choiceFile_));
  EXPECT_EQ(ChoiceFile(), once);
  EXPECT_EQ(once.size(), original.size());
  EXPECT_EQ(once, QByteArray("HEADER\nAB/DEF\n"));
}

// ---- Starting programs --------------------------------------------------------------------------

TEST(RunProgram, AnswersWhetherTheProcessStarted) {
  EXPECT_TRUE(RunProgram("true --ignored argument"));
  EXPECT_FALSE(RunProgram("/nonexistent/quote-engine-program"));
  EXPECT_FALSE(RunProgram(""));
}
