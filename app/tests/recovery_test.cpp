// The recovery copy in the main window: it follows the typing after a quiet moment, holds exactly
// the proposal, and goes with Save As, New, Open and the normal close; a copy a crash left is
// offered back (Yes loads it "Modified" under its quotation file, No moves it aside), a damaged
// one is refused, and a running program's copy is never offered.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "app/recoverykeeper.h"
#include "app/tests/appfixture.h"
#include "capture/proposerpage.h"
#include "controls/kwedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "motor/recoverystore.h"
#include "settings/displayformats.h"
#include "tools/testsupport/filebytes.h"

namespace {

const TPath kProposer{DriverPath(0)};

}  // namespace

class Recovery : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(store_.CreateKey(OptionKeys::kOptions));
    ASSERT_TRUE(store_.WriteInteger(OptionKeys::kOptions, OptionKeys::kAutoSaveSeconds, 1));
    StartWindow();
    Keeper().SetQuietMs(50);
    prompter_->Clear();
  }

  TRecoveryKeeper& Keeper() const { return *window_->RecoveryKeeper(); }
  QString Folder() const { return TRecoveryStore::DefaultFolder(); }
  QString OwnCopy() const { return Keeper().Store().CopyFile(); }
  QString Panel(const char* name) const {
    return window_->findChild<QLabel*>(QLatin1String(name))->text();
  }
  QStringList Copies(const QString& sub = QString()) const {
    return QDir(Folder() + sub).entryList({QStringLiteral("*.PCD")}, QDir::Files);
  }

  // Types a postcode into the proposer page and leaves the field, as the user does.
  void TypePostcode(const QString& keys) {
    auto* field = window_->ProposerPage()->findChild<TKwEdit*>(
        QLatin1String(FieldName::ProposerPostCodeKwEdit));
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, keys);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  bool WaitForCopy() const {
    return QTest::qWaitFor([this] { return QFileInfo::exists(OwnCopy()); }, 5000);
  }

  // A copy as a crashed program leaves it: written, its lock gone with its process.
  QString LeaveCopy(const QString& surname, const QString& quotation) {
    SetStringValue(Id::Surname, kProposer, surname);
    TRecoveryStore crashed(Folder());
    EXPECT_TRUE(crashed.Start());
    EXPECT_TRUE(crashed.Write(quotation));
    // The window starts afresh, as after a start.
    ClearModified();
    window_->FileNew();
    return crashed.CopyFile();
  }
};

TEST_F(Recovery, TheCopyFollowsTheTypingAndEveryCleanEndRemovesIt) {
  EXPECT_FALSE(QFileInfo::exists(OwnCopy()));
  TypePostcode(QStringLiteral("bs66ar"));
  ASSERT_TRUE(WaitForCopy());
  // Exactly the proposal, as Save would write it.
  const QString saved = Path("saved.PCD");
  ASSERT_EQ(SaveProposalFile(saved), 0);
  EXPECT_EQ(ReadAll(OwnCopy()), ReadAll(saved));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());

  // Save As removes it.
  prompter_->QueueFileName(Path("smith.PCD"));
  ASSERT_TRUE(window_->RunCommand([this] { return window_->FileSaveAs(); }));
  EXPECT_FALSE(QFileInfo::exists(OwnCopy()));

  // New (without saving) removes it.
  TypePostcode(QStringLiteral("ba11aa"));
  ASSERT_TRUE(WaitForCopy());
  prompter_->QueueAnswer(PromptAnswer::No);
  ASSERT_TRUE(window_->RunCommand([this] { return window_->FileNew(); }));
  EXPECT_FALSE(QFileInfo::exists(OwnCopy()));

  // A successful Open removes it.
  TypePostcode(QStringLiteral("ba11aa"));
  ASSERT_TRUE(WaitForCopy());
  prompter_->QueueAnswer(PromptAnswer::No);
  ASSERT_TRUE(window_->RunCommand([this] { return window_->FileOpen(Sample("family")); }));
  EXPECT_FALSE(QFileInfo::exists(OwnCopy()));

  // Cancelling the close query keeps it; the normal close removes it.
  TypePostcode(QStringLiteral("ba11aa"));
  ASSERT_TRUE(WaitForCopy());
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(QFileInfo::exists(OwnCopy()));
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(Recovery, AFailedWriteIsNotedOnceInTheStatusBarWithoutABox) {
  // The recovery folder turned into a file: nothing can be written there.
  const QString folder = Folder();
  ASSERT_TRUE(QDir(folder).removeRecursively());
  QFile blocker(folder);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TypePostcode(QStringLiteral("bs66ar"));
  ASSERT_TRUE(QTest::qWaitFor(
      [this] { return Panel("HintStatusPanel").startsWith("The recovery copy could not"); }, 5000));
  // Further answers say nothing more, and no box was ever shown.
  window_->findChild<QLabel*>(QStringLiteral("HintStatusPanel"))->clear();
  TypePostcode(QStringLiteral("ba11aa"));
  QTest::qWait(1500);
  EXPECT_FALSE(Panel("HintStatusPanel").startsWith("The recovery copy could not"));
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  QFile::remove(folder);
}

