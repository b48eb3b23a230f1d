#pragma once
// TKwComboEdit: an editable drop-down list with type-ahead. Its items come from a Data Server
// list that the owning page fetches in OnBuildList; each item carries its Data Server code.

#include <QComboBox>
#include <cstdint>

#include "controls/controlevents.h"
#include "controls/fieldvisit.h"

enum class TTextCase { tcNone, tcUpperCaps, tcLowerCaps, tcInitialCaps, tcDigit };

class TKwComboEdit : public QComboBox {
  Q_OBJECT

 public:
  explicit TKwComboEdit(QWidget* parent = nullptr);

  static const QString kNotInListMessage;

  // The Data Server list behind the items; setting it runs OnBuildList.
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

  // Assigning the build handler runs it at once.
  void SetOnBuildList(TNotifyEvent<TKwComboEdit> handler);
  void SetOnBeforeKeyPress(TKeyPressEvent<TKwComboEdit> handler) {
    onBeforeKeyPress_ = std::move(handler);
  }
  void SetOnAfterKeyPress(TKeyPressEvent<TKwComboEdit> handler) {
    onAfterKeyPress_ = std::move(handler);
  }
  // OnChange runs when the user edits the text or picks an item.
  void SetOnChange(TNotifyEvent<TKwComboEdit> handler) { onChange_ = std::move(handler); }
  void SetOnEnter(TNotifyEvent<TKwComboEdit> handler) { onEnter_ = std::move(handler); }
  void SetOnExit(TNotifyEvent<TKwComboEdit> handler) { onExit_ = std::move(handler); }

  void showPopup() override;
  void hidePopup() override;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Handles one key press (from the field or from its open list); false when it types no
  // character and the default handling should have it.
  bool HandleKeyPress(QKeyEvent* event);
  QChar ApplyTextCase(QChar key) const;
  bool WholeTextSelected() const;
  int InsertionPoint() const;
  void TakeTypedText();
  void SelectItem(int index);
  void InsertKey(QChar key, const QKeyEvent& original);
  void MoveListHighlight(QKeyEvent* event);
  void HighlightTypeAhead();
  void CursorToEnd();
  void RunBuildList();
  void Changed();
  TExitCheck CheckOnExit();

  std::int32_t listId_ = 0;
  TTextCase textCase_ = TTextCase::tcNone;
  bool listItemsOnly_ = true;
  int indexBeforeInsert_ = -1;
  QString textBeforeInsert_;
  TFieldVisit visit_;
  TNotifyEvent<TKwComboEdit> onBuildList_;
  TKeyPressEvent<TKwComboEdit> onBeforeKeyPress_;
  TKeyPressEvent<TKwComboEdit> onAfterKeyPress_;
  TNotifyEvent<TKwComboEdit> onChange_;
  TNotifyEvent<TKwComboEdit> onEnter_;
  TNotifyEvent<TKwComboEdit> onExit_;
};
