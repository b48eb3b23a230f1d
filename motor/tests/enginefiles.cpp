#include "motor/tests/enginefiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "dataserver/binarystream.h"
#include "platform/windows1252.h"

QStringList TTestQuote::Lines() const {
  QStringList lines{plan, premium};
  for (int i = 0; i < 15; ++i) {
    if (i < notes.size())
      lines << notes[i].first << notes[i].second;
    else
      lines << "0"
            << "";
  }
  lines << compulsory << voluntary << allSections;
  for (int i = 0; i < 5; ++i) {
    if (i < sections.size())
      lines << sections[i].first << sections[i].second;
    else
      lines << "0"
            << "";
  }
  lines << use;
  return lines;
}

QByteArray CrLfLines(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines)
    bytes += EncodeWindows1252(line) + "\r\n";
  return bytes;
}

QByteArray ResultsText(const QList<TTestQuote>& quotes) {
  QStringList lines;
  for (const TTestQuote& quote : quotes)
    lines += quote.Lines();
  return CrLfLines(lines);
}

QString PlanLine(const QString& insurer, const QMap<int, QString>& variants) {
  QString line = insurer.leftJustified(20, QLatin1Char(' '), true);
  for (auto it = variants.begin(); it != variants.end(); ++it) {
    line = line.leftJustified(20 * it.key(), QLatin1Char(' '), true);
    line += it.value().leftJustified(20, QLatin1Char(' '), true);
  }
  return line;
}

namespace {

// Writes a sibling chain: each node's next offset is patched once the following node's
// position is known.
template <typename Node, typename WriteChildren>
void WriteChain(TBinaryWriter& writer, const std::vector<Node>& nodes, WriteChildren children) {
  std::size_t previousNext = 0;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0)
      writer.PatchInt32(previousNext, static_cast<std::int32_t>(writer.Size()));
    writer.WriteUInt16(nodes[i].code);
    previousNext = writer.Size();
    writer.WriteInt32(0);
    children(nodes[i]);
  }
}

}  // namespace

QByteArray OccupationMapBytes(const std::vector<TTestBusiness>& businesses) {
  TBinaryWriter writer;
  WriteChain(writer, businesses, [&](const TTestBusiness& business) {
    WriteChain(writer, business.occupations, [&](const TTestOccupation& occupation) {
      WriteChain(writer, occupation.qualifiers, [&](const TTestQualifier& qualifier) {
        for (quint8 status : qualifier.statuses)
          writer.WriteUInt8(status);
        writer.WriteUInt8(0);
      });
    });
  });
  return QByteArray(reinterpret_cast<const char*>(writer.Bytes().data()),
                    static_cast<qsizetype>(writer.Size()));
}

void WriteTestFile(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << fileName.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}
