#pragma once
// The socket's read buffer: bytes read from the socket in chunk steps, taken from the front by
// lines or by counts. Its size follows what is waiting in it: one chunk more when less than half
// of it is free, one chunk less when more than two chunks are free and more than one would remain.

#include <QByteArray>
#include <QByteArrayView>

class TNetReadBuffer {
 public:
  static constexpr qsizetype kDefaultChunk = 8192;

  explicit TNetReadBuffer(qsizetype chunk = kDefaultChunk);

  qsizetype Chunk() const { return chunk_; }
  void SetChunk(qsizetype chunk);

  // Bytes waiting to be taken.
  qsizetype Available() const { return end_ - start_; }
  // The buffer's whole size, free space included.
  qsizetype Size() const { return data_.size(); }
  // Position of the text among the waiting bytes, or -1.
  qsizetype IndexOf(QByteArrayView text) const;
  // Takes the first n waiting bytes (n <= Available()).
  QByteArray Take(qsizetype n);
  // Drops the first n waiting bytes.
  void Skip(qsizetype n);
  void Clear();

  // Room for the next read from the socket, after moving the waiting bytes to the front and
  // resizing as described above; Commit() says how much of it was filled.
  char* PrepareRead(qsizetype& room);
  void Commit(qsizetype n) { end_ += n; }

 private:
  QByteArray data_;
  qsizetype start_ = 0;  // the read position
  qsizetype end_ = 0;    // end of the waiting bytes
  qsizetype chunk_;
};
