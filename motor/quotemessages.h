#pragma once
// What a quotation run tells the user, in the program's words ("\r" for line breaks), for the
// results dialog's workflow and the command line alike.

#include <QDate>
#include <QString>

#include "motor/enginerun.h"

// No scheme listed a quotation, and the run was not cancelled.
QString DeclinedMessage();
// The engine's choice file check failed.
QString EngineNotFoundMessage();
// A commencement date before today.
QString CoverBeforeTodayMessage();

// Cover may start today or later; a missing date is refused too.
bool CoverStartAcceptable(const QDate& start, const QDate& today);
// Why cover cannot start on that date (before today, or after the installed rates expire while
// they could still be valid), or empty when it can. An invalid expiry date skips that check.
QString CoverStartRefusal(const QDate& start, const QDate& today, const QDate& ratesExpiry);

// After an export refused a value too wide for its field: the field, the value and the width,
// for the user ("Vehicle's Value (99999999999) is longer than ...").
QString ValueDoesNotFitReason();

// Why a run produced no results, for every outcome but Results and Cancelled (which need no
// message: the results are shown, or the user asked for nothing).
QString EngineRunMessage(const TEngineRunResult& result);
