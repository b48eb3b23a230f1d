// The mail plug-in: the SMTP client family behind one entry that the program resolves when it
// first sends mail.
#include "transmit/net/mailplugin.h"

#include <memory>
#include <type_traits>

#include "transmit/net/netsmtp.h"
#include "transmit/net/senderthread.h"

extern "C" Q_DECL_EXPORT QThread* QmCreateMailSender(const TMailServer* server,
                                                     const TNetMessage* message) {
  static_assert(std::is_same_v<decltype(&QmCreateMailSender), TCreateMailSender>);
  auto smtp = std::make_unique<TNetSMTP>();
  smtp->SetHost(server->Host);
  smtp->SetPort(server->Port);
  smtp->SetBufferChunk(server->BufferChunk);
  smtp->SetTimeout(server->TimeoutMs);
  smtp->SetSecurity(server->Security);
  if (!server->User.isEmpty())
    smtp->SetCredentials(server->User, server->Password);
  return new TSenderThread(std::move(smtp), *message);
}
