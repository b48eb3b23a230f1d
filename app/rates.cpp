#include "app/rates.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "app/seams.h"
#include "controls/modaldialog.h"
#include "platform/prompt.h"
#include "settings/displayformats.h"
#include "settings/options.h"

const QString kRatesExpiredQuestion = QStringLiteral(
    "The installed insurance rates are no longer valid.\r\rInsurance companies alter their rates "
    "periodically to take account of the current market. To ensure you get a valid quotation you "
    "need to have the latest rates from each insurer. You can obtain the latest rates free of "
    "charge either from your supplier of this software, or you can download them from the "
    "Internet.\r\rYou may continue to use the old rates if you wish, but you should remember that "
    "the quotations given may not be accurate, however they will give you an indication of the "
    "likely premium.\r\rDo you wish to download the latest rates from the Internet now?");

namespace {

bool OpenInBrowser(const QUrl& url) {
  const TUrlOpener& opener = TAppSeams::Current().urlOpener;
  return opener ? opener(url) : QDesktopServices::openUrl(url);
}

}  // namespace

bool RatesExpired(const QDate& today) {
  TOptions* options = Options();
  return options == nullptr || today > options->GetRatesExpiryDate();
}

QString RatesCaptionSuffix(const QDate& today) {
  if (RatesExpired(today))
    return QStringLiteral("(The current rates are Invalid)");
  return QStringLiteral("(The current rates are valid until %1)")
      .arg(FormatShortDate(Options()->GetRatesExpiryDate()));
}

void AskAboutExpiredRates(const QDate& today) {
  if (!RatesExpired(today))
    return;
  if (Ask(PromptKind::Information, PromptButtons::YesNo, kRatesExpiredQuestion) ==
      PromptAnswer::Yes)
    DownloadUpdates();
}

void DownloadUpdates() {
  // The program does not wait for the browser.
  if (OpenInBrowser(QUrl(kRatesPageAddress)))
    return;
  Ask(PromptKind::Information, PromptButtons::Ok,
      QStringLiteral("There was a problem running the default Internet Browser.\rTo download the "
                     "latest insurance rates please run your Internet\rBrowser and goto the "
                     "following site:\r'") +
          kRatesPageAddress + QStringLiteral("'"));
}

TInvalidRatesForm::TInvalidRatesForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TInvalidRatesForm"));
  setWindowTitle(QStringLiteral("Invalid Rates"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 8);
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("Image1"));
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
  icon->setFixedSize(32, 32);
  grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  const QStringList texts{
      QStringLiteral("The installed insurance rates are no longer valid."),
      QStringLiteral("You may download the latest rates from the Internet by selecting the "
                     "'download' option from the 'File' menu."),
      QStringLiteral("The quoted premiums may be inaccurate and should be used as a guide only."),
  };
  for (int i = 0; i < texts.size(); ++i) {
    auto* label = new QLabel(texts[i], this);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setWordWrap(true);
    grid->addWidget(label, i, 1);
  }
  dontShow_ = new QCheckBox(QStringLiteral("Don't show me this again"), this);
  dontShow_->setObjectName(QStringLiteral("DontShowCheckBox"));
  grid->addWidget(dontShow_, 3, 1);
  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  ok->setObjectName(QStringLiteral("OkButton"));
  ok->setDefault(true);
  grid->addWidget(ok, 4, 0, 1, 2, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  // Checked means "do not notify".
  connect(dontShow_, &QCheckBox::clicked, this, [](bool checked) {
    if (TOptions* options = Options())
      options->SetRatesNotify(!checked);
  });
  setFixedWidth(380);
}

void ShowInvalidRatesNotice(QWidget* parent) {
  TInvalidRatesForm form(parent);
  RunModalDialog(form);
}
