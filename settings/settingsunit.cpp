#include "settings/settingsunit.h"

#include "settings/displayformats.h"
#include "settings/options.h"

int StartSettings(const std::function<int()>& openQuoteEngine) {
  InstallDisplayFormats();
  CreateOptions();
  return openQuoteEngine ? openQuoteEngine() : 0;
}

void EndSettings(const std::function<void()>& closeQuoteEngine) {
  if (closeQuoteEngine)
    closeQuoteEngine();
  ReleaseOptions();
}
