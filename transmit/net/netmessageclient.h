#pragma once
// A client that writes mail messages: the body lines (dot-stuffed) and, with attachments, the
// MIME multipart layout with each file in Base64, streamed from the file 45 bytes a line.
//
// The body goes out as Windows-1252 text. Any line break inside a body line (a bare CR or LF
// in a value) becomes the message's own CR LF, so no value can end the message or smuggle in a
// command. Text with 8-bit characters is declared with its character set: as 8bit to a server
// that takes it (8BITMIME), quoted-printable to one that does not.

#include "transmit/net/netclient.h"
#include "transmit/net/netmessage.h"

enum class TBodyEncoding { SevenBit, EightBit, QuotedPrintable };

class TNetMessageClient : public TNetClient {
 public:
  // The boundary between the parts of a message with attachments.
  static QString Boundary() { return QStringLiteral("=_NextPart_2rfksadvnqw3nerasdf"); }

  virtual void Send(TNetMessage& message) = 0;

  // The body's lines as they go out, before dot-stuffing: every line break inside a line splits
  // it.
  static QStringList BodyLines(const QStringList& text);
  // How the body must go out: 7bit when it is plain ASCII, else 8bit where the server takes it.
  static TBodyEncoding BodyEncoding(const QStringList& text, bool serverTakesEightBit);
  // The Content-Type of the text, with its character set when it is not plain ASCII.
  static QString TextContentType(const TNetMessage& message, TBodyEncoding encoding);
  static QString TransferEncodingName(TBodyEncoding encoding);
  // One line as quoted-printable lines of at most 76 characters (soft breaks end in "=").
  static QStringList QuotedPrintableLines(const QByteArray& line);

 protected:
  // Writes the body as it goes on the wire after the headers and their empty line.
  void WriteMessageBody(const TNetMessage& message, TBodyEncoding encoding);

 private:
  void WriteBodyLines(const QStringList& text, TBodyEncoding encoding);
  void WriteAttachment(const TAttachment& attachment);
};
