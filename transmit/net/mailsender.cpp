#include "transmit/net/mailsender.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QMetaObject>
#include <QThread>

#include "transmit/net/mailplugin.h"

namespace {

// The plug-in's entry, loaded once and never unloaded: senders run its code until they end.
// nullptr, with why, when it cannot be loaded.
TCreateMailSender PluginEntry(QString& why) {
  static QLibrary library;
  static TCreateMailSender entry = nullptr;
  if (entry == nullptr) {
    library.setFileName(TMailSender::PluginPath());
    entry = reinterpret_cast<TCreateMailSender>(library.resolve(kCreateMailSenderEntry));
    if (entry == nullptr)
      why = library.errorString();
  }
  return entry;
}

}  // namespace

QString TMailSender::PluginPath() {
  return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral(QM_MAIL_PLUGIN_FROM_PROGRAM)));
}

TMailSender::TMailSender(TMailServer server, TNetMessage message, QObject* parent)
    : QObject(parent), server_(std::move(server)), message_(std::move(message)) {}

void TMailSender::Start() {
  if (started_)
    return;
  started_ = true;
  QString why;
  const TCreateMailSender create = PluginEntry(why);
  QThread* worker = create != nullptr ? create(&server_, &message_) : nullptr;
  if (worker == nullptr) {
    // Told like any failed send, once the caller is back in the event loop.
    const QString error = QStringLiteral("The mail component could not be loaded: %1").arg(why);
    QMetaObject::invokeMethod(
        this, [this, error] { emit completed(false, error); }, Qt::QueuedConnection);
    return;
  }
  worker_ = worker;
  // By name: the worker's class is the plug-in's own, unknown to the program. Its signals come
  // from its thread and reach this object's thread queued.
  connect(worker, SIGNAL(work(qint64, qint64)), this, SIGNAL(work(qint64, qint64)));
  connect(worker, SIGNAL(statusText(QString)), this, SIGNAL(statusText(QString)));
  connect(worker, SIGNAL(completed(bool, QString)), this, SIGNAL(completed(bool, QString)));
  QMetaObject::invokeMethod(worker, "StartDetached", Qt::DirectConnection);
}

void TMailSender::Cancel() {
  if (worker_)
    QMetaObject::invokeMethod(worker_, "Cancel", Qt::DirectConnection);
}
