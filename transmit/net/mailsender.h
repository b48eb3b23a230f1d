#pragma once
// TMailSender: sends one message on a worker thread of the mail plug-in, so that the window
// stays responsive while the SMTP exchange runs. The plug-in holds the SMTP client and with it
// Qt's network library (and the proxy and Kerberos libraries that one brings), which the program
// thus loads the first time it sends mail rather than at every start.
//
// completed() is emitted exactly once after Start(), on the thread the sender lives on. When
// the plug-in cannot be loaded, that is a failed send naming why. A sender may be destroyed while
// its exchange runs: the exchange then ends on its own and frees what it holds.

#include <QObject>
#include <QPointer>
#include <QString>

#include "transmit/net/mailserver.h"
#include "transmit/net/netmessage.h"

class TMailSender : public QObject {
  Q_OBJECT
 public:
  // The plug-in's file, without the platform's suffix, relative to the program's folder.
  static QString PluginPath();

  TMailSender(TMailServer server, TNetMessage message, QObject* parent = nullptr);

  // Starts the exchange; once only.
  void Start();
  // Ends the exchange as soon as the client next looks (within a fraction of a second).
  void Cancel();

 signals:
  void work(qint64 done, qint64 total);
  void statusText(const QString& text);
  // error: why the send failed, in words for the user; empty on success and for a cancel.
  void completed(bool success, const QString& error);

 private:
  TMailServer server_;
  TNetMessage message_;
  bool started_ = false;
  QPointer<QObject> worker_;  // the plug-in's thread; it frees itself when it has finished
};
