// Saved quotations: a save writes the one section "Tolvane" and replaces the old file in one
// step, a failed save or load leaves what was there, and a huge file is refused unread.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "dataserver/dsv.h"
#include "dataserver/durablefile.h"
#include "dataserver/seams.h"
#include "motor/getmotordsv.h"
#include "motor/proposalfile.h"
#include "motor/tests/motortestdictionary.h"
#include "tools/testsupport/filebytes.h"
#include "tools/testsupport/filesizelimit.h"

using namespace testdict;

namespace {

const TPath kProposer{DriverPath(0)};

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

namespace {

// The step fails at its n-th call (a save renames twice: its new file into place beside the old
// one, and that over the old one).
TDurableStep failingStep;
int failingCall = 1;
int calls = 0;
int StepFailsWithDiskFull(TDurableStep step) {
  return step == failingStep && ++calls == failingCall ? ENOSPC : 0;
}

}  // namespace

TEST_F(ProposalFileTest, ADiskFailingAtAnyStepOfASaveLeavesTheOldFileAndTheProposal) {
  const QString file = File(QStringLiteral("smith.PCD"));
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  ASSERT_EQ(SaveProposalFile(file), 0);
  const QByteArray before = ReadAll(file);
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Jones"));
  const std::pair<TDurableStep, int> faults[] = {
      {TDurableStep::Create, 1}, {TDurableStep::Write, 1},  {TDurableStep::Sync, 1},
      {TDurableStep::Close, 1},  {TDurableStep::Rename, 1}, {TDurableStep::Rename, 2}};
  for (auto [step, call] : faults) {
    failingStep = step;
    failingCall = call;
    calls = 0;
    TDataServerSeamsGuard seams;
    TDataServerSeams::Current().durableFault = StepFailsWithDiskFull;
    const DsvStatus status = SaveProposalFile(file);
    TDataServerSeams::Current().durableFault = nullptr;
    EXPECT_NE(status, 0) << static_cast<int>(step);
    EXPECT_EQ(ReadAll(file), before) << static_cast<int>(step);
    EXPECT_EQ(QDir(folder_.path()).entryList({"smith*"}, QDir::Files), QStringList{"smith.PCD"});
    EXPECT_EQ(GetStringValue(kSurname, kProposer), "Jones");
  }
  ASSERT_EQ(SaveProposalFile(file), 0);
  DsvClearAll();
  ASSERT_EQ(LoadProposalFile(file), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Jones");
}

TEST_F(ProposalFileTest, AHugeFileOrDirectoryIsRefusedUnread) {
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  // A file of 1 GB whose directory is sound (one section "Tolvane" straight after it): refused
  // for its size before anything is read. The file is sparse, so it costs no disk.
  const QString huge = File(QStringLiteral("huge.PCD"));
  {
    QFile out(huge);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("\x01\x00\x00\x00\x07Tolvane\x10\x00\x00\x00\x00\x00\x00\x00", 20);
    ASSERT_TRUE(out.resize(qint64{1} << 30));
  }
  EXPECT_NE(LoadProposalFile(huge), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Smith");

  // A directory claiming two billion sections, in a file big enough to seem to hold them.
  const QString claims = File(QStringLiteral("claims.PCD"));
  {
    QFile out(claims);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("\x00\x94\x35\x77", 4);  // 2,000,000,000
    ASSERT_TRUE(out.resize(qint64{32} << 20));
  }
  EXPECT_NE(LoadProposalFile(claims), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Smith");
}
