#pragma once
// A client that writes mail messages: the body lines (dot-stuffed) and, with attachments, the
// MIME multipart layout with each file in Base64, streamed from the file 45 bytes a line.

#include "transmit/net/netclient.h"
#include "transmit/net/netmessage.h"

class TNetMessageClient : public TNetClient {
 public:
  // The boundary between the parts of a message with attachments.
  static QString Boundary() { return QStringLiteral("=_NextPart_2rfksadvnqw3nerasdf"); }

  virtual void Send(TNetMessage& message) = 0;

 protected:
  // Writes the body as it goes on the wire after the headers and their empty line.
  void WriteMessageBody(const TNetMessage& message);

 private:
  void WriteBodyLines(const QStringList& lines);
  void WriteAttachment(const TAttachment& attachment);
};
