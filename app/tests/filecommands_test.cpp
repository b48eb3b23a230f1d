// The main window's file commands on the demo installation: New, Open, Save and Save As with
// their dialogs answered by the script, the close query, the recent-file menu, and saves that
// fail.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabBar>

#include "app/pagetabcontrol.h"
#include "app/tests/appfixture.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "tools/testsupport/filebytes.h"
#include "tools/testsupport/filesizelimit.h"

namespace {

constexpr std::int32_t kSurname = Id::Surname;
constexpr std::int32_t kForenames = Id::Forenames;
const TPath kProposer{DriverPath(0)};

}  // namespace

class FileCommands : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartWindow();
    prompter_->Clear();
  }

  QString Panel(const char* name) const {
    return window_->findChild<QLabel*>(QLatin1String(name))->text();
  }
  QAction* Action(const char* name) const {
    return window_->findChild<QAction*>(QLatin1String(name));
  }
  // The recent-file items of the File menu, in menu order.
  QStringList RecentCaptions() const {
    QStringList captions;
    for (QAction* item : window_->findChild<QMenu*>(QStringLiteral("File1"))->actions()) {
      if (item->objectName().startsWith(QLatin1String("RecentFile")))
        captions.append(item->text());
    }
    return captions;
  }
  QString Copy(const char* sample, const QString& name) const {
    const QString target = home_.filePath(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(Sample(sample), target));
    return target;
  }
};

TEST_F(FileCommands, OpenThroughTheDialogLoadsTheFileAndSaveAsWritesItUnderANewName) {
  prompter_->QueueFileName(Sample("family"));
  Action("FileOpen")->trigger();
  ASSERT_EQ(prompter_->FileDialogs().size(), 1);
  const FileDialogRequest open = prompter_->FileDialogs()[0];
  EXPECT_EQ(open.initialFolder, ProgramFolder() + QStringLiteral("/Data"));
  EXPECT_EQ(open.filter, QStringLiteral("Insurance Quotation|*.PCD"));
  EXPECT_EQ(open.defaultExtension, QStringLiteral("pcd"));
  EXPECT_FALSE(open.overwritePrompt);
  EXPECT_TRUE(QFileInfo(open.initialFolder).isDir());
  EXPECT_EQ(window_->CurrentFileName(), Sample("family"));
  EXPECT_EQ(Panel("FileNameStatusPanel"), QStringLiteral("family"));
  EXPECT_EQ(Panel("ModifiedStatusPanel"), QString());
  const QString surname = GetStringValue(kSurname, kProposer);
  ASSERT_FALSE(surname.isEmpty());
  EXPECT_EQ(RecentCaptions(), QStringList{QStringLiteral("&1 family")});
  EXPECT_TRUE(Action("MRUMenuItem")->isVisible());

  // Save As proposes the proposer's name and writes a file that loads back the same.
  const QString copy = home_.filePath(QStringLiteral("copy.PCD"));
  prompter_->QueueFileName(copy);
  Action("SaveAs1")->trigger();
  ASSERT_EQ(prompter_->FileDialogs().size(), 2);
  const FileDialogRequest save = prompter_->FileDialogs()[1];
  EXPECT_EQ(save.proposedName, GetStringValue(kForenames, kProposer) + " " + surname);
  EXPECT_TRUE(save.overwritePrompt);
  EXPECT_EQ(save.filter, QStringLiteral("Insurance Quotation|*.PCD"));
  EXPECT_EQ(window_->CurrentFileName(), copy);
  EXPECT_EQ(Panel("FileNameStatusPanel"), QStringLiteral("copy"));
  EXPECT_EQ(RecentCaptions(), (QStringList{"&1 copy", "&2 family"}));
  DsvClearAll();
  ASSERT_EQ(LoadProposalFile(copy), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), surname);
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();
}

TEST_F(FileCommands, SaveWritesTheCurrentFileAndClearsModified) {
  const QString file = Copy("family", QStringLiteral("mine.PCD"));
  ASSERT_TRUE(window_->FileOpen(file));
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));
  EXPECT_EQ(Panel("ModifiedStatusPanel"), QStringLiteral("Modified"));
  Action("FileSave")->trigger();
  EXPECT_FALSE(IsModified());
  EXPECT_EQ(Panel("ModifiedStatusPanel"), QString());
  EXPECT_TRUE(prompter_->FileDialogs().isEmpty());
  DsvClearAll();
  ASSERT_EQ(LoadProposalFile(file), 0);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), QStringLiteral("Greenwood"));
}

TEST_F(FileCommands, AFailedSaveKeepsModifiedAnswersFalseAndLeavesTheFileAsItWas) {
  const QString file = Copy("family", QStringLiteral("mine.PCD"));
  ASSERT_TRUE(window_->FileOpen(file));
  const QByteArray before = ReadAll(file);
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));
  bool saved = true;
  {
    TFileSizeLimit full(16);  // the disk takes no more than 16 bytes of a new file
    saved = window_->FileSave();
  }
  EXPECT_FALSE(saved);
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].startsWith(
      QStringLiteral("Unable to open test case file\r%1: it could not be written; the disk may "
                     "be full")
          .arg(QDir::toNativeSeparators(file))))
      << prompter_->Texts()[0].toStdString();
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  EXPECT_TRUE(IsModified());
  EXPECT_EQ(Panel("ModifiedStatusPanel"), QStringLiteral("Modified"));
  EXPECT_EQ(ReadAll(file), before);

  // The close query learns it too: the window stays open.
  prompter_->Clear();
  prompter_->QueueAnswer(PromptAnswer::Yes);
  {
    TFileSizeLimit full(16);
    EXPECT_FALSE(window_->close());
  }
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(FileCommands, SaveWithoutAFileIsSaveAsAndACancelledDialogSavesNothing) {
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));
  prompter_->QueueFileName(QString());  // Cancel
  EXPECT_FALSE(window_->FileSave());
  ASSERT_EQ(prompter_->FileDialogs().size(), 1);
  EXPECT_EQ(prompter_->FileDialogs()[0].proposedName, QStringLiteral("Greenwood"));
  EXPECT_TRUE(window_->CurrentFileName().isEmpty());
  EXPECT_TRUE(IsModified());

  // With neither name the proposal is "Untitled".
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QString()));
  prompter_->QueueFileName(QString());
  window_->FileSaveAs();
  EXPECT_EQ(prompter_->FileDialogs()[1].proposedName, QStringLiteral("Untitled"));
}

