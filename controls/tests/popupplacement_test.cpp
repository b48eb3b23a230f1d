#include "controls/popupplacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1024, 768);
const QSize kPopup(200, 150);

}  // namespace

TEST(CalendarPlacement, BelowTheFieldWhenThereIsRoom) {
  EXPECT_EQ(PlaceCalendarPopup(QRect(100, 100, 90, 21), kPopup, kScreen), QPoint(100, 121));
}

TEST(CalendarPlacement, EndsAtTheFieldsRightEdgeNearTheScreensRightEdge) {
  // 820 + 200 = 1020 comes within 8 pixels of 1024.
  EXPECT_EQ(PlaceCalendarPopup(QRect(820, 100, 90, 21), kPopup, kScreen), QPoint(710, 121));
  EXPECT_EQ(PlaceCalendarPopup(QRect(816, 100, 90, 21), kPopup, kScreen), QPoint(816, 121));
}

TEST(CalendarPlacement, AboveTheFieldNearTheScreensBottom) {
  // 600 + 21 + 150 = 771 passes 768 - 8.
  EXPECT_EQ(PlaceCalendarPopup(QRect(100, 600, 90, 21), kPopup, kScreen), QPoint(100, 450));
}

TEST(DetailsPlacement, BelowTheControlWhenThereIsRoom) {
  EXPECT_EQ(PlaceDetailsPopup(QRect(50, 60, 60, 21), kPopup, kScreen), QPoint(50, 81));
}

TEST(DetailsPlacement, EndsEightPixelsInsideTheRightEdgeWhenItWouldPassIt) {
  EXPECT_EQ(PlaceDetailsPopup(QRect(900, 60, 60, 21), kPopup, kScreen), QPoint(816, 81));
  EXPECT_EQ(PlaceDetailsPopup(QRect(824, 60, 60, 21), kPopup, kScreen), QPoint(824, 81));
}

TEST(DetailsPlacement, EightPixelsAboveTheControlNearTheScreensBottom) {
  // 600 + 21 + 150 = 771 comes within 5 pixels of 768.
  EXPECT_EQ(PlaceDetailsPopup(QRect(50, 600, 60, 21), kPopup, kScreen), QPoint(50, 442));
  EXPECT_EQ(PlaceDetailsPopup(QRect(50, 590, 60, 21), kPopup, kScreen), QPoint(50, 611));
}
