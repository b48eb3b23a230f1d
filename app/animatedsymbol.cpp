#include "app/animatedsymbol.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString kClipFolder = QStringLiteral(":/animations");

// The resource holding the clip of that name, or an empty string.
QString FindClip(const QString& name) {
  const QDir folder(kClipFolder);
  for (const QString& file : folder.entryList(QDir::Files)) {
    if (QFileInfo(file).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
      return folder.filePath(file);
  }
  return QString();
}

// Makes every pixel of the colour of the frame's top-left corner see-through, as an animation
// control's transparent style does with the clip's background.
void ClearBackground(QImage& frame) {
  const QRgb background = frame.pixel(0, 0);
  for (int y = 0; y < frame.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      if (line[x] == background)
        line[x] = qRgba(0, 0, 0, 0);
    }
  }
}

}  // namespace

QString CouldNotOpenClipMessage(const QString& name) {
  return QStringLiteral("Could not open AVI \"%1\"\r\rIt must be a silent AVI file/resource.")
      .arg(name);
}

TAnimatedSymbol::TAnimatedSymbol(QWidget* parent) : QWidget(parent) {
  resize(32, 32);
  timer_.setInterval(kFrameMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &TAnimatedSymbol::Step);
}

void TAnimatedSymbol::SetAVIName(const QString& name) {
  if (name == aviName_)
    return;
  aviName_ = name;
  Update();
}

void TAnimatedSymbol::SetState(TAnimatedState state) {
  if (state == state_)
    return;
  state_ = state;
  Update();
}

void TAnimatedSymbol::SetPlayFrom(int frame) {
  playFrom_ = frame;
  if (state_ == TAnimatedState::acmPlaying && IsOpen())
    Play(playFrom_, playTo_, cycles_);
}

void TAnimatedSymbol::SetPlayTo(int frame) {
  playTo_ = frame;
  if (state_ == TAnimatedState::acmPlaying && IsOpen())
    Play(playFrom_, playTo_, cycles_);
}

void TAnimatedSymbol::SetCycles(int cycles) {
  cycles_ = cycles;
  if (state_ == TAnimatedState::acmPlaying && IsOpen())
    Play(playFrom_, playTo_, cycles_);
}

// The styles are fixed when the control is made: a change makes it afresh, clip and all.
void TAnimatedSymbol::SetAutoPlay(bool on) {
  if (on == autoPlay_)
    return;
  autoPlay_ = on;
  CloseClip();
  Update();
}

void TAnimatedSymbol::SetCenter(bool on) {
  if (on == center_)
    return;
  center_ = on;
  CloseClip();
  Update();
}

void TAnimatedSymbol::SetTransparent(bool on) {
  if (on == transparent_)
    return;
  transparent_ = on;
  CloseClip();
  Update();
}

void TAnimatedSymbol::Update() {
  if (aviName_.isEmpty() || (!autoPlay_ && state_ == TAnimatedState::acmClosed)) {
    CloseClip();
    return;
  }
  OpenClip();
  if (state_ == TAnimatedState::acmPlaying) {
    Play(playFrom_, playTo_, cycles_);
  } else if (autoPlay_) {
    Play(0, -1, -1);
  } else {
    timer_.stop();
    ShowFrame(0);
  }
}

void TAnimatedSymbol::OpenClip() {
  if (IsOpen() && openName_ == aviName_)
    return;
  CloseClip();
  const QString file = FindClip(aviName_);
  QSvgRenderer renderer(file);
  const QSize strip = renderer.defaultSize();
  if (file.isEmpty() || !renderer.isValid() || strip.height() <= 0 ||
      strip.width() < strip.height())
    throw EAnimationError(CouldNotOpenClipMessage(aviName_));
  const int side = strip.height();
  const int count = strip.width() / side;
  for (int i = 0; i < count; ++i) {
    QImage frame(side, side, QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    renderer.setViewBox(QRectF(i * side, 0, side, side));
    renderer.render(&painter);
    painter.end();
    if (transparent_)
      ClearBackground(frame);
    frames_.append(QPixmap::fromImage(frame));
  }
  openName_ = aviName_;
  frame_ = 0;
  updateGeometry();
  update();
}

void TAnimatedSymbol::CloseClip() {
  timer_.stop();
  if (frames_.isEmpty())
    return;
  frames_.clear();
  openName_.clear();
  frame_ = 0;
  updateGeometry();
  update();
}

void TAnimatedSymbol::Play(int from, int to, int cycles) {
  const int last = FrameCount() - 1;
  to_ = (to < 0 || to > last) ? last : to;
  from_ = qBound(0, from, to_);
  roundsLeft_ = cycles;
  ShowFrame(from_);
  if (cycles == 0) {
    timer_.stop();
    return;
  }
  timer_.start();
}

void TAnimatedSymbol::Step() {
  if (frame_ < to_) {
    ShowFrame(frame_ + 1);
    return;
  }
  // The end of a round.
  if (roundsLeft_ > 0 && --roundsLeft_ == 0) {
    timer_.stop();
    return;
  }
  ShowFrame(from_);
}

void TAnimatedSymbol::ShowFrame(int frame) {
  frame_ = frame;
  update();
  emit frameShown(frame);
}

QSize TAnimatedSymbol::sizeHint() const {
  return IsOpen() ? frames_.first().size() : QSize(32, 32);
}

void TAnimatedSymbol::paintEvent(QPaintEvent* /*event*/) {
  if (!IsOpen())
    return;
  QPainter painter(this);
  const QPixmap& picture = frames_.at(frame_);
  QPoint at(0, 0);
  if (center_)
    at = QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2);
  painter.drawPixmap(at, picture);
}
