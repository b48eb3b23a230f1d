// Saved quotations: a save writes the one section "Tolvane" and replaces the old file in one
// step, and a failed save or load leaves what was there.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/proposalfile.h"
#include "motor/tests/motortestdictionary.h"
#include "tools/testsupport/filesizelimit.h"

using namespace testdict;

namespace {

const TPath kProposer{DriverPath(0)};

QByteArray ReadAll(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ProposalFileTest : public MotorDsvTest {
 protected:
  QString File(const QString& name) const { return folder_.filePath(name); }
};

TEST_F(ProposalFileTest, SaveReplacesTheFileWithTheSingleSectionAndLoadReadsItBack) {
  const QString file = File(QStringLiteral("smith.PCD"));
  // An old file with a second section: the new file holds "Tolvane" alone, as a new file would.
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Jones"));
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(file).constData(), "Other"), 0);
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  ASSERT_EQ(SaveProposalFile(file), 0);
  const QString fresh = File(QStringLiteral("fresh.PCD"));
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(fresh).constData(), "Tolvane"), 0);
  EXPECT_EQ(ReadAll(file), ReadAll(fresh));
  // Nothing is left beside it.
  EXPECT_EQ(QDir(folder_.path()).entryList({"smith*"}, QDir::Files), QStringList{"smith.PCD"});

  DsvClearAll();
  ASSERT_EQ(LoadProposalFile(file), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Smith");
}

TEST_F(ProposalFileTest, AFailedSaveLeavesThePreviousFileAsItWas) {
  const QString file = File(QStringLiteral("smith.PCD"));
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  ASSERT_EQ(SaveProposalFile(file), 0);
  const QByteArray before = ReadAll(file);

  // A disk that takes no more than a few bytes of a new file (as when it is full).
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Jones"));
  DsvStatus status = 0;
  {
    TFileSizeLimit limit(8);
    status = SaveProposalFile(file);
  }
  EXPECT_NE(status, 0);
  EXPECT_EQ(ReadAll(file), before);
  EXPECT_EQ(QDir(folder_.path()).entryList({"smith*"}, QDir::Files), QStringList{"smith.PCD"});
}

TEST_F(ProposalFileTest, MissingAndDamagedFilesAnswerAStatusAndKeepTheProposal) {
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  EXPECT_NE(LoadProposalFile(File(QStringLiteral("none.PCD"))), 0);

  const QString damaged = File(QStringLiteral("damaged.PCD"));
  QFile out(damaged);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("\x01\x00\x00\x00\x07Tolvane\xff\xff\x00\x00", 16);
  out.close();
  EXPECT_NE(LoadProposalFile(damaged), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Smith");
}
