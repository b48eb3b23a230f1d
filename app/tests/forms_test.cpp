// The widget prompter's boxes and dialogs, Getting Started, About, the help window, F1 pop-ups
// and the "What is" mode.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/aboutform.h"
#include "app/gettingstarted.h"
#include "app/helpviewer.h"
#include "app/pagetabcontrol.h"
#include "app/resourceimages.h"
#include "app/splashform.h"
#include "app/tests/appfixture.h"
#include "app/whatsthis.h"
#include "app/widgetprompter.h"
#include "capture/proposerpage.h"
#include "controls/fieldhelp.h"
#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/modaldialog.h"
#include "controls/spinbutton.h"

using namespace OptionKeys;

TEST(WidgetPrompter, BoxesCarryTheKindsIconTheButtonsAndTheLineBreaks) {
  auto box = BuildMessageBox(PromptKind::Confirmation, PromptButtons::YesNoCancel,
                             "The current details have changed\rSave Changes?", QString());
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_EQ(box->text(), QStringLiteral("The current details have changed\nSave Changes?"));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Quillmarsh - Motor"));
  EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
  EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel));

  EXPECT_EQ(BuildMessageBox(PromptKind::Error, PromptButtons::Ok, "x", "Caption")->icon(),
            QMessageBox::Critical);
  EXPECT_EQ(BuildMessageBox(PromptKind::Warning, PromptButtons::Ok, "x", "")->icon(),
            QMessageBox::Warning);
  EXPECT_EQ(BuildMessageBox(PromptKind::Information, PromptButtons::Ok, "x", "")->icon(),
            QMessageBox::Information);
  EXPECT_EQ(BuildMessageBox(PromptKind::Plain, PromptButtons::Ok, "x", "")->icon(),
            QMessageBox::NoIcon);
  auto yesNo = BuildMessageBox(PromptKind::Information, PromptButtons::YesNo, "x", "Caption");
  EXPECT_EQ(yesNo->windowTitle(), QStringLiteral("Caption"));
  EXPECT_EQ(yesNo->escapeButton(), yesNo->button(QMessageBox::No));
  EXPECT_EQ(AnswerOf(QMessageBox::No), PromptAnswer::No);
  EXPECT_EQ(AnswerOf(QMessageBox::NoButton), PromptAnswer::Cancel);
}

TEST(WidgetPrompter, ALongTextScrollsAndTheBoxStaysOnTheScreen) {
  // An engine's long error output under the program's own first line.
  QString text = QStringLiteral(
      "The Quote engine ended (exit code 3) without producing any "
      "quotations");
  for (int line = 1; line <= 400; ++line)
    text += QStringLiteral("\rengine: line %1 of the input is not a number").arg(line);
  auto box = BuildMessageBox(PromptKind::Information, PromptButtons::Ok, text, QString());
  box->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
  const QRect screen = box->screen()->availableGeometry();
  EXPECT_LE(box->frameGeometry().height(), screen.height());
  EXPECT_TRUE(screen.contains(box->button(QMessageBox::Ok)->mapToGlobal(QPoint(1, 1))));
  EXPECT_TRUE(box->text().startsWith("The Quote engine ended (exit code 3)"));
  // Every line is there to scroll to.
  auto* details = box->findChild<QTextEdit*>();
  ASSERT_NE(details, nullptr);
  EXPECT_TRUE(details->isVisible());
  EXPECT_TRUE(details->toPlainText().contains("line 400 of the input"));
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  EXPECT_EQ(AnswerOf(box->standardButton(box->clickedButton())), PromptAnswer::Ok);

  // A short text stays the box's text, with nothing to open.
  auto shortBox = BuildMessageBox(PromptKind::Information, PromptButtons::Ok, "a\rb", QString());
  EXPECT_TRUE(shortBox->detailedText().isEmpty());
}

TEST(WidgetPrompter, FileDialogsListBothCasesOfTheExtension) {
  EXPECT_EQ(NameFiltersOf("Insurance Quotation|*.PCD", true),
            QStringList{"Insurance Quotation (*.PCD *.pcd)"});
  EXPECT_EQ(NameFiltersOf("Insurance Quotation|*.PCD", false),
            QStringList{"Insurance Quotation (*.PCD)"});
  EXPECT_EQ(NameFiltersOf("Text|*.txt;*.Log|All|*.*", true),
            (QStringList{"Text (*.txt *.TXT *.Log *.log *.LOG)", "All (*.*)"}));

  FileDialogRequest request;
  request.initialFolder = QDir::tempPath();
  request.filter = QStringLiteral("Insurance Quotation|*.PCD");
  request.defaultExtension = QStringLiteral("pcd");
  request.proposedName = QStringLiteral("Jane Smith");
  request.overwritePrompt = true;
  auto save = BuildFileDialog(request, true);
  EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(save->defaultSuffix(), QStringLiteral("pcd"));
  EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(save->directory().absolutePath(), QDir(QDir::tempPath()).absolutePath());
  auto open = BuildFileDialog(request, false);
  EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(open->nameFilters(), QStringList{"Insurance Quotation (*.PCD *.pcd)"});
}

