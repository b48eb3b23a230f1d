#pragma once
// Writers for the quote engine's files, to build test inputs: results blocks, plan names and
// occupation maps.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <vector>

#include "motor/occupationlists.h"

// One quotation block of the results file; unset note and section pairs are written as code 0.
struct TTestQuote {
  QString plan = QStringLiteral("10");
  QString premium = QStringLiteral("25000");
  QList<QPair<QString, QString>> notes;  // (code, text)
  QString compulsory = QStringLiteral("100");
  QString voluntary = QStringLiteral("50");
  QString allSections = QStringLiteral("0");
  QList<QPair<QString, QString>> sections;  // (section code, amount)
  QString use = QStringLiteral("1");

  QStringList Lines() const;
};

// The blocks as the engine writes them: CR LF after every line.
QByteArray ResultsText(const QList<TTestQuote>& quotes);
QByteArray CrLfLines(const QStringList& lines);

// A plan-name line as the engine's installation lays it out: fixed fields of 20 characters, the
// insurer name in characters 1-20 and variant v's name in characters 20 * v + 1 to 20 * v + 20.
QString PlanLine(const QString& insurer, const QMap<int, QString>& variants = {});

struct TTestQualifier {
  quint16 code;
  std::vector<quint8> statuses;
};
struct TTestOccupation {
  quint16 code;
  std::vector<TTestQualifier> qualifiers;
};
struct TTestBusiness {
  quint16 code;
  std::vector<TTestOccupation> occupations;
};
QByteArray OccupationMapBytes(const std::vector<TTestBusiness>& businesses);

// A Data Server list stand-in: (list, code) -> text, empty when absent.
class TTestListTexts {
 public:
  TTestListTexts& Add(qint32 listId, qint32 code, const QString& text) {
    texts_.insert({listId, code}, text);
    return *this;
  }
  TListTextLookup Lookup() const {
    return [texts = texts_](qint32 listId, qint32 code) { return texts.value({listId, code}); };
  }

 private:
  QMap<QPair<qint32, qint32>, QString> texts_;
};

// Writes bytes to a file, replacing it.
void WriteTestFile(const QString& fileName, const QByteArray& bytes);
