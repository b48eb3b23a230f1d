#pragma once
// A file's whole contents for a test to compare; empty when the file cannot be read.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray ReadAll(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