TEST_F(Recovery, ACopyACrashLeftIsOfferedBackAndARunningProgramsCopyIsNot) {
  // Another program, still running, with a copy of its own.
  TRecoveryStore running(Folder());
  ASSERT_TRUE(running.Start());
  ASSERT_TRUE(running.Write(QString()));
  const QString quotation = Path("smith.PCD");
  LeaveCopy(QStringLiteral("Smith"), quotation);
  const QDateTime written = QDateTime::currentDateTime();
  prompter_->Clear();

  prompter_->QueueAnswer(PromptAnswer::Yes);
  ASSERT_TRUE(window_->OfferRecovery());
  ASSERT_EQ(prompter_->Prompts().size(), 1);  // the running program's copy was not offered
  const RecordedPrompt& offer = prompter_->Prompts()[0];
  EXPECT_EQ(offer.kind, PromptKind::Confirmation);
  EXPECT_EQ(offer.buttons, PromptButtons::YesNo);
  EXPECT_EQ(offer.text,
            QStringLiteral("Quillmarsh closed before your last changes were saved.\r\rRecover "
                           "the quotation you were working on (smith.PCD, last changed %1)?")
                .arg(FormatShortDate(written.date()) + " " + FormatTime(written.time())))
      << "(a minute may have turned)";
  // Loaded, "Modified", under its quotation file; the window's own copy has taken over.
  EXPECT_EQ(GetStringValue(Id::Surname, kProposer), "Smith");
  EXPECT_TRUE(IsModified());
  EXPECT_EQ(Panel("ModifiedStatusPanel"), "Modified");
  EXPECT_EQ(Panel("FileNameStatusPanel"), "smith");
  EXPECT_EQ(window_->CurrentFileName(), quotation);
  EXPECT_EQ(Copies().size(), 2);  // the window's own and the running program's
  EXPECT_TRUE(QFileInfo::exists(OwnCopy()));
  EXPECT_TRUE(QFileInfo::exists(running.CopyFile()));
  // Save writes where the user meant to, and the copy goes.
  ASSERT_TRUE(window_->RunCommand([this] { return window_->FileSave(); }));
  EXPECT_TRUE(QFileInfo::exists(quotation));
  EXPECT_FALSE(QFileInfo::exists(OwnCopy()));
}

TEST_F(Recovery, ADeclinedCopyIsMovedAsideAndADamagedOneRefused) {
  const QString declined = LeaveCopy(QStringLiteral("Jones"), QString());
  prompter_->Clear();
  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_FALSE(window_->OfferRecovery());
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].contains("(Untitled, last changed "));
  EXPECT_TRUE(Copies().isEmpty());
  EXPECT_EQ(Copies("/Discarded"), QStringList{QFileInfo(declined).fileName()});
  EXPECT_FALSE(IsModified());
  EXPECT_EQ(GetStringValue(Id::Surname, kProposer), "");

  // Damaged: refused with a message, moved aside, nothing loaded.
  const QString damaged = LeaveCopy(QStringLiteral("Brown"), QString());
  QFile file(damaged);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.resize(file.size() - 3);
  file.close();
  prompter_->Clear();
  EXPECT_FALSE(window_->OfferRecovery());
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Warning);
  EXPECT_TRUE(prompter_->Texts()[0].contains("is damaged and cannot be recovered"));
  EXPECT_EQ(Copies("/Discarded").size(), 2);
  EXPECT_EQ(GetStringValue(Id::Surname, kProposer), "");
  EXPECT_FALSE(IsModified());
}
