// Quote in the main window on the demo installation: the road from Quote to the results dialog
// on a sample proposal, the declined sample, the engine check, Cancel during a slow engine, the
// engine's failures, and the missing-data form leading through an incomplete proposal.

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/missingdataform.h"
#include "app/pagetabcontrol.h"
#include "app/policyconditionsform.h"
#include "app/quotesummarydlg.h"
#include "app/quoteworkflow.h"
#include "app/tests/quotefixture.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"
#include "controls/fieldhelp.h"
#include "controls/kwedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"
#include "motor/quotemessages.h"

using namespace OptionKeys;

class QuoteWorkflow : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    StartWindow();
    workflow_ = std::make_unique<TQuoteWorkflow>(window_.get());
    prompter_->Clear();
    // The conditions are met and cover starts today.
    forms_.On<TAcceptPolicyConditionsForm>([](TAcceptPolicyConditionsForm& form) {
      form.OkBitBtn()->click();
      return form.result();
    });
  }
  void TearDown() override {
    workflow_.reset();
    QuoteTest::TearDown();
  }

  void Quote() { window_->findChild<QAction*>(QStringLiteral("Quote1"))->trigger(); }

  // The page's own field, or a stand-in of that name while the page has none.
  QWidget* Field(QWidget* page, const char* name) {
    if (auto* field = page->findChild<QWidget*>(QLatin1String(name)))
      return field;
    if (page->layout() == nullptr)
      new QVBoxLayout(page);
    auto* field = new QLineEdit(page);
    field->setObjectName(QLatin1String(name));
    page->layout()->addWidget(field);
    return field;
  }

  std::unique_ptr<TQuoteWorkflow> workflow_;
  TFormScript forms_;
};

TEST_F(QuoteWorkflow, ASampleProposalIsQuotedFromTheMenuToTheResultsDialog) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  EXPECT_TRUE(window_->findChild<QAction*>(QStringLiteral("Quote1"))->isEnabled());
  QStringList premiums;
  QString caption;
  forms_.On<TQuoteSummaryDlgForm>([&](TQuoteSummaryDlgForm& results) {
    caption = results.windowTitle();
    for (const TResultRow& row : results.Rows())
      premiums << row.PremiumText;
    return QDialog::Rejected;
  });
  Quote();
  EXPECT_EQ(forms_.Shown(),
            (QStringList{"TAcceptPolicyConditionsForm", "TProgressDlg", "TQuoteSummaryDlgForm"}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();
  EXPECT_TRUE(caption.startsWith(QStringLiteral("Quotation Results (The current rates are valid")));
  // The schemes for the son's age refer his points; Corrie & Vale prices the family.
  EXPECT_EQ(premiums.size(), 5) << premiums.join(' ').toStdString();
  EXPECT_EQ(premiums.count(QStringLiteral("Referred")), 4) << premiums.join(' ').toStdString();
  EXPECT_EQ(TMissingDataForm::Current(), nullptr);
  EXPECT_EQ(GetDateValue(Id::CoverStartDate, {CoverPath()}), Today());
}

TEST_F(QuoteWorkflow, TheDeclinedSampleEndsInTheDeclinedMessage) {
  ASSERT_TRUE(window_->FileOpen(Sample("declined-by-all")));
  Quote();
  EXPECT_EQ(forms_.Shown(), (QStringList{"TAcceptPolicyConditionsForm", "TProgressDlg"}));
  EXPECT_EQ(prompter_->Texts(),
            QStringList{"All the insurance companies declined to quote for the details that you "
                        "have entered\rPlease contact Quillmarsh on 01632 960123"});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
}

TEST_F(QuoteWorkflow, WithoutTheEnginesChoiceFileOnlyTheQuotationIsAbandoned) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  const TPath proposer{DriverPath(0)};
  ASSERT_TRUE(SetStringValue(Id::Surname, proposer, QStringLiteral("Unsaved")));
  ASSERT_TRUE(IsModified());
  ASSERT_TRUE(QFile::remove(Options()->ChoiceFile()));
  QList<int> ended;
  {
    const TSeamsGuard seams;
    TPlatformSeams::Current().endProgram = [&](int code) { ended << code; };
    Quote();
  }
  EXPECT_EQ(prompter_->Texts(),
            QStringList{"The Quote engine cound not be found\rPlease Reinstall the software"});
  EXPECT_TRUE(ended.isEmpty()) << "the program goes on";
  EXPECT_TRUE(forms_.Shown().isEmpty());
  // The window and the unsaved proposal stay, still "Modified" for the close query.
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(GetStringValue(Id::Surname, proposer), QStringLiteral("Unsaved"));
  EXPECT_TRUE(IsModified());
}

