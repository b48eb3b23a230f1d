// The engine's data side and check on the files the settings name.

#include "motor/getmotordsv.h"
#include "settings/options.h"

DsvStatus OpenQuoteEngine() {
  TOptions* options = Options();
  if (options == nullptr) {
    // Without the settings there is no dictionary to open.
    return OpenQuoteEngine(TQuoteEngineFiles{});
  }
  TQuoteEngineFiles files;
  files.applicationNumber = static_cast<std::int16_t>(options->GetApplicationNumber());
  files.dictionaryVersion = static_cast<std::int16_t>(options->GetApplicationVersion());
  files.listsFile = options->ListsFile();
  files.structFile = options->StructFile();
  files.messageFile = options->MessageFile();
  files.ediDefFile = options->EdiDefFile();
  files.ediMapFile = options->EdiMapFile();
  return OpenQuoteEngine(files);
}

bool CheckQuoteEngine() {
  TOptions* options = Options();
  return CheckQuoteEngine(options != nullptr ? options->ChoiceFile() : QString());
}
