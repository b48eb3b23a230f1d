#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSettings>
#include <QStandardPaths>
#include <limits>
#include <memory>

#include "platform/typedsettingsformat.h"

namespace {

const QString kOrganisation = QStringLiteral("Quillmarsh");
const QString kApplication = QStringLiteral("PrivateMotor");

QString& OverrideFolder() {
  static QString folder;
  return folder;
}

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther;

// The file may hold a mail password: it is readable by its owner alone. QSettings rewrites it
// through a temporary file that takes the permissions of the file it replaces, so a file made
// owner-only before the first write stays so; one made by an earlier version is narrowed.
void KeepPrivate(const QString& fileName, bool create) {
  if (fileName.isEmpty())
    return;
  if (QFileInfo::exists(fileName)) {
    if (QFile::permissions(fileName) & kOthers)
      QFile::setPermissions(fileName, kOwnerOnly);
    return;
  }
  if (!create || !QDir().mkpath(QFileInfo(fileName).path()))
    return;
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly))
    return;
}

std::unique_ptr<QSettings> OpenSettings() {
#ifdef Q_OS_WIN
  if (OverrideFolder().isEmpty())
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
                                       kApplication);
#endif
  auto settings = std::make_unique<QSettings>(TypedSettingsFormat(), QSettings::UserScope,
                                              kOrganisation, kApplication);
  KeepPrivate(settings->fileName(), false);
  return settings;
}

QStringList Segments(const QString& key) {
  // Either slash separates the levels. A plain split: a pattern would bring in the regular
  // expression compiler at start-up for this alone.
  QString levels = key;
  levels.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return levels.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QStringList ChildGroups(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  QStringList groups = settings.childGroups();
  settings.endGroup();
  return groups;
}

QStringList ChildValues(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  QStringList keys = settings.childKeys();
  settings.endGroup();
  keys.removeAll(kKeyMarker);
  return keys;
}

QString Join(const QString& group, const QString& name) {
  return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

// A key path spelled as the store already spells it, as far as it exists.
struct TResolvedKey {
  QString group;
  bool exists = true;
};

TResolvedKey ResolveKey(QSettings& settings, const QString& key) {
  TResolvedKey resolved;
  for (const QString& segment : Segments(key)) {
    QString spelled = segment;
    if (resolved.exists) {
      resolved.exists = false;
      for (const QString& child : ChildGroups(settings, resolved.group)) {
        if (child.compare(segment, Qt::CaseInsensitive) == 0) {
          spelled = child;
          resolved.exists = true;
          break;
        }
      }
    }
    resolved.group = Join(resolved.group, spelled);
  }
  return resolved;
}

// The full name of an existing value, or empty.
QString ResolveValue(QSettings& settings, const QString& key, const QString& name) {
  TResolvedKey resolved = ResolveKey(settings, key);
  if (!resolved.exists)
    return QString();
  for (const QString& child : ChildValues(settings, resolved.group)) {
    if (child.compare(name, Qt::CaseInsensitive) == 0)
      return Join(resolved.group, child);
  }
  return QString();
}

bool IsInteger(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: {
      // A DWORD holds 32 bits; read as signed like the registry accessor does.
      qint64 number = value.toLongLong();
      return number >= std::numeric_limits<qint32>::min() &&
             number <= std::numeric_limits<quint32>::max();
    }
    default:
      return false;
  }
}

bool Flush(QSettings& settings) {
  if (settings.format() != QSettings::NativeFormat)
    KeepPrivate(settings.fileName(), true);
  settings.sync();
  if (settings.format() != QSettings::NativeFormat)
    KeepPrivate(settings.fileName(), false);
  return settings.status() == QSettings::NoError;
}

// True when the store holds this value under the name already, as an integer or as text as the
// value is, and the key's marker with it.
bool AlreadyStored(const QSettings& settings, const QString& marker, const QString& full,
                   const QVariant& value) {
  if (!settings.contains(marker) || !settings.contains(full))
    return false;
  const QVariant stored = settings.value(full);
  if (IsInteger(value))
    return IsInteger(stored) && stored.toLongLong() == value.toLongLong();
  return stored.typeId() == QMetaType::QString && value.typeId() == QMetaType::QString &&
         stored.toString() == value.toString();
}

bool WriteValue(const QString& key, const QString& name, const QVariant& value) {
  auto settings = OpenSettings();
  TResolvedKey resolved = ResolveKey(*settings, key);
  if (!resolved.exists || name.isEmpty())
    return false;
  QString full = ResolveValue(*settings, key, name);
  if (full.isEmpty())
    full = Join(resolved.group, name);
  // The marker keeps the key when its last value is deleted later.
  const QString marker = Join(resolved.group, kKeyMarker);
  // Writing what is stored already leaves the file alone: no rewrite, lock or flush to disk
  // (the program writes some settings at every start), and nothing to lose if it fails.
  if (AlreadyStored(*settings, marker, full, value) && settings->isWritable())
    return true;
  settings->setValue(marker, QString());
  settings->setValue(full, value);
  return Flush(*settings);
}

}  // namespace

