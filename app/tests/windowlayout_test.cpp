// The main window's pages on a screen smaller than they need: the window grows as far as the
// screen allows and the client area scrolls; no page is squeezed below the room its fields need
// and no wrapped caption is cut short.

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

#include "app/tests/appfixture.h"
#include "capture/drivingpage.h"
#include "capture/proposerpage.h"
#include "capture/vehiclepage.h"

class WindowLayout : public AppTest {};

TEST_F(WindowLayout, PagesScrollRatherThanSqueezeTheirFields) {
  StartWindow();
  ASSERT_TRUE(window_->FileOpen(Sample("family")));
  auto* scroll = window_->findChild<QScrollArea*>(QStringLiteral("ClientScrollArea"));
  auto* tabs = window_->findChild<QTabBar*>(QStringLiteral("PagesTabBar"));
  ASSERT_NE(scroll, nullptr);
  ASSERT_NE(tabs, nullptr);
  // Grown from its design size, within the screen.
  EXPECT_GT(window_->width(), 760);
  EXPECT_LE(window_->frameGeometry().width(), window_->screen()->availableGeometry().width());

  const QList<QWidget*> pages{window_->ProposerPage(), window_->VehiclePage(),
                              window_->DrivingPage()};
  for (int tab = 0; tab < pages.size(); ++tab) {
    tabs->setCurrentIndex(tab);
    QApplication::processEvents();
    QWidget* page = pages[tab];
    SCOPED_TRACE(page->objectName().toStdString());
    ASSERT_TRUE(page->isVisible());
    EXPECT_GE(page->width(), page->minimumSizeHint().width());
    EXPECT_GE(page->height(), page->minimumSizeHint().height());
    for (QLabel* label : page->findChildren<QLabel*>()) {
      if (!label->isVisible() || !label->wordWrap())
        continue;
      EXPECT_GE(label->height(), label->heightForWidth(label->width()))
          << label->text().toStdString();
    }
  }
  // The proposer page needs more than this screen leaves it: the area scrolls sideways.
  tabs->setCurrentIndex(0);
  QApplication::processEvents();
  if (window_->ProposerPage()->minimumSizeHint().width() > scroll->viewport()->width()) {
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
  }
}

// The window holds the empty proposal's tabs and is grown to its widest page as it is shown,
// before the event loop runs: it is never painted at its design size and then grown.
TEST_F(WindowLayout, TheWindowIsShownAtItsSize) {
  StartProgramUnits();
  window_ = std::make_unique<TTolvaneForm>(ProgramFolder());
  window_->show();
  const QSize shown = window_->size();
  EXPECT_GT(shown.width(), 760);
  EXPECT_EQ(Tabs(), QStringList({"Proposer", "Vehicle"}));
  EXPECT_TRUE(window_->ProposerPage()->isVisible());
  EXPECT_FALSE(window_->FirstShowDone());  // its boxes come once the window is up
  ASSERT_TRUE(QTest::qWaitFor([this] { return window_->FirstShowDone(); }, 5000));
  EXPECT_EQ(window_->size(), shown);
}
