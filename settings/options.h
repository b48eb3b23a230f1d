#pragma once
// TOptions: the program's single settings object. It reads and writes the current user's
// settings (platform/settingsstore.h) and builds the full name of every installed data file; no
// other part of the program opens these keys or composes these names.
//
// Nothing is cached: every call reads the store afresh. Missing or unreadable settings give
// fixed defaults; the dictionary version and the two folders also show an error box.

#include <QDate>
#include <QString>
#include <stdexcept>

#include "platform/settingsstore.h"

// How the mail exchange is secured (MailSecurity).
enum class TMailSecurity {
  Opportunistic,  // STARTTLS whenever the server offers it
  Required,       // STARTTLS, or nothing is sent
  Tls,            // TLS from the first byte (as on port 465)
  None,           // the plain dialogue, for a relay on the same machine
};

class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TOptions {
 public:
  // Always 1; passed with the dictionary version to the Data Server open and the engine export.
  int GetApplicationNumber() const { return 1; }
  int GetApplicationVersion() const;
  QString GetDictionaryPath() const;
  QString GetQuoteEnginePath() const;

  // The day the installed rates expire; 30/12/1899 (long past) when not recorded.
  QDate GetRatesExpiryDate() const;
  bool GetRatesNotify() const;
  void SetRatesNotify(bool notify);

  QString GetEMailTo() const;
  void SetCurrentInternetMailServer(const QString& server);

  // The broker's mail relay. Without settings the program uses the relay it was built for
  // (kDefaultMailServer, port 8080); MailServer and MailPort point it at another without a new
  // build. A port that is not a number from 1 to 65535 is the default.
  static inline const QString kDefaultMailServer = QStringLiteral("192.0.2.25");
  static constexpr int kDefaultMailPort = 8080;
  QString GetMailServer() const;
  int GetMailPort() const;
  // MailSecurity: "Opportunistic" (also when missing or not one of these), "Required", "TLS" or
  // "None", without regard to case.
  TMailSecurity GetMailSecurity() const;
  // A log-in for the relay; empty when none is set. The client only sends it over a connection
  // it has secured.
  QString GetMailUser() const;
  // The mail password is kept in the desktop's secret store under this service and the
  // MailUser as account.
  static inline const QString kSecretService = QStringLiteral("Quillmarsh PrivateMotor");
  struct TMailPassword {
    QString Password;
    // Set, once in the program's run, when no secret store runs and the password stays in the
    // settings file: the caller tells the user.
    QString Notice;
  };
  // The password of MailUser. A MailPassword value still in the settings file is moved into the
  // secret store and removed from the file; where no store runs it stays there.
  TMailPassword GetMailPassword();
  // How long the mail exchange waits for the connection, each reply and each write: MailTimeout
  // in seconds (1 to 3600), 30 when not set.
  static constexpr int kDefaultMailTimeoutSeconds = 30;
  int GetMailTimeoutSeconds() const;

  // How often at most the proposal being typed is written to its recovery copy: AutoSaveSeconds
  // (0 to 3600; 0 turns the recovery copy off), 30 when not set.
  static constexpr int kDefaultAutoSaveSeconds = 30;
  int GetAutoSaveSeconds() const;

  int GetSummaryWindowHeight() const;
  // Raises ESettingsError when the height cannot be stored.
  void SetSummaryWindowHeight(int height);

  QString GetHelpFileName() const;
  bool GetHintsActive() const;
  // Also tells the hint window (settings/optionsnotifier.h) so it can show or hide at once.
  void SetHintsActive(bool active);
  bool GetShowFirstHelp() const;
  void SetShowFirstHelp(bool show);

  // Recent quotation files, most recent first; empty at and beyond the end of the list.
  QString ReadRecentFile(int index) const;
  void StoreRecentFile(const QString& fileName);

  // Files of the quote engine folder.
  QString EngineProgramFile() const;  // QuoForm1.pif
  QString EngineInputFile() const;    // QuoForm1.001
  QString EngineResultsFile() const;  // Formula1.001
  QString PlanNameFile() const;       // PlanName.Dat
  QString ChoiceFile() const;         // Choice.Dat
  QString OccupationMapFile() const;  // OccupMap.bin
  // Files of the dictionary folder.
  QString ListsFile() const;    // Lists.BIN
  QString StructFile() const;   // Struct.BIN
  QString ExportsFile() const;  // Exports.BIN
  QString MessageFile() const;  // corvane.msg
  // Empty when the name cannot be built.
  QString EdiDefFile() const;  // EDIDEF.BIN
  QString EdiMapFile() const;  // EDIMAP.BIN

 private:
  TSettingsStore store_;
};

// The single instance; nullptr before CreateOptions() and after ReleaseOptions().
TOptions* Options();
void CreateOptions();
void ReleaseOptions();
