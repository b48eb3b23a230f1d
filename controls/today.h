#pragma once
// Today's date as the fields see it (default date, two-digit year completion, cleared details).
// Tests fix the date by installing a provider.

#include <QDate>
#include <functional>

QDate Today();

using TodayProvider = std::function<QDate()>;
// Installs a provider (nullptr restores the local clock) and answers the previous one.
TodayProvider SetTodayProvider(TodayProvider provider);
