#include "transmit/acceptanceintropage.h"

#include <QLabel>
#include <QVBoxLayout>

#include "motor/quotedetails.h"

TAcceptanceIntroPage::TAcceptanceIntroPage(const TQuoteDetails& quotation, QWidget* parent)
    : TAcceptancePage("Intro", parent) {
  AddText(QStringLiteral("You have chosen the following policy:"));
  QLabel* company = AddHeading(QString());
  company->setObjectName(QStringLiteral("AcceptCompanyLabel"));
  company->setAlignment(Qt::AlignCenter);
  company->setText(QStringLiteral("%1 - \u00A3%2 (Incl Insurance Premium Tax)")
                       .arg(quotation.InsurerName, QString::asprintf("%3.2f", quotation.Premium)));
  AddText(
      QStringLiteral("In order to get cover for this policy you must notify Quillmarsh of "
                     "your details and provide payment of the required premium."));
  AddText(QStringLiteral("You may either telephone Quillmarsh on:"));
  QLabel* telephone = AddHeading(QStringLiteral("01632 960123"));
  telephone->setObjectName(QStringLiteral("TelephoneLabel"));
  telephone->setAlignment(Qt::AlignCenter);
  AddText(QStringLiteral(
      "Or alternatively you can email your entered details directly to  Quillmarsh, who will "
      "then call you back to confirm the cover and take payment. Click the Next button and the "
      "next few screens will guide you through how to email the details to Quillmarsh."));
  Column()->addStretch(1);
  QLabel* note = AddHeading(QStringLiteral(
      "Note - you are not insured until payment has been received and the cover confirmed."));
  note->setObjectName(QStringLiteral("NoteLabel"));
  note->setAlignment(Qt::AlignCenter);
  note->setAutoFillBackground(true);
  QPalette banner = note->palette();
  banner.setColor(QPalette::Window, Qt::red);
  banner.setColor(QPalette::WindowText, Qt::white);
  note->setPalette(banner);
  note->setMargin(6);
}
