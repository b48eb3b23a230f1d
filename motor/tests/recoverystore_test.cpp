// The recovery copy's store: the copy holds exactly the proposal and names its quotation; a copy
// whose program still runs is never claimed, one whose program is gone (its lock gone, or naming
// a process that no longer runs, or a reused process id) is; a damaged one is refused; declined
// ones are moved aside, the newest five kept.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>

#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "motor/proposalfile.h"
#include "motor/recoverystore.h"
#include "motor/tests/motortestdictionary.h"
#include "tools/testsupport/filebytes.h"

using namespace testdict;

namespace {

const TPath kProposer{DriverPath(0)};

// A lock file as QLockFile writes it, naming another process.
void WriteLock(const QString& fileName, qint64 pid) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n' +
             QSysInfo::machineHostName().toUtf8() + '\n');
}

// The process id of a process that has ended.
qint64 EndedProcess() {
  QProcess shell;
  shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
  shell.waitForFinished();
  return shell.readAllStandardOutput().trimmed().toLongLong();
}

}  // namespace

class RecoveryStoreTest : public MotorDsvTest {
 protected:
  QString Folder() const { return folder_.filePath(QStringLiteral("Recovery")); }
  QStringList Copies(const QString& sub = QString()) const {
    return QDir(Folder() + sub).entryList({QStringLiteral("*.PCD")}, QDir::Files);
  }
  // A copy left as a crash leaves it: written, and its program's lock gone with the program.
  QString LeaveCopy(const QString& surname, const QString& quotation) {
    EXPECT_TRUE(SetStringValue(kSurname, kProposer, surname));
    TRecoveryStore crashed(Folder());
    EXPECT_TRUE(crashed.Start());
    EXPECT_TRUE(crashed.Write(quotation));
    return crashed.CopyFile();
  }
};

TEST_F(RecoveryStoreTest, TheCopyHoldsTheProposalAndIsClaimedOnlyOnceItsProgramIsGone) {
  TRecoveryStore mine(Folder());
  ASSERT_TRUE(mine.Start());
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, "Smith"));
  ASSERT_TRUE(mine.Write(QStringLiteral("/home/user/smith.PCD")));
  ASSERT_TRUE(mine.HasCopy());
  // Exactly what a saved quotation holds.
  const QString saved = folder_.filePath(QStringLiteral("saved.PCD"));
  ASSERT_EQ(SaveProposalFile(saved), 0);
  EXPECT_EQ(ReadAll(mine.CopyFile()), ReadAll(saved));
  EXPECT_TRUE(TRecoveryStore::IsIntact(mine.CopyFile()));

  // A second program sees the first one's copy as taken while the first one runs.
  TRecoveryStore other(Folder());
  ASSERT_TRUE(other.Start());
  EXPECT_TRUE(other.ClaimLeftCopies().empty());

  // Removed by a clean end; written again, then the program "crashes" (its lock is released).
  mine.Remove();
  EXPECT_TRUE(Copies().isEmpty());
  const QString left = LeaveCopy(QStringLiteral("Jones"), QStringLiteral("/home/user/jones.PCD"));
  std::vector<TLeftCopy> copies = other.ClaimLeftCopies();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].CopyFile, left);
  EXPECT_EQ(copies[0].QuotationFile, "/home/user/jones.PCD");
  EXPECT_LE(qAbs(copies[0].Written.secsTo(QDateTime::currentDateTime())), 60);
  // Claimed: a third program does not see it while the second deals with it.
  TRecoveryStore third(Folder());
  ASSERT_TRUE(third.Start());
  EXPECT_TRUE(third.ClaimLeftCopies().empty());
  DsvClearAll();
  ASSERT_EQ(LoadProposalFile(copies[0].CopyFile), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), "Jones");
  other.Adopted(copies[0]);
  EXPECT_TRUE(Copies().isEmpty());
  EXPECT_TRUE(other.ClaimLeftCopies().empty());
}

TEST_F(RecoveryStoreTest, ALockNamingAnEndedOrReusedProcessDoesNotHoldTheCopy) {
  TRecoveryStore mine(Folder());
  ASSERT_TRUE(mine.Start());
  const QString ended = LeaveCopy(QStringLiteral("Ended"), QString());
  WriteLock(QString(ended).replace(QStringLiteral(".PCD"), QStringLiteral(".lock")),
            EndedProcess());
  // A container gives every start the same process ids: the lock names this very process, yet
  // nobody holds it.
  const QString reused = LeaveCopy(QStringLiteral("Reused"), QString());
  WriteLock(QString(reused).replace(QStringLiteral(".PCD"), QStringLiteral(".lock")),
            QCoreApplication::applicationPid());
  std::vector<TLeftCopy> copies = mine.ClaimLeftCopies();
  ASSERT_EQ(copies.size(), 2u);
  // Newest first; without a quotation file the note says so.
  EXPECT_EQ(copies[0].CopyFile, reused);
  EXPECT_EQ(copies[1].CopyFile, ended);
  EXPECT_TRUE(copies[0].QuotationFile.isEmpty());
  // Released without a decision: offered again at the next start.
  for (TLeftCopy& copy : copies)
    TRecoveryStore::Release(copy);
  EXPECT_EQ(mine.ClaimLeftCopies().size(), 2u);
}

TEST_F(RecoveryStoreTest, DamagedCopiesAreRefusedAndDeclinedOnesMovedAsideKeepingTheNewestFive) {
  TRecoveryStore mine(Folder());
  ASSERT_TRUE(mine.Start());
  const QString copy = LeaveCopy(QStringLiteral("Smith"), QString());
  // Cut short, as a disk that lost the end of it would leave it.
  const QByteArray whole = ReadAll(copy);
  QFile file(copy);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(whole.left(whole.size() - 6));
  file.close();
  EXPECT_FALSE(TRecoveryStore::IsIntact(copy));
  EXPECT_FALSE(TRecoveryStore::IsIntact(folder_.filePath(QStringLiteral("none.PCD"))));

  for (int i = 0; i < 7; ++i)
    LeaveCopy(QStringLiteral("Driver %1").arg(i), QString());
  QString last;
  for (TLeftCopy& left : mine.ClaimLeftCopies()) {
    last = mine.MoveAside(left);
    ASSERT_FALSE(last.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(last));
  }
  EXPECT_TRUE(Copies().isEmpty());
  const QStringList kept = Copies(QStringLiteral("/Discarded"));
  EXPECT_EQ(kept.size(), TRecoveryStore::kDiscardedKept);
  EXPECT_TRUE(kept.contains(QFileInfo(last).fileName()));
  // Each kept copy keeps its note; the pruned ones took theirs along.
  EXPECT_EQ(QDir(Folder() + QStringLiteral("/Discarded"))
                .entryList({QStringLiteral("*.info")}, QDir::Files)
                .size(),
            TRecoveryStore::kDiscardedKept);
}
