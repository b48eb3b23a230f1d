// The mail password in a real keyring: GNOME Keyring on a private session bus, reached through
// the program's own secret store.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/settingsstore.h"
#include "platform/tests/privatesecretservice.h"
#include "settings/options.h"

namespace {

class MailPasswordKeyring : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The store answers through the event loop of the program's application object.
    static int argc = 1;
    static char name[] = "mailpassword_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
      application_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  // Before the program's end: Qt cannot take its application object down from there.
  static void TearDownTestSuite() { application_.reset(); }
  void SetUp() override {
    ASSERT_TRUE(keyring_.Started()) << keyring_.Error().toStdString();
    ASSERT_TRUE(folder_.isValid());
    SetSettingsFolder(folder_.path());
    CreateOptions();
  }
  void TearDown() override {
    ReleaseOptions();
    SetSettingsFolder(QString());
  }

  void Install(const QString& name, const QString& value) {
    ASSERT_TRUE(store_.CreateKey("\\Options"));
    ASSERT_TRUE(store_.WriteText("\\Options", name, value));
  }
  static QByteArray SettingsFile() {
    QFile file(SettingsFileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static unsigned SettingsFileMode() {
    struct stat status {};
    if (stat(QFile::encodeName(SettingsFileName()).constData(), &status) != 0)
      return 0;
    return status.st_mode & 0777;
  }

  static inline std::unique_ptr<QCoreApplication> application_;
  TPrivateSecretService& keyring_ = TPrivateSecretService::Shared();
  QTemporaryDir folder_;
  TSettingsStore store_;
};

TEST_F(MailPasswordKeyring, APasswordInTheFileMovesIntoTheKeyringAndNeverComesBack) {
  Install("MailUser", "quotes");
  Install("MailPassword", "s3cret pass");
  EXPECT_EQ(SettingsFileMode(), 0600u);

  TOptions::TMailPassword password = Options()->GetMailPassword();
  EXPECT_EQ(password.Password, "s3cret pass");
  EXPECT_EQ(password.Notice, "");  // a keyring runs: nothing to tell
  EXPECT_EQ(keyring_.Lookup("Quillmarsh PrivateMotor", "quotes"), "s3cret pass");
  EXPECT_FALSE(store_.ValueExists("\\Options", "MailPassword"));
  EXPECT_FALSE(SettingsFile().contains("s3cret")) << SettingsFile().toStdString();
  EXPECT_EQ(SettingsFileMode(), 0600u);

  // From now on it comes from the keyring alone.
  EXPECT_EQ(Options()->GetMailPassword().Password, "s3cret pass");

  // A new password written into the file replaces the old one in the keyring, and leaves too.
  Install("MailPassword", "n3w pass");
  EXPECT_EQ(Options()->GetMailPassword().Password, "n3w pass");
  EXPECT_EQ(keyring_.Lookup("Quillmarsh PrivateMotor", "quotes"), "n3w pass");
  EXPECT_FALSE(SettingsFile().contains("n3w"));

  // Another user has no password of its own.
  Install("MailUser", "claims");
  password = Options()->GetMailPassword();
  EXPECT_EQ(password.Password, "");
  EXPECT_EQ(password.Notice, "");
}

}  // namespace
