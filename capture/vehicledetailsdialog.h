#pragma once
// What the vehicle's two detail dialogs (modifications, security devices) share: a list view of
// the objects beneath the vehicle, a group with the details of the selected one, and the Add,
// Remove and Close buttons. Escape and the window's close button act as the Close button, and
// every button first makes the field being edited store its answer.

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

class TVehicleDetailsDialog : public QDialog {
  Q_OBJECT

 public:
  int RowCount() const;
  // The selected row from 0, -1 for none.
  int SelectedRow() const;
  // Selects the row (-1: none) and shows it.
  void SelectRow(int row);

  QTreeWidget* ListView() const { return listView_; }
  QGroupBox* Group() const { return group_; }

 public:
  // The dialog's names and texts.
  struct TNames {
    const char* Form;
    QString Caption;
    const char* ListView;
    QStringList Columns;
    QString ListHint;
    int ListHelp;
    const char* Group;
    // Hints and help contexts of Add, Remove and Close.
    QString AddHint;
    int AddHelp;
    QString RemoveHint;
    int RemoveHelp;
    QString CloseHint;
    int CloseHelp;
  };

 protected:
  TVehicleDetailsDialog(const TNames& names, QWidget* parent);

  // The group's controls go here, in tab order; the buttons follow them.
  QVBoxLayout* GroupLayout() const { return groupLayout_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* RemoveButton() const { return remove_; }
  QPushButton* CloseButton() const { return close_; }
  // Sets the tab order: the list, the given group controls, the buttons.
  void ArrangeTabOrder(std::initializer_list<QWidget*> groupControls);

  // Empties the list view and adds one row per text list (first column the row number).
  void ClearRows();
  void AppendRow(const QStringList& texts);
  void SetRowTexts(int row, const QStringList& texts);
  QString RowText(int row, int column) const;

  // Shows the details of a row (the row is selected); called on every change of the selection.
  // The focus stays where it is: the keys move through the list.
  virtual void ShowRow(int row) = 0;
  // The first of the details, which takes the focus when a row is clicked or added.
  virtual QWidget* FirstDetail() const = 0;
  void FocusDetails();
  // The Add, Remove and Close buttons.
  virtual void AddClicked() = 0;
  virtual void RemoveClicked() = 0;
  virtual void CloseClicked() = 0;
  // Escape and the window's close button close as the Close button does.
  void reject() override;

 private:
  // Every button (and Escape, the close button): the field being edited stores its answer,
  // then the button's action runs, unless the field kept the focus. From the keyboard (a
  // mnemonic, Space) the field has not been left before the click.
  void Pressed(QPushButton* button, void (TVehicleDetailsDialog::*action)());

  QTreeWidget* listView_;
  QGroupBox* group_;
  QVBoxLayout* groupLayout_;
  QPushButton* add_;
  QPushButton* remove_;
  QPushButton* close_;
  bool selecting_ = false;
};
