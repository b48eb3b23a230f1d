// The vehicle's modifications and security devices dialogs, opened from the vehicle page's
// questions on the demo dictionary and driven through the keyboard and the mouse.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "capture/securitydevicesform.h"
#include "capture/vehiclemodificationsform.h"
#include "capture/vehicleobjects.h"
#include "capture/vehiclepage.h"
#include "capture/vehiclepagefields.h"
#include "controls/kwcomboedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/modaldialog.h"
#include "controls/seams.h"
#include "dataserver/dsv.h"
#include "motor/identifiers.h"
#include "platform/scriptedprompter.h"

namespace {

const std::string kDictionary = QM_DEMO_BUILD_DIR "/dictionary";

TPath Modification(int i) {
  return VehicleObjectPath(ObjectCode::Modification, i);
}
TPath Device(int i) {
  return VehicleObjectPath(ObjectCode::SecurityDevice, i);
}

bool ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  return QTest::qWaitForWindowActive(window);
}

// Picks the item with the code by typing its text.
void TypeItem(TKwComboEdit* list, std::int32_t code) {
  const QString text = list->ItemText(list->IndexOfCode(code));
  list->SetItemIndex(-1);
  list->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(list, text);
}

class VehicleDetailsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DsvOpen(1, 1, (kDictionary + "/Lists.BIN").c_str(),
                      (kDictionary + "/Struct.BIN").c_str(), ""),
              0);
    page_ = std::make_unique<TVehicleKwTabsheetForm>();
  }
  void TearDown() override {
    page_.reset();
    DsvClose();
  }

  // The dialogs the page opens run `drive` on the shown dialog, then end as it left them.
  template <class Form>
  void WhenOpened(std::function<void(Form&)> drive) {
    TControlsSeams::Current().modalDialog = [this, drive](QDialog& dialog) {
      ++opened_;
      auto* form = qobject_cast<Form*>(&dialog);
      EXPECT_NE(form, nullptr);
      if (form != nullptr && ShowActive(form))
        drive(*form);
      if (dialog.isVisible())
        dialog.done(QDialog::Rejected);
      return dialog.result();
    };
  }
  TKwYesNoDlg* Question(const char* name) {
    return page_->findChild<TKwYesNoDlg*>(QLatin1String(name));
  }
  void Answer(const char* name, const char* key) {
    TKwYesNoDlg* question = Question(name);
    question->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(question, key);
  }

  const TControlsSeamsGuard seams_;
  ScopedScriptedPrompter prompter_;
  std::unique_ptr<TVehicleKwTabsheetForm> page_;
  int opened_ = 0;
};

}  // namespace

TEST_F(VehicleDetailsTest, ModificationsAreAddedFromThePageAndRemovedWithIt) {
  ASSERT_TRUE(ShowActive(page_.get()));
  WhenOpened<TVehicleModificationsForm>([this](TVehicleModificationsForm& form) {
    EXPECT_EQ(form.windowTitle(), "Vehicle Modifications");
    EXPECT_EQ(form.ListView()->headerItem()->text(1), "Modification");
    ASSERT_EQ(form.RowCount(), 1);
    EXPECT_EQ(form.Group()->title(), "Modification 1 Details");
    EXPECT_EQ(form.TypeField()->Text(), "<Select>");
    EXPECT_EQ(QApplication::focusWidget(), form.TypeField());
    TypeItem(form.TypeField(), 3);
    QTest::keyClick(form.TypeField(), Qt::Key_Tab);
    auto* add = form.findChild<QPushButton*>(QStringLiteral("AddBitBtn"));
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(GetListValue(Id::ModificationType, Modification(0)), 3);
    EXPECT_EQ(form.ListView()->topLevelItem(0)->text(1), "Body kit");
    ASSERT_EQ(form.RowCount(), 2);
    EXPECT_EQ(form.Group()->title(), "Modification 2 Details");
    TypeItem(form.TypeField(), 4);
    QTest::keyClick(form.TypeField(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.InjuryField());
    QTest::keyClicks(form.InjuryField(), "y");
    QTest::keyClick(form.InjuryField(), Qt::Key_Tab);

    // A third left without a type is removed when the user agrees.
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_EQ(form.RowCount(), 3);
    prompter_->QueueAnswer(PromptAnswer::No);
    QTest::keyClick(form.TypeField(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.TypeField());
    QTest::keyClick(form.TypeField(), Qt::Key_Tab);
    EXPECT_EQ(form.RowCount(), 2);
    EXPECT_EQ(prompter_->Texts(),
              QStringList(2,
                          "No description selected for Modification '3'\rDo you wish to Remove "
                          "this Modification?"));
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")), Qt::LeftButton);
  });
  Answer(VehicleField::ModificationsKwYesNoDlg, "y");
  EXPECT_EQ(opened_, 1);
  EXPECT_EQ(Question(VehicleField::ModificationsKwYesNoDlg)->State(), TKwYesNoState::ynYes);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 2);
  EXPECT_EQ(GetListValue(Id::ModifiedForMedicalReason, Modification(0)), Code::MedicalReasonNo);
  EXPECT_EQ(GetListValue(Id::ModificationType, Modification(1)), 4);
  EXPECT_EQ(GetListValue(Id::ModifiedForMedicalReason, Modification(1)), Code::MedicalReasonYes);

  // Loading derives the answer from the objects; No removes them all once confirmed.
  Question(VehicleField::ModificationsKwYesNoDlg)->SetState(TKwYesNoState::ynNo);
  page_->LoadDetails();
  EXPECT_EQ(Question(VehicleField::ModificationsKwYesNoDlg)->State(), TKwYesNoState::ynYes);
  prompter_->Clear();
  prompter_->QueueAnswer(PromptAnswer::No);
  Answer(VehicleField::ModificationsKwYesNoDlg, "n");
  EXPECT_EQ(Question(VehicleField::ModificationsKwYesNoDlg)->State(), TKwYesNoState::ynYes);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 2);
  Answer(VehicleField::ModificationsKwYesNoDlg, "n");
  EXPECT_EQ(prompter_->Texts(), QStringList(2, "Remove all entered vehicle Modifications?"));
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 0);
  page_->LoadDetails();
  EXPECT_EQ(Question(VehicleField::ModificationsKwYesNoDlg)->State(), TKwYesNoState::ynNo);

  // Closing with no modification left ends with Cancel: the answer goes back to No.
  WhenOpened<TVehicleModificationsForm>([](TVehicleModificationsForm& form) {
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")), Qt::LeftButton);
  });
  Answer(VehicleField::ModificationsKwYesNoDlg, "y");
  EXPECT_EQ(Question(VehicleField::ModificationsKwYesNoDlg)->State(), TKwYesNoState::ynNo);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 0);
}

