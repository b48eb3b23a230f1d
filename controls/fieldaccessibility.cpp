#include "controls/fieldaccessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <functional>

#include "controls/kwcomboedit.h"
#include "controls/kwdate.h"
#include "controls/kwtime.h"
#include "controls/kwyesnodlg.h"
#include "controls/numericedit.h"

namespace {

const char* const kGroupProperty = "qmAccessibleGroup";

// A button drawn inside a field (the yes/no field's "..." and the date field's drop-down). It
// has no widget of its own, so this object stands for it in the accessible tree; it lives as a
// child of the field and goes with it.
class TFieldPart : public QObject {
 public:
  TFieldPart(QWidget* field, const QString& name, std::function<QRect()> rect,
             std::function<bool()> present, std::function<bool()> enabled,
             std::function<void()> press)
      : QObject(field),
        name_(name),
        rect_(std::move(rect)),
        present_(std::move(present)),
        enabled_(std::move(enabled)),
        press_(std::move(press)) {}

  QWidget* Field() const { return static_cast<QWidget*>(parent()); }
  QString Name() const { return name_; }
  QRect Rect() const { return rect_(); }
  // Whether the field shows the button at all (a period date has no calendar).
  bool Present() const { return present_(); }
  bool Enabled() const { return Field()->isEnabled() && enabled_(); }
  // The press opens a modal window, so it runs after the reader's request has been answered.
  void Press() {
    QPointer<QObject> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
          if (self)
            static_cast<TFieldPart*>(self.data())->press_();
        },
        Qt::QueuedConnection);
  }

 private:
  QString name_;
  std::function<QRect()> rect_;
  std::function<bool()> present_;
  std::function<bool()> enabled_;
  std::function<void()> press_;
};

class TFieldPartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  explicit TFieldPartAccessible(TFieldPart* part) : part_(part) {}

  bool isValid() const override { return !part_.isNull(); }
  QObject* object() const override { return part_; }
  QWindow* window() const override {
    return isValid() ? part_->Field()->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return isValid() ? QAccessible::queryAccessibleInterface(part_->Field()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text type) const override {
    return isValid() && type == QAccessible::Name ? part_->Name() : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid())
      return QRect();
    const QRect local = part_->Rect();
    return QRect(part_->Field()->mapToGlobal(local.topLeft()), local.size());
  }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.disabled = !part_->Enabled();
    state.invisible = !part_->Field()->isVisible() || part_->Rect().isEmpty();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override {
    return isValid() && part_->Enabled() ? QStringList{pressAction()} : QStringList();
  }
  void doAction(const QString& action) override {
    if (action == pressAction() && isValid() && part_->Enabled())
      part_->Press();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<TFieldPart> part_;
};