TEST(Forms, SplashAndAboutCarryTheirCaptionsSizesAndTexts) {
  TInitForm splash;
  EXPECT_EQ(splash.windowTitle(), QStringLiteral("Quillmarsh"));
  EXPECT_EQ(splash.size(), QSize(449, 350));
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
  // The picture the build drew is the one the SVG draws, pixel for pixel.
  const QImage shown = splash.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().toImage();
  const QImage drawn = DrawnImagePixmap(QStringLiteral("splash"), QSize(449, 350)).toImage();
  ASSERT_EQ(shown.size(), QSize(449, 350));
  EXPECT_TRUE(shown.convertToFormat(QImage::Format_ARGB32) ==
              drawn.convertToFormat(QImage::Format_ARGB32));

  TAboutForm about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillmarsh"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
            QStringLiteral("Private Motor Insurance Quotation System"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Version"))->text(),
            QStringLiteral("Release 3.12"));
  EXPECT_TRUE(about.findChild<QPushButton*>(QStringLiteral("CloseButton"))->isDefault());
}

class Help : public AppTest {
 protected:
  template <class Control>
  Control* Field(int context) {
    QWidget* page = window_->ProposerPage();
    if (page->layout() == nullptr)
      new QVBoxLayout(page);
    auto* field = new Control(page);
    SetHelpContext(field, context);
    // First on the page, left of the page's own fields, where its pop-up has room.
    if (auto* box = qobject_cast<QBoxLayout*>(page->layout()))
      box->insertWidget(0, field);
    else
      page->layout()->addWidget(field);
    field->show();
    window_->RebuildPages();
    return field;
  }
};

TEST_F(Help, GettingStartedOpensAtTheFirstShowUntilTheBoxIsTicked) {
  store_.WriteText(kHelp, kShowFirstHelp, kYes);
  QStringList headings;
  {
    const TSeamsGuard seams;
    TControlsSeams::Current().modalDialog = [&](QDialog& dialog) {
      auto* form = qobject_cast<TInitialHelpForm*>(&dialog);
      EXPECT_NE(form, nullptr);
      if (form == nullptr)
        return static_cast<int>(QDialog::Rejected);
      EXPECT_EQ(form->windowTitle(), QStringLiteral("Getting Started"));
      EXPECT_FALSE(form->DontShowCheckBox()->isChecked());
      EXPECT_EQ(form->DontShowCheckBox()->text(), QStringLiteral("Don't show this at startup"));
      const QString text = form->Page()->toPlainText();
      EXPECT_TRUE(text.contains(QStringLiteral("01632 960123")));
      for (const QString& heading : TInitialHelpForm::kHeadings) {
        if (text.contains(heading))
          headings.append(heading);
      }
      form->DontShowCheckBox()->click();
      return static_cast<int>(QDialog::Rejected);
    };
    StartWindow();
  }
  EXPECT_EQ(headings, TInitialHelpForm::kHeadings);
  EXPECT_EQ(store_.ReadText(kHelp, kShowFirstHelp), kNo);
}

TEST_F(Help, ContentsOpenOurHelpPagesInTheHelpWindow) {
  StartWindow();
  window_->findChild<QAction*>(QStringLiteral("Contents1"))->trigger();
  THelpWindow* help = ExistingHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("The Proposer page")));
  // Every page the contents name is there.
  for (const char* page : {"proposer.html", "vehicle.html", "driver.html", "claims.html",
                           "results.html", "acceptance.html", "invalidrates.html"}) {
    help->Browser()->setSource(QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page)));
    EXPECT_FALSE(help->Browser()->documentTitle().isEmpty()) << page;
  }
  // The help closes with the main window.
  window_->close();
  EXPECT_TRUE(QTest::qWaitFor([] { return ExistingHelpWindow() == nullptr; }, 2000));
}

TEST_F(Help, F1ShowsTheFieldsContextAsAPopUpAtItsBottomLeft) {
  StartWindow();
  auto* edit = Field<TKwEdit>(102);
  edit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(edit, Qt::Key_F1);
  QLabel* popup = ExistingHelpPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_TRUE(popup->text().contains(QStringLiteral("Text box.")));
  EXPECT_EQ(popup->pos(), edit->mapToGlobal(QPoint(0, edit->height())));
  popup->close();

  // A field whose context has no pop-up of its own shows its hint lines.
  EXPECT_EQ(HelpPopupText(110101),
            QStringLiteral("Enter the proposer's date of birth as day/month/year.<br>The "
                           "proposer must be at least 17 and no more than 80."));

  // Context 0: the ordinary help, the contents.
  auto* plain = Field<TKwEdit>(0);
  plain->setFocus(Qt::TabFocusReason);
  QTest::keyClick(plain, Qt::Key_F1);
  ASSERT_NE(ExistingHelpWindow(), nullptr);
  EXPECT_TRUE(ExistingHelpWindow()->isVisible());
}

TEST_F(Help, WhatIsNamesTheKindOfTheControlUnderThePointer) {
  StartWindow();
  auto* combo = Field<TKwComboEdit>(0);
  auto* spin = Field<TSpinButton>(0);
  EXPECT_EQ(WhatsThisContext(combo), 101);
  EXPECT_EQ(WhatsThisContext(Field<TKwEdit>(0)), 102);
  EXPECT_EQ(WhatsThisContext(spin->UpButton()), 108);
  EXPECT_EQ(WhatsThisContext(window_->statusBar()->findChild<QLabel*>()), 106);
  EXPECT_EQ(WhatsThisContext(window_->findChild<QToolBar*>()), 107);
  EXPECT_EQ(WhatsThisContext(window_->PagesTabControl()->TabBar()), 110);
  EXPECT_EQ(WhatsThisContext(Field<QLabel>(0)), 0);

  TWhatsThisMode::Start();
  ASSERT_TRUE(TWhatsThisMode::Active());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_FALSE(TWhatsThisMode::Active());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_NE(ExistingHelpPopup(), nullptr);
  EXPECT_TRUE(ExistingHelpPopup()->text().contains(QStringLiteral("Drop-down list.")));
  ExistingHelpPopup()->close();
}