bool TSettingsStore::KeyExists(const QString& key) const {
  auto settings = OpenSettings();
  return ResolveKey(*settings, key).exists;
}

bool TSettingsStore::CreateKey(const QString& key) {
  auto settings = OpenSettings();
  QString group;
  for (const QString& segment : Segments(key)) {
    group = Join(group, segment);
    TResolvedKey resolved = ResolveKey(*settings, group);
    group = resolved.group;
    if (!resolved.exists)
      settings->setValue(Join(group, kKeyMarker), QString());
  }
  return Flush(*settings) && ResolveKey(*settings, key).exists;
}

bool TSettingsStore::DeleteKey(const QString& key) {
  auto settings = OpenSettings();
  TResolvedKey resolved = ResolveKey(*settings, key);
  if (!resolved.exists || resolved.group.isEmpty())
    return false;
  settings->remove(resolved.group);
  return Flush(*settings);
}

QStringList TSettingsStore::ValueNames(const QString& key) const {
  auto settings = OpenSettings();
  TResolvedKey resolved = ResolveKey(*settings, key);
  if (!resolved.exists)
    return {};
  return ChildValues(*settings, resolved.group);
}

TSettingType TSettingsStore::ValueType(const QString& key, const QString& name) const {
  auto settings = OpenSettings();
  QString full = ResolveValue(*settings, key, name);
  if (full.isEmpty())
    return TSettingType::Missing;
  QVariant value = settings->value(full);
  if (IsInteger(value))
    return TSettingType::Integer;
  if (value.typeId() == QMetaType::QString)
    return TSettingType::Text;
  return TSettingType::Other;
}

std::optional<qint32> TSettingsStore::ReadInteger(const QString& key, const QString& name) const {
  auto settings = OpenSettings();
  QString full = ResolveValue(*settings, key, name);
  if (full.isEmpty())
    return std::nullopt;
  QVariant value = settings->value(full);
  if (!IsInteger(value))
    return std::nullopt;
  return static_cast<qint32>(static_cast<quint32>(value.toLongLong()));
}

std::optional<QString> TSettingsStore::ReadText(const QString& key, const QString& name) const {
  auto settings = OpenSettings();
  QString full = ResolveValue(*settings, key, name);
  if (full.isEmpty())
    return std::nullopt;
  QVariant value = settings->value(full);
  if (value.typeId() != QMetaType::QString)
    return std::nullopt;
  return value.toString();
}

bool TSettingsStore::WriteInteger(const QString& key, const QString& name, qint32 value) {
  return WriteValue(key, name, QVariant::fromValue(value));
}

bool TSettingsStore::WriteText(const QString& key, const QString& name, const QString& value) {
  return WriteValue(key, name, QVariant::fromValue(value));
}

bool TSettingsStore::DeleteValue(const QString& key, const QString& name) {
  auto settings = OpenSettings();
  QString full = ResolveValue(*settings, key, name);
  if (full.isEmpty())
    return false;
  TResolvedKey resolved = ResolveKey(*settings, key);
  settings->setValue(Join(resolved.group, kKeyMarker), QString());
  settings->remove(full);
  return Flush(*settings);
}

void SetSettingsFolder(const QString& folder) {
  OverrideFolder() = folder;
  QString path = folder.isEmpty()
                     ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                     : folder;
  QSettings::setPath(TypedSettingsFormat(), QSettings::UserScope, path);
}

QString SettingsFileName() {
  auto settings = OpenSettings();
  if (settings->format() == QSettings::NativeFormat)
    return QString();
  return settings->fileName();
}

QString SettingsFileProblem() {
  const QString fileName = SettingsFileName();
  if (fileName.isEmpty() || !QFileInfo::exists(fileName))
    return QString();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return QStringLiteral("it cannot be read (%1)").arg(file.errorString());
  const QByteArray data = file.readAll();
  if (data.trimmed().isEmpty())
    return QString();
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(data, &error);
  if (error.error != QJsonParseError::NoError) {
    return QStringLiteral("it is not valid settings text (%1 at character %2)")
        .arg(error.errorString())
        .arg(error.offset);
  }
  if (!document.isObject())
    return QStringLiteral("it does not hold settings");
  return QString();
}
