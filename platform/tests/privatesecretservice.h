#pragma once
// The desktop's secret store for the tests: a D-Bus session bus of its own with GNOME Keyring on
// it, keeping its keyring in a temporary folder and unlocked with a known password.
//
// The program finds its session bus when it first uses one, and ends itself when that bus goes
// away: so a test program has one such store (Shared()), started on first use and stopped only
// when the program ends. Under CTest each test runs in a program of its own.
// UseNoSessionBus() points the program at a bus that does not exist instead, as in a bare
// server session, so that no test ever reaches the user's own keyring.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

inline void UseNoSessionBus() {
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/quillmarsh-test-bus");
}

class TPrivateSecretService {
 public:
  static constexpr const char* kUnlockPassword = "quillmarsh test keyring";

  // The program's one store; the program talks to it from this call on.
  static TPrivateSecretService& Shared() {
    static TPrivateSecretService service;
    if (service.started_)
      qputenv("DBUS_SESSION_BUS_ADDRESS", service.address_.toUtf8());
    return service;
  }

  ~TPrivateSecretService() {
    Stop(keyring_);
    Stop(bus_);
  }

  TPrivateSecretService(const TPrivateSecretService&) = delete;
  TPrivateSecretService& operator=(const TPrivateSecretService&) = delete;

  bool Started() const { return started_; }
  const QString& Error() const { return error_; }

  // The secret the store holds for the program's service and an account, as another client
  // (secret-tool) finds it; empty when there is none.
  QString Lookup(const QString& service, const QString& account) {
    return Run("secret-tool", {"lookup", "server", service, "user", account});
  }

 private:
  TPrivateSecretService() { started_ = Start(); }

  bool Start() {
    UseNoSessionBus();
    if (!home_.isValid() || !QDir().mkpath(home_.filePath("run")) ||
        !QFile::setPermissions(home_.filePath("run"), QFileDevice::ReadOwner |
                                                          QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner))
      return Fail("no temporary folder");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home_.path());
    environment.insert("XDG_DATA_HOME", home_.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    environment.insert("XDG_CACHE_HOME", home_.filePath("cache"));
    environment.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
    environment.remove("DISPLAY");

    bus_.setProcessEnvironment(environment);
    bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!bus_.waitForStarted(10000))
      return Fail("dbus-daemon did not start");
    const QDeadlineTimer deadline(10000);
    while (!bus_.canReadLine() && !deadline.hasExpired())
      bus_.waitForReadyRead(100);
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();
    if (address_.isEmpty())
      return Fail("dbus-daemon gave no address");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
    environment_ = environment;

    keyring_.setProcessEnvironment(environment);
    keyring_.setProcessChannelMode(QProcess::MergedChannels);
    keyring_.start("gnome-keyring-daemon", {"--foreground", "--unlock", "--components=secrets"});
    if (!keyring_.waitForStarted(10000))
      return Fail("gnome-keyring-daemon did not start");
    // The password on standard input, then its end (there is no event loop to send it later).
    keyring_.write(kUnlockPassword);
    keyring_.waitForBytesWritten(5000);
    keyring_.closeWriteChannel();
    // Ready once the Secret Service has its name on the bus (asked of the bus itself: a call to
    // the service would have the bus start one of its own).
    const QDeadlineTimer ready(20000);
    while (!Run("dbus-send", {"--session", "--print-reply", "--dest=org.freedesktop.DBus",
                              "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                              "string:org.freedesktop.secrets"})
                .contains("boolean true")) {
      if (ready.hasExpired() || keyring_.waitForFinished(0) ||
          keyring_.state() == QProcess::NotRunning)
        return Fail("the Secret Service did not come up: " +
                    QString::fromLocal8Bit(keyring_.readAll()));
      QThread::msleep(100);
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    return true;
  }
  // What the program writes on standard output.
  QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  bool Fail(const QString& error) {
    error_ = error;
    return false;
  }
  static void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
      return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
      process.kill();
      process.waitForFinished(5000);
    }
  }

  QTemporaryDir home_;
  QProcess bus_;
  QProcess keyring_;
  QString address_;
  QProcessEnvironment environment_;
  QString error_;
  bool started_ = false;
};
