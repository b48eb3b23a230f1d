#pragma once
// The motor proposal's view of the Data Server: instance paths for the objects of a proposal,
// typed getters and setters that keep the "modified" state and report failures in words,
// choice-list filling, object counts, the postcode check, the engine's data side and the small
// helpers that the main window and the capture pages share.
//
// Texts cross into the Data Server as Windows-1252 bytes; file names as local file-system names.

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "dataserver/packeddate.h"
#include "dataserver/pathentry.h"
#include "motor/mainwindowlink.h"

// ---- Instance paths ----------------------------------------------------------------------------

using TPath = std::vector<TPathEntry>;  // outermost first

TPathEntry MakePathEntry(std::uint16_t objectId, std::uint16_t index);
TPathEntry ProposerPath();               // object 2: the proposer's contact details and address
TPathEntry VehiclePath();                // object 6: the vehicle, its owner and keeper
TPathEntry CoverPath();                  // object 13: the cover asked for
TPathEntry NCBPath();                    // object 96: the no-claims bonus
TPathEntry PolicyEndPath();              // object 43: holds the policy end date
TPathEntry AcceptedQuotePath();          // object 255: the quotation the user accepted
TPathEntry DriverPath(int n);            // object 15: 0 the proposer, 1.. the additional drivers
TPathEntry OccupationPath(int n);        // object 34: 0 the main occupation of a driver
TPathEntry ModificationPath(int n);      // object 7
TPathEntry SecurityDevicePath(int n);    // object 9
TPathEntry QualificationPath(int n);     // object 22, beneath a driver
TPathEntry MedicalConditionPath(int n);  // object 21, beneath a driver
TPathEntry IncidentPath(int n);          // object 17, beneath a driver
TPathEntry ClaimPath(int n);             // object 18, beneath an incident (index 0)
TPathEntry ConvictionPath(int n);        // object 19, beneath an incident (index 0)

// The whole paths of the two top-level objects that most fields hang from.
TPath Vehicle();  // the vehicle alone
TPath Cover();    // the cover asked for alone

// ---- Dates -------------------------------------------------------------------------------------

// A null date packs to 0 (no date).
PackedDate DateToPacked(const QDate& date);
// A packed value that names no calendar date answers a null QDate.
QDate PackedToDate(PackedDate packed);

// ---- Getters: silent; a failed query answers the empty value of the type ------------------------

QString GetStringValue(std::int32_t id, const TPath& path);
std::int32_t GetListValue(std::int32_t id, const TPath& path);
QDate GetDateValue(std::int32_t id, const TPath& path);  // a null QDate is "no date"
double GetNumericValue(std::int32_t id, const TPath& path);
bool ValueExists(std::int32_t id, const TPath& path);
QString GetListText(std::int32_t listId, std::int32_t code);
QString GetABIValue(std::int32_t id, const TPath& path);

// ---- Setters: true when the Data Server answers 0 ----------------------------------------------
// Each one first marks the proposal modified when the value differs from the stored one (only
// when markModified is set and the proposal is not modified yet), then stores the value (the
// empty value deletes it), then reports a failure in a plain message box when showError is set.

bool SetListValue(std::int32_t id, const TPath& path, std::int32_t code, bool showError = true,
                  bool markModified = true);
bool SetNumericValue(std::int32_t id, const TPath& path, double value, bool showError = true,
                     bool markModified = true);
// At most 255 characters are stored; the rest is cut off.
bool SetStringValue(std::int32_t id, const TPath& path, const QString& value, bool showError = true,
                    bool markModified = true);
bool SetDateValue(std::int32_t id, const TPath& path, const QDate& value, bool showError = true,
                  bool markModified = true);
bool SetListValueByABI(std::int32_t id, const TPath& path, const QString& abiCode,
                       bool showError = true, bool markModified = true);

// ---- The modified state ------------------------------------------------------------------------

// Who hears of these: the signals of ModifiedState() (motor/modifiedstate.h).
void MarkModified();
void ClearModified();
bool IsModified();
// Says that a setter stored an answer (or an object was removed): the recovery copy follows the
// typing through it.
void NoteAnswerStored();

// ---- Choice lists ------------------------------------------------------------------------------

struct ListItem {
  QString text;
  std::int32_t code;
};
using ListItems = QList<ListItem>;

// Fills the items with every entry of the list (description and code). Each failing step shows
// its error box; answers the last status.
DsvStatus FillEnumList(std::int32_t listId, ListItems& items);
// "<Select>" followed by the models of the make that were made in the year (every year when 0);
// answers the number of items.
int FillModelList(std::int32_t makeCode, int year, const QString& unused, ListItems& items);

// ---- Objects -----------------------------------------------------------------------------------

// Removes the occurrence named by the path and every value beneath it.
bool DeleteObject(const TPath& path);

// Raised by GetObjectCount when an occurrence lies deeper than the binding can follow.
class EHierarchyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// Counts the occurrences of the object whose paths begin with the given path. Answers true when
// the object has any occurrence at all.
bool GetObjectCount(const TPath& path, std::uint16_t objectId, int& count);

// ---- Postcode ----------------------------------------------------------------------------------

// Checks a UK postcode and corrects its spacing. Answers true when valid (the text then holds
// the corrected postcode); otherwise reports the fault through the field-error prompt for the
// field and leaves the text as it was.
bool ValidatePostcode(QObject* field, QString& text);

// ---- Proposal helpers --------------------------------------------------------------------------

// Sets the engine's reference date, the cover start and the policy end one year later.
bool SetPolicyStartDate(const QDate& date);
// Gives every conviction's incident a claim entry numbered by the conviction's place.
void NumberConvictions();
// Run before every quotation: NumberConvictions, then today as the policy start.
void PrepareQuote();
bool SetRegisteredOwner(std::int32_t code);
bool SetRegisteredKeeper(std::int32_t code);

// ---- Helpers that reach the main window (through MainWindowLink(); no-ops without one) --------

// n is the driver number from 1 (the proposer).
void SetMainDriver(int n);
void AddDriverTab();
bool ConfirmDriverRemoval(int wantedAdditionalDrivers);
bool QuerySaveChanges();
void SelectMainTab(int index);
// Enables (unlocked) or disables (locked) the group box and every control directly in it.
void LockGroupBox(QObject* groupBox, bool locked);
void ScaleMainForm(QObject* form);
// Records the file in the settings' recent-file list, then rebuilds the menu.
void AddRecentFile(const QString& fileName);
void RebuildRecentFilesMenu();

// ---- The quote engine --------------------------------------------------------------------------

// The dictionary and transfer files the engine's data side is opened on.
struct TQuoteEngineFiles {
  std::int16_t applicationNumber = 1;
  std::int16_t dictionaryVersion = 0;
  QString listsFile;
  QString structFile;
  QString messageFile;
  QString ediDefFile;
  QString ediMapFile;
};

// Opens the Data Server, the rules interpreter and the interchange component; shows the error
// box of a failing step and answers its status. The caller decides to end the program.
DsvStatus OpenQuoteEngine(const TQuoteEngineFiles& files);
// The same with the files named by the settings.
DsvStatus OpenQuoteEngine();
void CloseQuoteEngine();

// Stamps the engine's choice file. A missing or short file, or any input/output error, shows
// the "could not be found" box and answers false; the caller abandons the quotation.
bool CheckQuoteEngine(const QString& choiceFile);
// The same with the choice file named by the settings.
bool CheckQuoteEngine();

// Starts a process from a command line; answers whether it was started.
bool RunProgram(const QString& commandLine);
