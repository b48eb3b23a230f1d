#include "transmit/net/senderthread.h"

#include <QMutexLocker>
#include <exception>

#include "transmit/net/netexceptions.h"

TSenderThread::TSenderThread(std::unique_ptr<TNetSMTP> smtp, TNetMessage message)
    : smtp_(std::move(smtp)), message_(std::move(message)) {}

TSenderThread::~TSenderThread() {
  Cancel();
  wait();
}

QString TSenderThread::LastStatus() const {
  QMutexLocker lock(&statusMutex_);
  return lastStatus_;
}

void TSenderThread::StartDetached() {
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  start();
}

void TSenderThread::run() {
  // The client's own status handler is not called here: it may touch the window, which only
  // the window's thread may do. The texts reach it through StatusText instead.
  TNetSMTP::StatusHandler previous = smtp_->OnStatus();
  smtp_->SetCancelFlag(&cancelled_);
  smtp_->SetOnStatus([this](TNetSocket&, const QString& text) {
    {
      QMutexLocker lock(&statusMutex_);
      lastStatus_ = text;
    }
    emit statusText(text);
  });
  smtp_->SetOnWork([this](TNetSocket&, qint64 done, qint64 total) { emit work(done, total); });

  bool success = true;
  QString error;
  try {
    smtp_->Send(message_);
  } catch (const std::exception& failure) {
    success = false;
    error = DescribeFailure(failure, smtp_->Step());
  }
  smtp_->Disconnect();
  smtp_->SetOnStatus(previous);
  // The client's socket belongs to this thread: it goes with it.
  smtp_.reset();
  emit completed(success, error);
}