TEST_F(VehicleDetailsTest, RemovingAModificationMovesTheLaterOnesDown) {
  for (int i = 0; i < 3; ++i) {
    SetListValue(Id::ModificationType, Modification(i), i + 1);
    SetListValue(Id::ModifiedForMedicalReason, Modification(i),
                 i == 2 ? Code::MedicalReasonYes : Code::MedicalReasonNo);
  }
  TVehicleModificationsForm form;
  form.RefreshList();
  form.SelectRow(0);
  ASSERT_TRUE(ShowActive(&form));
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("RemoveBitBtn")), Qt::LeftButton);
  EXPECT_EQ(prompter_->Texts(), QStringList{"Remove Vehicle Modification 1 - Alloy wheels "
                                            "(non-standard)"});
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 2);
  EXPECT_EQ(GetListValue(Id::ModificationType, Modification(0)), 2);
  EXPECT_EQ(GetListValue(Id::ModificationType, Modification(1)), 3);
  EXPECT_EQ(GetListValue(Id::ModifiedForMedicalReason, Modification(1)), Code::MedicalReasonYes);
  EXPECT_FALSE(ValueExists(Id::ModificationType, Modification(2)));
  EXPECT_EQ(form.SelectedRow(), 0);
  EXPECT_EQ(form.ListView()->topLevelItem(1)->text(0), "2");
  // Beyond the last, nothing happens.
  form.RemoveModification(5);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::Modification), 2);
}

