#pragma once
// Test helpers for running engines: a Qt application object for the event loop, and a temporary
// engine folder holding one of the stand-in engines as "QuoForm1.pif".

#include <QString>
#include <QTemporaryDir>

// Creates the process-wide QCoreApplication once (QProcess and event loops need it).
void EnsureCoreApplication();

class TTestEngineFolder {
 public:
  // Installs tests/engines/<script> as the engine program (executable unless told otherwise).
  explicit TTestEngineFolder(const QString& script, bool executable = true);

  QString Folder() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  QString Program() const { return File("QuoForm1.pif"); }
  QString Results() const { return File("Formula1.001"); }
  // Writes a file into the engine folder.
  void Write(const QString& name, const QByteArray& bytes) const;
  QByteArray Read(const QString& name) const;
  // Waits (pumping events) until the file exists; false after the time limit.
  bool WaitForFile(const QString& name, int milliseconds = 5000) const;

 private:
  QTemporaryDir dir_;
};

// True once the process has gone (or is only a zombie waiting for its parent to reap it).
bool ProcessGone(qint64 pid);
// Polls ProcessGone for up to the given time.
bool WaitForProcessGone(qint64 pid, int milliseconds = 3000);
