#include "capture/fieldbinder.h"

#include <QAbstractItemModel>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QRadioButton>
#include <algorithm>

#include "capture/rowvalue.h"
#include "controls/dateserial.h"
#include "controls/fieldaccessibility.h"
#include "controls/fieldhelp.h"
#include "controls/fieldvisit.h"
#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwedit.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"
#include "controls/today.h"
#include "motor/identifiers.h"
#include "motor/numberbounds.h"
#include "platform/prompt.h"
#include "settings/options.h"

namespace {

// Runs `left` when the focus leaves a watched button for another field.
class TLeaveWatcher : public QObject {
 public:
  TLeaveWatcher(QObject* parent, std::function<void()> left)
      : QObject(parent), left_(std::move(left)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut &&
        FocusReasonLeavesField(static_cast<QFocusEvent*>(event)->reason()))
      left_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> left_;
};

bool Has(const TFieldRow& row, TFieldOption option) {
  return HasOption(row, option);
}

TKwComboEdit* AsList(QWidget* control) {
  return qobject_cast<TKwComboEdit*>(control);
}

// The entries of a Data Server list in ascending code order: a code the list lacks is passed
// over once (code n missing: the entry with code n + 1 takes its place).
ListItems InCodeOrder(const ListItems& entries) {
  auto find = [&entries](std::int32_t code) {
    for (const ListItem& entry : entries) {
      if (entry.code == code)
        return &entry;
    }
    return static_cast<const ListItem*>(nullptr);
  };
  ListItems ordered;
  std::int32_t code = 0;
  for (qsizetype i = 0; i < entries.size(); ++i, ++code) {
    const ListItem* entry = find(code);
    if (entry == nullptr)
      entry = find(++code);
    if (entry != nullptr)
      ordered.append(*entry);
  }
  return ordered;
}

bool RowAcceptable(const TFieldRow& row, QWidget* control) {
  if (row.Kind != TFieldKind::Number || row.PropertyId == 0 || Has(row, foYearMade) ||
      Has(row, foPeriodStart))
    return true;
  return NumberAcceptable(static_cast<TNumericEdit*>(control), row.PropertyId);
}

}  // namespace

bool NumberAcceptable(TNumericEdit* field, std::int32_t id) {
  const QString exports = Options() != nullptr ? Options()->ExportsFile() : QString();
  const QString refusal = NumberRefusal(id, field->AsDouble(), exports);
  if (refusal.isEmpty())
    return true;
  ShowFieldError(field, refusal, true);
  return false;
}

TFieldBinder::TFieldBinder(QWidget* page) : QObject(page), page_(page) {}

QWidget* TFieldBinder::MakeControl(const TFieldRow& row) {
  switch (row.Kind) {
    case TFieldKind::Text: {
      auto* edit = new TKwEdit(page_);
      if (Has(row, foUpperCase))
        edit->SetCharCase(TEditCharCase::ecUpperCase);
      else if (Has(row, foInitialCaps))
        edit->SetUppercaseWords(true);
      if (row.MaxLength > 0)
        edit->SetMaxLength(row.MaxLength);
      return edit;
    }
    case TFieldKind::List: {
      auto* combo = new TKwComboEdit(page_);
      if (Has(row, foUpperCase))
        combo->SetTextCase(TTextCase::tcUpperCaps);
      else if (Has(row, foInitialCaps))
        combo->SetTextCase(TTextCase::tcInitialCaps);
      combo->SetListItemsOnly(!Has(row, foFreeText));
      if (row.MaxLength > 0)
        combo->SetMaxLength(row.MaxLength);
      return combo;
    }
    case TFieldKind::Number: {
      auto* number = new TNumericEdit(page_);
      number->SetDecimalPlaces(Has(row, foDecimals) ? -1 : 0);
      if (Has(row, foMoney))
        number->SetNumberType(TNumberType::ntMoney);
      return number;
    }
    case TFieldKind::Date: {
      auto* date = new TKwDate(page_);
      date->SetTreatTodayAsNegative(Has(row, foTodayIsNegative));
      return date;
    }
    case TFieldKind::Choice: {
      auto* panel = new QWidget(page_);
      auto* line = new QHBoxLayout(panel);
      line->setContentsMargins(0, 0, 0, 0);
      for (const TFieldChoice& choice : row.Choices) {
        auto* button = new QRadioButton(choice.Caption, panel);
        button->setObjectName(QLatin1String(choice.Name));
        if (!choice.AccessibleName.isEmpty())
          button->setAccessibleName(choice.AccessibleName);
        SetFieldHint(button, row.Hint);
        SetHelpContext(button, row.HelpContext);
        line->addWidget(button);
      }
      line->addStretch(1);
      MarkAsGroup(panel, row.Label);
      return panel;
    }
    case TFieldKind::YesNo: {
      auto* yesNo = new TKwYesNoDlg(page_);
      if (Has(row, foDialogOnYes)) {
        yesNo->SetCallDialogOn(TCallDialogOn::cdYes);
        yesNo->SetDialogType(TDialogType::dtUserDefined);
        yesNo->SetAutoPopUp(true);
      }
      return yesNo;
    }
  }
  return nullptr;
}

