// The recent-file list of the settings and the main window's menu built from it.

#include <QFileInfo>

#include "motor/getmotordsv.h"
#include "settings/options.h"

void AddRecentFile(const QString& fileName) {
  if (TOptions* options = Options())
    options->StoreRecentFile(fileName);
  RebuildRecentFilesMenu();
}

void RebuildRecentFilesMenu() {
  TMainWindowLink* link = MainWindowLink();
  if (link == nullptr)
    return;
  link->RemoveRecentFileItems();
  int count = 0;
  if (TOptions* options = Options()) {
    // The settings answer empty text at the end of the list.
    for (QString name = options->ReadRecentFile(count); !name.isEmpty();
         name = options->ReadRecentFile(count)) {
      ++count;
      // "&%d %s": the number from 1 and the name without folder and extension.
      link->AppendRecentFileItem(
          QStringLiteral("&%1 %2").arg(QString::number(count), QFileInfo(name).completeBaseName()),
          name);
    }
  }
  link->SetRecentFilesMarkerVisible(count > 0);
}
