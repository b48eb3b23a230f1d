// The floor of the program's start-up: a bare Qt main window with a menu and a status bar,
// shown and quit the way "quillmarsh --quit-when-idle" is: closed once the events of its first
// show have been handled.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
  window.statusBar()->showMessage(QStringLiteral("Ready"));
  window.resize(760, 560);
  window.show();
  // The program's first show is one queued step after the show, and its close one more.
  QMetaObject::invokeMethod(
      &window, [&window] { QTimer::singleShot(0, &window, &QWidget::close); },
      Qt::QueuedConnection);
  return application.exec();
}
