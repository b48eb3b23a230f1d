// The floor of the program's start-up: a bare Qt main window with a menu and a status bar,
// shown and quit the way "quillmarsh --quit-when-idle" is: on the screen, painted once, and
// closed once the events of its first show have been handled.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

// Closes the window one queued step after its first paint. The program's window is painted
// before it closes (the expose of its first show arrives while the show is handled), so the
// floor must be painted too; closing right after the show would quit before anything is drawn.
class TCloseAfterFirstPaint : public QObject {
 public:
  explicit TCloseAfterFirstPaint(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      QTimer::singleShot(0, window_, &QWidget::close);
    }
    return false;
  }

 private:
  QWidget* window_;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.resize(760, 560);
  new TCloseAfterFirstPaint(&window);
  // A display that never exposes the window still ends the floor.
  QTimer::singleShot(5000, &window, &QWidget::close);
  window.show();
  return application.exec();
}
