#pragma once
// The main window's page tabs: a tab bar over one panel (FormsPanel) in which the three capture
// pages lie, one of them shown at a time. Unlike QTabWidget the tabs own no page of their own:
// every additional driver's tab shows the same driver page.

#include <QTabBar>
#include <QWidget>

class TPageTabControl : public QWidget {
  Q_OBJECT

 public:
  explicit TPageTabControl(QWidget* parent = nullptr);

  QTabBar* TabBar() const { return tabBar_; }
  QWidget* FormsPanel() const { return formsPanel_; }

 private:
  QTabBar* tabBar_;
  QWidget* formsPanel_;
};

// An empty panel that only takes the focus: PrevPanel and NextPanel, entered by tabbing out of a
// page, and FocusPanel, to which the command wrapper moves the focus.
class TFocusPanel : public QWidget {
  Q_OBJECT

 public:
  TFocusPanel(const QString& name, bool tabStop, QWidget* parent);

 signals:
  void entered();

 protected:
  void focusInEvent(QFocusEvent* event) override;
};
