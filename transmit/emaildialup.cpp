#include "transmit/emaildialup.h"

namespace {

// No phone-book entries: nothing to dial, nothing to hang up.
class TNoDialUpEntries : public TEMailDialUp {
 public:
  bool Dial(QWidget*) override { return false; }
  void HangUp() override {}
};

TEMailDialUpFactory& Factory() {
  static TEMailDialUpFactory factory;
  return factory;
}

}  // namespace

TEMailDialUpFactory SetEMailDialUpFactory(TEMailDialUpFactory factory) {
  TEMailDialUpFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}

std::unique_ptr<TEMailDialUp> CreateEMailDialUp() {
  if (Factory()) {
    if (std::unique_ptr<TEMailDialUp> dialUp = Factory()())
      return dialUp;
  }
  return std::make_unique<TNoDialUpEntries>();
}
