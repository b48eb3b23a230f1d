#include "app/policyconditionsform.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include "controls/kwdate.h"
#include "controls/today.h"
#include "motor/getmotordsv.h"
#include "motor/quotemessages.h"
#include "platform/prompt.h"
#include "settings/options.h"

const QString TAcceptPolicyConditionsForm::kCaption =
    QStringLiteral("Are the following criteria met?");

const QStringList TAcceptPolicyConditionsForm::kConditions = {
    QStringLiteral("The Quotations generated are only valid where the following conditions are "
                   "met:"),
    QStringLiteral(" ALL Insured Drivers MUST NOT:"),
    QStringLiteral(" - At any time previously been Refused insurance cover"),
    QStringLiteral(" - At any time had a previous insurance policy Cancelled, or had Special "
                   "Terms or an Increased Premium applied to a previous insurance policy"),
    QStringLiteral(" - Have been Convicted of any criminal offence, other than motoring offences "
                   "specified for this quotation"),
    QStringLiteral(" - Have any Prosecutions currently pending a hearing or conviction"),
    QStringLiteral(" No Claims Discount"),
    QStringLiteral(" - If you have entered a number of years claim free driving, you will be "
                   "required to provide proof from your previous insurance company (usually your "
                   "renewal notice will indicate the number of claim free years)"),
};

namespace {

bool IsHeading(const QString& text) {
  return text.startsWith(QLatin1Char(' ')) && !text.startsWith(QLatin1String(" -"));
}

}  // namespace

TAcceptPolicyConditionsForm::TAcceptPolicyConditionsForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAcceptPolicyConditionsForm"));
  setWindowTitle(kCaption);
  setModal(true);

  // The conditions, in a box of their own that the keyboard can scroll.
  conditionsBox_ = new QScrollArea(this);
  conditionsBox_->setObjectName(QStringLiteral("ConditionsScrollBox"));
  conditionsBox_->setWidgetResizable(true);
  conditionsBox_->setFocusPolicy(Qt::StrongFocus);
  auto* texts = new QWidget(conditionsBox_);
  auto* textColumn = new QVBoxLayout(texts);
  int number = 1;
  for (const QString& condition : kConditions) {
    auto* label = new QLabel(condition, texts);
    label->setObjectName(QStringLiteral("ConditionLabel%1").arg(number++));
    label->setWordWrap(true);
    if (IsHeading(condition)) {
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
    }
    textColumn->addWidget(label);
  }
  textColumn->addStretch();
  conditionsBox_->setWidget(texts);

  auto* commenceLabel = new QLabel(QStringLiteral("I would require cover to commence from"), this);
  commenceLabel->setObjectName(QStringLiteral("CommenceLabel"));
  commenceKwDate_ = new TKwDate(this);
  commenceKwDate_->setObjectName(QStringLiteral("CommenceKwDate"));
  commenceKwDate_->SetTreatTodayAsNegative(true);
  commenceLabel->setBuddy(commenceKwDate_);

  okBitBtn_ = new QPushButton(QStringLiteral("Ok"), this);
  okBitBtn_->setObjectName(QStringLiteral("OkBitBtn"));
  okBitBtn_->setDefault(true);
  cancelBitBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelBitBtn_->setObjectName(QStringLiteral("CancelBitBtn"));
  connect(okBitBtn_, &QPushButton::clicked, this, &TAcceptPolicyConditionsForm::OkBitBtnClick);
  connect(cancelBitBtn_, &QPushButton::clicked, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addWidget(conditionsBox_, 1);
  auto* commence = new QHBoxLayout;
  commence->addWidget(commenceLabel);
  commence->addWidget(commenceKwDate_);
  commence->addStretch();
  column->addLayout(commence);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okBitBtn_);
  buttons->addWidget(cancelBitBtn_);
  column->addLayout(buttons);
  resize(480, 360);

  // The texts, the date, then the buttons.
  setTabOrder(conditionsBox_, commenceKwDate_);
  setTabOrder(commenceKwDate_, okBitBtn_);
  setTabOrder(okBitBtn_, cancelBitBtn_);
  Reset();
}

void TAcceptPolicyConditionsForm::Reset() {
  conditionsBox_->verticalScrollBar()->setValue(0);
  const QDate today = Today();
  commenceKwDate_->SetDate(static_cast<std::uint16_t>(today.day()),
                           static_cast<std::uint16_t>(today.month()),
                           static_cast<std::uint16_t>(today.year()));
  conditionsBox_->setFocus(Qt::OtherFocusReason);
}

void TAcceptPolicyConditionsForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous())
    Reset();
}

void TAcceptPolicyConditionsForm::OkBitBtnClick() {
  const QDate start(commenceKwDate_->Year(), commenceKwDate_->Month(), commenceKwDate_->Day());
  const QDate expiry = Options() != nullptr ? Options()->GetRatesExpiryDate() : QDate();
  if (const QString refusal = CoverStartRefusal(start, Today(), expiry); !refusal.isEmpty()) {
    Ask(PromptKind::Information, PromptButtons::Ok, refusal);
    commenceKwDate_->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A date the Data Server refused has been reported by the binding; the user may try again.
  if (SetPolicyStartDate(start))
    accept();
}
