// The NetworkManager backend against python-dbusmock's NetworkManager on a private bus.
#include <gtest/gtest.h>

#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "transmit/ras.h"
#include "transmit/rasnetworkmanager.h"
#include "transmit/tests/rasprivatebus.h"

namespace {

const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kManager = QStringLiteral("org.freedesktop.NetworkManager");
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kSettings = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString kConnection = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString kActive = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

// NetworkManager's AddAndActivateConnection2 for the mock: adds the copy, starts an activation
// that stays "activating" until the test moves it on, and keeps what it was asked.
const QString kActivateCode = QStringLiteral(
    "self.dials = getattr(self, 'dials', 0) + 1\n"
    "conn = self.SettingsAddConnection(args[0])\n"
    "self.dial_device = args[1]\n"
    "self.dial_options = args[3]\n"
    "devices = [] if args[1] == '/' else [args[1]]\n"
    "active = self.AddActiveConnection(devices, conn, args[2], 'Dial%d' % self.dials, "
    "dbus.UInt32(1))\n"
    "ret = (dbus.ObjectPath(conn), dbus.ObjectPath(active), dbus.Dictionary({}, "
    "signature='sv'))\n");

TNmSettings Setting(const QString& id, const QString& type, const QString& credentials = {},
                    const QVariantMap& values = {}) {
  TNmSettings settings;
  settings[QStringLiteral("connection")] =
      QVariantMap{{QStringLiteral("id"), id},
                  {QStringLiteral("type"), type},
                  {QStringLiteral("uuid"), QStringLiteral("0000-") + id}};
  if (!credentials.isEmpty())
    settings[credentials] = values;
  return settings;
}

class NetworkManagerBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    qDBusRegisterMetaType<TNmSettings>();
    ASSERT_TRUE(bus.Connected()) << "dbus-daemon could not be started";
  }

  void StartNetworkManager() {
    ASSERT_TRUE(bus.StartNetworkManager()) << bus.MockErrors().toStdString();
    const QDBusMessage added = bus.Call(
        kManagerPath, kMock, "AddMethod",
        {kManager, "AddAndActivateConnection2", "a{sa{sv}}ooa{sv}", "ooa{sv}", kActivateCode});
    ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();
    bus.Call(kManagerPath, kMock, "AddMethod",
             {kManager, "LastDial", "", "oa{sv}", "ret = (self.dial_device, self.dial_options)"});
    bus.Call(kManagerPath, kMock, "AddMethod",
             {kManager, "Deactivations", "", "u",
              "ret = len([c for c in self.GetCalls() if c[1] == 'DeactivateConnection'])"});
  }

  QString AddConnection(const TNmSettings& settings) {
    const QDBusMessage reply =
        bus.Call(kSettingsPath, kSettings, "AddConnection", {QVariant::fromValue(settings)});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
  }

  // A modem on which the connection can be activated.
  QString AddModem(const QString& name, const QString& connection) {
    const QDBusMessage reply =
        bus.Call("/org/freedesktop", kMock, "AddEthernetDevice", {name, name, 30});
    const QString path = reply.arguments().value(0).toString();
    const QList<QDBusObjectPath> available{QDBusObjectPath(connection)};
    bus.Call(path, kProperties, "Set",
             {kDevice, "AvailableConnections",
              QVariant::fromValue(QDBusVariant(QVariant::fromValue(available)))});
    return path;
  }

  QVariant Get(const QString& path, const QString& interfaceName, const QString& name) {
    return bus.Call(path, kProperties, "Get", {interfaceName, name})
        .arguments()
        .value(0)
        .value<QDBusVariant>()
        .variant();
  }
  QList<QDBusObjectPath> ActiveConnections() {
    return qdbus_cast<QList<QDBusObjectPath>>(Get(kManagerPath, kManager, "ActiveConnections"));
  }
  TNmSettings SettingsOf(const QString& path) {
    return qdbus_cast<TNmSettings>(bus.Call(path, kConnection, "GetSettings").arguments().value(0));
  }
  void MoveActivation(const QString& active, uint state, uint reason) {
    bus.Call(active, kMock, "EmitSignal",
             {kActive, "StateChanged", "uu", QVariantList{state, reason}});
  }

  TPrivateBus bus;
};

