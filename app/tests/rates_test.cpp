// The rates' validity: the expiry day itself is valid, the start-up question and the browser,
// the caption suffix and the "Invalid Rates" notice.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/rates.h"
#include "app/tests/appfixture.h"
#include "controls/modaldialog.h"

using namespace OptionKeys;

namespace {

class TUrlRecorder {
 public:
  explicit TUrlRecorder(bool opens) {
    TAppSeams::Current().urlOpener = [this, opens](const QUrl& url) {
      urls.append(url.toString());
      return opens;
    };
  }
  QStringList urls;

 private:
  const TSeamsGuard seams_;
};

const QString kBrowserProblem = QStringLiteral(
    "There was a problem running the default Internet Browser.\rTo download the latest insurance "
    "rates please run your Internet\rBrowser and goto the following site:\r'"
    "https://www.quillmarsh.example/motor/rates'");

}  // namespace

class Rates : public AppTest {
 protected:
  void ExpireOn(const QDate& day) {
    store_.WriteInteger(kQuoteEngine, kExpiryDate, DayNumber(day));
  }
};

TEST_F(Rates, ValidOnTheExpiryDayAndExpiredTheDayAfter) {
  StartProgramUnits();
  const QDate expiry(2027, 3, 31);
  ExpireOn(expiry);
  EXPECT_FALSE(RatesExpired(expiry));
  EXPECT_EQ(RatesCaptionSuffix(expiry),
            QStringLiteral("(The current rates are valid until 31/03/2027)"));
  EXPECT_TRUE(RatesExpired(expiry.addDays(1)));
  EXPECT_EQ(RatesCaptionSuffix(expiry.addDays(1)),
            QStringLiteral("(The current rates are Invalid)"));
  AskAboutExpiredRates(expiry);
  EXPECT_TRUE(prompter_->Prompts().isEmpty());
  // No recorded date: expired.
  store_.DeleteValue(kQuoteEngine, kExpiryDate);
  EXPECT_TRUE(RatesExpired(QDate(2000, 1, 1)));
}

TEST_F(Rates, TheStartUpQuestionOffersTheRatesPage) {
  ExpireOn(QDate::currentDate().addDays(-1));
  TUrlRecorder browser(true);
  prompter_->QueueAnswer(PromptAnswer::Yes);
  StartWindow();
  ASSERT_EQ(prompter_->Prompts().size(), 1);
  EXPECT_EQ(prompter_->Prompts()[0].text, kRatesExpiredQuestion);
  EXPECT_TRUE(prompter_->Prompts()[0].text.startsWith(
      "The installed insurance rates are no longer valid.\r\rInsurance companies alter"));
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
  EXPECT_EQ(prompter_->Prompts()[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(browser.urls, QStringList{"https://www.quillmarsh.example/motor/rates"});
}

TEST_F(Rates, WithoutABrowserTheUserIsToldTheAddress) {
  StartProgramUnits();
  TUrlRecorder browser(false);
  DownloadUpdates();
  EXPECT_EQ(prompter_->Texts(), QStringList{kBrowserProblem});
  EXPECT_EQ(prompter_->Prompts()[0].kind, PromptKind::Information);
}

TEST_F(Rates, TheNoticeTicksRatesNotifyOffAndOnAgain) {
  StartProgramUnits();
  TInvalidRatesForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Invalid Rates"));
  EXPECT_FALSE(form.DontShowCheckBox()->isChecked());
  EXPECT_EQ(form.DontShowCheckBox()->text(), QStringLiteral("Don't show me this again"));
  EXPECT_TRUE(form.findChild<QPushButton*>(QStringLiteral("OkButton"))->isDefault());
  QStringList texts;
  for (int i = 1; i <= 3; ++i)
    texts.append(form.findChild<QLabel*>(QStringLiteral("Label%1").arg(i))->text());
  EXPECT_EQ(texts, (QStringList{"The installed insurance rates are no longer valid.",
                                "You may download the latest rates from the Internet by selecting "
                                "the 'download' option from the 'File' menu.",
                                "The quoted premiums may be inaccurate and should be used as a "
                                "guide only."}));
  form.DontShowCheckBox()->click();
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kRatesNotify), kNo);
  form.DontShowCheckBox()->click();
  EXPECT_EQ(store_.ReadText(kQuoteEngine, kRatesNotify), kYes);
}
