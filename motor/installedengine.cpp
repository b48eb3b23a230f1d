// The engine's data side and check on the files the settings name.

#include <QDir>

#include "dataserver/status.h"
#include "motor/getmotordsv.h"
#include "platform/prompt.h"
#include "platform/settingsstore.h"
#include "settings/options.h"

DsvStatus OpenQuoteEngine() {
  // A damaged settings file is named once, rather than as every setting it no longer gives.
  if (const QString problem = SettingsFileProblem(); !problem.isEmpty()) {
    Ask(PromptKind::Error, PromptButtons::Ok,
        QStringLiteral("ERROR - Opening Corvane Data Server\rThe settings file %1 cannot be used: "
                       "%2.\rTo start afresh, move that file away (or delete it) and start the "
                       "program again.")
            .arg(QDir::toNativeSeparators(SettingsFileName()), problem));
    return dsv_status::kOpenError;
  }
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