// Records what a TRAS reports.
struct TRasRecorder {
  explicit TRasRecorder(TRAS& ras) {
    ras.OnStatus = [this](TRAS*, const QString& text) { statuses.append(text); };
    ras.OnConnect = [this](TRAS*) { ++connects; };
    ras.OnError = [this](TRAS*, quint32 code) { errors.append(code); };
    ras.OnDisconnect = [this](TRAS*, quint32, const QString&) { ++disconnects; };
  }
  QStringList statuses;
  QList<quint32> errors;
  int connects = 0;
  int disconnects = 0;
};

}  // namespace

TEST_F(NetworkManagerBackend, ListsTheDialUpConnectionsWithTheirDialParameters) {
  auto backend = std::make_shared<TNetworkManagerRasBackend>(bus.Connection());
  TRAS ras(backend);
  // Without NetworkManager there is no phone book and nothing is dialled.
  EXPECT_FALSE(backend->Available());
  ras.GetPhoneBookEntries();
  EXPECT_TRUE(ras.PhoneBookEntries().isEmpty());
  EXPECT_NE(ras.Dial(), 0u);
  EXPECT_EQ(ras.Connection(), 0u);

  StartNetworkManager();
  const QString mobile =
      AddConnection(Setting("Mobile Broadband", "gsm", "gsm",
                            {{"username", "web"}, {"number", "*99#"}, {"apn", "internet"}}));
  AddConnection(Setting("Home", "802-11-wireless"));
  AddConnection(Setting("Cdma line", "cdma", "cdma", {{"username", "c-user"}}));
  AddConnection(Setting("Wired", "802-3-ethernet"));
  AddConnection(Setting("DSL", "pppoe", "pppoe", {{"username", "dsl-user"}}));
  TNmSettings phone = Setting("Phone", "bluetooth", "gsm", {{"username", "bt-user"}});
  phone["bluetooth"] = QVariantMap{{"type", "dun"}};
  AddConnection(phone);
  TNmSettings pan = Setting("Phone PAN", "bluetooth");
  pan["bluetooth"] = QVariantMap{{"type", "panu"}};
  AddConnection(pan);
  bus.Call(
      mobile, kMock, "AddMethod",
      {kConnection, "GetSecrets", "s", "a{sa{sv}}", "ret = {'gsm': {'password': 'saved-pw'}}"});

  EXPECT_TRUE(backend->Available());
  ras.GetPhoneBookEntries();
  EXPECT_EQ(ras.PhoneBookEntries(), QStringList({"Mobile Broadband", "Cdma line", "DSL", "Phone"}));

  ASSERT_TRUE(ras.GetEntryDialParams("Mobile Broadband"));
  EXPECT_EQ(ras.UserName(), "web");
  EXPECT_EQ(ras.Password(), "saved-pw");
  EXPECT_EQ(ras.PhoneNumber(), "*99#");
  ASSERT_TRUE(ras.GetEntryDialParams("Phone"));
  EXPECT_EQ(ras.UserName(), "bt-user");
  EXPECT_EQ(ras.Password(), "");
  EXPECT_FALSE(ras.GetEntryDialParams("Wired"));
}

