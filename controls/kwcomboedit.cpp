#include "controls/kwcomboedit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "controls/fieldaccessibility.h"
#include "controls/keychar.h"

const QString TKwComboEdit::kNotInListMessage =
    QStringLiteral("Entered item is not in the list\rYou must select an item from the list");

namespace {

bool IsAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Stands in for a completer while a line edit joins its combo box: the box makes a completer of
// its own for a line edit that has none, which the field would throw away at once.
QCompleter* StandInCompleter() {
  static QPointer<QCompleter> completer;
  if (completer == nullptr)
    completer = new QCompleter(QCoreApplication::instance());
  return completer;
}

}  // namespace

TKwComboEdit::TKwComboEdit(QWidget* parent) : TKwField(parent) {
  InstallFieldAccessibility();  // named by its label (controls/fieldaccessibility.h)
  // Editable as setEditable(true) makes it, less the completer: type-ahead happens on Tab,
  // Enter and leaving, never as inline completion while typing. The list comes after the line
  // edit, so it is made for an editable box at once.
  auto* edit = new QLineEdit(this);
  edit->setPalette(palette());
  edit->setCompleter(StandInCompleter());
  setLineEdit(edit);
  setCompleter(nullptr);
  if (!testAttribute(Qt::WA_Resized))
    adjustSize();
  setInsertPolicy(QComboBox::NoInsert);
  // The combo's own Enter and editing-finished handling would add or pick items behind the
  // field's rules.
  disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
  disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
    HighlightTypeAhead();
    Changed();
  });
  connect(this, &QComboBox::activated, this, [this] { Changed(); });
  // Filling an empty list would select its first item; the field keeps what it showed.
  connect(model(), &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
    indexBeforeInsert_ = currentIndex();
    textBeforeInsert_ = lineEdit()->text();
  });
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] {
    if (indexBeforeInsert_ < 0 && currentIndex() >= 0) {
      QComboBox::setCurrentIndex(-1);
      lineEdit()->setText(textBeforeInsert_);
    }
  });
  QComboBox::setCurrentIndex(-1);
}

QAbstractItemView* TKwComboEdit::List() {
  if (list_ == nullptr) {
    list_ = view();
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // While the list is open the keys reach the list; the field still takes the typed ones.
    // The list's own filter was installed when view() made it, so this one sees each key first.
    list_->installEventFilter(this);
    emit listSetUp(list_);
  }
  return list_;
}

void TKwComboEdit::SetListID(std::int32_t listId) {
  listId_ = listId;
  BuildList();
}

void TKwComboEdit::BuildList() {
  emit buildList();
}

int TKwComboEdit::MaxLength() const {
  return lineEdit()->maxLength();
}

void TKwComboEdit::SetMaxLength(int length) {
  lineEdit()->setMaxLength(length);
}

void TKwComboEdit::AddItem(const QString& text, std::int32_t code) {
  addItem(text, QVariant::fromValue(code));
}

std::int32_t TKwComboEdit::ItemCode(int index) const {
  return itemData(index).value<std::int32_t>();
}

std::int32_t TKwComboEdit::SelectedCode(std::int32_t none) const {
  const int index = ItemIndex();
  return index >= 0 ? ItemCode(index) : none;
}

int TKwComboEdit::IndexOfCode(std::int32_t code) const {
  for (int i = 0; i < count(); ++i) {
    if (ItemCode(i) == code)
      return i;
  }
  return -1;
}

void TKwComboEdit::SetItemIndex(int index) {
  SelectItem(index >= 0 && index < count() ? index : -1);
}

void TKwComboEdit::SetText(const QString& text) {
  int index = FindItem(text);
  if (index >= 0) {
    SelectItem(index);
    return;
  }
  QComboBox::setCurrentIndex(-1);
  lineEdit()->setText(text);
  ShowStartUnlessEditing();
}

bool TKwComboEdit::DroppedDown() const {
  // Every way of opening the list goes through showPopup(), which sets the list up first.
  return list_ != nullptr && list_->isVisible();
}

void TKwComboEdit::SetDroppedDown(bool dropped) {
  if (dropped)
    showPopup();
  else
    hidePopup();
}

int TKwComboEdit::FindItemStartingWith(const QString& prefix) const {
  const int n = count();
  for (int step = 1; step <= n; ++step) {
    const int i = step % n;
    if (itemText(i).startsWith(prefix, Qt::CaseInsensitive))
      return i;
  }
  return -1;
}

int TKwComboEdit::FindItem(const QString& text) const {
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

int TKwComboEdit::FindTypedItem(const QString& typed) const {
  // "Mr" picks "Mr", not the "Mrs" that the prefix search would reach first.
  const int whole = FindItem(typed);
  return whole >= 0 ? whole : FindItemStartingWith(typed);
}

void TKwComboEdit::showPopup() {
  if (DroppedDown())
    return;
  List();
  QComboBox::showPopup();
  HighlightTypeAhead();
  CursorToEnd();
}

void TKwComboEdit::hidePopup() {
  QComboBox::hidePopup();
  CursorToEnd();
}

bool TKwComboEdit::event(QEvent* event) {
  // Tab is a typed key here (it picks the item), so it must not reach the focus chain first.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      HandleKeyPress(key);
      return true;
    }
  }
  return QComboBox::event(event);
}

void TKwComboEdit::keyPressEvent(QKeyEvent* event) {
  if (!HandleKeyPress(event))
    QComboBox::keyPressEvent(event);
}

