// The identifiers header names every object and property of the demo dictionary, each once.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <map>
#include <set>

#include "motor/identifiers.h"

namespace {

QByteArray ReadSource(const char* relativePath) {
  QFile file(QStringLiteral(QM_SOURCE_DIR "/") + QString::fromLatin1(relativePath));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath;
  return file.readAll();
}

void CollectIds(const QJsonArray& properties, std::set<std::int64_t>& ids) {
  for (const QJsonValue& value : properties) {
    QJsonObject property = value.toObject();
    bool ok = false;
    ids.insert(property.value("id").toString().toLongLong(&ok, 16));
    EXPECT_TRUE(ok) << property.value("id").toString().toStdString();
    CollectIds(property.value("children").toArray(), ids);
  }
}

// name -> value of every "inline constexpr ... Name = value;" in one namespace of the header.
std::map<std::string, std::int64_t> NamedIn(const QString& header, const QString& space) {
  std::map<std::string, std::int64_t> named;
  const qsizetype begin = header.indexOf(QStringLiteral("namespace %1 {").arg(space));
  const qsizetype end = header.indexOf(QStringLiteral("}  // namespace %1").arg(space), begin);
  EXPECT_GE(begin, 0);
  const QString body = header.mid(begin, end - begin);
  static const QRegularExpression constant(
      QStringLiteral(R"(inline constexpr std::u?int\d+_t (\w+) = (0x[0-9A-F]+|\d+);)"));
  for (auto it = constant.globalMatch(body); it.hasNext();) {
    QRegularExpressionMatch m = it.next();
    named[m.captured(1).toStdString()] = m.captured(2).toLongLong(nullptr, 0);
  }
  return named;
}

}  // namespace

TEST(Identifiers, NameEveryObjectAndPropertyOfTheDictionaryOnce) {
  const QJsonObject dictionary =
      QJsonDocument::fromJson(ReadSource("resources/demo/dictionary.json")).object();
  std::set<std::int64_t> inDictionary;
  CollectIds(dictionary.value("properties").toArray(), inDictionary);
  ASSERT_EQ(inDictionary.size(), 116u);

  const QString header = QString::fromUtf8(ReadSource("motor/identifiers.h"));
  std::set<std::int64_t> named;
  std::set<std::int64_t> objects;
  for (const auto& [name, value] : NamedIn(header, QStringLiteral("ObjectCode"))) {
    objects.insert(value);
    named.insert(value);
  }
  for (const auto& [name, value] : NamedIn(header, QStringLiteral("Id"))) {
    EXPECT_TRUE(named.insert(value).second) << name << " names an identifier named already";
    EXPECT_TRUE(inDictionary.count(value)) << name << " is not in the dictionary";
    EXPECT_TRUE(objects.count(value >> 16)) << name << " belongs to no named object";
  }
  for (std::int64_t id : inDictionary)
    EXPECT_TRUE(named.count(id)) << "no name for 0x" << std::hex << std::uppercase << id;
}
