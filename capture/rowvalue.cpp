#include "capture/rowvalue.h"

#include <QRadioButton>
#include <algorithm>

#include "capture/occupationfields.h"
#include "capture/periods.h"
#include "capture/vehicleobjects.h"
#include "controls/dateserial.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/today.h"
#include "motor/identifiers.h"
#include "platform/prompt.h"

namespace {

QDate ShownDate(const TKwDate* field) {
  const double serial = field->GetAsNumber();
  return serial == 0 ? QDate() : SerialToDate(serial);
}

std::int32_t YesCode(const TFieldRow& row) {
  return row.YesCode != 0 ? row.YesCode : Code::Yes;
}

std::int32_t YesNoCode(const TFieldRow& row, const TKwYesNoDlg* field) {
  if (field->State() == TKwYesNoState::ynYes)
    return YesCode(row);
  return row.NoCode != 0 ? row.NoCode : Code::No;
}

// Whether the object the path names exists: objects are numbered densely from 0 beneath the
// path's parent.
bool ObjectExists(TPath path) {
  if (path.empty())
    return false;
  const TPathEntry object = path.back();
  path.pop_back();
  return ObjectCountBelow(path, object.ObjectId) > object.Index;
}

// The first item whose code is at least the number, else the last item (-1 in an empty list).
int IndexAtLeast(const TKwComboEdit* combo, std::int32_t number) {
  for (int i = 0; i < combo->ItemCount(); ++i) {
    if (combo->ItemCode(i) >= number)
      return i;
  }
  return combo->ItemCount() - 1;
}

TShownPeriod ShownPeriod(QWidget* number, QWidget* unit) {
  const auto* units = static_cast<const TKwComboEdit*>(unit);
  const bool months = units->Text() == QLatin1String(kMonthsUnit);
  return {static_cast<TNumericEdit*>(number)->AsInteger(),
          months ? TPeriodUnit::Months : TPeriodUnit::Years};
}

void ShowPeriod(QWidget* number, QWidget* unit, const TShownPeriod& period) {
  static_cast<TNumericEdit*>(number)->SetAsInteger(period.Number);
  static_cast<TKwComboEdit*>(unit)->SetItemIndex(period.Unit == TPeriodUnit::Months ? 1 : 0);
}

// Years from here on are taken as typed; smaller numbers are the last two digits of a 19xx year.
constexpr int kFirstFullYear = 1900;

int StoredYear(std::int32_t id, const TPath& path) {
  const QDate date = GetDateValue(id, path);
  return date.isValid() ? date.year() : 0;
}

// Makes the typed year one a vehicle can have been made in.
// The code of the checked button of a choice; 0 when none is checked.
std::int32_t CheckedCode(const TFieldRow& row, QWidget* panel) {
  const QList<QRadioButton*> buttons = ChoiceButtons(panel);
  for (qsizetype i = 0; i < buttons.size() && i < qsizetype(row.Choices.size()); ++i) {
    if (buttons[i]->isChecked())
      return row.Choices[static_cast<std::size_t>(i)].Code;
  }
  return 0;
}

// Checks the button of the code; a code no button has checks the last.
void CheckCode(const TFieldRow& row, QWidget* panel, std::int32_t code) {
  const QList<QRadioButton*> buttons = ChoiceButtons(panel);
  if (buttons.isEmpty())
    return;
  qsizetype checked = buttons.size() - 1;
  for (qsizetype i = 0; i < buttons.size() && i < qsizetype(row.Choices.size()); ++i) {
    if (row.Choices[static_cast<std::size_t>(i)].Code == code) {
      checked = i;
      break;
    }
  }
  buttons[checked]->setChecked(true);
}

// The list code a row keeps: an occupation item is made of the occupation and its qualifier.
std::int32_t StoredListCode(const TFieldRow& row, const TPath& path) {
  const std::int32_t code = GetListValue(row.PropertyId, path);
  if (!HasOption(row, foOccupationItem))
    return code;
  return OccupationItemCode(code, GetListValue(Id::OccupationQualifier, path));
}

}  // namespace

void CorrectYearMade(TNumericEdit* field) {
  const int typed = field->AsInteger();
  if (typed == 0)
    return;
  const int year =
      typed >= kFirstFullYear ? std::min(typed, Today().year()) : typed % 100 + kFirstFullYear;
  field->SetAsInteger(year);
  // Two digits are read as 19xx by design; any other change is told, not made silently.
  if (typed >= 100 && typed != year) {
    ShowFieldError(field,
                   QStringLiteral("%1 is not a year a vehicle can have been made in.\rThe year "
                                  "has been changed to %2; please check it.")
                       .arg(typed)
                       .arg(year),
                   false);
  }
}

