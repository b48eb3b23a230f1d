#pragma once
// TKwComboEdit: an editable drop-down list with type-ahead. Its items come from a Data Server
// list that the owning page fetches when buildList() is emitted; each item carries its Data
// Server code.

#include <QComboBox>
#include <cstdint>

#include "controls/kwfield.h"

enum class TTextCase { tcNone, tcUpperCaps, tcLowerCaps, tcInitialCaps, tcDigit };

class TKwComboEdit : public TKwField<QComboBox, TKwComboEdit> {
  Q_OBJECT
  // Qt's own selection of an item (setCurrentIndex) obeys the field's text rule too.
  Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex)

 public:
  explicit TKwComboEdit(QWidget* parent = nullptr);

  static const QString kNotInListMessage;

  // The Data Server list behind the items; setting it emits buildList().
  std::int32_t ListID() const { return listId_; }
  void SetListID(std::int32_t listId);
  TTextCase TextCase() const { return textCase_; }
  void SetTextCase(TTextCase textCase) { textCase_ = textCase; }
  // The text must be one of the items (checked when the field is left).
  bool ListItemsOnly() const { return listItemsOnly_; }
  void SetListItemsOnly(bool on) { listItemsOnly_ = on; }
  int MaxLength() const;
  void SetMaxLength(int length);
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int count) { setMaxVisibleItems(count); }

  // Items, each with its Data Server code.
  void ClearItems() { clear(); }
  void AddItem(const QString& text, std::int32_t code);
  int ItemCount() const { return count(); }
  QString ItemText(int index) const { return itemText(index); }
  std::int32_t ItemCode(int index) const;
  int IndexOfCode(std::int32_t code) const;
  // The selected item's code; `none` when no item is selected.
  std::int32_t SelectedCode(std::int32_t none = 0) const;
  // The selected item, -1 for none; selecting shows the item's text, -1 empties the text.
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index);
  QString Text() const { return currentText(); }
  // Shows the text, selecting the item it names (ignoring case) when there is one.
  void SetText(const QString& text);
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);

  // The item whose text begins with `prefix` (ignoring case), searched from the second item to
  // the last and the first item last; -1 when none does.
  int FindItemStartingWith(const QString& prefix) const;
  // The first item whose whole text is `text` (ignoring case); -1 when none is.
  int FindItem(const QString& text) const;
  // The item that typed text picks: the item whose whole text it is, else the prefix search.
  int FindTypedItem(const QString& typed) const;

  // Emits buildList(): the page connects its build handler, then builds the list at once.
  void BuildList();

  void showPopup() override;
  void hidePopup() override;

 public slots:
  // Qt's selection, under the same rule as SetItemIndex (an index out of range selects nothing).
  void setCurrentIndex(int index) { SetItemIndex(index); }

 signals:
  void entered();
  void exited();
  // When the user edits the text or picks an item.
  void changed();
  // The items are to be (re)built: the page fills them from the Data Server list ListID().
  void buildList();
  // The drop-down list has just been set up, before it first opens: a page fits it here (its
  // width, its font) rather than with the field, so that lists never opened cost nothing.
  void listSetUp(QAbstractItemView* list);
  // Before and after the field's own handling of a typed key; a handler may change the key or
  // clear it (QChar()) to drop it. Tab arrives as '\t', Enter as '\r', Backspace as '\b'.
  void beforeKeyPress(QChar& key);
  void afterKeyPress(QChar& key);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  TExitCheck CheckOnExit() override;

 private:
  // Handles one key press (from the field or from its open list); false when it types no
  // character and the default handling should have it.
  bool HandleKeyPress(QKeyEvent* event);
  QChar ApplyTextCase(QChar key) const;
  bool WholeTextSelected() const;
  int InsertionPoint() const;
  void TakeTypedText();
  void SelectItem(int index);
  void ShowStartUnlessEditing();
  // The drop-down list, set up for the field the first time it is needed. Qt makes a combo
  // box's list (a pop-up frame with a list view) only when it is first asked for; a page of
  // lists that are never opened then never pays for them.
  QAbstractItemView* List();
  void InsertKey(QChar key, const QKeyEvent& original);
  void MoveListHighlight(QKeyEvent* event);
  void HighlightTypeAhead();
  void CursorToEnd();
  void Changed();

  std::int32_t listId_ = 0;
  TTextCase textCase_ = TTextCase::tcNone;
  bool listItemsOnly_ = true;
  int indexBeforeInsert_ = -1;
  QString textBeforeInsert_;
  QAbstractItemView* list_ = nullptr;  // set up by List(); owned by the box
};
