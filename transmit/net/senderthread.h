#pragma once
// TSenderThread: sends one message on a worker thread, so that the window stays responsive
// while the SMTP exchange runs. The thread owns the client and the message for its whole life;
// the window only hears from it through queued signals and can ask it to stop at any time.
//
// Completed() is emitted exactly once per run, after the client has disconnected; a run
// cancelled before the server accepted the message completes without success. The thread frees
// itself when it has finished (StartDetached).

#include <QMutex>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

#include "transmit/net/netmessage.h"
#include "transmit/net/netsmtp.h"

class TSenderThread : public QThread {
  Q_OBJECT
 public:
  // The client must not be connected; it is used and destroyed on the worker thread.
  TSenderThread(std::unique_ptr<TNetSMTP> smtp, TNetMessage message);
  ~TSenderThread() override;

  // Ends the exchange as soon as the client next looks (within a fraction of a second).
  // Safe from any thread.
  Q_INVOKABLE void Cancel() { cancelled_ = true; }
  bool IsCancelled() const { return cancelled_; }

  // The last status text the client reported. Safe from any thread.
  QString LastStatus() const;

  // Starts the thread and arranges for it to free itself when it has finished.
  Q_INVOKABLE void StartDetached();

 signals:
  void work(qint64 done, qint64 total);
  void statusText(const QString& text);
  // error: why the send failed, in words for the user (DescribeFailure); empty on success and
  // for a cancel.
  void completed(bool success, const QString& error);

 protected:
  void run() override;

 private:
  std::unique_ptr<TNetSMTP> smtp_;
  TNetMessage message_;
  std::atomic<bool> cancelled_{false};
  mutable QMutex statusMutex_;
  QString lastStatus_;
};
