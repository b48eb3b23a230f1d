#include "motor/quotemessages.h"

#include "dataserver/dsv.h"
#include "dataserver/dsvexport.h"
#include "motor/dsvbuffers.h"
#include "motor/proposallisting.h"

QString DeclinedMessage() {
  return QStringLiteral(
      "All the insurance companies declined to quote for the details that you have "
      "entered\rPlease contact Quillmarsh on 01632 960123");
}

QString EngineNotFoundMessage() {
  return QStringLiteral("The Quote engine cound not be found\rPlease Reinstall the software");
}

QString CoverBeforeTodayMessage() {
  return QStringLiteral(
      "A quotation cannot be obtained for cover prior to today\r\rPlease enter a date on or "
      "after today");
}

bool CoverStartAcceptable(const QDate& start, const QDate& today) {
  return start.isValid() && !(today > start);
}

QString CoverStartRefusal(const QDate& start, const QDate& today, const QDate& ratesExpiry) {
  if (!CoverStartAcceptable(start, today))
    return CoverBeforeTodayMessage();
  // Every insurer would decline a start the installed rates do not reach. Cover from today is
  // still quoted with expired rates (the results say that they are invalid).
  if (ratesExpiry.isValid() && start > ratesExpiry && start > today) {
    return QStringLiteral(
               "A quotation cannot be obtained for cover starting after the current rates "
               "expire\r\rThe current rates are valid until %1; please enter a date on or "
               "before then")
        .arg(ratesExpiry.toString(QStringLiteral("dd/MM/yyyy")));
  }
  return QString();
}

namespace {

// The engine's own words, when it said anything, on a line of their own.
QString WithDetail(const QString& message, const QString& detail) {
  return detail.isEmpty() ? message : message + QStringLiteral("\r") + detail;
}

}  // namespace

QString ValueDoesNotFitReason() {
  std::int32_t id = 0;
  std::int32_t width = 0;
  TDsvTextBuffer text{};
  if (DsvQueryExportRefusal(&id, &width, text.data()) != 0)
    return QString();
  QString field = ListingCaption(id);
  if (field.isEmpty())
    field = QStringLiteral("The answer %1").arg(id, 0, 16).toUpper();
  return QStringLiteral("%1 (%2) is longer than the %3 characters the Quote engine reads")
      .arg(field, FromDsvBuffer(text))
      .arg(width);
}

QString EngineRunMessage(const TEngineRunResult& result) {
  switch (result.Outcome) {
    case TEngineOutcome::Results:
    case TEngineOutcome::Cancelled:
      return QString();
    case TEngineOutcome::InputNotWritten:
      if (result.InputStatus != 0) {
        return QStringLiteral(
                   "The details could not be written for the Quote engine [Error : %1]\rNo "
                   "quotation was obtained")
            .arg(result.InputStatus);
      }
      return WithDetail(
          QStringLiteral("The details could not be written for the Quote engine\rNo quotation "
                         "was obtained"),
          result.Detail);
    case TEngineOutcome::EngineMissing:
      return WithDetail(QStringLiteral("The Quote engine program could not be found\rPlease "
                                       "Reinstall the software"),
                        result.Detail);
    case TEngineOutcome::EngineNotStarted:
      return WithDetail(QStringLiteral("The Quote engine could not be started\rPlease Reinstall "
                                       "the software"),
                        result.Detail);
    case TEngineOutcome::NoResults: {
      const QString ending =
          result.Crashed
              ? QStringLiteral("The Quote engine stopped abnormally")
              : QStringLiteral("The Quote engine ended (exit code %1)").arg(result.ExitCode);
      return WithDetail(ending + QStringLiteral(" without producing any quotations"),
                        result.Detail);
    }
    case TEngineOutcome::ResultsUnreadable:
      return WithDetail(
          QStringLiteral("The quotations produced by the Quote engine could not be read"),
          result.Detail);
    case TEngineOutcome::TimedOut:
      return WithDetail(QStringLiteral("The Quote engine did not finish in time and was "
                                       "stopped\rNo quotation was obtained"),
                        result.Detail);
  }
  return QString();
}
