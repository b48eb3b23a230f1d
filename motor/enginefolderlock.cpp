#include "motor/enginefolderlock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/types.h>
#endif

TEngineFolderLock::TEngineFolderLock(const QString& engineProgram) {
  const QFileInfo program(engineProgram);
  folder_ = program.absolutePath();
  const QString base = QDir(folder_).filePath(program.completeBaseName());
  lockFile_ = base + QStringLiteral(".lck");
  groupFile_ = base + QStringLiteral(".run");
}

TEngineFolderLock::~TEngineFolderLock() {
  Release();
}

TEngineFolderLock::TAttempt TEngineFolderLock::TryTake() {
  if (IsHeld())
    return TAttempt::Taken;
  if (!lock_) {
    lock_ = std::make_unique<QLockFile>(lockFile_);
    // An engine may run for minutes: only a lock whose program has gone is stale, never an old
    // one.
    lock_->setStaleLockTime(0);
  }
  if (lock_->tryLock(0)) {
    error_.clear();
    StopLeftoverEngine();
    return TAttempt::Taken;
  }
  if (lock_->error() == QLockFile::LockFailedError)
    return TAttempt::Busy;
  error_ = QStringLiteral("%1 could not be created in the Quote engine folder")
               .arg(QDir::toNativeSeparators(lockFile_));
  return TAttempt::Failed;
}

void TEngineFolderLock::NoteEngineGroup(qint64 group) {
  if (!IsHeld() || group <= 0)
    return;
  QFile file(groupFile_);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write(QByteArray::number(group));
}

void TEngineFolderLock::Release() {
  if (!IsHeld())
    return;
  QFile::remove(groupFile_);
  lock_->unlock();
}

void TEngineFolderLock::StopLeftoverEngine() {
  QFile file(groupFile_);
  if (!file.open(QIODevice::ReadOnly))
    return;
  const qint64 group = file.readAll().trimmed().toLongLong();
  file.close();
  QFile::remove(groupFile_);
#ifdef Q_OS_LINUX
  if (group <= 1)
    return;
  // Only processes of that group still working in the engine folder: a group number the
  // system has since given to something else is left alone.
  const QString folder = QFileInfo(folder_).canonicalFilePath();
  const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
  for (const QString& name : processes) {
    bool number = false;
    const qint64 pid = name.toLongLong(&number);
    if (!number)
      continue;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
      continue;
    // pid (command) state ppid pgrp ...; the command may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 3 || fields[2].toLongLong() != group)
      continue;
    if (QFileInfo(QStringLiteral("/proc/%1/cwd").arg(pid)).canonicalFilePath() != folder)
      continue;
    ::kill(static_cast<pid_t>(pid), SIGKILL);
  }
#else
  Q_UNUSED(group);
#endif
}