bool TKwComboEdit::eventFilter(QObject* watched, QEvent* event) {
  if (list_ != nullptr && watched == list_ && event->type() == QEvent::ShortcutOverride) {
    // The list's own filter closes the list on Enter here, before the key press comes, and the
    // field would then open it again; the key press itself is the field's.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      key->accept();
      return true;
    }
  }
  if (list_ == nullptr || watched != list_ || event->type() != QEvent::KeyPress)
    return QComboBox::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (key->modifiers() & Qt::AltModifier)
        return false;  // the list closes itself
      MoveListHighlight(key);
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
      QCoreApplication::sendEvent(lineEdit(), key);
      return true;
    default:
      return HandleKeyPress(key);
  }
}

bool TKwComboEdit::HandleKeyPress(QKeyEvent* event) {
  QChar key = TypedChar(event);
  if (key.isNull())
    return false;
  const bool backward = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
  emit beforeKeyPress(key);

  bool moveFocus = false;
  bool openList = false;
  if (key == QLatin1Char('\t')) {
    TakeTypedText();
    key = QChar();
    moveFocus = true;
  } else if (key == QLatin1Char('\r')) {
    if (DroppedDown())
      TakeTypedText();
    else
      showPopup();
    key = QChar();
  } else if (IsAsciiDigit(key)) {
    if (WholeTextSelected())
      SelectItem(-1);
    openList = true;
  } else if (key.isLetter()) {
    if (textCase_ == TTextCase::tcDigit) {
      key = QChar();
    } else {
      key = ApplyTextCase(key);
      if (WholeTextSelected())
        SelectItem(-1);
      openList = true;
    }
  }
  emit afterKeyPress(key);

  if (!key.isNull())
    InsertKey(key, *event);
  if (openList && !DroppedDown())
    showPopup();
  if (moveFocus)
    focusNextPrevChild(!backward);
  return true;
}

QChar TKwComboEdit::ApplyTextCase(QChar key) const {
  switch (textCase_) {
    case TTextCase::tcUpperCaps:
      if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        return key.toUpper();
      break;
    case TTextCase::tcLowerCaps:
      if (key >= QLatin1Char('A') && key <= QLatin1Char('Z'))
        return key.toLower();
      break;
    case TTextCase::tcInitialCaps: {
      const int at = InsertionPoint();
      const bool wordStart = at == 0 || lineEdit()->text().at(at - 1) == QLatin1Char(' ');
      return wordStart ? key.toUpper() : key.toLower();
    }
    case TTextCase::tcNone:
    case TTextCase::tcDigit:
      break;
  }
  return key;
}

bool TKwComboEdit::WholeTextSelected() const {
  const QLineEdit* edit = lineEdit();
  return !edit->text().isEmpty() && edit->selectedText() == edit->text();
}

int TKwComboEdit::InsertionPoint() const {
  const QLineEdit* edit = lineEdit();
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TKwComboEdit::TakeTypedText() {
  const QString typed = lineEdit()->text();
  hidePopup();
  if (typed.isEmpty()) {
    SelectItem(-1);
  } else if (listItemsOnly_) {
    SelectItem(FindTypedItem(typed));
  }
  // Without ListItemsOnly the typed text stays as it is.
  Changed();
  CursorToEnd();
}

void TKwComboEdit::SelectItem(int index) {
  QComboBox::setCurrentIndex(index);
  // setCurrentIndex() leaves edited text alone when the index does not change.
  lineEdit()->setText(index >= 0 ? itemText(index) : QString());
  ShowStartUnlessEditing();
}

void TKwComboEdit::ShowStartUnlessEditing() {
  // A text longer than the field shows its beginning, not its end, until the user edits it.
  if (!hasFocus())
    lineEdit()->setCursorPosition(0);
}

void TKwComboEdit::InsertKey(QChar key, const QKeyEvent& original) {
  if (key == QLatin1Char('\b')) {
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QCoreApplication::sendEvent(lineEdit(), &backspace);
    return;
  }
  if (!key.isPrint())
    return;
  const int code = QString(key) == original.text() ? original.key() : key.toUpper().unicode();
  QKeyEvent typed(QEvent::KeyPress, code, original.modifiers() & Qt::ShiftModifier, QString(key));
  QCoreApplication::sendEvent(lineEdit(), &typed);
}

void TKwComboEdit::MoveListHighlight(QKeyEvent* event) {
  if (count() == 0)
    return;
  int row = List()->currentIndex().isValid() ? List()->currentIndex().row() : -1;
  const int page = qMax(1, maxVisibleItems() - 1);
  switch (event->key()) {
    case Qt::Key_Up:
      --row;
      break;
    case Qt::Key_Down:
      ++row;
      break;
    case Qt::Key_PageUp:
      row -= page;
      break;
    default:
      row += page;
      break;
  }
  row = qBound(0, row, count() - 1);
  List()->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
  // Moving through the open list selects as it goes, as the list of the platform's combo does.
  SelectItem(row);
  CursorToEnd();
  Changed();
}

void TKwComboEdit::HighlightTypeAhead() {
  if (!DroppedDown() || lineEdit()->text().isEmpty())
    return;
  const int index = FindTypedItem(lineEdit()->text());
  if (index >= 0)
    List()->setCurrentIndex(model()->index(index, modelColumn(), rootModelIndex()));
}

void TKwComboEdit::CursorToEnd() {
  lineEdit()->end(false);
}

void TKwComboEdit::Changed() {
  EmitChanged();
}

TExitCheck TKwComboEdit::CheckOnExit() {
  const QString text = lineEdit()->text();
  if (text.isEmpty()) {
    SelectItem(-1);
    return TExitCheck::Pass();
  }
  const int index = FindItem(text);
  if (index < 0) {
    if (listItemsOnly_)
      return TExitCheck::Refuse(PromptKind::Error, kNotInListMessage);
    return TExitCheck::Pass();
  }
  SelectItem(index);
  return TExitCheck::Pass();
}
