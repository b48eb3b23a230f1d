#pragma once
// A private D-Bus bus for one test, with python-dbusmock's NetworkManager on it when asked:
// the daemon and the mock are started by the test and stopped when it ends.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <functional>

// Runs the event loop until `done` answers true or `ms` have passed; answers `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 15000) {
  QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired())
      return false;
    QTest::qWait(20);
  }
  return true;
}

class TPrivateBus {
 public:
  static constexpr const char* kNetworkManager = "org.freedesktop.NetworkManager";

  TPrivateBus() {
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                          QStringLiteral("--print-address=1")});
    daemon_.start();
    if (!daemon_.waitForStarted(10000))
      return;
    WaitUntil([this] { return daemon_.canReadLine(); }, 10000);
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty())
      return;
    static int count = 0;
    name_ = QStringLiteral("qm-dialup-test-%1").arg(++count);
    connection_ = QDBusConnection::connectToBus(address_, name_);
  }

  ~TPrivateBus() {
    Stop(mock_);
    QDBusConnection::disconnectFromBus(name_);
    Stop(daemon_);
  }

  bool Connected() const { return connection_.isConnected(); }
  QDBusConnection Connection() const { return connection_; }

  // Starts the NetworkManager mock on this bus and waits until it has taken its name.
  bool StartNetworkManager() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address_);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    mock_.setProcessEnvironment(environment);
    mock_.setStandardOutputFile(QProcess::nullDevice());
    mock_.setProgram(QStringLiteral("/usr/bin/python3"));
    mock_.setArguments({QStringLiteral("-m"), QStringLiteral("dbusmock"),
                        QStringLiteral("--template"), QStringLiteral("networkmanager")});
    mock_.start();
    if (!mock_.waitForStarted(10000))
      return false;
    return WaitUntil([this] {
      return connection_.interface()->isServiceRegistered(QLatin1String(kNetworkManager)).value();
    });
  }
  QString MockErrors() { return QString::fromUtf8(mock_.readAllStandardError()); }

  // A call on the mock's objects; answers the reply (or the error).
  QDBusMessage Call(const QString& path, const QString& interfaceName, const QString& method,
                    const QVariantList& arguments = {}) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(QLatin1String(kNetworkManager), path, interfaceName, method);
    message.setArguments(arguments);
    return connection_.call(message, QDBus::Block, 10000);
  }

 private:
  static void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
      return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
      process.kill();
      process.waitForFinished(5000);
    }
  }

  QProcess daemon_;
  QProcess mock_;
  QString address_;
  QString name_;
  QDBusConnection connection_{QString()};
};
