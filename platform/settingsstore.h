#pragma once
// The current user's settings: QSettings under organisation "Quillmarsh" and application
// "PrivateMotor" (on Windows the registry key \Software\Quillmarsh\PrivateMotor of the current
// user, elsewhere a file in the user's configuration folder). Keys are groups, addressed by
// absolute paths below that base ("\Dictionary" or "Dictionary"); key and value names match
// without regard to case, as in the registry.
//
// Like the registry, the store tells a missing key from a missing value, and an integer (DWORD)
// from text. Nothing is cached: every call reads the store afresh.

#include <QString>
#include <QStringList>
#include <optional>

enum class TSettingType { Missing, Integer, Text, Other };

class TSettingsStore {
 public:
  bool KeyExists(const QString& key) const;
  // Creates the key (and any missing key above it); true when it exists afterwards.
  bool CreateKey(const QString& key);
  // Removes the key with every value and key below it.
  bool DeleteKey(const QString& key);

  QStringList ValueNames(const QString& key) const;
  TSettingType ValueType(const QString& key, const QString& name) const;
  bool ValueExists(const QString& key, const QString& name) const {
    return ValueType(key, name) != TSettingType::Missing;
  }
  // The value when the key and value exist and the value is an integer.
  std::optional<qint32> ReadInteger(const QString& key, const QString& name) const;
  // The value when the key and value exist and the value is text.
  std::optional<QString> ReadText(const QString& key, const QString& name) const;

  // Writes never create the key: they answer false when it does not exist, or when the store
  // cannot be written.
  bool WriteInteger(const QString& key, const QString& name, qint32 value);
  bool WriteText(const QString& key, const QString& name, const QString& value);
  // False when the value does not exist or the store cannot be written.
  bool DeleteValue(const QString& key, const QString& name);
};

// Keeps the store in a file in the given folder instead of the user's own store (tests point it
// at a temporary folder). An empty name restores the user's store.
void SetSettingsFolder(const QString& folder);
// The file that holds the store; empty when it is the Windows registry.
QString SettingsFileName();
// What is wrong with the settings file, in plain words ("it is not valid settings text: ..."),
// or empty when it is sound or does not exist (a store that cannot be read holds nothing, and
// every setting would be reported missing, one box at a time).
QString SettingsFileProblem();