QWidget* TFieldBinder::Create(const TFieldRow& row) {
  QWidget* control = MakeControl(row);
  control->setObjectName(QString::fromLatin1(row.Name));
  const QList<QRadioButton*> buttons =
      row.Kind == TFieldKind::Choice ? ChoiceButtons(control) : QList<QRadioButton*>();
  if (buttons.isEmpty()) {  // a choice's buttons carry its hint
    SetFieldHint(control, row.Hint);
    SetHelpContext(control, row.HelpContext);
  }
  QLabel* label = nullptr;
  if (!row.Label.isEmpty()) {
    label = new QLabel(row.Label, page_);
    label->setBuddy(buttons.isEmpty() ? control : buttons.first());
    // A reader names the field by its label (a list would otherwise be named by its item).
    control->setAccessibleName(CaptionWithoutMnemonic(row.Label));
  }
  Q_ASSERT_X(fields_.count(row.Name) == 0, "TFieldBinder::Create", row.Name);
  TBound& bound = fields_[row.Name];
  bound = TBound{row, control, label};
  tableOrder_.push_back(&bound);
  ConnectList(bound);
  ConnectWriteRule(bound);
  ConnectDialog(bound);
  return control;
}

QWidget* TFieldBinder::AddRow(QFormLayout* form, const TFieldRow& row) {
  QWidget* control = Create(row);
  if (QLabel* label = Label(row.Name)) {
    FitCaption(label);
    form->addRow(label, control);
  } else
    form->addRow(control);
  const QList<QRadioButton*> buttons =
      row.Kind == TFieldKind::Choice ? ChoiceButtons(control) : QList<QRadioButton*>();
  if (buttons.isEmpty())
    AppendTabStop(control);
  for (QRadioButton* button : buttons)
    AppendTabStop(button);
  return control;
}

void TFieldBinder::AppendTabStop(QWidget* control) {
  if (lastInTabOrder_ != nullptr)
    QWidget::setTabOrder(lastInTabOrder_, control);
  lastInTabOrder_ = control;
}

void TFieldBinder::ConnectList(TBound& bound) {
  TKwComboEdit* combo = AsList(bound.Control);
  if (combo == nullptr || bound.Row.List == TListSource::None)
    return;
  if (bound.Row.List == TListSource::Page && bound.Row.BuildList) {
    const TBound* field = &bound;
    connect(combo, &TKwComboEdit::buildList, this, [field] { field->Row.BuildList(); });
  }
  if (bound.Row.List != TListSource::Page) {
    const bool byCode = bound.Row.List == TListSource::DataServerByCode;
    const bool sorted = Has(bound.Row, foSorted);
    connect(combo, &TKwComboEdit::buildList, this, [combo, byCode, sorted] {
      ListItems entries;
      // A list that cannot be read has been reported by the filler; the build is abandoned.
      if (FillEnumList(combo->ListID(), entries) != 0)
        return;
      combo->ClearItems();
      for (const ListItem& entry : byCode ? InCodeOrder(entries) : entries)
        combo->AddItem(entry.text, entry.code);
      if (sorted)
        combo->model()->sort(0);
      combo->SetItemIndex(combo->ItemCount() > 0 ? 0 : -1);
    });
  }
  const std::int32_t listId = bound.Row.ListId != 0 ? bound.Row.ListId : bound.Row.PropertyId;
  // Setting the list builds it, through the connection above or the page's own.
  if (bound.Row.List != TListSource::Page)
    combo->SetListID(listId);
  else if (bound.Row.BuildList && bound.Row.ListId != 0)
    combo->SetListID(bound.Row.ListId);
  else if (bound.Row.BuildList)
    combo->BuildList();
}

bool TFieldBinder::Stores(const TBound& bound) {
  return bound.Row.PropertyId != 0 && bound.Row.Write != TWriteRule::None;
}

void TFieldBinder::Left(const TBound& bound) {
  const bool handlerFirst = Has(bound.Row, foHandlerFirst);
  if (handlerFirst && bound.Row.Exit)
    bound.Row.Exit();
  const bool stored = Stores(bound) && FieldLeft(bound);
  if (!handlerFirst && bound.Row.Exit && (stored || !Has(bound.Row, foExitOnStore)))
    bound.Row.Exit();
}