bool RowDiffersFromStored(const TFieldRow& row, QWidget* control) {
  const std::int32_t id = row.PropertyId;
  const TPath path = row.Path();
  switch (row.Kind) {
    case TFieldKind::Text:
      return static_cast<TKwEdit*>(control)->Text() != GetStringValue(id, path);
    case TFieldKind::List: {
      const std::int32_t code = static_cast<TKwComboEdit*>(control)->SelectedCode();
      if (HasOption(row, foNumericCode))
        return code != GetNumericValue(id, path);
      return code != StoredListCode(row, path);
    }
    case TFieldKind::Number:
      if (HasOption(row, foYearMade))
        return static_cast<TNumericEdit*>(control)->AsInteger() != StoredYear(id, path);
      return static_cast<TNumericEdit*>(control)->AsDouble() != GetNumericValue(id, path);
    case TFieldKind::Date:
      return ShownDate(static_cast<TKwDate*>(control)) != GetDateValue(id, path);
    case TFieldKind::Choice:
      return CheckedCode(row, control) != GetListValue(id, path);
    case TFieldKind::YesNo:
      return YesNoCode(row, static_cast<TKwYesNoDlg*>(control)) != GetListValue(id, path);
  }
  return true;
}

bool StoreRowValue(const TFieldRow& row, QWidget* control, QWidget* unit) {
  const std::int32_t id = row.PropertyId;
  if (id == 0)
    return false;
  const TPath path = row.Path();
  if (path.empty())
    return false;
  const bool loud = !HasOption(row, foQuiet);
  switch (row.Kind) {
    case TFieldKind::Text:
      return SetStringValue(id, path, static_cast<TKwEdit*>(control)->Text(), loud, loud);
    case TFieldKind::List: {
      const std::int32_t code = static_cast<TKwComboEdit*>(control)->SelectedCode();
      if (HasOption(row, foNumericCode))
        return SetNumericValue(id, path, code, loud, loud);
      if (HasOption(row, foMainDriver)) {
        SetMainDriver(code);
        return true;
      }
      if (HasOption(row, foOccupationItem))
        return SetListValue(id, path, OccupationOfItem(code), loud, loud) &&
               SetListValue(Id::OccupationQualifier, path, QualifierOfItem(code), loud, loud);
      return SetListValue(id, path, code, loud, loud);
    }
    case TFieldKind::Number: {
      auto* number = static_cast<TNumericEdit*>(control);
      if (unit != nullptr) {
        const QDate start =
            ChangedPeriodStart(ShownPeriod(control, unit), GetDateValue(id, path), Today());
        // The period shown is the one stored: nothing to store.
        return start.isValid() && SetDateValue(id, path, start, loud, loud);
      }
      if (HasOption(row, foYearMade)) {
        const int year = number->AsInteger();
        return SetDateValue(id, path, year != 0 ? QDate(year, 1, 1) : QDate(), loud, loud);
      }
      return SetNumericValue(id, path, number->AsDouble(), loud, loud);
    }
    case TFieldKind::Date:
      return SetDateValue(id, path, ShownDate(static_cast<TKwDate*>(control)), loud, loud);
    case TFieldKind::Choice: {
      const std::int32_t code = CheckedCode(row, control);
      return code != 0 && SetListValue(id, path, code, loud, loud);
    }
    case TFieldKind::YesNo:
      return SetListValue(id, path, YesNoCode(row, static_cast<TKwYesNoDlg*>(control)), loud, loud);
  }
  return false;
}

void LoadRowValue(const TFieldRow& row, QWidget* control, QWidget* unit) {
  const std::int32_t id = row.PropertyId;
  if (id == 0 && !HasOption(row, foObjectExists))
    return;
  const TPath path = row.Path();
  if (path.empty())
    return;
  switch (row.Kind) {
    case TFieldKind::Text:
      static_cast<TKwEdit*>(control)->SetText(GetStringValue(id, path));
      break;
    case TFieldKind::List: {
      auto* combo = static_cast<TKwComboEdit*>(control);
      if (HasOption(row, foBuildOnLoad))
        combo->BuildList();
      if (HasOption(row, foNumericCode))
        combo->SetItemIndex(
            IndexAtLeast(combo, static_cast<std::int32_t>(GetNumericValue(id, path))));
      else
        combo->SetItemIndex(combo->IndexOfCode(StoredListCode(row, path)));
      break;
    }
    case TFieldKind::Number: {
      auto* number = static_cast<TNumericEdit*>(control);
      if (unit != nullptr) {
        TShownPeriod shown = PeriodShown(GetDateValue(id, path), Today());
        if (shown.Number == 0 && HasOption(row, foZeroInMonths))
          shown.Unit = TPeriodUnit::Months;
        ShowPeriod(control, unit, shown);
      } else if (HasOption(row, foYearMade))
        number->SetAsInteger(StoredYear(id, path));
      else if (HasOption(row, foTruncated))
        number->SetAsInteger(static_cast<std::int32_t>(GetNumericValue(id, path)));
      else
        number->SetAsDouble(GetNumericValue(id, path));
      break;
    }
    case TFieldKind::Date: {
      const QDate date = GetDateValue(id, path);
      static_cast<TKwDate*>(control)->SetAsNumber(date.isValid() ? DateToSerial(date) : 0);
      break;
    }
    case TFieldKind::Choice:
      CheckCode(row, control, GetListValue(id, path));
      break;
    case TFieldKind::YesNo: {
      const bool yes = HasOption(row, foObjectExists) ? ObjectExists(path)
                                                      : GetListValue(id, path) == YesCode(row);
      // Setting the answer from the program raises no change.
      static_cast<TKwYesNoDlg*>(control)->SetState(yes ? TKwYesNoState::ynYes
                                                       : TKwYesNoState::ynNo);
      break;
    }
  }
}

QList<QRadioButton*> ChoiceButtons(QWidget* control) {
  return control->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}
