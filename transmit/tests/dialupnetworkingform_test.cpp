// The dial-up dialog over the scripted backend, driven from the keyboard and mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/modaldialog.h"
#include "controls/seams.h"
#include "platform/scriptedprompter.h"
#include "transmit/dialupnetworkingform.h"
#include "transmit/rasscriptedbackend.h"

namespace {

const QString kDialFailed = QStringLiteral(
    "Unable to connect using the specified connection with error : The modem is already in use "
    "or is not configured properly.\rPlease alter your settings or try again later");
const QString kServerError = QStringLiteral("There was an error connecting to the server");

class DialUpDialog : public ::testing::Test {
 protected:
  using TDrive = std::function<void(TDialUpNewtorkingForm&)>;

  // Runs OpenDialUpDialog with `drive` in place of the modal loop; a form the drive leaves open
  // is closed as the user would close it.
  bool Open(const TDrive& drive) {
    // The dial-up library links no layer above the controls: their seams alone are saved.
    const TSeamsGuardOf<TControlsSeams> seams;
    TControlsSeams::Current().modalDialog = [&](QDialog& dialog) {
      ++runs;
      auto& form = static_cast<TDialUpNewtorkingForm&>(dialog);
      form.show();
      QApplication::setActiveWindow(&form);
      EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
      drive(form);
      if (form.isVisible())
        form.close();
      return form.result();
    };
    return OpenDialUpDialog(ras);
  }

  static QWidget* Focused() { return QApplication::focusWidget(); }
  static QStringList Details(TDialUpNewtorkingForm& form) {
    QStringList lines;
    for (int i = 0; i < form.DetailsListBox()->count(); ++i)
      lines.append(form.DetailsListBox()->item(i)->text());
    return lines;
  }
  static bool DiallingEnabled(TDialUpNewtorkingForm& form) {
    return form.OkBitBtn()->isEnabled() && form.ConnectionsKwComboEdit()->isEnabled() &&
           form.UserNameKwEdit()->isEnabled() && form.PasswordKwEdit()->isEnabled();
  }
  static QLabel* LabelOf(TDialUpNewtorkingForm& form, QWidget* field) {
    for (QLabel* label : form.findChildren<QLabel*>()) {
      if (label->buddy() == field)
        return label;
    }
    return nullptr;
  }

  ScopedScriptedPrompter prompter;
  std::shared_ptr<TScriptedRasBackend> backend = std::make_shared<TScriptedRasBackend>();
  TRAS ras{backend};
  int runs = 0;
};

}  // namespace

