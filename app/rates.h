#pragma once
// The validity of the insurers' rates installed with the quote engine: the start-up question,
// the results dialog's caption suffix and notice, and fetching new rates from the broker's
// rates page in the user's web browser.

#include <QDate>
#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QCheckBox;

// The broker's rates page.
inline const QString kRatesPageAddress =
    QStringLiteral("https://www.quillmarsh.example/motor/rates");

extern const QString kRatesExpiredQuestion;

// The rates are valid up to and including their expiry day; without a recorded date (or
// without settings) they count as expired.
bool RatesExpired(const QDate& today);
// "(The current rates are valid until dd/MM/yyyy)" or "(The current rates are Invalid)".
QString RatesCaptionSuffix(const QDate& today);

// The start-up question when the rates have expired: Yes downloads updates. Nothing is asked
// while they are valid.
void AskAboutExpiredRates(const QDate& today);

// Opens the rates page in the user's web browser; when no browser can be started, tells the user
// the address to type.
void DownloadUpdates();
// How the page is opened (the app seams' opener, app/seams.h; the desktop's URL handler unless a
// test fills in another); answers whether a browser was started.
using TUrlOpener = std::function<bool(const QUrl& url)>;

// TInvalidRatesForm ("Invalid Rates"): the notice shown with the results while the rates are
// expired, unless the user asked not to see it again.
class TInvalidRatesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TInvalidRatesForm(QWidget* parent = nullptr);
  QCheckBox* DontShowCheckBox() const { return dontShow_; }

 private:
  QCheckBox* dontShow_;
};

// Opens the notice modally.
void ShowInvalidRatesNotice(QWidget* parent);
