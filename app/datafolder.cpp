#include "app/datafolder.h"

#include <QDir>
#include <QFileInfo>

#include "platform/userdatafolder.h"

bool ForceDirectories(const QString& folder) {
  QString name = folder;
  while (name.size() > 1 && (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'))))
    name.chop(1);
  if (name.size() <= 2)
    return QFileInfo(name).isDir();
  return QDir().mkpath(name);
}

QString DataFolderFor(const QString& programFolder) {
  const QFileInfo program(programFolder);
#ifdef _WIN32
  const bool shared = !program.isWritable();
#else
  const bool shared = !program.isWritable() || program.fileName() == QLatin1String("bin");
#endif
  if (shared) {
    const QString user = UserDataFolder();
    if (!user.isEmpty())
      return QDir(user).filePath(QStringLiteral("Data"));
  }
  return QDir(programFolder).filePath(QStringLiteral("Data"));
}
