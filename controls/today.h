#pragma once
// Today's date as the fields see it (default date, two-digit year completion, cleared details).
// Tests fix the date through the controls seams.

#include <QDate>
#include <functional>

QDate Today();

// What the controls seams (controls/seams.h) hold in place of the local clock.
using TodayProvider = std::function<QDate()>;
