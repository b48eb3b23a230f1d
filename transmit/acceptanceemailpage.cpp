#include "transmit/acceptanceemailpage.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What each connection choice stands for.
const char* const kMethodProperty = "qmConnectionMethod";
const char* const kHelpProperty = "qmConnectionHelp";

}  // namespace

TAcceptanceEmailPage::TAcceptanceEmailPage(QWidget* parent) : TAcceptancePage("Email", parent) {
  AddHeading(
      QStringLiteral("Select the connection method for attaching this computer to the "
                     "Internet."));
  auto* choices = new QGroupBox(QStringLiteral("How do you connect to the Internet?"), this);
  choices->setObjectName(QStringLiteral("ConnectionGroupBox"));
  auto* helpBox = new QGroupBox(QStringLiteral("Help"), this);
  helpBox->setObjectName(QStringLiteral("HelpGroupBox"));
  help_ = new QLabel(helpBox);
  help_->setObjectName(QStringLiteral("HelpLabel"));
  help_->setWordWrap(true);
  help_->setTextFormat(Qt::PlainText);
  help_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  help_->setMinimumHeight(help_->fontMetrics().lineSpacing() * 3);
  (new QVBoxLayout(helpBox))->addWidget(help_);

  dialUp_ = AddChoice(
      "DialUpNetworkingRadioButton",
      QStringLiteral("I connect to the Internet using a Dial Up Networking Connection"),
      TConnectionMethod::DialUp,
      QStringLiteral("Select this option if you normally connect to the Internet using a modem "
                     "attached to this computer and a Dial-Up Networking connection."));
  lan_ = AddChoice(
      "LANRadioButton",
      QStringLiteral("I connect to the Internet through a Local Area Network or Proxy Server"),
      TConnectionMethod::LocalNetwork,
      QStringLiteral("Select this option if your computer is connected to a Local Area Network "
                     "that provides a gateway onto the Internet."));
  manual_ = AddChoice(
      "ManualRadioButton", QStringLiteral("I will manually connect to the Internet"),
      TConnectionMethod::Manual,
      QStringLiteral("Select this option if you normally have to run a specific program or "
                     "application to make a connection to the Internet."));
  auto* choicesLayout = new QVBoxLayout(choices);
  for (QRadioButton* choice : {dialUp_, lan_, manual_}) {
    choice->setParent(choices);
    choicesLayout->addWidget(choice);
  }
  setTabOrder(dialUp_, lan_);
  setTabOrder(lan_, manual_);
  Column()->addWidget(choices);
  Column()->addWidget(helpBox);
  Column()->addStretch(1);
}

QRadioButton* TAcceptanceEmailPage::AddChoice(const char* name, const QString& caption,
                                              TConnectionMethod method, const QString& help) {
  auto* choice = new QRadioButton(caption, this);
  choice->setObjectName(QString::fromLatin1(name));
  choice->setProperty(kMethodProperty, static_cast<int>(method));
  choice->setProperty(kHelpProperty, help);
  // Choosing by mouse, Space or the arrow keys.
  connect(choice, &QRadioButton::toggled, this, [this, choice](bool checked) {
    if (checked)
      ChoiceClick(choice);
  });
  return choice;
}

void TAcceptanceEmailPage::ChoiceClick(QRadioButton* choice) {
  method_ = static_cast<TConnectionMethod>(choice->property(kMethodProperty).toInt());
  help_->setText(choice->property(kHelpProperty).toString());
}

void TAcceptanceEmailPage::Enter() {
  QRadioButton* chosen = method_ == TConnectionMethod::LocalNetwork ? lan_
                         : method_ == TConnectionMethod::Manual     ? manual_
                                                                    : dialUp_;
  chosen->setChecked(true);
  ChoiceClick(chosen);  // also when it was checked already: the help follows the choice
  chosen->setFocus(Qt::OtherFocusReason);
}

QWidget* TAcceptanceEmailPage::FirstField() const {
  return dialUp_;
}

QWidget* TAcceptanceEmailPage::LastField() const {
  return manual_;
}
