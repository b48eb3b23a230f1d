// TRAS over the scripted backend: events, status texts, hang-up, phone book.
#include <gtest/gtest.h>

#include "transmit/ras.h"
#include "transmit/rasscriptedbackend.h"

namespace {

struct TScriptedRas {
  std::shared_ptr<TScriptedRasBackend> backend = std::make_shared<TScriptedRasBackend>();
  TRAS ras{backend};
  QStringList statuses;
  QList<quint32> errors;
  QStringList disconnects;  // "code:text"

  TScriptedRas() {
    ras.OnStatus = [this](TRAS* sender, const QString& text) {
      EXPECT_EQ(sender, &ras);
      statuses.append(text);
    };
    ras.OnError = [this](TRAS*, quint32 code) { errors.append(code); };
    ras.OnDisconnect = [this](TRAS*, quint32 code, const QString& text) {
      disconnects.append(QString::number(code) + ":" + text);
    };
  }
};

}  // namespace

TEST(Ras, EachStateRaisesItsEventAndStatusText) {
  TScriptedRas scripted;
  TRAS& ras = scripted.ras;
  scripted.backend->SetDevice("ttyS0", "modem");
  ASSERT_EQ(ras.Dial(), 0u);
  const struct {
    quint32 state;
    const char* text;
    TRasNotifyEvent TRAS::*event;
  } cases[] = {
      {0, "Opening Port", &TRAS::OnAboutToOpenPort},
      {1, "Port Opened", &TRAS::OnPortOpened},
      {2, "Using Device: ttyS0 - modem", &TRAS::OnAboutToConnDev},
      {3, "Device is connected", &TRAS::OnDevConnected},
      {4, "All Required Devices Connected", &TRAS::OnAllDevsConnected},
      {5, "Validating User/Password/Domain", &TRAS::OnAuthenticate},
      {6, "Authentication Notification", &TRAS::OnAuthNotify},
      {7, "", &TRAS::OnAuthRetry},
      {8, "Authentication Call Back", &TRAS::OnAuthCallBack},
      {9, "", &TRAS::OnAuthChangePassword},
      {10, "Project", &TRAS::OnAuthProject},
      {11, "Calculating Link speed", &TRAS::OnAuthLinkSpeed},
      {12, "Authentication acknowledged", &TRAS::OnAuthAck},
      {13, "Reauthenticating", &TRAS::OnReAuthenticate},
      {14, "Login Authenticated", &TRAS::OnAuthenticated},
      {15, "Preparing for Callback", &TRAS::OnPrepareforCallback},
      {16, "Waiting for Modem Reset", &TRAS::OnWaitForModemReset},
      {17, "Waiting for Callback", &TRAS::OnCallBack},
      {4096, "", &TRAS::OnInteractiveStarted},
      {4097, "", &TRAS::OnRetryAuth},
      {4099, "", &TRAS::OnPasswordExpired},
      {8192, "", &TRAS::OnConnect},
  };
  for (const auto& c : cases) {
    int raised = 0;
    ras.*(c.event) = [&](TRAS* sender) {
      EXPECT_EQ(sender, &ras);
      ++raised;
    };
    scripted.statuses.clear();
    ASSERT_TRUE(scripted.backend->Notify(c.state));
    EXPECT_EQ(raised, 1) << c.state;
    EXPECT_EQ(scripted.statuses, QStringList{c.text}) << c.state;
    EXPECT_EQ(ras.ConnectState(), c.state);
    ras.*(c.event) = nullptr;
  }
  EXPECT_TRUE(scripted.errors.isEmpty());
  EXPECT_EQ(ras.DeviceName(), "ttyS0");
  EXPECT_EQ(ras.DeviceType(), "modem");
}

TEST(Ras, ErrorsDisconnectsAndHangUpsAreReported) {
  TScriptedRas scripted;
  TRAS& ras = scripted.ras;
  scripted.backend->SetErrorString(691, "Access denied.");
  ASSERT_EQ(ras.Dial(), 0u);
  scripted.backend->Notify(RasState::kAuthenticate);

  // An error keeps the state and is given as its text (from 600), or as the two system texts.
  scripted.statuses.clear();
  scripted.backend->Notify(RasState::kAuthenticate, 691);
  scripted.backend->Notify(RasState::kAuthenticate, 6);
  scripted.backend->Notify(RasState::kAuthenticate, 8);
  scripted.backend->Notify(RasState::kAuthenticate, 42);
  scripted.backend->Notify(RasState::kAuthenticate, 999);
  EXPECT_EQ(scripted.statuses, QStringList({"Access denied.", "Invalid Handle", "Not enough memory",
                                            "", "Status Unknown"}));
  EXPECT_EQ(scripted.errors, QList<quint32>({691, 6, 8, 42, 999}));
  EXPECT_EQ(ras.LastResult(), 999u);
  EXPECT_EQ(ras.ConnectState(), RasState::kAuthenticate);

  // The connection going down raises OnDisconnect with the status and its text.
  scripted.backend->Notify(RasState::kDisconnected, 0);
  EXPECT_EQ(scripted.disconnects, QStringList{"0:Status Unknown"});

  // Hanging up forgets the connection first: OnDisconnect then has no code and no text.
  scripted.disconnects.clear();
  EXPECT_EQ(ras.HangUp(), 0u);
  EXPECT_EQ(ras.Connection(), 0u);
  EXPECT_EQ(scripted.backend->HangUps(), 1);
  EXPECT_EQ(scripted.disconnects, QStringList{"0:"});
  EXPECT_FALSE(scripted.backend->Notify(RasState::kConnected));
  EXPECT_EQ(ras.HangUp(), 0u);  // nothing to hang up; the event still comes
  EXPECT_EQ(scripted.backend->HangUps(), 1);
  EXPECT_EQ(scripted.disconnects.size(), 2);

  // A handler that hangs up leaves no connection for the status text.
  ASSERT_EQ(ras.Dial(), 0u);
  ras.OnConnect = [](TRAS* sender) { sender->HangUp(); };
  scripted.statuses.clear();
  scripted.backend->Notify(RasState::kConnected);
  EXPECT_EQ(scripted.statuses, QStringList{"Not Active"});
}

