#pragma once
// A client of one server: the host (a name, a dotted address or "LOCALHOST") and the port.

#include <QHostAddress>
#include <QString>

#include "transmit/net/netsocket.h"

class TNetClient : public TNetSocket {
 public:
  const QString& Host() const { return host_; }
  void SetHost(const QString& host) { host_ = host; }
  quint16 Port() const { return port_; }
  void SetPort(quint16 port) { port_ = port; }

  // Raises ENetAlreadyConnected "Already connected." when connected. Reports "Connecting to "
  // and the host, resolves the host, connects, and reports "Socket Connected".
  virtual void Connect();

  // "LOCALHOST" (any case) is 127.0.0.1; otherwise the text as a numeric address, then the
  // address the name looks up to. A failed look-up raises socket error 11001.
  static QHostAddress ResolveHost(const QString& host);

 private:
  QString host_;
  quint16 port_ = 0;
};