TEST_F(QuoteWorkflow, CancelDuringASlowEngineShowsNothingAndLeavesNoProcess) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  InstallTestEngine("sleeps.sh");
  qint64 engine = 0;
  qint64 child = 0;
  forms_.On<TProgressDlg>([&](TProgressDlg& progress) {
    // Once the engine and its child are running, the user cancels.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
      engine = PidIn("engine.pid");
      child = PidIn("child.pid");
      if (engine > 0 && child > 0 && progress.isVisible())
        progress.CancelButton()->click();
    });
    poll.start(20);
    return progress.exec();
  });
  Quote();
  EXPECT_EQ(forms_.Shown(), (QStringList{"TAcceptPolicyConditionsForm", "TProgressDlg"}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();
  ASSERT_GT(engine, 0);
  ASSERT_GT(child, 0);
  QTRY_VERIFY_WITH_TIMEOUT(ProcessGone(engine) && ProcessGone(child), 10000);
}

TEST_F(QuoteWorkflow, EveryEngineFailureClosesTheProgressDialogWithItsOwnMessage) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  struct TCase {
    const char* what;
    std::function<void()> arrange;
    QString message;  // the first line of the box
  };
  const QList<TCase> cases{
      {"no results", [this] { InstallTestEngine("writes-nothing.sh"); },
       "The Quote engine ended (exit code 0) without producing any quotations"},
      {"refused input", [this] { InstallTestEngine("fails.sh"); },
       "The Quote engine ended (exit code 3) without producing any quotations\rQuoForm1.001: "
       "line 3 is not a number"},
      {"not startable", [this] { InstallTestEngine("writes-nothing.sh", false); },
       "The Quote engine could not be started\rPlease Reinstall the software"},
      {"missing", [] { QFile::remove(Options()->EngineProgramFile()); },
       "The Quote engine program could not be found\rPlease Reinstall the software"},
      {"unreadable results",
       [this] {
         InstallTestEngine("copies-results.sh");
         WriteTestFile(EngineFile("Prepared.001"), "not\r\nresults\r\n");
       },
       "The quotations produced by the Quote engine could not be read"},
      {"input not written",
       [this] {
         InstallTestEngine("copies-results.sh");
         QFile::remove(EngineFile("Formula1.001"));
         ASSERT_TRUE(QDir().mkpath(EngineFile("Formula1.001") + "/kept"));  // cannot be deleted
       },
       "The details could not be written for the Quote engine"},
      {"timed out",
       [this] {
         QDir(EngineFile("Formula1.001")).removeRecursively();
         InstallTestEngine("sleeps.sh");
         workflow_->SetEngineTimeout(300);
       },
       "The Quote engine did not finish in time and was stopped\rNo quotation was obtained"},
  };
  for (const TCase& failure : cases) {
    SCOPED_TRACE(failure.what);
    prompter_->Clear();
    TFormScript forms;
    forms.On<TAcceptPolicyConditionsForm>([](TAcceptPolicyConditionsForm& form) {
      form.OkBitBtn()->click();
      return form.result();
    });
    failure.arrange();
    Quote();
    // The progress dialog ended (its modal loop returned) and no results were shown.
    EXPECT_EQ(forms.Shown(), (QStringList{"TAcceptPolicyConditionsForm", "TProgressDlg"}));
    ASSERT_EQ(prompter_->Prompts().size(), 1);
    EXPECT_TRUE(prompter_->Prompts()[0].text.startsWith(failure.message))
        << prompter_->Prompts()[0].text.toStdString();
    EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Error);
  }
}

