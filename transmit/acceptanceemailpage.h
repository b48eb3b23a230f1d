#pragma once
// TAcceptanceEmailPage: the acceptance wizard's last page, "Email": how this computer reaches
// the Internet (dial-up networking, a local network or proxy, or a connection the user makes
// by hand), one radio button each, with a help text that follows the choice. The choice is
// the wizard's own: it is not part of the proposal and outlives the page's visits.

#include "transmit/acceptancepage.h"
#include "transmit/emailform.h"

class QRadioButton;

class TAcceptanceEmailPage : public TAcceptancePage {
  Q_OBJECT

 public:
  explicit TAcceptanceEmailPage(QWidget* parent);

  // Dial-up until the user chooses otherwise.
  TConnectionMethod Method() const { return method_; }
  // The page has just been shown: checks and focuses the choice made last.
  void Enter();
  // The choices in tab order.
  QWidget* FirstField() const;
  QWidget* LastField() const;

 private:
  QRadioButton* AddChoice(const char* name, const QString& caption, TConnectionMethod method,
                          const QString& help);
  void ChoiceClick(QRadioButton* choice);

  TConnectionMethod method_ = TConnectionMethod::DialUp;
  QRadioButton* dialUp_ = nullptr;
  QRadioButton* lan_ = nullptr;
  QRadioButton* manual_ = nullptr;
  QLabel* help_ = nullptr;
};
