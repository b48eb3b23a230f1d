#pragma once
// TAnimatedSymbol: a small animation played from the program's resources, as the progress dialog
// shows while the quote engine works. A clip is a frame strip (resources/animations/<name>.svg):
// square frames side by side, played left to right. Clip names are matched without regard to
// case, so "MovingFolder" and "MOVINGFOLDER" are the same clip.
//
// The control follows the rules of an animation control: whenever the clip name or the state
// changes, the clip is closed when there is no name, or when AutoPlay is off and the state is
// acmClosed; otherwise it is opened, and played from PlayFrom to PlayTo for Cycles rounds when
// the state is acmPlaying (changing any of the three replays it). With AutoPlay on an opened clip
// plays by itself, round after round. AutoPlay, Center and Transparent are the control's styles:
// changing one opens the clip afresh.

#include <QList>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <stdexcept>

enum class TAnimatedState { acmOpen, acmClosed, acmPlaying };

// A clip that cannot be loaded.
class EAnimationError : public std::runtime_error {
 public:
  explicit EAnimationError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& Message() const { return message_; }

 private:
  QString message_;
};

class TAnimatedSymbol : public QWidget {
  Q_OBJECT

 public:
  // The clips are shown at 10 frames a second.
  static constexpr int kFrameMilliseconds = 100;

  explicit TAnimatedSymbol(QWidget* parent = nullptr);

  // Setting the name or the state may raise EAnimationError ("Could not open AVI ...").
  QString AVIName() const { return aviName_; }
  void SetAVIName(const QString& name);
  TAnimatedState State() const { return state_; }
  void SetState(TAnimatedState state);

  int PlayFrom() const { return playFrom_; }
  void SetPlayFrom(int frame);
  int PlayTo() const { return playTo_; }  // -1: the last frame
  void SetPlayTo(int frame);
  int Cycles() const { return cycles_; }  // -1: for ever
  void SetCycles(int cycles);

  bool AutoPlay() const { return autoPlay_; }
  void SetAutoPlay(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // What is on show: whether a clip is open, whether it is playing, its frames and the frame
  // shown (-1 with no clip).
  bool IsOpen() const { return !frames_.isEmpty(); }
  bool IsPlaying() const { return timer_.isActive(); }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return IsOpen() ? frame_ : -1; }

  QSize sizeHint() const override;

 signals:
  void frameShown(int frame);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The rules above, run on every change of the name, the state or a style.
  void Update();
  void OpenClip();
  void CloseClip();
  void Play(int from, int to, int cycles);
  void Step();
  void ShowFrame(int frame);

  QString aviName_;
  TAnimatedState state_ = TAnimatedState::acmClosed;
  int playFrom_ = 0;
  int playTo_ = -1;
  int cycles_ = -1;
  bool autoPlay_ = true;
  bool center_ = true;
  bool transparent_ = true;

  QList<QPixmap> frames_;
  QString openName_;  // the clip the frames came from
  QTimer timer_;
  int frame_ = 0;
  int from_ = 0;
  int to_ = 0;
  int roundsLeft_ = -1;  // -1: for ever
};

// The text of the error a clip that cannot be loaded raises.
QString CouldNotOpenClipMessage(const QString& name);
