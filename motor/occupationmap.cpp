#include "motor/occupationmap.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

namespace {

constexpr quint32 kNodeSize = 6;
// Far beyond any real map (which holds a few thousand nodes): a larger file is damage, refused
// before it is read.
constexpr qint64 kMaxMapSize = qint64{16} << 20;

}  // namespace

TOccupationMap::TOccupationMap(QByteArray bytes, QString fileName)
    : bytes_(std::move(bytes)), fileName_(std::move(fileName)) {}

TOccupationMap TOccupationMap::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EOccupationMapError(
        QStringLiteral("%1: the occupation map cannot be opened").arg(fileName));
  if (file.size() > kMaxMapSize)
    throw EOccupationMapError(
        QStringLiteral("%1: the occupation map is too large to be one").arg(fileName));
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EOccupationMapError(
        QStringLiteral("%1: the occupation map cannot be read").arg(fileName));
  return TOccupationMap(std::move(bytes), fileName);
}

void TOccupationMap::Fail(quint32 offset, const QString& problem) const {
  throw EOccupationMapError(
      QStringLiteral("%1, offset %2: %3").arg(fileName_).arg(offset).arg(problem));
}

TOccupationNode TOccupationMap::NodeAt(quint32 offset) const {
  if (quint64(offset) + kNodeSize > quint64(bytes_.size()))
    Fail(offset, QStringLiteral("a node lies outside the file"));
  const uchar* data = reinterpret_cast<const uchar*>(bytes_.constData()) + offset;
  return {qFromLittleEndian<quint16>(data), offset, qFromLittleEndian<quint32>(data + 2)};
}

QList<TOccupationNode> TOccupationMap::Siblings(quint32 first) const {
  QList<TOccupationNode> nodes;
  QSet<quint32> seen;
  quint32 offset = first;
  while (true) {
    if (seen.contains(offset))
      Fail(offset, QStringLiteral("the sibling offsets form a loop"));
    seen.insert(offset);
    TOccupationNode node = NodeAt(offset);
    nodes.append(node);
    if (node.next == 0)
      return nodes;
    offset = node.next;
  }
}

QList<TOccupationNode> TOccupationMap::Businesses() const {
  if (bytes_.isEmpty())
    return {};
  return Siblings(0);
}

QList<TOccupationNode> TOccupationMap::Children(const TOccupationNode& parent) const {
  return Siblings(parent.offset + kNodeSize);
}

QList<quint8> TOccupationMap::Statuses(const TOccupationNode& qualifier) const {
  QList<quint8> statuses;
  for (qsizetype at = qsizetype(qualifier.offset) + kNodeSize;; ++at) {
    if (at >= bytes_.size())
      Fail(qualifier.offset, QStringLiteral("the employment statuses have no end"));
    quint8 status = static_cast<quint8>(bytes_[at]);
    if (status == 0)
      return statuses;
    statuses.append(status);
  }
}

const TOccupationNode* TOccupationMap::Find(const QList<TOccupationNode>& nodes, qint32 code) {
  for (const TOccupationNode& node : nodes) {
    if (node.code == code)
      return &node;
  }
  return nullptr;
}
