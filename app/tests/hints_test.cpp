// The hint file and the hint window: lines in the file's order, placement, the two links, hints
// on and off from the menus, and a missing hint file.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/hintfile.h"
#include "app/hintwindow.h"
#include "app/tests/appfixture.h"
#include "capture/proposerpage.h"
#include "controls/fieldhelp.h"
#include "controls/kwedit.h"

using namespace OptionKeys;

TEST(HintFile, LinesFollowTheKeysInFileOrderNotSorted) {
  const THintFile file = THintFile::FromText(
      "; comment\r\n[120403]\r\nZulu=Press Next to go to the next missing detail.\r\n"
      "alpha = \"Quoted lines lose their quotes.\"\r\nMike=\r\n\r\n[7]\nLine1=seven\n"
      "[120403]\nBravo=A section named again continues.\nALPHA=a key named again is listed "
      "again\n");
  EXPECT_EQ(file.KeyNames(120403), (QStringList{"Zulu", "alpha", "Mike", "Bravo", "ALPHA"}));
  EXPECT_EQ(file.Lines(120403),
            (QStringList{"Press Next to go to the next missing detail.",
                         "Quoted lines lose their quotes.", "", "A section named again continues.",
                         "Quoted lines lose their quotes."}));
  EXPECT_EQ(file.Lines(7), QStringList{"seven"});
  EXPECT_TRUE(file.Lines(8).isEmpty());
  // Windows-1252 text.
  EXPECT_EQ(THintFile::FromText("[1]\nA=\xa3"
                                "5\n")
                .Lines(1),
            QStringList{QString::fromUtf8("£5")});
}

TEST(HintFile, ALongSectionIsShownInOneWalkOverItsKeys) {
  // A damaged file may hold one section of many keys. Each key's value is looked up when the
  // hint is shown; looking each one up by walking the section took the square of its length
  // (minutes for this one), freezing the window at the field.
  QByteArray text = "[101]\n";
  constexpr int kKeys = 300000;
  for (int i = 0; i < kKeys; ++i)
    text += "K" + QByteArray::number(i % 1000 == 999 ? 0 : i) + "=" + QByteArray::number(i) + "\n";
  const THintFile file = THintFile::FromText(text);
  const QStringList lines = file.Lines(101);
  ASSERT_EQ(lines.size(), kKeys);
  EXPECT_EQ(lines[1], "1");
  EXPECT_EQ(lines[999], "0");  // K0 named again reads its first value
  EXPECT_EQ(lines[kKeys - 2], QString::number(kKeys - 2));
}

TEST(HintFile, AFileOfAGigabyteIsRefusedUnread) {
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("TTHelp.dat"));
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[101]\nLine1=A hint\n");
  ASSERT_TRUE(file.resize(qint64{1} << 30));  // sparse: it costs no disk
  file.close();
  EXPECT_FALSE(THintFile::Open(name).has_value());
  ASSERT_TRUE(file.resize(64));
  ASSERT_TRUE(THintFile::Open(name).has_value());
  EXPECT_EQ(THintFile::Open(name)->Lines(101), QStringList{"A hint"});
}

TEST(HintPlacement, BelowTheControlOrAboveItAtTheBottomOfTheScreen) {
  const QRect screen(0, 0, 1024, 768);
  EXPECT_EQ(PlaceHintWindow(QRect(100, 200, 120, 20), QSize(300, 60), screen), QPoint(100, 225));
  EXPECT_EQ(PlaceHintWindow(QRect(100, 700, 120, 20), QSize(300, 60), screen), QPoint(100, 635));
  EXPECT_EQ(PlaceHintWindow(QRect(900, 200, 120, 20), QSize(300, 60), screen), QPoint(724, 225));
}

class Hints : public AppTest {
 protected:
  TKwEdit* Field(int context, const QString& name) {
    QWidget* page = window_->ProposerPage();
    if (page->layout() == nullptr)
      new QVBoxLayout(page);
    auto* field = new TKwEdit(page);
    field->setObjectName(name);
    SetHelpContext(field, context);
    page->layout()->addWidget(field);
    field->show();
    window_->RebuildPages();
    return field;
  }
  QAction* Action(const char* name) const {
    return window_->findChild<QAction*>(QLatin1String(name));
  }
  QString HintsActive() const { return store_.ReadText(kHelp, kHintsActive).value_or("-"); }
};