void TFieldBinder::ConnectWriteRule(const TBound& bound) {
  const bool stores = Stores(bound);
  if (!stores && !bound.Row.Exit && !bound.Row.Change)
    return;
  const TBound* field = &bound;
  const bool handlerFirst = Has(bound.Row, foHandlerFirst);
  auto left = [this, field] { Left(*field); };
  auto changed = [this, field, stores, handlerFirst] {
    if (handlerFirst && field->Row.Change)
      field->Row.Change();
    if (stores)
      FieldChanged(*field);
    if (!handlerFirst && field->Row.Change)
      field->Row.Change();
  };
  QWidget* control = bound.Control;
  switch (bound.Row.Kind) {
    case TFieldKind::Choice: {
      auto* watcher = new TLeaveWatcher(control, left);
      for (QRadioButton* button : ChoiceButtons(control))
        button->installEventFilter(watcher);
      break;
    }
    case TFieldKind::Text:
      connect(static_cast<TKwEdit*>(control), &TKwEdit::exited, this, left);
      connect(static_cast<TKwEdit*>(control), &TKwEdit::changed, this, changed);
      break;
    case TFieldKind::List:
      connect(static_cast<TKwComboEdit*>(control), &TKwComboEdit::exited, this, left);
      connect(static_cast<TKwComboEdit*>(control), &TKwComboEdit::changed, this, changed);
      break;
    case TFieldKind::Number:
      connect(static_cast<TNumericEdit*>(control), &TNumericEdit::exited, this, left);
      connect(static_cast<TNumericEdit*>(control), &TNumericEdit::changed, this, changed);
      break;
    case TFieldKind::Date:
      connect(static_cast<TKwDate*>(control), &TKwDate::exited, this, left);
      connect(static_cast<TKwDate*>(control), &TKwDate::changed, this, changed);
      break;
    case TFieldKind::YesNo:
      connect(static_cast<TKwYesNoDlg*>(control), &TKwYesNoDlg::exited, this, left);
      connect(static_cast<TKwYesNoDlg*>(control), &TKwYesNoDlg::changed, this, changed);
      break;
  }
}

void TFieldBinder::ConnectDialog(const TBound& bound) {
  auto* yesNo = qobject_cast<TKwYesNoDlg*>(bound.Control);
  if (yesNo == nullptr || !bound.Row.CallDialog)
    return;
  const TBound* field = &bound;
  connect(yesNo, &TKwYesNoDlg::callDialog, this, [field] { field->Row.CallDialog(); });
}

bool TFieldBinder::HasChoice(const TBound& bound) const {
  const TKwComboEdit* combo = AsList(bound.Control);
  return combo == nullptr || (combo->ItemIndex() >= 0 &&
                              (!Has(bound.Row, foZeroIsNoChoice) || combo->SelectedCode() != 0));
}

bool TFieldBinder::FieldLeft(const TBound& bound) {
  bool store = false;
  switch (bound.Row.Write) {
    case TWriteRule::OnExit:
      store = true;
      break;
    case TWriteRule::OnExitIfSelected:
      store = HasChoice(bound);
      break;
    case TWriteRule::OnExitIfChanged:
      store = HasChoice(bound) && DiffersFromStored(bound);
      break;
    case TWriteRule::None:
    case TWriteRule::OnChange:
    case TWriteRule::OnEveryChange:
      break;
  }
  if (!store)
    return false;
  if (Has(bound.Row, foYearMade))
    CorrectYearMade(static_cast<TNumericEdit*>(bound.Control));
  if (Has(bound.Row, foPostcode)) {
    auto* edit = static_cast<TKwEdit*>(bound.Control);
    QString postcode = edit->Text();
    ValidatePostcode(edit, postcode);
    edit->SetText(postcode);
  }
  if (!RowAcceptable(bound.Row, bound.Control) || !Store(bound))
    return false;
  emit stored(bound.Control);
  return true;
}

void TFieldBinder::FieldChanged(const TBound& bound) {
  const TWriteRule rule = bound.Row.Write;
  if (loading_ || (rule != TWriteRule::OnChange && rule != TWriteRule::OnEveryChange))
    return;
  if (rule == TWriteRule::OnChange && !HasChoice(bound))
    return;
  if (Store(bound))
    emit stored(bound.Control);
}

bool TFieldBinder::DiffersFromStored(const TBound& bound) const {
  return RowDiffersFromStored(bound.Row, bound.Control);
}

bool TFieldBinder::Store(const TBound& bound) {
  return StoreRowValue(bound.Row, bound.Control, IsPeriod(bound) ? bound.Unit->Control : nullptr);
}

