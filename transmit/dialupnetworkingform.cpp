#include "transmit/dialupnetworkingform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "controls/kwcomboedit.h"
#include "controls/kwedit.h"
#include "controls/modaldialog.h"
#include "platform/prompt.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

void ShowInformation(const QString& text) {
  Ask(PromptKind::Information, PromptButtons::Ok, text);
}

// The component's four handlers that the dialog takes over while it is open.
class THandlersSwap {
 public:
  THandlersSwap(TRAS& ras, TDialUpNewtorkingForm& form)
      : ras_(ras),
        onConnect_(ras.OnConnect),
        onDisconnect_(ras.OnDisconnect),
        onStatus_(ras.OnStatus),
        onError_(ras.OnError) {
    ras.OnConnect = [&form](TRAS* sender) { form.RASConnect(sender); };
    ras.OnDisconnect = [&form](TRAS* sender, quint32 code, const QString& text) {
      form.RASDisconnect(sender, code, text);
    };
    ras.OnStatus = [&form](TRAS* sender, const QString& text) { form.RASStatus(sender, text); };
    ras.OnError = [&form](TRAS* sender, quint32 code) { form.RASError(sender, code); };
  }
  ~THandlersSwap() {
    ras_.OnConnect = onConnect_;
    ras_.OnDisconnect = onDisconnect_;
    ras_.OnStatus = onStatus_;
    ras_.OnError = onError_;
  }

 private:
  TRAS& ras_;
  TRasNotifyEvent onConnect_;
  TRasDisconnectEvent onDisconnect_;
  TRasStatusEvent onStatus_;
  TRasErrorEvent onError_;
};

}  // namespace

