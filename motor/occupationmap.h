#pragma once
// The engine's occupation map: a tree of employer's business -> main occupation -> occupation
// qualifier -> allowed employment statuses, in a little-endian binary file of 6-byte nodes (a
// 16-bit code, then the 32-bit file offset of the next sibling, 0 for the last). A node's first
// child follows it directly; under a qualifier the children are single status bytes ended by 0.
//
// Every offset is checked: one that points outside the file, a sibling chain that comes back
// on itself, or a status run without its end raises EOccupationMapError instead of reading
// garbage or walking for ever.

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>

class EOccupationMapError : public std::runtime_error {
 public:
  explicit EOccupationMapError(const QString& message)
      : std::runtime_error(message.toStdString()) {}
  QString Message() const { return QString::fromUtf8(what()); }
};

struct TOccupationNode {
  quint16 code = 0;
  quint32 offset = 0;  // where the node starts
  quint32 next = 0;    // the next sibling's offset, 0 for the last
};

class TOccupationMap {
 public:
  TOccupationMap(QByteArray bytes, QString fileName);
  // Raises EOccupationMapError when the file cannot be read.
  static TOccupationMap LoadFromFile(const QString& fileName);

  // The level-1 nodes (businesses); none for an empty file.
  QList<TOccupationNode> Businesses() const;
  // The nodes of the level below a business or an occupation.
  QList<TOccupationNode> Children(const TOccupationNode& parent) const;
  // The status codes under a qualifier node.
  QList<quint8> Statuses(const TOccupationNode& qualifier) const;
  // The first node of the list with that code.
  static const TOccupationNode* Find(const QList<TOccupationNode>& nodes, qint32 code);

 private:
  TOccupationNode NodeAt(quint32 offset) const;
  QList<TOccupationNode> Siblings(quint32 first) const;
  [[noreturn]] void Fail(quint32 offset, const QString& problem) const;

  QByteArray bytes_;
  QString fileName_;
};
