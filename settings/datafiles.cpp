// Full names of the installed data files: a folder setting joined with the file's fixed name.
// The folder is read afresh each time, so a missing folder is reported each time.

#include "settings/options.h"

namespace {

// The folder is used as stored: no separator is added to or removed from its end.
QString InFolder(const QString& folder, const char* fileName) {
  return folder + QLatin1Char('/') + QLatin1String(fileName);
}

}  // namespace

QString TOptions::EngineProgramFile() const {
  return InFolder(GetQuoteEnginePath(), "QuoForm1.pif");
}

QString TOptions::EngineInputFile() const {
  return InFolder(GetQuoteEnginePath(), "QuoForm1.001");
}

QString TOptions::EngineResultsFile() const {
  return InFolder(GetQuoteEnginePath(), "Formula1.001");
}

QString TOptions::PlanNameFile() const {
  return InFolder(GetQuoteEnginePath(), "PlanName.Dat");
}

QString TOptions::ChoiceFile() const {
  return InFolder(GetQuoteEnginePath(), "Choice.Dat");
}

QString TOptions::OccupationMapFile() const {
  return InFolder(GetQuoteEnginePath(), "OccupMap.bin");
}

QString TOptions::ListsFile() const {
  return InFolder(GetDictionaryPath(), "Lists.BIN");
}

QString TOptions::StructFile() const {
  return InFolder(GetDictionaryPath(), "Struct.BIN");
}

QString TOptions::ExportsFile() const {
  return InFolder(GetDictionaryPath(), "Exports.BIN");
}

QString TOptions::MessageFile() const {
  return InFolder(GetDictionaryPath(), "corvane.msg");
}

QString TOptions::EdiDefFile() const {
  try {
    return InFolder(GetDictionaryPath(), "EDIDEF.BIN");
  } catch (...) {
    return QString();
  }
}

QString TOptions::EdiMapFile() const {
  try {
    return InFolder(GetDictionaryPath(), "EDIMAP.BIN");
  } catch (...) {
    return QString();
  }
}