TEST(Ras, DialSendsThePropertiesAndReplacesAPreviousConnectionQuietly) {
  TScriptedRas scripted;
  TRAS& ras = scripted.ras;
  EXPECT_EQ(ras.RedialAttempts(), 1);
  ras.SetEntryName("Quillnet");
  ras.SetPhoneNumber("0800 123");
  ras.SetCallbackNumber("0800 456");
  ras.SetUserName("jsmith");
  ras.SetPassword("secret");
  ras.SetDomain("QM");
  ASSERT_EQ(ras.Dial(), 0u);
  ASSERT_EQ(scripted.backend->Dials().size(), 1);
  const TRasDialParams& sent = scripted.backend->Dials()[0];
  EXPECT_EQ(sent.entryName, "Quillnet");
  EXPECT_EQ(sent.phoneNumber, "0800 123");
  EXPECT_EQ(sent.callbackNumber, "0800 456");
  EXPECT_EQ(sent.userName, "jsmith");
  EXPECT_EQ(sent.password, "secret");
  EXPECT_EQ(sent.domain, "QM");
  const TRasHandle first = ras.Connection();

  ASSERT_EQ(ras.Dial(), 0u);
  EXPECT_EQ(scripted.backend->HangUps(), 1);
  EXPECT_TRUE(scripted.disconnects.isEmpty());
  EXPECT_NE(ras.Connection(), first);

  // A failed dial keeps its result, and its connection until it is hung up.
  scripted.backend->SetDialResult(633);
  EXPECT_EQ(ras.Dial(), 633u);
  EXPECT_EQ(ras.LastResult(), 633u);
  EXPECT_NE(ras.Connection(), 0u);
  EXPECT_EQ(ras.ErrorText(633), "The modem is already in use or is not configured properly.");
  ras.HangUp();
  EXPECT_EQ(ras.ErrorText(633), "");  // no connection, no text
}

TEST(Ras, ReleasingTheComponentHangsUpWithoutAnEvent) {
  auto backend = std::make_shared<TScriptedRasBackend>();
  int disconnects = 0;
  {
    TRAS ras(backend);
    ras.OnDisconnect = [&](TRAS*, quint32, const QString&) { ++disconnects; };
    ASSERT_EQ(ras.Dial(), 0u);
  }
  EXPECT_EQ(backend->LiveConnection(), 0u);
  EXPECT_EQ(backend->HangUps(), 1);
  EXPECT_EQ(disconnects, 0);
}

TEST(Ras, ThePhoneBookListsAtMostFiftyNamedEntriesAndTheirParameters) {
  TScriptedRas scripted;
  TRAS& ras = scripted.ras;
  scripted.backend->AddEntry("");
  for (int i = 1; i <= 51; ++i)
    scripted.backend->AddEntry(QStringLiteral("ISP %1").arg(i), "user", "pw");
  scripted.backend->AddUnreadableEntry("Broken");
  ras.GetPhoneBookEntries();
  EXPECT_EQ(ras.PhoneBookEntries().size(), 49);  // the 50 returned less the unnamed one
  EXPECT_EQ(ras.PhoneBookEntries().first(), "ISP 1");
  ras.SetPhoneBookPath("/elsewhere");
  EXPECT_EQ(scripted.backend->EnumCalls(), 2);

  ASSERT_TRUE(ras.GetEntryDialParams("ISP 7"));
  EXPECT_EQ(ras.UserName(), "user");
  EXPECT_EQ(ras.Password(), "pw");
  EXPECT_FALSE(ras.GetEntryDialParams("Broken"));
  EXPECT_EQ(ras.UserName(), "user");

  // Without the remote-access layer the phone book is empty and nothing is dialled.
  scripted.backend->SetAvailable(false);
  ras.GetPhoneBookEntries();
  EXPECT_TRUE(ras.PhoneBookEntries().isEmpty());
  EXPECT_FALSE(ras.GetEntryDialParams("ISP 7"));
  EXPECT_NE(ras.Dial(), 0u);
  EXPECT_EQ(ras.Connection(), 0u);
  EXPECT_EQ(scripted.backend->EnumCalls(), 2);
  EXPECT_TRUE(scripted.backend->Dials().isEmpty());
}