TEST_F(FileCommands, AFileThatIsNotAQuotationIsReportedAndTheNameStays) {
  const QString file = Copy("family", QStringLiteral("mine.PCD"));
  ASSERT_TRUE(window_->FileOpen(file));
  const QString bad = home_.filePath(QStringLiteral("notes.PCD"));
  QFile out(bad);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write("not a quotation");
  out.close();
  EXPECT_FALSE(window_->FileOpen(bad));
  // The Part's words, then the file and a plain reason.
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("Unable to open test case file with errorcode : 1020\r%1: "
                                       "it is not a quotation file, or it is damaged")
                            .arg(QDir::toNativeSeparators(bad))});
  EXPECT_EQ(window_->CurrentFileName(), file);
  EXPECT_EQ(Panel("FileNameStatusPanel"), QStringLiteral("mine"));

  prompter_->Clear();
  const QString gone = home_.filePath(QStringLiteral("gone.PCD"));
  EXPECT_FALSE(window_->FileOpen(gone));
  ASSERT_EQ(prompter_->Texts().size(), 1);
  EXPECT_TRUE(prompter_->Texts()[0].endsWith(QDir::toNativeSeparators(gone) +
                                             QStringLiteral(": the file does not exist")))
      << prompter_->Texts()[0].toStdString();
}

TEST_F(FileCommands, SaveOnAReadOnlyFileAsksForANameAndLeavesItAsItWas) {
  const QString file = Copy("family", QStringLiteral("kept.PCD"));
  ASSERT_TRUE(window_->FileOpen(file));
  ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  const QByteArray before = ReadAll(file);
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));
  const QString copy = home_.filePath(QStringLiteral("copy.PCD"));
  prompter_->QueueFileName(copy);
  EXPECT_TRUE(window_->FileSave());
  EXPECT_EQ(prompter_->FileDialogs().size(), 1);
  EXPECT_EQ(ReadAll(file), before);
  EXPECT_EQ(window_->CurrentFileName(), copy);
  EXPECT_FALSE(IsModified());
  QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(FileCommands, NewAsksAboutChangesAndStartsAnEmptyProposal) {
  ASSERT_TRUE(window_->FileOpen(Copy("family", QStringLiteral("mine.PCD"))));
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));

  prompter_->QueueAnswer(PromptAnswer::Cancel);
  Action("FileNew")->trigger();
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].text,
            QStringLiteral("The current details have changed\rSave Changes?"));
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Confirmation);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(GetStringValue(kSurname, kProposer), QStringLiteral("Greenwood"));

  prompter_->QueueAnswer(PromptAnswer::No);
  Action("FileNew")->trigger();
  EXPECT_TRUE(GetStringValue(kSurname, kProposer).isEmpty());
  EXPECT_TRUE(window_->CurrentFileName().isEmpty());
  EXPECT_EQ(Panel("FileNameStatusPanel"), QStringLiteral("<None>"));
  EXPECT_FALSE(IsModified());
  QTabBar* tabs = window_->PagesTabControl()->TabBar();
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Proposer"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Vehicle"));
}

TEST_F(FileCommands, TheCloseQueryKeepsTheWindowOnCancelAndOnYesWithACancelledSaveAs) {
  ASSERT_TRUE(SetStringValue(kSurname, kProposer, QStringLiteral("Greenwood")));
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  Action("Exit1")->trigger();
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(GetStringValue(kSurname, kProposer), QStringLiteral("Greenwood"));

  prompter_->QueueAnswer(PromptAnswer::Yes);
  prompter_->QueueFileName(QString());
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(prompter_->FileDialogs().size(), 1);

  prompter_->QueueAnswer(PromptAnswer::No);
  EXPECT_TRUE(window_->close());
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(FileCommands, TheRecentFileMenuKeepsFourFilesMostRecentFirst) {
  QStringList files;
  for (const char* name : {"alpha", "bravo", "charlie", "delta", "echo"})
    files.append(Copy("family", QLatin1String(name) + QStringLiteral(".PCD")));
  for (const QString& file : files)
    ASSERT_TRUE(window_->FileOpen(file));
  // The fifth file pushed the oldest out.
  EXPECT_EQ(RecentCaptions(), (QStringList{"&1 echo", "&2 delta", "&3 charlie", "&4 bravo"}));

  // Reopening a listed file through its item moves it first.
  QAction* charlie = nullptr;
  for (QAction* item : window_->findChild<QMenu*>(QStringLiteral("File1"))->actions()) {
    if (item->text() == QStringLiteral("&3 charlie"))
      charlie = item;
  }
  ASSERT_NE(charlie, nullptr);
  charlie->trigger();
  EXPECT_EQ(window_->CurrentFileName(), files[2]);
  EXPECT_EQ(RecentCaptions(), (QStringList{"&1 charlie", "&2 echo", "&3 delta", "&4 bravo"}));

  // Exit records the current file as well.
  prompter_->Clear();
  EXPECT_TRUE(window_->FileExit());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}
