#include "transmit/net/netreadbuffer.h"

#include <cstring>

TNetReadBuffer::TNetReadBuffer(qsizetype chunk) : chunk_(chunk > 0 ? chunk : kDefaultChunk) {}

void TNetReadBuffer::SetChunk(qsizetype chunk) {
  chunk_ = chunk > 0 ? chunk : kDefaultChunk;
}

qsizetype TNetReadBuffer::IndexOf(QByteArrayView text) const {
  const qsizetype at = QByteArrayView(data_.constData() + start_, Available()).indexOf(text);
  return at;
}

QByteArray TNetReadBuffer::Take(qsizetype n) {
  QByteArray taken(data_.constData() + start_, n);
  Skip(n);
  return taken;
}

void TNetReadBuffer::Skip(qsizetype n) {
  start_ += n;
  if (start_ >= end_)
    start_ = end_ = 0;
}

void TNetReadBuffer::Clear() {
  start_ = end_ = 0;
}

char* TNetReadBuffer::PrepareRead(qsizetype& room) {
  if (start_ > 0) {
    std::memmove(data_.data(), data_.constData() + start_, Available());
    end_ -= start_;
    start_ = 0;
  }
  const qsizetype size = data_.size();
  const qsizetype free = size - end_;
  if (free < size / 2 || free == 0)
    data_.resize(size + chunk_);
  else if (free > 2 * chunk_ && size - chunk_ > chunk_)
    data_.resize(size - chunk_);
  room = data_.size() - end_;
  return data_.data() + end_;
}
