// A whole proposal typed into the main window on the demo installation: the proposer, a car
// with a modification and an alarm, a driving restriction with two named drivers and both
// drivers' pages. Quote runs the demo engine and lists its schemes; the quotation saved and
// opened again shows every answer; quillmarsh-cli quotes the saved file at the same prices.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabBar>
#include <QTreeWidget>

#include <QListWidget>
#include "app/missingdataform.h"
#include "app/pagetabcontrol.h"
#include "app/policyconditionsform.h"
#include "app/quotesummarydlg.h"
#include "app/quoteworkflow.h"
#include "app/tests/quotefixture.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/securitydevicesform.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepage.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "motor/fieldnames.h"
#include "motor/identifiers.h"

namespace {

template <class Control>
Control* In(QWidget* form, const char* name) {
  auto* control = form->findChild<Control*>(QLatin1String(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// Types into the field and leaves it with Tab, as the user does.
void TypeAndTab(QWidget* field, const QString& keys) {
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(field, keys);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

// Picks the list's entry at `index` by typing its text over the field's, then leaves it.
void Choose(TKwComboEdit* list, int index) {
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(list, list->ItemText(index));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}
void ChooseCode(TKwComboEdit* list, std::int32_t code) {
  ASSERT_GE(list->IndexOfCode(code), 0) << list->objectName().toStdString() << " " << code;
  Choose(list, list->IndexOfCode(code));
}

std::int32_t Selected(QWidget* page, const char* name) {
  auto* list = In<TKwComboEdit>(page, name);
  return list->ItemIndex() < 0 ? -1 : list->ItemCode(list->ItemIndex());
}

void Answer(QWidget* page, const char* question, char key) {
  auto* field = In<TKwYesNoDlg>(page, question);
  field->setFocus(Qt::TabFocusReason);
  QTest::keyClick(field, key);
}
bool IsYes(QWidget* page, const char* question) {
  return In<TKwYesNoDlg>(page, question)->State() == TKwYesNoState::ynYes;
}

// What every driver page asks: birth, marital status, an occupation (the first business with a
// choice of occupations, its second occupation, the last status) and the licence.
void TypeDriver(QWidget* page, const char* birth, int marital) {
  TypeAndTab(In<TKwDate>(page, FieldName::DOBKwDate), birth);
  // Tab goes on to the next field of the page (it once left the driver page from here).
  EXPECT_EQ(QApplication::focusWidget(), In<QWidget>(page, DriverField::MaleRadioButton));
  Choose(In<TKwComboEdit>(page, FieldName::MaritalStatusKwComboEdit), marital);
  auto* business = In<TKwComboEdit>(page, FieldName::BusinessKwComboEdit);
  auto* occupation = In<TKwComboEdit>(page, FieldName::OccupationKwComboEdit);
  for (int i = 1; i < business->ItemCount() && occupation->ItemCount() < 3; ++i)
    Choose(business, i);
  ASSERT_GE(occupation->ItemCount(), 3);
  Choose(occupation, 2);
  auto* status = In<TKwComboEdit>(page, FieldName::EmploymentStatusKwComboEdit);
  ASSERT_GT(status->ItemCount(), 0);
  Choose(status, status->ItemCount() - 1);
  Choose(In<TKwComboEdit>(page, FieldName::LicenceTypeKwComboEdit), 1);
  TypeAndTab(In<TNumericEdit>(page, DriverField::LicenceYearsNumericEdit), "10");
}

// "No|Insurer|Premium|Excess" for each scheme listed.
using TListing = QStringList;

class WholeProposal : public QuoteTest {
 protected:
  void SetUp() override {
    QuoteTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(StartWindow());
    workflow_ = std::make_unique<TQuoteWorkflow>(window_.get());
    prompter_->Clear();
  }
  void TearDown() override {
    workflow_.reset();
    QuoteTest::TearDown();
  }

  // The dialog is shown active, driven by `act` from the keyboard, and ends as `act` left it.
  template <class Form>
  void WhenShown(std::function<void(Form&)> act) {
    forms_.On<Form>([this, act](Form& form) {
      form.show();
      QApplication::setActiveWindow(&form);
      EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
      act(form);
      form.hide();
      QApplication::setActiveWindow(window_.get());
      return form.result();
    });
  }

  // The next page, through the keyboard on the page tabs.
  void NextPage() {
    QTabBar* tabs = window_->PagesTabControl()->TabBar();
    tabs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs, Qt::Key_Right);
  }
  // The items of the Missing Details window, when it is open.
  static QStringList StillMissing() {
    QStringList items;
    if (TMissingDataForm* form = TMissingDataForm::Current()) {
      for (int i = 0; i < form->MissingDataListBox()->count(); ++i)
        items << form->MissingDataListBox()->item(i)->text();
    }
    return items;
  }
  int Page() const { return window_->PagesTabControl()->TabBar()->currentIndex(); }

  // quillmarsh-cli quote FILE --json on this installation: the listing of its one report.
  TListing QuoteWithCli(const QString& file) const {
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), Path("xdg"));
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(QM_CLI_PROGRAM), {QStringLiteral("quote"), file, "--json"});
    if (!cli.waitForFinished(120000)) {
      cli.kill();
      cli.waitForFinished();
    }
    const QString errors = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(cli.exitCode(), 0) << errors.toStdString();
    const QJsonArray reports = QJsonDocument::fromJson(cli.readAllStandardOutput()).array();
    EXPECT_EQ(reports.size(), 1) << errors.toStdString();
    TListing listing;
    for (const QJsonValue& value : reports[0].toObject()[QStringLiteral("quotations")].toArray()) {
      const QJsonObject quotation = value.toObject();
      listing << QStringList{QString::number(quotation["no"].toInt()),
                             quotation["insurer"].toString(), quotation["premium"].toString(),
                             quotation["excess"].toString()}
                     .join('|');
    }
    return listing;
  }

  std::unique_ptr<TQuoteWorkflow> workflow_;
  TFormScript forms_;
};

}  // namespace