TEST_F(NetworkManagerBackend, AnActivationClimbsTheDialStatesToConnectedAndHangsUp) {
  StartNetworkManager();
  TNmSettings entry = Setting("Mobile Broadband", "gsm", "gsm", {{"username", "web"}});
  entry["ipv4"] =
      QVariantMap{{"method", "auto"}, {"dns", QVariant::fromValue(QList<uint>{0x08080808u})}};
  const QString saved = AddConnection(entry);
  const QString modem = AddModem("ttyUSB0", saved);
  auto backend = std::make_shared<TNetworkManagerRasBackend>(bus.Connection());
  TRAS ras(backend);
  TRasRecorder recorder(ras);

  ras.SetEntryName("Mobile Broadband");
  ras.SetUserName("typed-user");
  ras.SetPassword("typed-pw");
  ASSERT_EQ(ras.Dial(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return recorder.statuses.size() == 7; }));
  EXPECT_EQ(recorder.statuses,
            QStringList({"Opening Port", "Port Opened", "Using Device: ttyUSB0 - modem",
                         "Device is connected", "All Required Devices Connected",
                         "Validating User/Password/Domain", "Login Authenticated"}));
  EXPECT_EQ(recorder.connects, 0);

  // A copy carries the typed user name and password, in memory only, on the entry's modem; the
  // saved entry is left as it was.
  const QDBusMessage lastDial = bus.Call(kManagerPath, kManager, "LastDial");
  EXPECT_EQ(lastDial.arguments().value(0).value<QDBusObjectPath>().path(), modem);
  const QVariantMap options = qdbus_cast<QVariantMap>(lastDial.arguments().value(1));
  EXPECT_EQ(options.value("persist").toString(), "volatile");
  EXPECT_EQ(options.value("bind-activation").toString(), "dbus-client");
  const QList<QDBusObjectPath> active = ActiveConnections();
  ASSERT_EQ(active.size(), 1);
  const QString copyPath =
      Get(active[0].path(), kActive, "Connection").value<QDBusObjectPath>().path();
  const TNmSettings copy = SettingsOf(copyPath);
  EXPECT_EQ(copy["gsm"]["username"].toString(), "typed-user");
  EXPECT_EQ(copy["gsm"]["password"].toString(), "typed-pw");
  EXPECT_EQ(copy["gsm"]["password-flags"].toUInt(), 0u);
  EXPECT_EQ(copy["connection"]["id"].toString(), "Mobile Broadband");
  EXPECT_NE(copy["connection"]["uuid"].toString(), "0000-Mobile Broadband");
  EXPECT_EQ(qdbus_cast<QList<uint>>(copy["ipv4"]["dns"]), QList<uint>{0x08080808u});
  const TNmSettings original = SettingsOf(saved);
  EXPECT_EQ(original["gsm"]["username"].toString(), "web");
  EXPECT_FALSE(original["gsm"].contains("password"));
  ras.GetPhoneBookEntries();
  EXPECT_EQ(ras.PhoneBookEntries(), QStringList({"Mobile Broadband"}));

  MoveActivation(active[0].path(), 2, 1);
  ASSERT_TRUE(WaitUntil([&] { return recorder.connects == 1; }));
  EXPECT_EQ(ras.ConnectState(), RasState::kConnected);
  EXPECT_TRUE(recorder.errors.isEmpty());

  ras.HangUp();
  EXPECT_EQ(recorder.disconnects, 1);
  EXPECT_TRUE(WaitUntil([&] { return ActiveConnections().isEmpty(); }));
  EXPECT_EQ(bus.Call(kManagerPath, kManager, "Deactivations").arguments().value(0).toUInt(), 1u);
  EXPECT_EQ(recorder.statuses.size(), 8);  // nothing arrives after the hang-up
}

TEST_F(NetworkManagerBackend, AFailedActivationIsReportedAsTheRemoteAccessErrorThatFits) {
  StartNetworkManager();
  const QString mobile = AddConnection(Setting("Mobile", "gsm", "gsm", {{"username", "u"}}));
  AddModem("ttyUSB0", mobile);
  AddConnection(Setting("DSL", "pppoe", "pppoe", {{"username", "u"}}));
  auto backend = std::make_shared<TNetworkManagerRasBackend>(bus.Connection());
  TRAS ras(backend);
  TRasRecorder recorder(ras);

  // The modem reports the busy line before the activation ends.
  ras.SetEntryName("Mobile");
  ASSERT_EQ(ras.Dial(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return recorder.statuses.contains("Login Authenticated"); }));
  QString active = ActiveConnections().value(0).path();
  bus.Call("/org/freedesktop/NetworkManager/Devices/ttyUSB0", kMock, "EmitSignal",
           {kDevice, "StateChanged", "uuu", QVariantList{120u, 70u, 23u}});
  MoveActivation(active, 4, 3);
  ASSERT_TRUE(WaitUntil([&] { return !recorder.errors.isEmpty(); }));
  EXPECT_EQ(recorder.errors, QList<quint32>{RasError::kLineBusy});
  EXPECT_EQ(recorder.statuses.last(), "The line is busy.");
  EXPECT_EQ(ras.LastResult(), RasError::kLineBusy);
  ras.HangUp();

  // Without a device of its own the activation is left to NetworkManager; a refused login.
  recorder.statuses.clear();
  recorder.errors.clear();
  ras.SetEntryName("DSL");
  ASSERT_EQ(ras.Dial(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return recorder.statuses.contains("Port Opened"); }));
  EXPECT_EQ(bus.Call(kManagerPath, kManager, "LastDial")
                .arguments()
                .value(0)
                .value<QDBusObjectPath>()
                .path(),
            "/");
  active = ActiveConnections().value(0).path();
  MoveActivation(active, 4, 10);
  ASSERT_TRUE(WaitUntil([&] { return !recorder.errors.isEmpty(); }));
  EXPECT_EQ(recorder.errors, QList<quint32>{RasError::kAuthenticationFailure});
  EXPECT_EQ(recorder.statuses,
            QStringList({"Opening Port", "Port Opened",
                         "Access was denied because the user name or password is not valid."}));
  EXPECT_EQ(recorder.connects, 0);
}