TEST_F(QuoteWorkflow, AnEmptyProposalIsLedThroughItsMissingDetails) {
  store_.WriteText(kHelp, kHintsActive, kYes);
  window_->SetHints(true);
  QWidget* proposer = window_->ProposerPage();
  QWidget* dob = Field(proposer, FieldName::DOBKwDate);
  QWidget* marital = Field(proposer, FieldName::MaritalStatusKwComboEdit);
  QWidget* postcode = Field(proposer, FieldName::ProposerPostCodeKwEdit);
  QWidget* business = Field(proposer, FieldName::BusinessKwComboEdit);
  window_->RebuildPages();
  Quote();
  TMissingDataForm* form = TMissingDataForm::Current();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(forms_.Shown().isEmpty());  // no conditions yet
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Missing Details"));
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::Tool));
  EXPECT_FALSE(form->isModal());
  EXPECT_FALSE(Options()->GetHintsActive());  // off while the form is open
  QListWidget* list = form->MissingDataListBox();
  ASSERT_GE(list->count(), 13);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("Date of Birth not entered for the proposer"));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("No Marial Status selected for the proposer"));
  EXPECT_EQ(list->item(2)->text(), QStringLiteral("Postcode where Proposer lives not entered"));
  EXPECT_EQ(list->item(7)->text(), QStringLiteral("Year Vehicle manufactured not entered"));
  EXPECT_EQ(HelpContext(form->NextBitBtn()), 120403);
  EXPECT_EQ(HelpContext(form->CloseBitBtn()), 120505);

  // The first item is shown: its field has the focus and the form lies 5 pixels below it.
  QTRY_COMPARE(QApplication::focusWidget(), dob);
  EXPECT_EQ(list->currentRow(), 0);
  const auto below = [&](QWidget* field) {
    return MissingDataFormPosition(QRect(field->mapToGlobal(QPoint(0, 0)), field->size()),
                                   form->frameGeometry().size(),
                                   field->screen()->availableGeometry());
  };
  EXPECT_EQ(form->pos(), below(dob));

  // Next moves on; a disabled field is passed over.
  form->NextBitBtn()->click();
  EXPECT_EQ(QApplication::focusWidget(), marital);
  EXPECT_EQ(form->LastMovedTo(), QStringLiteral("No Marial Status selected for the proposer"));
  postcode->setEnabled(false);
  form->NextBitBtn()->click();
  EXPECT_EQ(QApplication::focusWidget(), business);
  EXPECT_EQ(list->currentRow(), 3);

  // The form follows the focus around the main window.
  dob->setFocus();
  EXPECT_EQ(form->pos(), below(dob));

  // A double-click shows an item of another page.
  const int vehicleYear = 7;
  emit list->itemDoubleClicked(list->item(vehicleYear));
  EXPECT_EQ(window_->PagesTabControl()->TabBar()->currentIndex(), 1);

  // Quote again while the form is open: still the one form, leading afresh from the first item.
  Quote();
  EXPECT_EQ(TMissingDataForm::Current(), form);
  EXPECT_EQ(window_->findChildren<TMissingDataForm*>().size(), 1);
  QTRY_COMPARE(QApplication::focusWidget(), dob);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_FALSE(Options()->GetHintsActive());

  // Closing with items listed goes no further, and the hints come back.
  form->CloseBitBtn()->click();
  QTRY_COMPARE(TMissingDataForm::Current(), nullptr);
  EXPECT_TRUE(Options()->GetHintsActive());
  QApplication::processEvents();
  EXPECT_TRUE(forms_.Shown().isEmpty());
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
}