TEST_F(WholeProposal, TypedQuotedSavedOpenedAndQuotedAgainFromTheCommandLine) {
  // ---- The proposer.
  ASSERT_EQ(Page(), 0);
  QWidget* proposer = window_->ProposerPage();
  ASSERT_NO_FATAL_FAILURE(TypeDriver(proposer, "15061980", 1));
  TypeAndTab(In<TKwEdit>(proposer, FieldName::ProposerPostCodeKwEdit), "bs66ar");
  Answer(proposer, DriverField::ClaimsKwYesNoDlg, 'n');
  Answer(proposer, DriverField::ConvictionsKwYesNoDlg, 'n');

  // ---- The vehicle: a 2008 car with a body kit and a manufacturer's alarm, two named drivers.
  NextPage();
  ASSERT_EQ(Page(), 1);
  QWidget* vehicle = window_->VehiclePage();
  auto* year = In<TNumericEdit>(vehicle, FieldName::VehicleYearNumericEdit);
  year->setFocus(Qt::TabFocusReason);
  QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
  TypeAndTab(year, "2008");
  ChooseCode(In<TKwComboEdit>(vehicle, FieldName::VehicleMakeKwComboEdit), 43);      // VOLKSWAGEN
  ChooseCode(In<TKwComboEdit>(vehicle, FieldName::VehicleModelKwComboEdit), 43017);  // TOURAN
  TypeAndTab(In<TNumericEdit>(vehicle, VehicleField::ValueNumericEdit), "8500");
  TypeAndTab(In<TNumericEdit>(vehicle, VehicleField::PrivateMileageNumericEdit), "9000");
  Choose(In<TKwComboEdit>(vehicle, FieldName::LocationKwComboEdit), 1);
  EXPECT_EQ(In<TKwEdit>(vehicle, FieldName::PostCodeKwEdit)->Text(), "BS6 6AR");  // followed
  WhenShown<TVehicleModificationsForm>([](TVehicleModificationsForm& form) {
    ChooseCode(form.TypeField(), 3);  // "Body kit"
    QTest::keyClick(form.InjuryField(), 'n');
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")), Qt::LeftButton);
  });
  Answer(vehicle, VehicleField::ModificationsKwYesNoDlg, 'y');
  WhenShown<TSecurityDevicesForm>([](TSecurityDevicesForm& form) {
    ChooseCode(form.DeviceField(), 252);  // "Manufacturer fitted alarm"
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")), Qt::LeftButton);
  });
  Answer(vehicle, VehicleField::SecurityDevicesKwYesNoDlg, 'y');
  ChooseCode(In<TKwComboEdit>(vehicle, VehicleField::UseKwComboEdit), 1);    // social
  ChooseCode(In<TKwComboEdit>(vehicle, VehicleField::CoverKwComboEdit), 1);  // comprehensive
  ChooseCode(In<TKwComboEdit>(vehicle, FieldName::DrivingRestrictionsKwComboEdit),
             Code::FirstNamedDrivers + 1);
  EXPECT_EQ(Tabs(),
            (QStringList{"Proposer", "Vehicle", "Additional Driver: 1", "Additional Driver: 2"}));

  // ---- The two named drivers, each on the driver page.
  QWidget* driver = window_->DrivingPage();
  const char* births[] = {"02031982", "20082001"};
  std::int32_t relationships[2] = {};
  for (int n = 1; n <= 2; ++n) {
    NextPage();
    ASSERT_EQ(Page(), n + 1);
    ASSERT_NO_FATAL_FAILURE(TypeDriver(driver, births[n - 1], n + 1));
    Choose(In<TKwComboEdit>(driver, DriverField::RelationshipKwComboEdit), n);
    relationships[n - 1] = Selected(driver, DriverField::RelationshipKwComboEdit);
  }
  const std::int32_t occupation = Selected(proposer, FieldName::OccupationKwComboEdit);
  EXPECT_EQ(forms_.Shown(), (QStringList{"TVehicleModificationsForm", "TSecurityDevicesForm"}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();

  // ---- Quote: the conditions are accepted for today and the demo engine lists its schemes.
  WhenShown<TAcceptPolicyConditionsForm>([](TAcceptPolicyConditionsForm& form) {
    EXPECT_EQ(form.CommenceKwDate()->AsString(),
              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    QTest::keyClick(form.OkBitBtn(), Qt::Key_Space);
  });
  TListing shown;
  forms_.On<TQuoteSummaryDlgForm>([&](TQuoteSummaryDlgForm& results) {
    QTreeWidget* list = results.QuoteSummaryPZListView();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = list->topLevelItem(i);
      shown << QStringList{row->text(0), row->text(1), row->text(2), row->text(3)}.join('|');
    }
    return QDialog::Rejected;
  });
  window_->findChild<QAction*>(QStringLiteral("Quote1"))->trigger();
  EXPECT_EQ(StillMissing(), QStringList());  // no Missing Details window
  EXPECT_EQ(forms_.Shown().mid(2),
            (QStringList{"TAcceptPolicyConditionsForm", "TProgressDlg", "TQuoteSummaryDlgForm"}));
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();
  ASSERT_GE(shown.size(), 2) << shown.join('\n').toStdString();
  EXPECT_FALSE(shown.filter(QStringLiteral("|\u00A3")).isEmpty()) << shown.join('\n').toStdString();

  // ---- Saved, a new proposal, and the saved one opened again: every answer is back.
  const QString file = home_.filePath(QStringLiteral("whole proposal.PCD"));
  prompter_->QueueFileName(file);
  window_->findChild<QAction*>(QStringLiteral("SaveAs1"))->trigger();
  ASSERT_TRUE(QFileInfo::exists(file));
  ASSERT_TRUE(window_->FileNew());
  EXPECT_EQ(Tabs(), (QStringList{"Proposer", "Vehicle"}));
  EXPECT_EQ(In<TKwDate>(proposer, FieldName::DOBKwDate)->GetAsNumber(), 0);
  prompter_->QueueFileName(file);
  window_->findChild<QAction*>(QStringLiteral("FileOpen"))->trigger();
  EXPECT_TRUE(prompter_->Prompts().isEmpty()) << prompter_->Texts().join('\n').toStdString();
  EXPECT_EQ(Tabs(),
            (QStringList{"Proposer", "Vehicle", "Additional Driver: 1", "Additional Driver: 2"}));

  EXPECT_EQ(In<TKwDate>(proposer, FieldName::DOBKwDate)->AsString(), "15/06/1980");
  EXPECT_EQ(In<TKwEdit>(proposer, FieldName::ProposerPostCodeKwEdit)->Text(), "BS6 6AR");
  EXPECT_EQ(Selected(proposer, FieldName::OccupationKwComboEdit), occupation);
  EXPECT_EQ(In<TNumericEdit>(proposer, DriverField::LicenceYearsNumericEdit)->AsInteger(), 10);
  EXPECT_FALSE(IsYes(proposer, DriverField::ClaimsKwYesNoDlg));

  NextPage();
  ASSERT_EQ(Page(), 1);
  EXPECT_EQ(year->AsInteger(), 2008);
  EXPECT_EQ(Selected(vehicle, FieldName::VehicleModelKwComboEdit), 43017);
  EXPECT_EQ(In<TNumericEdit>(vehicle, VehicleField::ValueNumericEdit)->AsInteger(), 8500);
  EXPECT_EQ(In<TNumericEdit>(vehicle, VehicleField::PrivateMileageNumericEdit)->AsInteger(), 9000);
  EXPECT_EQ(In<TKwEdit>(vehicle, FieldName::PostCodeKwEdit)->Text(), "BS6 6AR");
  EXPECT_TRUE(IsYes(vehicle, VehicleField::ModificationsKwYesNoDlg));
  EXPECT_TRUE(IsYes(vehicle, VehicleField::SecurityDevicesKwYesNoDlg));
  EXPECT_EQ(Selected(vehicle, FieldName::DrivingRestrictionsKwComboEdit),
            Code::FirstNamedDrivers + 1);

  EXPECT_EQ(GetListValue(Id::ModificationType, VehicleObjectPath(ObjectCode::Modification, 0)), 3);
  EXPECT_EQ(GetListValue(Id::SecurityDevice, VehicleObjectPath(ObjectCode::SecurityDevice, 0)),
            252);

  const char* shownBirths[] = {"02/03/1982", "20/08/2001"};
  for (int n = 1; n <= 2; ++n) {
    NextPage();
    ASSERT_EQ(Page(), n + 1);
    EXPECT_EQ(In<TKwDate>(driver, FieldName::DOBKwDate)->AsString(), shownBirths[n - 1]);
    EXPECT_EQ(Selected(driver, DriverField::RelationshipKwComboEdit), relationships[n - 1]);
    EXPECT_EQ(Selected(driver, FieldName::MaritalStatusKwComboEdit),
              In<TKwComboEdit>(driver, FieldName::MaritalStatusKwComboEdit)->ItemCode(n + 1));
  }

  // ---- The command line quotes the saved file at the prices the results dialog showed.
  EXPECT_EQ(QuoteWithCli(file), shown);
}
