// The window keeps the user's answers on every way out: a failed Open leaves the window as it was
// (and Save cannot put an empty proposal over a good file), closing the window however it is
// closed stores the field being edited before the close query, and an invalid postcode is warned
// about once as it is left, without holding the user in the field.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabBar>

#include "app/tests/appfixture.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/kwedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/proposalfile.h"
#include "tools/testsupport/filebytes.h"

class NothingLost : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartWindow();
    prompter_->Clear();
    mine_ = home_.filePath(QStringLiteral("mine.PCD"));
    ASSERT_TRUE(QFile::copy(Sample("family"), mine_));
    QFile::setPermissions(mine_, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(window_->FileOpen(mine_));
  }

  QString Panel(const char* name) const {
    return window_->findChild<QLabel*>(QLatin1String(name))->text();
  }
  TKwEdit* Postcode() const {
    return window_->ProposerPage()->Field<TKwEdit>(FieldName::ProposerPostCodeKwEdit);
  }

  QString mine_;
};

TEST_F(NothingLost, AFailedOpenLeavesTheWindowAsItWasAndSaveKeepsTheGoodFile) {
  // The file as this program writes it, to compare byte for byte.
  ASSERT_TRUE(window_->FileSave());
  const QByteArray good = ReadAll(mine_);
  ASSERT_GT(good.size(), 1000);
  const TPath proposer{DriverPath(0)};
  const QString surname = GetStringValue(Id::Surname, proposer);
  ASSERT_FALSE(surname.isEmpty());
  QTabBar* tabs = window_->PagesTabControl()->TabBar();
  const int tabCount = tabs->count();
  window_->SelectPageTab(1);

  // A damaged copy, a folder named like a quotation, a file that is gone, a file without the
  // section: each is reported and changes nothing.
  const QString damaged = home_.filePath(QStringLiteral("damaged.PCD"));
  QFile out(damaged);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(good.left(good.size() / 2));
  out.close();
  const QString folder = home_.filePath(QStringLiteral("x.PCD"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString other = home_.filePath(QStringLiteral("other.PCD"));
  ASSERT_EQ(DsvSaveSection(QFile::encodeName(other).constData(), "Another"), 0);

  for (bool modified : {false, true}) {
    if (modified) {
      ASSERT_TRUE(SetStringValue(Id::Surname, proposer, QStringLiteral("Unsaved")));
    }
    const QString expected = modified ? QStringLiteral("Unsaved") : surname;
    for (const QString& bad :
         {damaged, folder, home_.filePath(QStringLiteral("gone.PCD")), other}) {
      prompter_->Clear();
      if (modified)
        prompter_->QueueAnswer(PromptAnswer::No);  // not saved before opening
      EXPECT_FALSE(window_->RunCommand([&] { return window_->FileOpen(bad); }));
      ASSERT_FALSE(prompter_->Texts().isEmpty());
      EXPECT_TRUE(prompter_->Texts().last().startsWith(
          QStringLiteral("Unable to open test case file with errorcode : ")))
          << bad.toStdString();
      EXPECT_EQ(GetStringValue(Id::Surname, proposer), expected) << bad.toStdString();
      EXPECT_EQ(IsModified(), modified);
      EXPECT_EQ(Panel("ModifiedStatusPanel"), modified ? QStringLiteral("Modified") : QString());
      EXPECT_EQ(window_->CurrentFileName(), mine_);
      EXPECT_EQ(Panel("FileNameStatusPanel"), QStringLiteral("mine"));
      EXPECT_EQ(tabs->count(), tabCount);
      EXPECT_EQ(tabs->currentIndex(), 1);
      EXPECT_TRUE(window_->VehiclePage()->isVisible());
    }
    if (!modified) {
      ASSERT_TRUE(window_->FileSave());
      EXPECT_EQ(ReadAll(mine_), good) << "Save wrote the proposal the window still shows";
    }
  }
}

TEST_F(NothingLost, ClosingTheWindowStoresTheFieldBeingEditedBeforeTheCloseQuery) {
  // Typed and not left, then the window's close button (a close event): "Save Changes?", and
  // Yes saves the typed postcode.
  TKwEdit* postcode = Postcode();
  postcode->setFocus(Qt::TabFocusReason);
  QTest::keyClick(postcode, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(postcode, "ZZ9 9ZZ");
  prompter_->QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("The current details have changed\rSave Changes?")});
  EXPECT_EQ(QApplication::focusWidget(), postcode) << "Cancel goes back to the field";

  // Again, while another window is the active one (the session ending, say): Yes saves.
  QTest::keyClick(postcode, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(postcode, "YY1 1YY");
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  prompter_->Clear();
  prompter_->QueueAnswer(PromptAnswer::Yes);
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("The current details have changed\rSave Changes?")});
  ASSERT_EQ(LoadProposalFile(mine_), 0);
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, {ProposerPath()}), QStringLiteral("YY1 1YY"));
}

TEST_F(NothingLost, AnInvalidPostcodeIsWarnedOnceAndTheUserMovesOn) {
  TKwEdit* postcode = Postcode();
  postcode->setFocus(Qt::TabFocusReason);
  QTest::keyClick(postcode, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(postcode, "AB1 2");
  QTest::keyClick(postcode, Qt::Key_Tab);
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_TRUE(prompter_->Prompts()[0].text.startsWith(QStringLiteral("Invalid postcode ")));
  QWidget* next = QApplication::focusWidget();
  EXPECT_NE(next, postcode) << "the user is not held in the field";
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, {ProposerPath()}), QStringLiteral("AB1 2"));
  // Moving on from the next field warns of nothing more.
  QTest::keyClick(next, Qt::Key_Tab);
  EXPECT_EQ(prompter_->Prompts().size(), 1);
}
