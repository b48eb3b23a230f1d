#include "settings/optionsnotifier.h"

TOptionsNotifier& OptionsNotifier() {
  static TOptionsNotifier notifier;
  return notifier;
}
