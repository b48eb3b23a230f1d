// The recent-file list: up to four file names in the slots "a" to "d" of the MRUList key, and
// a Header holding the slot letters, most recent first.

#include "settings/optionkeys.h"
#include "settings/options.h"

using namespace OptionKeys;

namespace {

constexpr int kMaxRecentFiles = 4;

}  // namespace

QString TOptions::ReadRecentFile(int index) const {
  QString header = store_.ReadText(kMRUList, kHeader).value_or(QString());
  if (index < 0 || index >= header.size())
    return QString();
  return store_.ReadText(kMRUList, header.mid(index, 1)).value_or(QString());
}

void TOptions::StoreRecentFile(const QString& fileName) {
  // Failures leave the list as it was: the recent-file list is a convenience.
  if (!store_.CreateKey(kMRUList))
    return;
  QString header = store_.ReadText(kMRUList, kHeader).value_or(QString());

  for (int i = 0; i < header.size(); ++i) {
    std::optional<QString> stored = store_.ReadText(kMRUList, header.mid(i, 1));
    if (stored && *stored == fileName) {
      // Already listed: only its letter moves to the front.
      QChar letter = header[i];
      header.remove(i, 1);
      header.prepend(letter);
      store_.WriteText(kMRUList, kHeader, header);
      return;
    }
  }

  QChar slot;
  if (header.isEmpty()) {
    slot = QLatin1Char('a');
  } else if (header.size() < kMaxRecentFiles) {
    slot = QChar(char16_t(u'a' + header.size()));
  } else {
    // A full list reuses the slot of the least recent entry.
    slot = header.back();
    header.chop(1);
  }
  header.prepend(slot);
  if (store_.WriteText(kMRUList, kHeader, header))
    store_.WriteText(kMRUList, QString(slot), fileName);
}
