#pragma once
// One mail message: its headers, body lines, recipients and attachments, and the address and
// date rules of its headers.
//
// Headers are a list of "Name=value" entries looked up by name without regard to case: setting
// an empty value removes the header, setting an absent one appends it at the end, setting one
// that is there replaces it in place. The list order is the order on the wire.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

struct TAttachment {
  QString FileName;        // the name shown in the message
  QString StoredPathName;  // the file's full path
};

// Header names used by index.
enum class THeader { From, Organization, References, ReplyTo, Subject, To, MessageID };
QString HeaderName(THeader header);

class TNetMessage {
 public:
  QString Header(const QString& name) const;
  QString Header(THeader header) const { return Header(HeaderName(header)); }
  void SetHeader(const QString& name, const QString& value);
  void SetHeader(THeader header, const QString& value) { SetHeader(HeaderName(header), value); }
  // Every entry as "Name=value", in order.
  const QStringList& Headers() const { return headers_; }

  QStringList Text;        // the body, one line each
  QStringList Too;         // To
  QStringList CCList;      // Cc
  QStringList BCCList;     // Bcc
  QStringList Newsgroups;  // unused by mail, kept for the header
  QString ContentType = QStringLiteral("text/plain");
  QList<TAttachment> Attachments;
  bool UseNowForDate = true;

 private:
  qsizetype IndexOf(const QString& name) const;
  QStringList headers_;
};

// The address of a recipient entry: "Name <addr>" gives addr, "addr (Name)" gives addr,
// anything else is the address itself; both parts trimmed. The name (surrounding double or
// single quotes removed; the address when empty) is stored when asked for.
QString ExtractAddress(const QString& entry, QString* name = nullptr);

// The Date header's value for a moment: "Sun, 5 Jan 2025 13:04:05 +0100", in English whatever
// the locale, with the local offset from UTC (daylight saving included). Raises ENetException
// "Failed attempting to retrieve time zone information." for a moment without a zone.
QString DateHeaderValue(const QDateTime& moment);