TDialUpNewtorkingForm::TDialUpNewtorkingForm(TRAS& ras, QWidget* parent)
    : QDialog(parent),
      ras_(ras),
      picture_(new QLabel(this)),
      userName_(new TKwEdit(this)),
      password_(new TKwEdit(this)),
      connect_(new QPushButton(QStringLiteral("Connect"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      connections_(new TKwComboEdit(this)),
      details_(new QListWidget(this)) {
  setObjectName(QStringLiteral("TDialUpNewtorkingForm"));
  setWindowTitle(QStringLiteral("Dial-up Connection"));
  picture_->setObjectName(QStringLiteral("Picture"));
  picture_->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
  userName_->setObjectName(QStringLiteral("UserNameKwEdit"));
  password_->setObjectName(QStringLiteral("PasswordKwEdit"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // '*'
  connect_->setObjectName(QStringLiteral("OkBitBtn"));
  connect_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  connect_->setDefault(true);
  connect_->setEnabled(false);
  cancel_->setObjectName(QStringLiteral("CancelBitBtn"));
  cancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  connections_->setObjectName(QStringLiteral("ConnectionsKwComboEdit"));
  connections_->SetListItemsOnly(true);
  details_->setObjectName(QStringLiteral("DetailsListBox"));

  auto* intro = new QLabel(QStringLiteral("Select the service you want to connect to."), this);
  intro->setWordWrap(true);
  auto* fields = new QGridLayout;
  fields->addWidget(MakeLabel(this, QStringLiteral("Connect to:"), connections_), 0, 0);
  fields->addWidget(connections_, 0, 1);
  fields->addWidget(MakeLabel(this, QStringLiteral("User name"), userName_), 1, 0);
  fields->addWidget(userName_, 1, 1);
  fields->addWidget(MakeLabel(this, QStringLiteral("Password:"), password_), 2, 0);
  fields->addWidget(password_, 2, 1);
  fields->setColumnStretch(1, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(picture_, 0, Qt::AlignTop);
  top->addWidget(intro, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(connect_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(fields);
  layout->addWidget(details_, 1);
  layout->addLayout(buttons);

  setTabOrder(userName_, password_);
  setTabOrder(password_, connect_);
  setTabOrder(connect_, cancel_);
  setTabOrder(cancel_, connections_);
  setTabOrder(connections_, details_);

  connect(userName_, &TKwEdit::changed, this, [this] { CredentialsChange(); });
  connect(userName_, &TKwEdit::exited, this, [this] { ras_.SetUserName(userName_->Text()); });
  connect(password_, &TKwEdit::changed, this, [this] { CredentialsChange(); });
  connect(password_, &TKwEdit::exited, this, [this] { ras_.SetPassword(password_->Text()); });
  connect(connections_, &TKwComboEdit::changed, this, [this] { ConnectionsKwComboEditChange(); });
  connect(connect_, &QPushButton::clicked, this, &TDialUpNewtorkingForm::OkBitBtnClick);
  connect(cancel_, &QPushButton::clicked, this, &TDialUpNewtorkingForm::CancelBitBtnClick);
}

void TDialUpNewtorkingForm::ShowEntries(const QStringList& entries) {
  connections_->ClearItems();
  for (int i = 0; i < entries.size(); ++i)
    connections_->AddItem(entries.at(i), i);
  connections_->SetItemIndex(0);
  ReloadEntry();
}

void TDialUpNewtorkingForm::ConnectionsKwComboEditChange() {
  ReloadEntry();
}

void TDialUpNewtorkingForm::ReloadEntry() {
  const int index = connections_->ItemIndex();
  userName_->setEnabled(index >= 0);
  password_->setEnabled(index >= 0);
  const QString entry = index >= 0 ? connections_->ItemText(index) : QString();
  if (index >= 0 && ras_.GetEntryDialParams(entry)) {
    ras_.SetEntryName(entry);
    userName_->SetText(ras_.UserName());
    password_->SetText(ras_.Password());
  } else {
    userName_->SetText(QString());
    password_->SetText(QString());
  }
}

void TDialUpNewtorkingForm::CredentialsChange() {
  connect_->setEnabled(!userName_->Text().isEmpty() && !password_->Text().isEmpty());
}

void TDialUpNewtorkingForm::OkBitBtnClick() {
  // Enter reaches this default button without the field being left, so the fields are taken
  // here as well as on exit.
  ras_.SetUserName(userName_->Text());
  ras_.SetPassword(password_->Text());
  const quint32 result = ras_.Dial();
  if (result != 0) {
    ShowInformation(
        QStringLiteral("Unable to connect using the specified connection with error : ") +
        ras_.ErrorText(result) + QStringLiteral("\r") +
        QStringLiteral("Please alter your settings or try again later"));
    ras_.HangUp();
    return;
  }
  EnableDialling(false);
}

void TDialUpNewtorkingForm::CancelBitBtnClick() {
  closingWith_ = QDialog::Rejected;
  ras_.HangUp();
  done(QDialog::Rejected);
}

void TDialUpNewtorkingForm::done(int result) {
  closingWith_ = result;
  if (result != QDialog::Accepted)
    ras_.HangUp();
  QDialog::done(result);
}

void TDialUpNewtorkingForm::EnableDialling(bool enabled) {
  connect_->setEnabled(enabled);
  connections_->setEnabled(enabled);
  userName_->setEnabled(enabled);
  password_->setEnabled(enabled);
}

void TDialUpNewtorkingForm::RASConnect(TRAS*) {
  done(QDialog::Accepted);
}

void TDialUpNewtorkingForm::RASStatus(TRAS*, const QString& text) {
  details_->addItem(text);
}

void TDialUpNewtorkingForm::RASError(TRAS*, quint32 errorCode) {
  ShowInformation(QStringLiteral("Unable to connect to ") + ras_.EntryName() + QStringLiteral(".") +
                  QStringLiteral("\r") + QStringLiteral("\r") + QStringLiteral("Error : ") +
                  ras_.ErrorText(errorCode));
  EnableDialling(true);
}

void TDialUpNewtorkingForm::RASDisconnect(TRAS*, quint32, const QString&) {
  EnableDialling(true);
  if (closingWith_ != QDialog::Rejected)
    ShowInformation(QStringLiteral("There was an error connecting to the server"));
}

bool OpenDialUpDialog(TRAS& ras, QWidget* parent) {
  bool connected = false;
  {
    TDialUpNewtorkingForm form(ras, parent);
    THandlersSwap swap(ras, form);
    form.DetailsListBox()->clear();
    form.ConnectionsKwComboEdit()->ClearItems();
    ras.GetPhoneBookEntries();
    if (!ras.PhoneBookEntries().isEmpty()) {
      form.ShowEntries(ras.PhoneBookEntries());
      form.UserNameKwEdit()->setFocus();
      connected = RunModalDialog(form) == QDialog::Accepted;
    }
  }  // the handlers are restored before the form goes
  // The password typed lives no longer than the dialog and the attempt it was typed for.
  ras.SetPassword(QString());
  return connected;
}
