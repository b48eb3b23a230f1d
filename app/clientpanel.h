#pragma once
// TClientPanel: the main window's scrolled client area. It is never smaller than its floor (the
// client size the window had when it was scaled) nor than its pages need: a smaller window
// scrolls the pages instead of squeezing their fields together.

#include <QWidget>

class TClientPanel : public QWidget {
 public:
  using QWidget::QWidget;

  void SetFloor(const QSize& floor) {
    floor_ = floor;
    updateGeometry();
  }
  QSize minimumSizeHint() const override { return QWidget::minimumSizeHint().expandedTo(floor_); }

 private:
  QSize floor_;
};
