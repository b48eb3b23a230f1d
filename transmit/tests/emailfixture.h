#pragma once
// The e-mail dialog's tests: private settings aimed at a test SMTP server, the demo family
// sample in the Data Server, a scripted prompter, and a runner that shows the dialog, presses
// Send and waits until it closes.

#include <gtest/gtest.h>

#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "controls/modaldialog.h"
#include "dataserver/dsv.h"
#include "motor/getmotordsv.h"
#include "platform/scriptedprompter.h"
#include "platform/settingsstore.h"
#include "platform/tests/privatesecretservice.h"
#include "settings/options.h"
#include "transmit/emailform.h"
#include "transmit/net/tests/smtptestserver.h"
#include "transmit/seams.h"
#include "transmit/sendemail.h"

class EMailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No secret store unless a test starts its own; the user's own is never touched.
    UseNoSessionBus();
    trustedBefore_ = QSslConfiguration::defaultConfiguration();
    ASSERT_TRUE(settings_.isValid() && files_.isValid());
    SetSettingsFolder(settings_.path());
    CreateOptions();
    const QString demo = QStringLiteral(QM_DEMO_BUILD_DIR);
    const QByteArray lists = QFile::encodeName(demo + "/dictionary/Lists.BIN");
    const QByteArray structure = QFile::encodeName(demo + "/dictionary/Struct.BIN");
    ASSERT_EQ(DsvOpen(1, 1, lists.constData(), structure.constData(), ""), 0);
    quotation_ = files_.filePath(QStringLiteral("Hargreaves.PCD"));
    ASSERT_TRUE(QFile::copy(demo + "/samples/family.PCD", quotation_));
    ASSERT_EQ(DsvLoadSection(QFile::encodeName(quotation_).constData(), "Tolvane"), 0);
    SetPolicyStartDate(QDate::currentDate());
    TControlsSeams::Current().modalDialog = [this](QDialog& dialog) { return Drive(dialog); };
  }
  void TearDown() override {
    QSslConfiguration::setDefaultConfiguration(trustedBefore_);
    DsvClose();
    ReleaseOptions();
    SetSettingsFolder(QString());
  }

  void SetOption(const QString& name, const QString& value) {
    ASSERT_TRUE(store_.CreateKey("\\Options"));
    ASSERT_TRUE(store_.WriteText("\\Options", name, value));
  }
  void AimAt(const TSmtpTestServer& server, int timeoutSeconds = 20) {
    ASSERT_TRUE(server.Started());
    SetOption("MailServer", "127.0.0.1");
    SetOption("MailPort", QString::number(server.Port()));
    SetOption("MailTimeout", QString::number(timeoutSeconds));
  }

  // The program trusts the test's certificate authority beside the system's, for this test only.
  static void TrustTestAuthority(const TTestCertificate& certificate) {
    QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
    trusted.addCaCertificates(certificate.Certificates());
    QSslConfiguration::setDefaultConfiguration(trusted);
  }

  // The runner: shows the e-mail dialog, presses Send from the keyboard (Enter on the default
  // button), runs `afterSend`, and waits (with a generous guard) until the dialog closes. Any
  // other dialog is recorded and answered by `otherDialog_` (Cancel when none is set).
  int Drive(QDialog& dialog) {
    form_ = qobject_cast<TEMailForm*>(&dialog);
    if (form_ == nullptr) {
      otherDialogs_ << dialog.objectName();
      return otherDialog_ ? otherDialog_(dialog) : int(QDialog::Rejected);
    }
    auto* progress = dialog.findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
    QObject::connect(progress, &QProgressBar::valueChanged,
                     [this](int value) { progressValues_ << value; });
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    dialog.open();
    QTimer::singleShot(0, &dialog, [&] {
      QTest::keyClick(&dialog, Qt::Key_Return);
      if (afterSend_)
        afterSend_(*form_);
    });
    loop.exec();
    finishedInTime_ = !dialog.isVisible();
    return dialog.result();
  }

  QPushButton* Button(const char* name) const {
    return form_->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  QSslConfiguration trustedBefore_;
  QTemporaryDir settings_;
  QTemporaryDir files_;
  TSettingsStore store_;
  ScopedScriptedPrompter prompter_;
  // Saves every seam up to this layer's; the e-mail tests fill in their own.
  const TTransmitSeamsGuard seams_;
  QString quotation_;
  TEMailForm* form_ = nullptr;
  std::function<void(TEMailForm&)> afterSend_;
  std::function<int(QDialog&)> otherDialog_;
  QStringList otherDialogs_;
  QList<int> progressValues_;
  bool finishedInTime_ = false;
};
