#include "platform/userdatafolder.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString& OverrideFolder() {
  static QString folder;
  return folder;
}

QString DefaultFolder() {
  // Named explicitly rather than through the application's names, which tests and tools do not
  // always set.
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty())
    base = QDir::homePath();
  return base + QStringLiteral("/Quillmarsh/PrivateMotor");
}

}  // namespace

QString UserDataFolder() {
  QString folder = OverrideFolder().isEmpty() ? DefaultFolder() : OverrideFolder();
  if (!QDir().mkpath(folder))
    return QString();
  return QDir::cleanPath(folder);
}

QString UserDataFile(const QString& fileName) {
  QString folder = UserDataFolder();
  if (folder.isEmpty())
    return fileName;
  return folder + QLatin1Char('/') + fileName;
}

void SetUserDataFolder(const QString& folder) {
  OverrideFolder() = folder;
}
