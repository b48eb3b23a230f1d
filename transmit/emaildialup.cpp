#include "transmit/emaildialup.h"

#include "transmit/dialupnetworkingform.h"
#include "transmit/ras.h"
#include "transmit/seams.h"

namespace {

// The program's dial-up networking: the "Dial-up Connection" dialog on a TRAS component, made
// when first needed so that a dialog that never dials never touches the remote-access layer.
class TRasEMailDialUp : public TEMailDialUp {
 public:
  bool Available() override {
    Ras().GetPhoneBookEntries();
    return !Ras().PhoneBookEntries().isEmpty();
  }
  bool Dial(QWidget* parent) override { return OpenDialUpDialog(Ras(), parent); }
  void HangUp() override {
    if (ras_ && ras_->Connection() != 0)
      ras_->HangUp();
  }

 private:
  TRAS& Ras() {
    if (!ras_) {
      ras_ = std::make_unique<TRAS>();
      ras_->SetRedialAttempts(3);
    }
    return *ras_;
  }

  std::unique_ptr<TRAS> ras_;
};

}  // namespace

std::unique_ptr<TEMailDialUp> CreateEMailDialUp() {
  if (const TEMailDialUpFactory& factory = TTransmitSeams::Current().emailDialUp) {
    if (std::unique_ptr<TEMailDialUp> dialUp = factory())
      return dialUp;
  }
  return std::make_unique<TRasEMailDialUp>();
}