TEST_F(DialUpDialog, OneEntryOpensSelectedWithItsUserNameAndPassword) {
  backend->AddEntry("Quillnet", "jsmith", "secret");
  int ownStatus = 0;
  ras.OnStatus = [&](TRAS*, const QString&) { ++ownStatus; };

  EXPECT_FALSE(Open([&](TDialUpNewtorkingForm& form) {
    EXPECT_EQ(form.objectName(), "TDialUpNewtorkingForm");
    EXPECT_EQ(form.windowTitle(), "Dial-up Connection");
    TKwComboEdit* connections = form.ConnectionsKwComboEdit();
    EXPECT_EQ(connections->ItemCount(), 1);
    EXPECT_EQ(connections->ItemIndex(), 0);
    EXPECT_EQ(connections->Text(), "Quillnet");
    EXPECT_EQ(form.UserNameKwEdit()->Text(), "jsmith");
    EXPECT_EQ(form.PasswordKwEdit()->Text(), "secret");
    EXPECT_EQ(form.PasswordKwEdit()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(form.OkBitBtn()->isEnabled());
    EXPECT_EQ(form.OkBitBtn()->text(), "Connect");
    EXPECT_EQ(form.CancelBitBtn()->text(), "Cancel");
    EXPECT_EQ(form.DetailsListBox()->count(), 0);
    ASSERT_NE(LabelOf(form, form.UserNameKwEdit()), nullptr);
    EXPECT_EQ(LabelOf(form, form.UserNameKwEdit())->text(), "User name");
    EXPECT_EQ(LabelOf(form, form.PasswordKwEdit())->text(), "Password:");
    EXPECT_EQ(LabelOf(form, connections)->text(), "Connect to:");

    // The keyboard walks the controls in their tab order.
    EXPECT_EQ(Focused(), form.UserNameKwEdit());
    const QStringList order{"PasswordKwEdit",         "OkBitBtn",       "CancelBitBtn",
                            "ConnectionsKwComboEdit", "DetailsListBox", "UserNameKwEdit"};
    for (const QString& next : order) {
      QTest::keyClick(Focused(), Qt::Key_Tab);
      ASSERT_NE(Focused(), nullptr);
      EXPECT_EQ(Focused()->objectName(), next);
    }
    QTest::keyClick(Focused(), Qt::Key_Escape);
  }));
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  EXPECT_TRUE(backend->Dials().isEmpty());
  // The password is forgotten with the dialog; the component's own handlers are back.
  EXPECT_EQ(ras.Password(), "");
  ras.OnStatus(&ras, QString());
  EXPECT_EQ(ownStatus, 1);
}

TEST_F(DialUpDialog, ConnectNeedsBothUserNameAndPassword) {
  backend->AddEntry("Quillnet", "jsmith", "secret");
  Open([&](TDialUpNewtorkingForm& form) {
    form.PasswordKwEdit()->setFocus();
    QTest::keyClick(form.PasswordKwEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form.PasswordKwEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(form.OkBitBtn()->isEnabled());
    QTest::keyClick(form.PasswordKwEdit(), Qt::Key_Return);  // the disabled default dials nothing
    EXPECT_TRUE(form.isVisible());
    QTest::keyClicks(form.PasswordKwEdit(), "x");
    EXPECT_TRUE(form.OkBitBtn()->isEnabled());
    form.UserNameKwEdit()->setFocus();
    QTest::keyClick(form.UserNameKwEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form.UserNameKwEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(form.OkBitBtn()->isEnabled());
  });
  EXPECT_TRUE(backend->Dials().isEmpty());
}

TEST_F(DialUpDialog, EnterDialsWhatIsTypedAndTheConnectionClosesTheDialogWithOk) {
  backend->AddEntry("Quillnet", "jsmith", "");
  backend->SetDevice("ttyS0", "modem");
  EXPECT_TRUE(Open([&](TDialUpNewtorkingForm& form) {
    EXPECT_FALSE(form.OkBitBtn()->isEnabled());
    form.PasswordKwEdit()->setFocus();
    QTest::keyClicks(form.PasswordKwEdit(), "typed");
    QTest::keyClick(form.PasswordKwEdit(), Qt::Key_Return);
    ASSERT_EQ(backend->Dials().size(), 1);
    EXPECT_EQ(backend->Dials()[0].entryName, "Quillnet");
    EXPECT_EQ(backend->Dials()[0].userName, "jsmith");
    EXPECT_EQ(backend->Dials()[0].password, "typed");
    EXPECT_FALSE(form.OkBitBtn()->isEnabled());
    EXPECT_FALSE(form.ConnectionsKwComboEdit()->isEnabled());
    EXPECT_FALSE(form.UserNameKwEdit()->isEnabled());
    EXPECT_FALSE(form.PasswordKwEdit()->isEnabled());

    backend->Notify(RasState::kOpenPort);
    backend->Notify(RasState::kConnectDevice);
    EXPECT_EQ(Details(form), QStringList({"Opening Port", "Using Device: ttyS0 - modem"}));
    backend->Notify(RasState::kConnected);
    EXPECT_FALSE(form.isVisible());
  }));
  EXPECT_TRUE(prompter->Prompts().isEmpty());
  // The connection stays up for the caller, who hangs it up.
  EXPECT_NE(ras.Connection(), 0u);
  EXPECT_EQ(backend->HangUps(), 0);
  EXPECT_EQ(ras.Password(), "");
  ras.HangUp();
  EXPECT_EQ(backend->LiveConnection(), 0u);
}

TEST_F(DialUpDialog, CancelWhileDiallingHangsUpWithoutTheErrorMessage) {
  backend->AddEntry("Quillnet", "jsmith", "secret");
  EXPECT_FALSE(Open([&](TDialUpNewtorkingForm& form) {
    QTest::mouseClick(form.OkBitBtn(), Qt::LeftButton);
    ASSERT_EQ(backend->Dials().size(), 1);
    backend->Notify(RasState::kOpenPort);
    QTest::mouseClick(form.CancelBitBtn(), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
  }));
  EXPECT_EQ(backend->HangUps(), 1);
  EXPECT_EQ(backend->LiveConnection(), 0u);
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}

TEST_F(DialUpDialog, FailuresLeaveTheDialogOpenForAnotherTry) {
  backend->AddEntry("Quillnet", "jsmith", "secret");
  backend->SetErrorString(691, "Access denied.");
  EXPECT_FALSE(Open([&](TDialUpNewtorkingForm& form) {
    // Dialling does not start: its error, then the hang-up's.
    backend->SetDialResult(RasError::kPortNotAvailable);
    QTest::mouseClick(form.OkBitBtn(), Qt::LeftButton);
    EXPECT_EQ(prompter->Texts(), QStringList({kDialFailed, kServerError}));
    EXPECT_EQ(backend->LiveConnection(), 0u);
    EXPECT_TRUE(DiallingEnabled(form));

    // An error while dialling.
    prompter->Clear();
    backend->SetDialResult(0);
    QTest::mouseClick(form.OkBitBtn(), Qt::LeftButton);
    backend->Notify(RasState::kAuthenticate);
    EXPECT_FALSE(DiallingEnabled(form));
    backend->Notify(RasState::kAuthenticate, 691);
    EXPECT_EQ(prompter->Texts(),
              QStringList{"Unable to connect to Quillnet.\r\rError : Access denied."});
    EXPECT_EQ(Details(form).last(), "Access denied.");
    EXPECT_TRUE(DiallingEnabled(form));
    EXPECT_TRUE(form.isVisible());

    // Dialling again replaces the failed connection without a message; the line then drops.
    prompter->Clear();
    QTest::mouseClick(form.OkBitBtn(), Qt::LeftButton);
    EXPECT_EQ(backend->HangUps(), 2);
    EXPECT_TRUE(prompter->Prompts().isEmpty());
    backend->Notify(RasState::kDisconnected);
    EXPECT_EQ(prompter->Texts(), QStringList{kServerError});
    EXPECT_TRUE(DiallingEnabled(form));
    EXPECT_TRUE(form.isVisible());
    for (const RecordedPrompt& prompt : prompter->Prompts())
      EXPECT_EQ(prompt.kind, PromptKind::Information);
  }));
}

TEST_F(DialUpDialog, FiftyEntriesAreAllListedAndPickingOneReloadsIt) {
  for (int i = 1; i <= 49; ++i)
    backend->AddEntry(QStringLiteral("ISP %1").arg(i), QStringLiteral("user %1").arg(i), "pw");
  backend->AddUnreadableEntry("Broken");
  Open([&](TDialUpNewtorkingForm& form) {
    TKwComboEdit* connections = form.ConnectionsKwComboEdit();
    EXPECT_EQ(connections->ItemCount(), 50);
    const auto pick = [&](const char* name) {
      connections->setFocus();
      QTest::keyClick(connections->lineEdit(), Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(connections, name);
      QTest::keyClick(connections, Qt::Key_Tab);
    };
    pick("ISP 49");
    EXPECT_EQ(connections->ItemIndex(), 48);
    EXPECT_EQ(form.UserNameKwEdit()->Text(), "user 49");
    EXPECT_EQ(ras.EntryName(), "ISP 49");
    // An entry whose parameters cannot be read empties both fields.
    pick("Broken");
    EXPECT_EQ(connections->ItemIndex(), 49);
    EXPECT_EQ(form.UserNameKwEdit()->Text(), "");
    EXPECT_EQ(form.PasswordKwEdit()->Text(), "");
    EXPECT_TRUE(form.UserNameKwEdit()->isEnabled());
    EXPECT_FALSE(form.OkBitBtn()->isEnabled());
  });
}

TEST_F(DialUpDialog, NoEntriesOrNoRemoteAccessShowsNoDialog) {
  EXPECT_FALSE(Open([](TDialUpNewtorkingForm&) {}));
  EXPECT_EQ(runs, 0);

  backend->AddEntry("Quillnet", "jsmith", "secret");
  backend->SetAvailable(false);
  EXPECT_FALSE(Open([](TDialUpNewtorkingForm&) {}));
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(backend->EnumCalls(), 1);
  EXPECT_TRUE(backend->Dials().isEmpty());
  EXPECT_TRUE(prompter->Prompts().isEmpty());
}