// A field that shows its value as a line of text: the text is its value and its text interface,
// and a change of it is told to the reader as an edit of that text.
class TShownTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  TShownTextAccessible(QWidget* field, QAccessible::Role role, int textLeft)
      : QAccessibleWidget(field, role), textLeft_(textLeft) {}
  ~TShownTextAccessible() override { QObject::disconnect(watch_); }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface)
      return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value)
      return Shown();
    return QAccessibleWidget::text(type);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !widget()->isEnabled() ? false : Editable();
    return state;
  }

  // The drawn button, when the field has one, follows the field's own children.
  int childCount() const override { return QAccessibleWidget::childCount() + (HasPart() ? 1 : 0); }
  QAccessibleInterface* child(int index) const override {
    if (HasPart() && index == QAccessibleWidget::childCount())
      return QAccessible::queryAccessibleInterface(part_);
    return QAccessibleWidget::child(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (HasPart() && child != nullptr && child->object() == part_)
      return QAccessibleWidget::childCount();
    return QAccessibleWidget::indexOfChild(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (HasPart() && QAccessible::queryAccessibleInterface(part_)->rect().contains(x, y))
      return QAccessible::queryAccessibleInterface(part_);
    return QAccessibleWidget::childAt(x, y);
  }

  // ---- QAccessibleTextInterface.
  void selection(int index, int* start, int* end) const override {
    *start = 0;
    *end = index == 0 && WholeSelected() ? characterCount() : 0;
  }
  int selectionCount() const override { return WholeSelected() ? 1 : 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return qBound(0, Caret(), characterCount()); }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override {
    const QString shown = Shown();
    if (end < 0 || end > shown.size())
      end = static_cast<int>(shown.size());
    return start >= 0 && start < end ? shown.mid(start, end - start) : QString();
  }
  int characterCount() const override { return static_cast<int>(Shown().size()); }
  QRect characterRect(int offset) const override {
    const QString shown = Shown();
    if (offset < 0 || offset > shown.size())
      return QRect();
    const QFontMetrics metrics(widget()->font());
    const int x = textLeft_ + metrics.horizontalAdvance(shown.left(offset));
    const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
    const QRect local(x, (widget()->height() - metrics.height()) / 2, width, metrics.height());
    return QRect(widget()->mapToGlobal(local.topLeft()), local.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    const int count = characterCount();
    for (int i = 0; i < count; ++i) {
      if (characterRect(i).contains(point))
        return i;
    }
    return -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return QString();
  }

 protected:
  virtual QString Shown() const = 0;
  virtual int Caret() const { return 0; }
  virtual bool WholeSelected() const { return false; }
  virtual bool Editable() const { return true; }

  // Tells the reader of every change of the shown text; the field's changed() signal drives it.
  template <class Field>
  void Watch(Field* field) {
    shown_ = Shown();
    watch_ = QObject::connect(field, &Field::changed, field, [this] { ShownChanged(); });
  }
  virtual void ShownChanged() {
    const QString now = Shown();
    if (now == shown_)
      return;
    QAccessibleTextUpdateEvent update(object(), 0, shown_, now);
    QAccessible::updateAccessibility(&update);
    shown_ = now;
  }

  void SetPart(TFieldPart* part) { part_ = part; }
  bool HasPart() const { return part_ && part_->Present(); }

 private:
  int textLeft_;
  QString shown_;
  QMetaObject::Connection watch_;
  QPointer<TFieldPart> part_;
};

// The yes/no field reads as a check box whose text is its answer, "Yes" or "No"; its "..."
// button is the button "Details".
class TYesNoAccessible : public TShownTextAccessible {
 public:
  explicit TYesNoAccessible(TKwYesNoDlg* field)
      : TShownTextAccessible(field, QAccessible::CheckBox, 4) {
    SetPart(new TFieldPart(
        field, QStringLiteral("Details"), [field] { return field->ButtonRect(); },
        [field] { return field->HasButton(); }, [field] { return field->Armed(); },
        [field] { field->CallDialog(); }));
    Watch(field);
  }

  QAccessible::State state() const override {
    QAccessible::State state = TShownTextAccessible::state();
    state.checkable = true;
    state.checked = Field()->State() == TKwYesNoState::ynYes;
    return state;
  }

  QStringList actionNames() const override {
    return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != toggleAction()) {
      QAccessibleWidget::doAction(action);
      return;
    }
    if (!widget()->isEnabled())
      return;
    // Through the keyboard path, so the answer changes as the user's own would.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(widget(), &press);
  }

 protected:
  QString Shown() const override {
    return Field()->State() == TKwYesNoState::ynYes ? QStringLiteral("Yes") : QStringLiteral("No");
  }
  bool Editable() const override { return false; }
  void ShownChanged() override {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(object(), changed);
    QAccessible::updateAccessibility(&event);
    TShownTextAccessible::ShownChanged();
  }

 private:
  TKwYesNoDlg* Field() const { return static_cast<TKwYesNoDlg*>(widget()); }
};

// The date field: editable text "dd/mm/yyyy" (or the period "01.02.03 Ago") with its caret, and
// the drop-down button "Calendar".
class TDateAccessible : public TShownTextAccessible {
 public:
  explicit TDateAccessible(TKwDate* field)
      : TShownTextAccessible(field, QAccessible::EditableText, 4) {
    SetPart(new TFieldPart(
        field, QStringLiteral("Calendar"), [field] { return field->DropDownButtonRect(); },
        [field] { return field->HasDropDownButton(); }, [] { return true; },
        [field] { field->DropDownCalendar(); }));
    Watch(field);
  }

 protected:
  QString Shown() const override { return Field()->AsString(); }
  int Caret() const override { return Field()->CaretPosition() - 1; }

 private:
  TKwDate* Field() const { return static_cast<TKwDate*>(widget()); }
};

class TTimeAccessible : public TShownTextAccessible {
 public:
  explicit TTimeAccessible(TKwTime* field)
      : TShownTextAccessible(field, QAccessible::EditableText, 4) {
    Watch(field);
  }

 protected:
  QString Shown() const override { return Field()->AsString(); }
  int Caret() const override { return Field()->CaretPosition() - 1; }

 private:
  TKwTime* Field() const { return static_cast<TKwTime*>(widget()); }
};

// The number field: editable text as shown ("£9500", "12%") and the number as its value.
class TNumberAccessible : public TShownTextAccessible, public QAccessibleValueInterface {
 public:
  explicit TNumberAccessible(TNumericEdit* field)
      : TShownTextAccessible(field, QAccessible::EditableText, 4) {
    Watch(field);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface)
      return static_cast<QAccessibleValueInterface*>(this);
    return TShownTextAccessible::interface_cast(type);
  }

  QVariant currentValue() const override { return Field()->AsDouble(); }
  void setCurrentValue(const QVariant& value) override {
    if (widget()->isEnabled())
      Field()->SetAsDouble(value.toDouble());
  }
  QVariant maximumValue() const override { return QVariant(); }
  QVariant minimumValue() const override {
    return Field()->PositiveNumbersOnly() ? QVariant(0.0) : QVariant();
  }
  QVariant minimumStepSize() const override {
    return Field()->DecimalPlaces() == 0 ? QVariant(1.0) : QVariant(0.0);
  }

 protected:
  QString Shown() const override { return Field()->DisplayText(); }
  int Caret() const override {
    // The editor counts its caret in the digits; the sign and the pound sign come before them.
    const QString shown = Shown();
    int prefix = 0;
    while (prefix < shown.size() && !shown.at(prefix).isDigit() && shown.at(prefix) != '.')
      ++prefix;
    return prefix + Field()->CaretPosition() - 1;
  }
  bool WholeSelected() const override { return Field()->ValueSelected() && widget()->hasFocus(); }
  void ShownChanged() override {
    QAccessibleValueChangeEvent event(object(), Field()->AsDouble());
    QAccessible::updateAccessibility(&event);
    TShownTextAccessible::ShownChanged();
  }

 private:
  TNumericEdit* Field() const { return static_cast<TNumericEdit*>(widget()); }
};