TEST_F(QuoteWorkflow, FixingTheLastItemAndPressingNextGoesStraightOnToTheConditions) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  const TPath vehicle{VehiclePath()};
  const QString kept = GetStringValue(Id::VehiclePostcode, vehicle);
  ASSERT_FALSE(kept.isEmpty());
  ASSERT_TRUE(SetStringValue(Id::VehiclePostcode, vehicle, QString()));
  window_->VehiclePage()->LoadDetails();
  QWidget* postcode = Field(window_->VehiclePage(), FieldName::PostCodeKwEdit);
  forms_.On<TAcceptPolicyConditionsForm>([](TAcceptPolicyConditionsForm&) {
    return QDialog::Rejected;  // seen; the user goes no further today
  });

  Quote();
  TMissingDataForm* form = TMissingDataForm::Current();
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(form->MissingDataListBox()->count(), 1);
  EXPECT_EQ(form->MissingDataListBox()->item(0)->text(),
            QStringLiteral("Postcode where Vehicle kept not entered"));
  QTRY_COMPARE(QApplication::focusWidget(), postcode);
  EXPECT_EQ(window_->PagesTabControl()->TabBar()->currentIndex(), 1);

  // The user answers; Next closes the form and the quotation goes on without another check.
  ASSERT_TRUE(SetStringValue(Id::VehiclePostcode, vehicle, kept));
  window_->VehiclePage()->LoadDetails();
  form->NextBitBtn()->click();
  QTRY_COMPARE(TMissingDataForm::Current(), nullptr);
  QTRY_COMPARE(forms_.Count(QStringLiteral("TAcceptPolicyConditionsForm")), 1);
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();

  // With every answer present the form is never shown.
  Quote();
  EXPECT_EQ(TMissingDataForm::Current(), nullptr);
  EXPECT_EQ(forms_.Count(QStringLiteral("TAcceptPolicyConditionsForm")), 2);
}

TEST_F(QuoteWorkflow, NextFirstLetsTheFieldBeingEditedStoreItsAnswer) {
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  const TPath proposer{ProposerPath()};
  ASSERT_TRUE(SetStringValue(Id::ProposerPostcode, proposer, QString()));
  window_->ProposerPage()->LoadDetails();
  // The page's own field, or one that stores the postcode when it is left as page fields do.
  QWidget* page = window_->ProposerPage();
  QWidget* own = page->findChild<QWidget*>(QLatin1String(FieldName::ProposerPostCodeKwEdit));
  auto* postcode = qobject_cast<TKwEdit*>(own);
  if (own == nullptr) {
    if (page->layout() == nullptr)
      new QVBoxLayout(page);
    postcode = new TKwEdit(page);
    postcode->setObjectName(QLatin1String(FieldName::ProposerPostCodeKwEdit));
    page->layout()->addWidget(postcode);
    QObject::connect(postcode, &TKwEdit::exited, postcode, [postcode, proposer] {
      SetStringValue(Id::ProposerPostcode, proposer, postcode->text());
    });
  }
  ASSERT_NE(postcode, nullptr);
  forms_.On<TAcceptPolicyConditionsForm>(
      [](TAcceptPolicyConditionsForm&) { return QDialog::Rejected; });

  Quote();
  TMissingDataForm* form = TMissingDataForm::Current();
  ASSERT_NE(form, nullptr);
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(postcode));
  postcode->selectAll();
  QTest::keyClicks(postcode, "BS1 4DJ");
  // The user goes over to the form and presses Next: the field has not been left yet.
  QApplication::setActiveWindow(form);
  QTRY_VERIFY(form->isActiveWindow());
  EXPECT_TRUE(GetStringValue(Id::ProposerPostcode, proposer).isEmpty());
  form->NextBitBtn()->click();
  EXPECT_EQ(GetStringValue(Id::ProposerPostcode, proposer), QStringLiteral("BS1 4DJ"));
  QTRY_COMPARE(TMissingDataForm::Current(), nullptr);
  QTRY_COMPARE(forms_.Count(QStringLiteral("TAcceptPolicyConditionsForm")), 1);
}