TEST_F(VehicleDetailsTest, SecurityDevicesNamedUnknownAndUnnamed) {
  ASSERT_TRUE(ShowActive(page_.get()));
  WhenOpened<TSecurityDevicesForm>([this](TSecurityDevicesForm& form) {
    EXPECT_EQ(form.windowTitle(), "Vehicle Security Devices");
    ASSERT_EQ(form.RowCount(), 1);
    EXPECT_EQ(form.Group()->title(), "Security Device 1 Details");
    EXPECT_EQ(form.DeviceKind(), TSecurityDevicesForm::dkSpecified);
    EXPECT_EQ(form.ManufacturerFittedField()->State(), TKwYesNoState::ynYes);
    EXPECT_EQ(GetListValue(Id::FittedByManufacturer, Device(0)), Code::FittedYes);
    EXPECT_EQ(form.ListView()->topLevelItem(0)->text(1), "<Select>");

    // An immobiliser of unknown make: the name is not asked.
    QTest::mouseClick(form.KindButton(TSecurityDevicesForm::dkUnknownImmobiliser), Qt::LeftButton);
    EXPECT_FALSE(form.DeviceField()->isEnabled());
    EXPECT_FALSE(form.findChild<QLabel*>(QStringLiteral("DeviceLabel"))->isEnabled());
    EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(0)), Code::UnknownImmobiliser);

    // A second, named one, fitted afterwards.
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("AddBitBtn")), Qt::LeftButton);
    ASSERT_EQ(form.RowCount(), 2);
    EXPECT_TRUE(form.DeviceField()->isEnabled());
    TypeItem(form.DeviceField(), 258);
    QTest::keyClick(form.DeviceField(), Qt::Key_Tab);
    EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(1)), 258);
    EXPECT_EQ(form.ListView()->topLevelItem(1)->text(1), "Cobra AK4618 alarm and immobiliser");
    QTest::keyClicks(form.ManufacturerFittedField(), "n");
    EXPECT_EQ(GetListValue(Id::FittedByManufacturer, Device(1)), Code::FittedNo);

    // A third without a name: declining its removal keeps the dialog open.
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("AddBitBtn")), Qt::LeftButton);
    prompter_->QueueAnswer(PromptAnswer::No);
    auto* close = form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn"));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 3);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(prompter_->Texts(),
              QStringList(2,
                          "There are 1 Device(s) that don't have a Device Name\rDo you want to "
                          "remove these devices"));
  });
  Answer(VehicleField::SecurityDevicesKwYesNoDlg, "y");
  EXPECT_EQ(Question(VehicleField::SecurityDevicesKwYesNoDlg)->State(), TKwYesNoState::ynYes);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 2);

  // Shown again: the stored kinds come back.
  SetListValue(Id::SecurityDevice, Device(1), Code::UnknownTrackingDevice);
  {
    TSecurityDevicesForm form;
    form.RefreshList();
    form.SelectRow(1);
    EXPECT_EQ(form.DeviceKind(), TSecurityDevicesForm::dkUnknownTracking);
    EXPECT_FALSE(form.DeviceField()->isEnabled());
    EXPECT_EQ(form.ManufacturerFittedField()->State(), TKwYesNoState::ynNo);
    form.SelectRow(0);
    EXPECT_EQ(form.DeviceKind(), TSecurityDevicesForm::dkUnknownImmobiliser);
    EXPECT_EQ(form.ManufacturerFittedField()->State(), TKwYesNoState::ynYes);
  }

  // No removes every device once confirmed; a device added and closed at once unnamed goes,
  // and with it the answer.
  prompter_->Clear();
  Answer(VehicleField::SecurityDevicesKwYesNoDlg, "n");
  EXPECT_EQ(prompter_->Texts(), QStringList{"Remove all entered Security Devices?"});
  EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 0);
  WhenOpened<TSecurityDevicesForm>([](TSecurityDevicesForm& form) {
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CloseBitBtn")), Qt::LeftButton);
  });
  Answer(VehicleField::SecurityDevicesKwYesNoDlg, "y");
  EXPECT_EQ(Question(VehicleField::SecurityDevicesKwYesNoDlg)->State(), TKwYesNoState::ynNo);
  EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 0);
  page_->LoadDetails();
  EXPECT_EQ(Question(VehicleField::SecurityDevicesKwYesNoDlg)->State(), TKwYesNoState::ynNo);
}

TEST_F(VehicleDetailsTest, RemovingADeviceMovesTheLaterOnesDownWithTheirCategories) {
  SetListValue(Id::SecurityDevice, Device(0), 258);
  SetListValue(Id::SecurityDeviceCategory, Device(0), 1);
  SetListValue(Id::SecurityDevice, Device(1), 253);
  SetListValue(Id::FittedByManufacturer, Device(1), Code::FittedYes);
  SetListValue(Id::SecurityDeviceCategory, Device(1), 4);
  SetListValue(Id::SecurityDevice, Device(2), 266);
  TSecurityDevicesForm form;
  form.RefreshList();
  form.SelectRow(0);
  ASSERT_TRUE(ShowActive(&form));
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("RemoveBitBtn")), Qt::LeftButton);
  EXPECT_EQ(prompter_->Texts(),
            QStringList{"Remove Vehicle Security Device 1 - Cobra AK4618 alarm and immobiliser"});
  EXPECT_EQ(VehicleObjectCount(ObjectCode::SecurityDevice), 2);
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(0)), 253);
  EXPECT_EQ(GetListValue(Id::FittedByManufacturer, Device(0)), Code::FittedYes);
  EXPECT_EQ(GetListValue(Id::SecurityDeviceCategory, Device(0)), 4);
  EXPECT_EQ(GetListValue(Id::SecurityDevice, Device(1)), 266);
  EXPECT_FALSE(ValueExists(Id::SecurityDeviceCategory, Device(1)));
  EXPECT_EQ(form.ListView()->topLevelItem(0)->toolTip(1),
            "Thatcham Category 3 - mechanical immobiliser");
  EXPECT_EQ(form.SelectedRow(), 0);
  EXPECT_EQ(form.DeviceKind(), TSecurityDevicesForm::dkSpecified);
}
