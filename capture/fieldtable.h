#pragma once
// A capture page's field table in code: one row per row of the page's table (object name, kind,
// label, hint, help context, list source, property, path, write rule, handlers), from which
// TFieldBinder builds, labels, loads and stores the fields. Rows are written with designated
// initializers, so a transposed pair of numbers cannot compile unnoticed:
//
//   {.Name = FieldName::DOBKwDate, .Kind = TFieldKind::Date, .Label = "Date of &Birth",
//    .Hint = "|...", .HelpContext = 110105, .PropertyId = Id::DateOfBirth, .Path = driver,
//    .Write = TWriteRule::OnExitIfChanged, .Exit = [this] { DOBKwDateExit(); }}
//
// What a table cannot say (age warnings, the occupation cascade, the detail dialogs) is in the
// page's handlers, which the row names: the binder runs them after its own store.

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "motor/getmotordsv.h"

enum class TFieldKind {
  Text,    // TKwEdit: a string property
  List,    // TKwComboEdit: a list property, the selected item's code
  Number,  // TNumericEdit: a numeric property (whole positive numbers unless the options say)
  Date,    // TKwDate: a date property
  YesNo,   // TKwYesNoDlg: a yes/no list property, Code::Yes or Code::No
  Choice,  // radio buttons in a panel (the row's Name): a list property, the checked button's
           // code; left when the focus leaves the buttons
};

// One radio button of a Choice row.
struct TFieldChoice {
  const char* Name = nullptr;  // the button's object name
  QString Caption = {};
  QString AccessibleName = {};  // empty: the caption
  std::int32_t Code = 0;        // not 0, which stands for no button checked
};

// Where a list field's items come from. The binder's two Data Server builds are the pages'
// shared BuildList and BuildOrderedList handlers.
enum class TListSource {
  None,
  DataServer,        // the Data Server list in the list's own order, first item selected
  DataServerByCode,  // the Data Server list in ascending code order, first item selected
  Page,              // the page's own handler, connected to the control's buildList()
};

// When the binder stores the field's value in the Data Server.
enum class TWriteRule {
  None,              // the page stores it (or nothing does)
  OnExit,            // every time the field is left (a list without a choice stores 0)
  OnExitIfSelected,  // lists: when the field is left with an item selected
  OnExitIfChanged,   // when left with a value that differs from the stored one (lists: and
                     // an item selected)
  OnChange,          // on every change (lists: when an item is selected)
  OnEveryChange,     // on every change (a list without a choice stores 0)
};

