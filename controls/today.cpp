#include "controls/today.h"

namespace {

TodayProvider& CurrentTodayProvider() {
  static TodayProvider provider;
  return provider;
}

}  // namespace

QDate Today() {
  if (CurrentTodayProvider())
    return CurrentTodayProvider()();
  return QDate::currentDate();
}

TodayProvider SetTodayProvider(TodayProvider provider) {
  TodayProvider previous = CurrentTodayProvider();
  CurrentTodayProvider() = std::move(provider);
  return previous;
}
