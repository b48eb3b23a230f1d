#pragma once
// TCaptureDialog: what the detail dialogs of the capture pages share. Their Close button is also
// the Cancel key: Escape and the window's close box run the Close button's own action, which
// decides how the dialog ends (and may keep it open). That action first makes the field being
// edited store its value (StoreEditedField with the Close button), as when the user moves to it.
// The dialog's fields are rows of its binder (Binder().AddRow): the rows load and store them.

#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

#include "capture/fieldbinder.h"
#include "capture/modalresult.h"
#include "controls/dialogbutton.h"
#include "controls/editedfield.h"

class TCaptureDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TCaptureDialog(QWidget* owner);

  // Escape and the close box.
  void reject() override;

 protected:
  // The Close button's action.
  virtual void CloseClicked() = 0;

  // A list view with the given columns, one row selected at a time.
  QTreeWidget* MakeListView(const char* name, const QStringList& columns, const QString& hint,
                            int helpContext);
  // The dialog's fields: Binder().AddRow(form, row) creates a row's control and label, adds
  // them to the form and answers the control.
  TFieldBinder& Binder() { return *binder_; }
  const TFieldBinder& Binder() const { return *binder_; }
  // Lays the dialog out as the widgets one above the other and a Close button below them on the
  // right, which runs CloseClicked; the tab order is `order`, then Close. Answers the button.
  QPushButton* LayOutWithClose(const QList<QWidget*>& widgets, const QList<QWidget*>& order,
                               const QString& closeHint, int closeHelp);
  // Sets the tab order to the order of the list.
  static void SetTabOrder(const QList<QWidget*>& order);

 private:
  TFieldBinder* binder_;
};

// The dialog's result as the page reads it: its exec() result, or what the test driver answers.
int RunCaptureDialog(QDialog& dialog);
