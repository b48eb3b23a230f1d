#pragma once
// TAcceptanceIntroPage: the acceptance wizard's first page, "Intro". It names the chosen policy
// and its premium, gives the broker's telephone number as the other way to arrange cover, and
// warns that nothing is insured until the cover is confirmed. It has no fields.

#include "transmit/acceptancepage.h"

class TQuoteDetails;

class TAcceptanceIntroPage : public TAcceptancePage {
  Q_OBJECT

 public:
  TAcceptanceIntroPage(const TQuoteDetails& quotation, QWidget* parent);
};
