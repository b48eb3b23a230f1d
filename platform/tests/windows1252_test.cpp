#include <gtest/gtest.h>

#include "platform/windows1252.h"

TEST(Windows1252, AsciiAndLatin1BytesMapToTheSameCharacters) {
  EXPECT_EQ(DecodeWindows1252("Plan A"), QString("Plan A"));
  EXPECT_EQ(DecodeWindows1252("\xA3\xE9"), QString::fromUtf8("£é"));
}

TEST(Windows1252, TheHighControlRangeHoldsTypographicCharacters) {
  EXPECT_EQ(DecodeWindows1252("\x80\x96\x99"), QString::fromUtf8("€–™"));
}

TEST(Windows1252, EncodingRoundTripsAndReplacesWhatTheCodePageLacks) {
  QString text = QString::fromUtf8("£100 – Smith’s €");
  EXPECT_EQ(DecodeWindows1252(EncodeWindows1252(text)), text);
  EXPECT_EQ(EncodeWindows1252(QString::fromUtf8("a\u0416b")), QByteArray("a?b"));
}

TEST(Windows1252, EmbeddedNulBytesAreKept) {
  EXPECT_EQ(DecodeWindows1252(QByteArrayView("a\0b", 3)).size(), 3);
}
