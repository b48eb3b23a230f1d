#include "transmit/net/netclient.h"

#include <QHostInfo>

#include "transmit/net/netexceptions.h"

void TNetClient::Connect() {
  if (Connected())
    throw ENetAlreadyConnected(QStringLiteral("Already connected."));
  Status(QStringLiteral("Connecting to ") + host_);
  const QHostAddress address = ResolveHost(host_);
  CheckCancelled();
  OpenSocket(address, port_);
  Status(QStringLiteral("Socket Connected"));
}

QHostAddress TNetClient::ResolveHost(const QString& host) {
  const QString name = host.trimmed();
  if (name.compare(QLatin1String("LOCALHOST"), Qt::CaseInsensitive) == 0)
    return QHostAddress(QHostAddress::LocalHost);
  QHostAddress numeric;
  if (numeric.setAddress(name))
    return numeric;
  if (name.isEmpty())
    throw ENetSocketError(winsock::kHostNotFound);
  const QHostInfo info = QHostInfo::fromName(name);
  if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
    throw ENetSocketError(winsock::kHostNotFound);
  // The family has always spoken IPv4; an IPv6 address serves when the name has no other.
  for (const QHostAddress& address : info.addresses()) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
      return address;
  }
  return info.addresses().first();
}
