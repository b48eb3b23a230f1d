#pragma once
// TRecordListDialog: the dialogs that edit a list of records (a driver's claims, convictions and
// medical conditions; the vehicle's modifications and security devices) are one shape: a list
// view of the records above a group with the details of the selected one, and Add, Remove and
// Close below. This base keeps the list, the group, the buttons and the order of the three; each
// dialog says how its records are counted, shown, added, stored and removed.
//
// The contract every such dialog keeps:
// - Every way out (Add, Remove, Close, Escape and the window's close box) first makes the field
//   being edited store its answer (StoreEditedField with the button); the button's action runs
//   only when the field let the focus go.
// - Selecting a row shows its record, the focus staying where it is (the keys move through the
//   list); clicking a row also puts the focus on the first detail.
// - The tab order is the list, the details given to Open, then Add, Remove and Close.
// - A dialog with a key (a list field, the first detail, that names the record) keeps the key's
//   rule: when the key is left without a choice the record is removed, after asking, unless the
//   focus moves to Remove (the empty key is stored) or to Close, or the dialog is closing (then
//   it goes without asking).

#include <QGroupBox>
#include <cstdint>

#include "capture/capturedialog.h"

class QFormLayout;
class TKwComboEdit;
class TPendingClick;

class TRecordListDialog : public TCaptureDialog {
  Q_OBJECT

 public:
  // False when the key's list could not be read (the dialog is not to be shown).
  bool ListReady() const { return listReady_; }
  int RowCount() const;
  // The row shown in the details, -1 for none.
  int SelectedRow() const;
  // Selects the row (-1: none) and shows it; the focus stays where it is.
  void SelectRow(int row);
  // Refills the list view from the stored records; with none the details are reset and
  // disabled.
  void RefreshList();

  QTreeWidget* ListView() const { return list_; }
  QGroupBox* Group() const { return details_; }

 protected:
  // The dialog's own texts; %1 is the row number from 1, %2 of NoDescription a line break and of
  // Remove the key's text.
  struct TTexts {
    QString DetailsCaption = {};
    QString NoDescription = {};  // only a dialog with a key
    QString Remove = {};
  };
  // The names, hints and help contexts of the list view, the group and the buttons.
  struct TListHelp {
    const char* ListName = nullptr;
    QStringList Columns = {};
    QString ListHint = {};
    int ListHelp = 0;
    const char* GroupName = nullptr;
    QString AddHint = {};
    int AddHelp = 0;
    QString RemoveHint = {};
    int RemoveHelp = 0;
    QString CloseHint = {};
    int CloseHelp = 0;
  };

  TRecordListDialog(QWidget* owner, TTexts texts);

  // Makes the list view, the details group and the buttons; answers the group's form, to which
  // the dialog adds its fields (Binder().AddRow).
  QFormLayout* BuildFrame(const TListHelp& help);
  // Lays the dialog out and sets the tab order (the list, the fields given, the buttons);
  // connects the list, the key (nullptr: the dialog has none) and the buttons.
  void Open(TKwComboEdit* key, const QList<QWidget*>& fields);
  // Fills the list, adds a record when there is none and shows the first with the focus on its
  // first detail. Nothing when the key's list could not be read.
  void ShowFirstRecord();

  // The records stored now (the list view shows them after RefreshList).
  virtual int StoredCount() const = 0;
  // The row's columns from its record.
  virtual void WriteRow(int row) = 0;
  // The details of an empty list.
  virtual void ResetDetails() = 0;
  // The details from the row's record (the group caption is set already).
  virtual void ShowRecord(int row) = 0;
  // Stores the key chosen for the row's record and rewrites its row (only a dialog with a key).
  virtual void StoreKey(int /*row*/, std::int32_t /*code*/) {}
  // Takes the row's record out of the stored records; false when nothing was removed (the list
  // stays as it is).
  virtual bool RemoveRecord(int row) = 0;
  // The Add button: appends a record and shows it.
  virtual void AddRecord() = 0;
  // The detail that takes the focus when a row is clicked or added: the key.
  virtual QWidget* FirstDetail() const;
  // A click on a row: shows it and puts the focus on the first detail.
  virtual void ListViewClick();
  // The Remove button, after the field being edited stored its answer: asks (the Remove text)
  // and removes the selected record, the focus going to the first detail.
  virtual void RemoveClicked();
  // The Close button, after the field being edited stored its answer: ends with OK when at
  // least one record is listed, otherwise with Cancel.
  virtual void Closing();

  // Shows the selected row; with focus the first detail takes the focus.
  void ShowRow(bool focus);
  // Adds a row for the last stored record, selects and shows it.
  void ShowNewRow();
  // Removes the row's record, refills the list and shows the same row (or the one before).
  void RemoveAt(int row, bool focus);
  void FocusDetails();
  QString RowText(int row, int column) const;
  // The Close button's action (and Escape's): stores the field being edited, then Closing().
  void CloseClicked() final;

  QTreeWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  TKwComboEdit* key_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* close_ = nullptr;
  bool listReady_ = true;

 private:
  void KeyLeft();
  void AddBitBtnClick();
  void RemoveBitBtnClick();

  TTexts texts_;
  bool closing_ = false;
  // Add pressed by the mouse while the record has no key: the question comes first, then Add
  // acts once or not at all.
  TPendingClick* pendingClick_ = nullptr;
};