// Options of a row, or-ed together.
enum TFieldOption : unsigned {
  foNone = 0,
  foUpperCase = 1u << 0,        // text and lists: typed letters in upper case
  foInitialCaps = 1u << 1,      // text and lists: a capital at the start of each word
  foFreeText = 1u << 2,         // lists: the text need not be one of the items
  foSorted = 1u << 3,           // lists: items sorted by their text
  foMoney = 1u << 4,            // numbers: a pound sign, whole pounds
  foDecimals = 1u << 5,         // numbers: any number of decimals
  foTodayIsNegative = 1u << 6,  // dates: today counts as a date in the past
  foDialogOnYes = 1u << 7,      // yes/no: Yes arms the details and opens them at once; the
                                // page's dialog runs from the control's callDialog()
  foQuiet = 1u << 8,            // stores without the failure box and without marking the
                                // proposal modified
  foTruncated = 1u << 9,        // numbers: the stored value is shown cut to a whole number,
                                // not rounded
  foBuildOnLoad = 1u << 10,     // lists: rebuilt before loading selects the stored item (the
                                // items follow fields loaded before it)
  foExitOnStore = 1u << 11,     // the Exit handler runs only when leaving stored the value (it
                                // follows a change, not every visit)
  foYearMade = 1u << 12,        // numbers: the year a vehicle was made, kept in a date property
                                // as 1 January of it (0: no date); a year past this one is taken
                                // as this year, a smaller one than 1900 as 19 and its last two
                                // digits, and a correction other than the two digits' is told
  foPostcode = 1u << 13,        // text: a postcode, checked and its spacing corrected
                                // (ValidatePostcode, with its warnings) before it is stored; one
                                // the check refuses is stored as it stands
  foObjectExists = 1u << 14,    // yes/no without a property: Yes when the object the path names
                                // exists (a failed count counts as none); nothing is stored
  foNumericCode = 1u << 15,     // lists over a number property: the chosen item's code is stored
                                // as the number; loading selects the first item whose code is
                                // at least the stored number (truncated), else the last item
  foMainDriver = 1u << 16,      // lists: the vehicle's main driver, stored through SetMainDriver
                                // (which makes every other driver a frequent driver)
  foHandlerFirst = 1u << 17,    // the row's Exit or Change handler runs before the write rule
                                // stores, so that it may correct the value or put it back first
  foPeriodStart = 1u << 18,     // numbers: with the unit list beside it (TFieldBinder::AddPeriod)
                                // a period; the property holds its start date (capture/periods.h)
  foZeroIsNoChoice = 1u << 19,  // lists: the item of code 0 ("<Select>") is no choice, which
                                // no write rule stores
  foZeroInMonths = 1u << 20,    // periods: a period under a month shows as "0 Months" (otherwise
                                // "0 Years")
  foOccupationItem = 1u << 21,  // lists: an item carries an occupation and its qualifier
                                // (capture/occupationfields.h): the property holds the
                                // occupation, Id::OccupationQualifier on the same path the
                                // qualifier
};

// The path a field's property is read from and written to, asked afresh at every load and
// store (a driver page's path follows the driver shown). An empty path is no record: nothing is
// loaded or stored (a list dialog's details with no row selected).
using TPathProvider = std::function<TPath()>;

// A page's handler of one of its fields.
using TFieldHandler = std::function<void()>;

struct TFieldRow {
  const char* Name = nullptr;  // the control's object name
  TFieldKind Kind = TFieldKind::Text;
  QString Label = {};  // with its mnemonic, "&Marital Status"; empty for no label
  QString Hint = {};   // "short|long"
  int HelpContext = 0;
  TListSource List = TListSource::None;
  std::int32_t PropertyId = 0;  // 0: the binder neither loads nor stores the field
  TPathProvider Path = {};      // a row may end before its path (no property)
  TWriteRule Write = TWriteRule::None;
  unsigned Options = foNone;
  int MaxLength = 0;        // text and lists; 0 for no limit
  std::int32_t ListId = 0;  // the Data Server list of the items; 0: the property's own list
  // Yes/no: the codes stored for Yes and No, where the property's list has its own pair (a
  // device fitted by the manufacturer: 1 and 2); 0 for Code::Yes and Code::No.
  std::int32_t YesCode = 0;
  std::int32_t NoCode = 0;
  // The handler the page's table names when the binder's write rule is all it does
  // ("Address1KwEditExit"); empty when the row names its own handlers below.
  const char* Handler = nullptr;
  // The page's handlers, run by the binder: Exit after the field is left and the write rule has
  // stored (or refused) the value, Change after a change and its store (also while loading),
  // CallDialog when a yes/no field asks for its details, BuildList when a list with
  // TListSource::Page is to be filled (the binder builds it once as it creates the field:
  // setting ListId when the row names one, otherwise by running BuildList).
  TFieldHandler Exit = {};
  TFieldHandler Change = {};
  TFieldHandler CallDialog = {};
  TFieldHandler BuildList = {};
  // Choice: the buttons in tab order; a stored code that no button has checks the last one.
  std::vector<TFieldChoice> Choices = {};
};

inline bool HasOption(const TFieldRow& row, TFieldOption option) {
  return (row.Options & option) != 0;
}
