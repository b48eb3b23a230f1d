#include "app/pagetabcontrol.h"

#include <QFocusEvent>
#include <QToolButton>
#include <QVBoxLayout>

TPageTabControl::TPageTabControl(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PagesTabControl"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  tabBar_ = new QTabBar(this);
  tabBar_->setObjectName(QStringLiteral("PagesTabBar"));
  tabBar_->setFocusPolicy(Qt::StrongFocus);
  tabBar_->setDrawBase(true);
  tabBar_->setExpanding(false);
  // The arrows that scroll many driver tabs are for the mouse; the keys move between tabs.
  for (QToolButton* arrow : tabBar_->findChildren<QToolButton*>())
    arrow->setFocusPolicy(Qt::NoFocus);
  column->addWidget(tabBar_);
  formsPanel_ = new QWidget(this);
  formsPanel_->setObjectName(QStringLiteral("FormsPanel"));
  auto* pages = new QVBoxLayout(formsPanel_);
  pages->setContentsMargins(8, 8, 8, 8);
  column->addWidget(formsPanel_, 1);
  // The tab control takes the focus on its tabs.
  setFocusProxy(tabBar_);
}

TFocusPanel::TFocusPanel(const QString& name, bool tabStop, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFocusPolicy(tabStop ? Qt::TabFocus : Qt::ClickFocus);
  setFixedSize(0, 0);
}

void TFocusPanel::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit entered();
}
