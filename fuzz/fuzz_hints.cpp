// Fuzzes "TTHelp.dat", the hint file beside the program: it is read as at start-up and the hint
// of every help context the demo's controls carry is looked up, as moving through the fields
// would, with contexts no control has.
#include <QFile>
#include <QRegularExpression>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "app/hintfile.h"
#include "fuzz/fuzzsupport.h"

namespace {

// The help contexts the demo's hint file names, and a few no control has.
QList<int> Contexts() {
  QList<int> contexts{0, -1, 1, INT_MAX, INT_MIN};
  const QString demo = QString::fromLatin1(fuzz::ReadWholeFile(fuzz::DemoFile("TTHelp.dat")));
  static const QRegularExpression section(QStringLiteral("^\\[(\\d+)\\]"),
                                          QRegularExpression::MultilineOption);
  for (const QRegularExpressionMatch& match : section.globalMatch(demo))
    contexts.append(match.captured(1).toInt());
  return contexts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QList<int> contexts = Contexts();
  const std::string file = fuzz::WriteScratchFile("TTHelp.dat", data, size);
  const std::optional<THintFile> hints = THintFile::Open(QFile::decodeName(file.c_str()));
  if (!hints)
    return 0;
  for (int context : contexts) {
    // What the hint window shows: each key's value in key order.
    for (const QString& key : hints->KeyNames(context))
      hints->Value(context, key);
    hints->Lines(context);
  }
  return 0;
}
