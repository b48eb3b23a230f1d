#pragma once
// The mail plug-in's one entry, as the program and the plug-in both see it.

#include "transmit/net/mailserver.h"
#include "transmit/net/netmessage.h"

class QThread;

// A new sender (a TSenderThread over a TNetSMTP set up from the server), not yet started; it
// frees itself once started and finished. The arguments are copied.
using TCreateMailSender = QThread* (*)(const TMailServer* server, const TNetMessage* message);
inline constexpr char kCreateMailSenderEntry[] = "QmCreateMailSender";
