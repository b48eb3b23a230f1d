#include "motor/tests/testengine.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <signal.h>
#include <cerrno>

void EnsureCoreApplication() {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 1;
    static char name[] = "motor_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
  }
}

TTestEngineFolder::TTestEngineFolder(const QString& script, bool executable) {
  EnsureCoreApplication();
  const QString source = QStringLiteral(QM_TEST_ENGINES_DIR "/") + script;
  if (!QFile::copy(source, Program())) {
    ADD_FAILURE() << "cannot install the test engine " << source.toStdString();
    return;
  }
  QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
  if (executable) {
    permissions |= QFile::ExeOwner;
  }
  QFile::setPermissions(Program(), permissions);
}

void TTestEngineFolder::Write(const QString& name, const QByteArray& bytes) const {
  QFile file(File(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QByteArray TTestEngineFolder::Read(const QString& name) const {
  QFile file(File(name));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll();
}

bool TTestEngineFolder::WaitForFile(const QString& name, int milliseconds) const {
  QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired()) {
    // The file must also be complete: the scripts write one short line at a time.
    if (QFile::exists(File(name)) && !Read(name).trimmed().isEmpty()) {
      return true;
    }
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
  return false;
}

bool ProcessGone(qint64 pid) {
  if (pid <= 0) {
    return true;
  }
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
    return true;
  }
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) {
    return true;
  }
  // "pid (name) S ...": the state follows the closing parenthesis.
  const QByteArray line = stat.readAll();
  const qsizetype close = line.lastIndexOf(')');
  return close >= 0 && close + 2 < line.size() && line.at(close + 2) == 'Z';
}

bool WaitForProcessGone(qint64 pid, int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired()) {
    if (ProcessGone(pid)) {
      return true;
    }
    QThread::msleep(10);
  }
  return ProcessGone(pid);
}
