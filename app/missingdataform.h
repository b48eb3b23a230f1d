#pragma once
// TMissingDataForm ("Missing Details"): the answers a quotation still needs, in a small tool
// window on top of the main window that leads the user to each field in turn. Next checks the
// proposal again and moves to the next missing answer; once nothing is missing it closes, and a
// form opened by Quote then goes on with the quotation. The form follows the focus around the
// main window, and hints stay off while it is open.
//
// At most one exists at a time. The list comes from the missing-data check of motor/.

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include "motor/missingdata.h"

class QListWidget;
class QPushButton;
class TTolvaneForm;

// Where the form goes beside a field (both in global coordinates): its top-left corner 5 pixels
// below the field's bottom-left corner; above the field, its bottom 5 pixels above the field's
// top, when it would reach past the bottom of the screen; moved left to end 5 pixels inside the
// screen's right edge when it would end closer to it.
QPoint MissingDataFormPosition(const QRect& field, const QSize& form, const QRect& screen);

class TMissingDataForm : public QDialog {
  Q_OBJECT

 public:
  static const QString kCaption;
  static const QString kText;
  static constexpr int kNextHelpContext = 120403;
  static constexpr int kCloseHelpContext = 120505;

  // The missing-data check of the quotation workflow. Answers true when nothing is missing (a
  // form that is open closes without going on). Otherwise the form (the open one, or a new one)
  // lists what is missing and, from the event loop, leads the user to the first item.
  static bool CheckMissingData(TTolvaneForm* window, bool openedByQuote);
  // The form that is open, or nullptr.
  static TMissingDataForm* Current();

  ~TMissingDataForm() override;

  QListWidget* MissingDataListBox() const { return missingDataListBox_; }
  QPushButton* NextBitBtn() const { return nextBitBtn_; }
  QPushButton* CloseBitBtn() const { return closeBitBtn_; }
  // The items listed, and the control that takes each (nullptr when its page has no such field).
  const QList<TMissingItem>& Items() const { return items_; }
  const QList<QPointer<QWidget>>& Fields() const { return fields_; }
  QString LastMovedTo() const { return lastText_; }
  bool OpenedByQuote() const { return openedByQuote_; }

  // Next: checks again; closes when nothing is missing, else moves on to the next item.
  void NextBitBtnClick();
  // Switches to the item's page, places the form beside its field and focuses the field.
  void ShowItem(int index);

 protected:
  void done(int result) override;

 private:
  explicit TMissingDataForm(TTolvaneForm* window);
  // Lets the field being edited store its value, then lists what is missing; answers how many.
  int Refresh();
  // Re-selects the item last moved to (or the one before its old place) and walks forward to
  // the next item whose field is enabled.
  void MoveNext();
  void PlaceBeside(QWidget* control);
  QWidget* FieldFor(const TMissingItem& item) const;

  TTolvaneForm* window_;
  QListWidget* missingDataListBox_;
  QPushButton* nextBitBtn_;
  QPushButton* closeBitBtn_;
  QList<TMissingItem> items_;
  QList<QPointer<QWidget>> fields_;
  QString lastText_;
  int lastIndex_ = 0;
  bool savedHints_ = false;
  bool openedByQuote_ = false;
  bool closing_ = false;
};
