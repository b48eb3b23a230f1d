#pragma once
// TDialUpNewtorkingForm ("Dial-up Connection"): the user picks a dial-up entry, gives user name
// and password and dials; the form closes with OK once the connection is made, which then stays
// up for the caller. OpenDialUpDialog() is the one way to show it.

#include <QDialog>

#include "transmit/ras.h"

class QLabel;
class QListWidget;
class QPushButton;
class TKwComboEdit;
class TKwEdit;

class TDialUpNewtorkingForm : public QDialog {
  Q_OBJECT

 public:
  explicit TDialUpNewtorkingForm(TRAS& ras, QWidget* parent = nullptr);

  TKwEdit* UserNameKwEdit() const { return userName_; }
  TKwEdit* PasswordKwEdit() const { return password_; }
  QPushButton* OkBitBtn() const { return connect_; }
  QPushButton* CancelBitBtn() const { return cancel_; }
  TKwComboEdit* ConnectionsKwComboEdit() const { return connections_; }
  QListWidget* DetailsListBox() const { return details_; }

  // Lists the entries, selects the first and reloads it.
  void ShowEntries(const QStringList& entries);

  // The component's events while the form is open.
  void RASConnect(TRAS* sender);
  void RASDisconnect(TRAS* sender, quint32 errorCode, const QString& errorText);
  void RASStatus(TRAS* sender, const QString& text);
  void RASError(TRAS* sender, quint32 errorCode);

  // Closing the form any other way than with OK hangs up.
  void done(int result) override;

 private:
  void ConnectionsKwComboEditChange();
  void CredentialsChange();
  void OkBitBtnClick();
  void CancelBitBtnClick();
  // Reads the selected entry's dial parameters into the fields.
  void ReloadEntry();
  void EnableDialling(bool enabled);

  TRAS& ras_;
  QLabel* picture_;
  TKwEdit* userName_;
  TKwEdit* password_;
  QPushButton* connect_;
  QPushButton* cancel_;
  TKwComboEdit* connections_;
  QListWidget* details_;
  int closingWith_ = -1;  // the result the form is closing with; -1 while open
};

// Opens the dial-up dialog on the component: answers true exactly when a connection was made
// (it then stays up until `ras.HangUp()`); false when the user cancelled or there is no dial-up
// entry, in which case no dialog is shown. The component's OnConnect, OnDisconnect, OnStatus and
// OnError are the dialog's while it is open and restored after; the password typed is forgotten
// when the dialog closes.
bool OpenDialUpDialog(TRAS& ras, QWidget* parent = nullptr);
