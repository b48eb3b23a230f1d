#pragma once
// What the main window needs from each of its three capture pages. A page lives inside the
// main window's forms panel from the window's creation to its destruction and is shown and
// hidden as the page tabs change. It keeps no copy of the proposal: every field writes its
// answer into the Data Server when it is left, and LoadDetails reads every field back.
//
// Keyboard navigation between pages relies on the page's fields lying in the window's tab chain
// between the page tabs and the window's NextPanel; the main window puts them there. Within the
// page, the fields keep the order the page gives them (creation order, or QWidget::setTabOrder).

#include <QList>
#include <QWidget>

class TCapturePage : public QWidget {
  Q_OBJECT

 public:
  explicit TCapturePage(QWidget* parent = nullptr);

  // Fills every field from the Data Server. The main window calls it after New and Open (proposer
  // page, vehicle page, driver page, in that order).
  virtual void LoadDetails() = 0;

  // Every control of the page that Tab can visit, in tab order, whether or not it is enabled
  // and shown at the moment.
  QList<QWidget*> TabStops() const;
  // The fields that Tab visits now, in tab order: the tab stops that are enabled and shown with
  // the page. Empty while the page has none.
  QList<QWidget*> FieldsInTabOrder() const;
  // The first and last of them, or nullptr.
  QWidget* FirstField() const;
  QWidget* LastField() const;
};