void TFieldBinder::Load(const TBound& bound) {
  loading_ = true;
  LoadRowValue(bound.Row, bound.Control, IsPeriod(bound) ? bound.Unit->Control : nullptr);
  loading_ = false;
}

const TFieldBinder::TBound* TFieldBinder::Find(const char* name) const {
  auto it = fields_.find(name);
  return it == fields_.end() ? nullptr : &it->second;
}

TFieldBinder::TBound* TFieldBinder::FindMutable(const char* name) {
  auto it = fields_.find(name);
  return it == fields_.end() ? nullptr : &it->second;
}

QWidget* TFieldBinder::Control(const char* name) const {
  const TBound* bound = Find(name);
  return bound != nullptr ? bound->Control : nullptr;
}

QLabel* TFieldBinder::Label(const char* name) const {
  const TBound* bound = Find(name);
  return bound != nullptr ? bound->Label : nullptr;
}

void TFieldBinder::SetEnabled(const char* name, bool enabled) const {
  const TBound* bound = Find(name);
  if (bound == nullptr)
    return;
  bound->Control->setEnabled(enabled);
  if (bound->Label != nullptr)
    bound->Label->setEnabled(enabled);
}

void TFieldBinder::LoadAll() {
  for (const TBound* bound : tableOrder_)
    Load(*bound);
}

void TFieldBinder::Load(const char* name) {
  if (const TBound* bound = Find(name))
    Load(*bound);
}

void TFieldBinder::Leave(const char* name) {
  if (const TBound* bound = Find(name))
    Left(*bound);
}

bool TFieldBinder::Store(const char* name) {
  const TBound* bound = Find(name);
  return bound != nullptr && Store(*bound);
}

bool TFieldBinder::StoreCode(const char* name, std::int32_t code) {
  const TBound* bound = Find(name);
  if (bound == nullptr || bound->Row.PropertyId == 0)
    return false;
  Q_ASSERT(bound->Row.Kind == TFieldKind::List || bound->Row.Kind == TFieldKind::YesNo);
  const bool loud = !Has(bound->Row, foQuiet);
  return SetListValue(bound->Row.PropertyId, bound->Row.Path(), code, loud, loud);
}

void TFieldBinder::NamePeriod(const char* number, const char* unit) {
  TBound* numberRow = FindMutable(number);
  const TBound* unitRow = Find(unit);
  if (numberRow == nullptr || unitRow == nullptr)
    return;
  numberRow->Unit = unitRow;
  // Both stand under the number's label; the names tell them apart.
  const QString caption = CaptionWithoutMnemonic(numberRow->Row.Label);
  numberRow->Control->setAccessibleName(caption + QStringLiteral(" (years)"));
  unitRow->Control->setAccessibleName(caption + QStringLiteral(" (units)"));
}

QWidget* TFieldBinder::AddPeriod(QFormLayout* form, const TFieldRow& number,
                                 const TFieldRow& unit) {
  QWidget* numberField = Create(number);
  auto* units = static_cast<TKwComboEdit*>(Create(unit));
  units->AddItem(QLatin1String(kYearsUnit), 0);
  units->AddItem(QLatin1String(kMonthsUnit), 1);
  units->SetItemIndex(0);
  auto* pair = new QWidget(page_);
  auto* row = new QHBoxLayout(pair);
  row->setContentsMargins(0, 0, 0, 0);
  numberField->setParent(pair);
  units->setParent(pair);
  row->addWidget(numberField);
  row->addWidget(units);
  row->addStretch(1);
  NamePeriod(number.Name, unit.Name);
  form->addRow(Label(number.Name), pair);
  AppendTabStop(numberField);
  AppendTabStop(units);
  // Leaving the unit is leaving the period.
  const TBound* numberRow = Find(number.Name);
  if (Stores(*numberRow) || numberRow->Row.Exit)
    connect(units, &TKwComboEdit::exited, this, [this, numberRow] { Left(*numberRow); });
  return pair;
}

bool TFieldBinder::IsPeriod(const TBound& bound) const {
  return Has(bound.Row, foPeriodStart) && bound.Unit != nullptr;
}

void FitCaption(QLabel* label) {
  // About 36 average characters: the longest captions of the pages take two or three lines.
  constexpr int kWrapCharacters = 36;
  const QFontMetrics metrics = label->fontMetrics();
  const int wrapWidth = metrics.averageCharWidth() * kWrapCharacters;
  const bool wraps = metrics.horizontalAdvance(label->text()) > wrapWidth;
  label->setWordWrap(wraps);
  if (wraps)
    label->setFixedWidth(wrapWidth);
}