TEST_F(Hints, TheWindowShowsASectionsLinesHidesOnAClickAndComesBackForTheNextField) {
  StartWindow();
  TTvHintWindow* hint = HintWindow();
  hint->SetHintFile(
      THintFile::FromText("[900]\nC=third key first\nA=second\nB=third\n[901]\nX=other\n"));
  TKwEdit* first = Field(900, QStringLiteral("FirstKwEdit"));
  TKwEdit* second = Field(901, QStringLiteral("SecondKwEdit"));
  first->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->Lines(), (QStringList{"third key first", "second", "third"}));
  EXPECT_EQ(hint->WorkList(), (QStringList{"C", "A", "B"}));
  EXPECT_FALSE(hint->isActiveWindow());
  EXPECT_TRUE(first->hasFocus());
  // Three lines and the line of links.
  EXPECT_GT(hint->height(), 3 * hint->fontMetrics().height());

  QTest::mouseClick(hint, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(hint->isVisible());
  second->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->Lines(), QStringList{"other"});
  hint->findChild<QToolButton*>(QStringLiteral("HideButton"))->click();
  EXPECT_FALSE(hint->isVisible());
}

TEST_F(Hints, DontShowAgainTurnsHintsOffEverywhere) {
  StartWindow();
  TKwEdit* field = Field(110101, QStringLiteral("DOBKwDate"));
  field->setFocus(Qt::TabFocusReason);
  TTvHintWindow* hint = HintWindow();
  ASSERT_TRUE(hint->isVisible());
  prompter_->Clear();
  hint->findChild<QToolButton*>(QStringLiteral("DontShowButton"))->click();
  EXPECT_EQ(prompter_->Texts(),
            QStringList{"Hints have been disabled.\r\rTo enable the hints again select the "
                        "'Display Hints'\roption from the Help menu."});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_FALSE(hint->isVisible());
  EXPECT_EQ(HintsActive(), kNo);
  EXPECT_FALSE(Action("ToolTipsMenuItem")->isChecked());
  EXPECT_TRUE(Action("HintsOffMenuItem")->isChecked());
  EXPECT_TRUE(field->hasFocus());

  // "Turn Hints On" shows the hint at once; "Display Hints" turns them off again.
  Action("HintsOnMenuItem")->trigger();
  EXPECT_EQ(HintsActive(), kYes);
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(Action("ToolTipsMenuItem")->isChecked());
  Action("ToolTipsMenuItem")->trigger();
  EXPECT_EQ(HintsActive(), kNo);
  EXPECT_FALSE(hint->isVisible());

  // Opening the Help menu shows the setting as it stands.
  store_.WriteText(kHelp, kHintsActive, kYes);
  emit window_->findChild<QMenu*>(QStringLiteral("Help1"))->aboutToShow();
  EXPECT_TRUE(Action("ToolTipsMenuItem")->isChecked());
}

TEST_F(Hints, WithoutTheHintFileHintsAreOffAndTheirCommandsDisabled) {
  ASSERT_TRUE(QFile::remove(ProgramFolder() + QStringLiteral("/TTHelp.dat")));
  StartWindow();
  EXPECT_EQ(prompter_->Texts(),
            QStringList{QStringLiteral("Unable to open the Help File.\rHints will be disabled")});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  EXPECT_FALSE(HintFileLoaded());
  EXPECT_FALSE(Action("ToolTipsMenuItem")->isEnabled());
  EXPECT_FALSE(
      window_->findChild<QToolButton*>(QStringLiteral("ToolTipsOnOffSpeedItem"))->isEnabled());
  EXPECT_EQ(HintsActive(), kNo);
  TKwEdit* field = Field(110101, QStringLiteral("DOBKwDate"));
  field->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(HintWindow()->isVisible());
}
