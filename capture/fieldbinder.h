#pragma once
// TFieldBinder: builds a page's fields from its field table and keeps them bound to the Data
// Server. For each row it creates the control and its label (the control is the label's buddy,
// so the label's mnemonic focuses it, and its accessible name is the label's text), sets the
// object name, hint and help context, builds the list of a list field, loads the value through
// the binding's getters, and stores it through the binding's setters when the row's write rule
// says.
//
// The binder connects to a control's signals when it creates the control and runs the row's
// handlers (Exit, Change) after its own store: a page handler sees the value stored (a row with
// foHandlerFirst runs its handler first and stores what the handler leaves).
//
//   TFieldBinder binder(page);
//   auto* form = new QFormLayout(page);
//   binder.AddRow(form, {.Name = FieldName::MaritalStatusKwComboEdit,
//                        .Kind = TFieldKind::List, .Label = "&Marital Status",
//                        .Hint = "|Select the marital status of the Proposer.",
//                        .HelpContext = 110103, .List = TListSource::DataServer,
//                        .PropertyId = Id::MaritalStatus,
//                        .Path = [] { return TPath{DriverPath(0)}; },
//                        .Write = TWriteRule::OnExitIfSelected, .Options = foInitialCaps});
//   binder.LoadAll();

#include <QFormLayout>
#include <QLabel>
#include <QObject>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "capture/fieldtable.h"
#include "capture/periods.h"

class TNumericEdit;

class TFieldBinder : public QObject {
  Q_OBJECT

 public:
  // The controls and labels are created as children of the page.
  explicit TFieldBinder(QWidget* page);

  // Creates the row's control and label and connects its list building and write rule; the
  // caller lays them out. Answers the control. Each object name may be used once.
  QWidget* Create(const TFieldRow& row);
  // Create, then adds label and control as the next row of the form; the tab order follows the
  // order of the rows added.
  QWidget* AddRow(QFormLayout* form, const TFieldRow& row);
  // Puts a control the page lays out itself (a period's pair, a pair of radio buttons) next in
  // the tab order after the rows added so far.
  void AppendTabStop(QWidget* control);

  // The control and the label of a row by object name (nullptr when there is none).
  QWidget* Control(const char* name) const;
  template <class Control>
  Control* Field(const char* name) const {
    return qobject_cast<Control*>(this->Control(name));
  }
  QLabel* Label(const char* name) const;
  // Enables or disables a row's control together with its label (a greyed caption tells the
  // field is not asked).
  void SetEnabled(const char* name, bool enabled) const;
  // A period's number and unit list share the number's label: their accessible names become
  // the label with " (years)" and " (units)", and a number row with foPeriodStart shows and
  // stores the pair.
  void NamePeriod(const char* number, const char* unit);
  // A period as the next row of the form: the number and its unit list ("Years", "Months";
  // "Years" selected) side by side under the number's label, named as NamePeriod names them,
  // next in the tab order. Leaving the unit runs the number row's exit. Answers the pair.
  QWidget* AddPeriod(QFormLayout* form, const TFieldRow& number, const TFieldRow& unit);

  // Shows the stored value of every row with a property, in table order (LoadDetails); a list
  // selects the item of the stored code, or none. Loading stores nothing.
  void LoadAll();
  void Load(const char* name);
  // Stores the field's value now, as its kind stores it; answers the setter's result (false
  // when the row has no property).
  bool Store(const char* name);
  // Runs what leaving the field runs (its write rule, then its Exit handler), for a control that
  // changes the field without the focus leaving it (the spin button beside a year).
  void Leave(const char* name);
  // Stores `code` in a list or yes/no row's property instead of the answer shown (a yes/no
  // property that follows the details behind it); false when the row has no property.
  bool StoreCode(const char* name, std::int32_t code);

 signals:
  // After the binder stored a field's value under its write rule.
  void stored(QWidget* control);

 private:
  struct TBound {
    TFieldRow Row;
    QWidget* Control = nullptr;
    QLabel* Label = nullptr;
    const TBound* Unit = nullptr;  // a period's unit list, beside its number
  };

  QWidget* MakeControl(const TFieldRow& row);
  void ConnectList(TBound& bound);
  static bool Stores(const TBound& bound);
  void Left(const TBound& bound);
  void ConnectWriteRule(const TBound& bound);
  void ConnectDialog(const TBound& bound);
  // Stores under the write rule of a field being left; answers whether it stored.
  bool FieldLeft(const TBound& bound);
  void FieldChanged(const TBound& bound);
  void Load(const TBound& bound);
  bool Store(const TBound& bound);
  bool HasChoice(const TBound& bound) const;
  bool DiffersFromStored(const TBound& bound) const;
  bool IsPeriod(const TBound& bound) const;
  const TBound* Find(const char* name) const;
  TBound* FindMutable(const char* name);

  QWidget* page_;
  std::map<std::string, TBound> fields_;
  std::vector<const TBound*> tableOrder_;
  QWidget* lastInTabOrder_ = nullptr;
  bool loading_ = false;
};

// A number beyond what property `id` can hold (motor/numberbounds.h) is refused as its field is
// left: the field's own message is shown, the focus goes back to the field, and the answer is
// false, so the caller stores nothing. The binder checks its number rows so; a dialog that
// stores a number by hand calls it before storing.
bool NumberAcceptable(TNumericEdit* field, std::int32_t id);

// Lays a field's caption out: a short one on one line, a long question wrapped at a fixed width
// (a form gives a wrapped label the height of its lines only when its width is settled, and
// otherwise squeezes it into clipped lines).
void FitCaption(QLabel* label);
