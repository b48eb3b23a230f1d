#pragma once
// TRecordListDialog: the claims, convictions and medical conditions dialogs are one shape: a list
// of a driver's records above the details of the selected one, the first detail a list field
// that names the record (its key), and Add, Remove and Close below. This base keeps the list,
// the key's rules (a record left without a key is removed, after asking) and the buttons; each
// dialog says how its records are counted, shown, stored and removed.

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
  // The row shown in the details, -1 for none.
  int SelectedRow() const;

 protected:
  // The dialog's own texts; %1 is the row number from 1, %2 of NoDescription a line break and of
  // Remove the key's text.
  struct TTexts {
    QString DetailsCaption;
    QString NoDescription;
    QString Remove;
  };
  // The hints and help contexts of the list view and the buttons (Close's hint is common).
  struct TListHelp {
    const char* ListName;
    QStringList Columns;
    const char* ListHint;
    int ListHelp;
    const char* GroupName;
    const char* AddHint;
    int AddHelp;
    const char* RemoveHint;
    int RemoveHelp;
    int CloseHelp;
  };

  TRecordListDialog(QWidget* owner, TTexts texts);

  // Makes the list view, the details group and the buttons; answers the group's form, to which
  // the dialog adds its key and fields.
  QFormLayout* BuildFrame(const TListHelp& help);
  // Lays the dialog out and sets the tab order (the list, the fields given, the buttons);
  // connects the list, the key and the buttons; fills the list, adds a record when there is
  // none and shows the first. The dialog's constructor calls it last.
  void Open(TKwComboEdit* key, const QList<QWidget*>& fields);

  // The records stored now (the list view shows them after RefreshList).
  virtual int StoredCount() const = 0;
  // The row's columns from its record.
  virtual void WriteRow(int row) = 0;
  // The details of an empty list.
  virtual void ResetDetails() = 0;
  // The details from the row's record (the group caption is set already).
  virtual void ShowRecord(int row) = 0;
  // Stores the key chosen for the row's record.
  virtual void StoreKey(int row, std::int32_t code) = 0;
  // Takes the row's record out of the stored records.
  virtual void RemoveRecord(int row) = 0;
  // The Add button: appends a record and shows it.
  virtual void AddRecord() = 0;

  void RefreshList();
  // Shows the selected row; with focusKey the key takes the focus.
  void ShowRow(bool focusKey);
  // Adds a row for the last stored record, selects and shows it.
  void ShowNewRow();
  // Ends with OK when at least one record is listed, otherwise with Cancel.
  void CloseClicked() override;

  QTreeWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  TKwComboEdit* key_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* close_ = nullptr;
  bool listReady_ = true;

 private:
  void KeyLeft();
  void RemoveAt(int row, bool focusKey);
  void AddClicked();
  void RemoveClicked();

  TTexts texts_;
  bool closing_ = false;
  // Add pressed by the mouse while the record has no key: the question comes first, then Add
  // acts once or not at all.
  TPendingClick* pendingClick_ = nullptr;
};
