#include "transmit/net/netmessage.h"

#include <cstdlib>

#include "transmit/net/netexceptions.h"

QString HeaderName(THeader header) {
  switch (header) {
    case THeader::From:
      return QStringLiteral("From");
    case THeader::Organization:
      return QStringLiteral("Organization");
    case THeader::References:
      return QStringLiteral("References");
    case THeader::ReplyTo:
      return QStringLiteral("Reply-To");
    case THeader::Subject:
      return QStringLiteral("Subject");
    case THeader::To:
      return QStringLiteral("To");
    case THeader::MessageID:
      return QStringLiteral("Message-ID");
  }
  return QString();
}

qsizetype TNetMessage::IndexOf(const QString& name) const {
  for (qsizetype i = 0; i < headers_.size(); ++i) {
    const qsizetype equals = headers_[i].indexOf(QLatin1Char('='));
    const QString entryName = equals < 0 ? headers_[i] : headers_[i].left(equals);
    if (entryName.compare(name, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

QString TNetMessage::Header(const QString& name) const {
  const qsizetype i = IndexOf(name);
  if (i < 0)
    return QString();
  const qsizetype equals = headers_[i].indexOf(QLatin1Char('='));
  return equals < 0 ? QString() : headers_[i].mid(equals + 1);
}

void TNetMessage::SetHeader(const QString& name, const QString& value) {
  const qsizetype i = IndexOf(name);
  if (value.isEmpty()) {
    if (i >= 0)
      headers_.removeAt(i);
    return;
  }
  const QString entry = name + QLatin1Char('=') + value;
  if (i >= 0)
    headers_[i] = entry;
  else
    headers_ << entry;
}

namespace {

QString StripQuotes(const QString& text) {
  if (text.size() >= 2) {
    const QChar first = text.front();
    if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && text.back() == first)
      return text.mid(1, text.size() - 2).trimmed();
  }
  return text;
}

}  // namespace

QString ExtractAddress(const QString& entry, QString* name) {
  const QString text = entry.trimmed();
  QString address = text;
  QString shown;
  if (text.endsWith(QLatin1Char('>'))) {
    const qsizetype open = text.indexOf(QLatin1Char('<'));
    if (open >= 0) {
      address = text.mid(open + 1, text.size() - open - 2).trimmed();
      shown = text.left(open).trimmed();
    }
  } else if (text.endsWith(QLatin1Char(')'))) {
    const qsizetype open = text.indexOf(QLatin1Char('('));
    if (open >= 0) {
      address = text.left(open).trimmed();
      shown = text.mid(open + 1, text.size() - open - 2).trimmed();
    }
  }
  if (name != nullptr) {
    shown = StripQuotes(shown);
    *name = shown.isEmpty() ? address : shown;
  }
  return address;
}

QString DateHeaderValue(const QDateTime& moment) {
  if (!moment.isValid())
    throw ENetException(QStringLiteral("Failed attempting to retrieve time zone information."));
  static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate date = moment.date();
  const QTime time = moment.time();
  const int offsetMinutes = moment.offsetFromUtc() / 60;
  const int zone = std::abs(offsetMinutes);
  return QStringLiteral("%1, %2 %3 %4 %5 %6%7")
      .arg(QLatin1String(kDays[date.dayOfWeek() - 1]))
      .arg(date.day())
      .arg(QLatin1String(kMonths[date.month() - 1]))
      .arg(date.year(), 4, 10, QLatin1Char('0'))
      .arg(time.toString(QStringLiteral("HH:mm:ss")))
      .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
      .arg(QStringLiteral("%1%2")
               .arg(zone / 60, 2, 10, QLatin1Char('0'))
               .arg(zone % 60, 2, 10, QLatin1Char('0')));
}