// The list field as Qt presents a drop-down list, but named by its label: on Linux Qt names a
// list by its chosen item and leaves the label to a relation, which a reader only half follows.
// The item is its value; its children are the list of items and, when it has one, its edit.
class TListAccessible : public QAccessibleWidget {
 public:
  explicit TListAccessible(TKwComboEdit* field) : QAccessibleWidget(field, QAccessible::ComboBox) {}

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Value)
      return Field()->lineEdit() != nullptr ? Field()->lineEdit()->text() : Field()->currentText();
    return QAccessibleWidget::text(type);
  }

  int childCount() const override { return Field()->lineEdit() != nullptr ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0)
      return QAccessible::queryAccessibleInterface(Field()->view());
    if (index == 1 && Field()->lineEdit() != nullptr)
      return QAccessible::queryAccessibleInterface(Field()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr)
      return -1;
    if (child->object() == Field()->view())
      return 0;
    if (Field()->lineEdit() != nullptr && child->object() == Field()->lineEdit())
      return 1;
    return -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Field()->DroppedDown();
    state.editable = Field()->lineEdit() != nullptr && widget()->isEnabled();
    return state;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction())
      Field()->SetDroppedDown(!Field()->DroppedDown());
    else
      QAccessibleWidget::doAction(action);
  }

 private:
  TKwComboEdit* Field() const { return static_cast<TKwComboEdit*>(widget()); }
};

QAccessibleInterface* FieldAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("QObject")) {
    if (auto* part = dynamic_cast<TFieldPart*>(object))
      return new TFieldPartAccessible(part);
    return nullptr;
  }
  if (className == QLatin1String("TKwYesNoDlg"))
    return new TYesNoAccessible(static_cast<TKwYesNoDlg*>(object));
  if (className == QLatin1String("TKwComboEdit"))
    return new TListAccessible(static_cast<TKwComboEdit*>(object));
  if (className == QLatin1String("TKwDate"))
    return new TDateAccessible(static_cast<TKwDate*>(object));
  if (className == QLatin1String("TKwTime"))
    return new TTimeAccessible(static_cast<TKwTime*>(object));
  if (className == QLatin1String("TNumericEdit"))
    return new TNumberAccessible(static_cast<TNumericEdit*>(object));
  if (className == QLatin1String("QWidget") && object->property(kGroupProperty).toBool())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  return nullptr;
}

}  // namespace

void InstallFieldAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(FieldAccessibleFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

QString CaptionWithoutMnemonic(const QString& caption) {
  QString plain;
  plain.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption.at(i);
    if (c == QLatin1Char('&') && i + 1 < caption.size()) {
      plain += caption.at(++i);  // "&&" stands for "&"; "&x" for "x"
      continue;
    }
    plain += c == QLatin1Char('\n') || c == QLatin1Char('\r') ? QLatin1Char(' ') : c;
  }
  return plain.simplified();
}

void MarkAsGroup(QWidget* panel, const QString& caption) {
  InstallFieldAccessibility();
  panel->setProperty(kGroupProperty, true);
  panel->setAccessibleName(CaptionWithoutMnemonic(caption));
}
