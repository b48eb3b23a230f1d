#include "platform/typedsettingsformat.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>

namespace {

QVariant VariantFromJson(const QJsonValue& value) {
  if (value.isString())
    return value.toString();
  if (value.isBool())
    return value.toBool();
  if (value.isDouble()) {
    double number = value.toDouble();
    // Integral numbers are the registry's integers; anything else keeps its own type so the
    // store can tell it from an integer.
    if (std::floor(number) == number && std::abs(number) < 9.0e15)
      return QVariant::fromValue(static_cast<qint64>(number));
    return number;
  }
  return QVariant();
}

QJsonValue JsonFromVariant(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
      return QJsonValue(value.toLongLong());
    case QMetaType::Bool:
      return QJsonValue(value.toBool());
    case QMetaType::Double:
    case QMetaType::Float:
      return QJsonValue(value.toDouble());
    default:
      return QJsonValue(value.toString());
  }
}

void AddObject(const QJsonObject& object, const QString& prefix, QSettings::SettingsMap& map) {
  if (!prefix.isEmpty())
    map.insert(prefix + QLatin1Char('/') + kKeyMarker, QString());
  for (auto it = object.begin(); it != object.end(); ++it) {
    QString key = prefix.isEmpty() ? it.key() : prefix + QLatin1Char('/') + it.key();
    if (it.value().isObject()) {
      AddObject(it.value().toObject(), key, map);
      continue;
    }
    QVariant value = VariantFromJson(it.value());
    if (value.isValid())
      map.insert(key, value);
  }
}

bool ReadTyped(QIODevice& device, QSettings::SettingsMap& map) {
  QByteArray data = device.readAll();
  if (data.trimmed().isEmpty())
    return true;
  QJsonParseError error;
  QJsonDocument document = QJsonDocument::fromJson(data, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject())
    return false;
  AddObject(document.object(), QString(), map);
  return true;
}

// QJsonObject is a value type, so nested keys are rebuilt on the way back up.
void InsertAt(QJsonObject& object, QStringList path, const QString& name, const QJsonValue* value) {
  if (path.isEmpty()) {
    if (value != nullptr)
      object.insert(name, *value);
    return;
  }
  QString head = path.takeFirst();
  QJsonObject child = object.value(head).toObject();
  InsertAt(child, path, name, value);
  object.insert(head, child);
}

bool WriteTyped(QIODevice& device, const QSettings::SettingsMap& map) {
  QJsonObject root;
  for (auto it = map.begin(); it != map.end(); ++it) {
    QStringList path = it.key().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (path.isEmpty())
      continue;
    QString name = path.takeLast();
    if (name == kKeyMarker) {
      InsertAt(root, path, name, nullptr);
      continue;
    }
    QJsonValue value = JsonFromVariant(it.value());
    InsertAt(root, path, name, &value);
  }
  QByteArray data = QJsonDocument(root).toJson(QJsonDocument::Indented);
  return device.write(data) == data.size();
}

}  // namespace

QSettings::Format TypedSettingsFormat() {
  static const QSettings::Format format =
      QSettings::registerFormat(QStringLiteral("json"), ReadTyped, WriteTyped);
  return format;
}
