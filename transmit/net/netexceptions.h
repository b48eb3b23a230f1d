#pragma once
// The exceptions of the mail client family. A failed socket call raises ENetSocketError with a
// Winsock error number and its text ("Socket Error #10061\r\nConnection refused."), whatever
// platform the program runs on: the broker's support desk knows these numbers.

#include <QByteArray>
#include <QString>
#include <exception>

// The base of every client exception; a "plain exception" of the client is one of these.
class ENetException : public std::exception {
 public:
  explicit ENetException(QString message);
  const QString& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  QString message_;
  QByteArray utf8_;
};

// A failed socket call; carries the Winsock error number.
class ENetSocketError : public ENetException {
 public:
  explicit ENetSocketError(int errorNumber);
  int ErrorNumber() const { return errorNumber_; }

 private:
  int errorNumber_;
};

#define QM_NET_EXCEPTION(Name)          \
  class Name : public ENetException {   \
   public:                              \
    using ENetException::ENetException; \
  }

// A reply code other than the one the command expects; the message is the server's reply text.
QM_NET_EXCEPTION(ENetResponseError);
// Writing on a socket that is not open.
QM_NET_EXCEPTION(ENetClosedSocket);
QM_NET_EXCEPTION(ENetInvalidSocket);
// The server's greeting was not the one expected; the message is its reply text.
QM_NET_EXCEPTION(ENetConnectRefused);
QM_NET_EXCEPTION(ENetAlreadyConnected);
// Ends an exchange without anything to tell the user (the user cancelled it).
QM_NET_EXCEPTION(ENetSilentException);
// The server closed the connection while a reply was awaited.
QM_NET_EXCEPTION(ENetConnClosedGraceful);

#undef QM_NET_EXCEPTION

// Winsock error numbers the client raises itself.
namespace winsock {
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNotConnected = 10057;
inline constexpr int kShutDown = 10058;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostNotFound = 11001;
}  // namespace winsock

// The message for a Winsock error number; empty for a number without one.
QString SocketErrorMessage(int errorNumber);
// "Socket Error #" + number + CR LF + the message.
QString SocketErrorText(int errorNumber);
