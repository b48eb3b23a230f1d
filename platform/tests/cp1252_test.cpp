#include <gtest/gtest.h>

#include "platform/cp1252.h"

TEST(Windows1252, AsciiAndLatin1PassUnchanged) {
  QString text = QString::fromUtf8("Smith & Sons, caf\u00e9 \u00a3100");
  QByteArray bytes = ToWindows1252(text);
  EXPECT_EQ(bytes, QByteArray("Smith & Sons, caf\xe9 \xa3"
                              "100"));
  EXPECT_EQ(FromWindows1252(bytes), text);
}

TEST(Windows1252, TheHighControlRangeCarriesTheWindowsCharacters) {
  QString text = QString::fromUtf8("\u20ac \u2019 \u2014 \u0178");
  EXPECT_EQ(ToWindows1252(text), QByteArray("\x80 \x92 \x97 \x9f"));
  EXPECT_EQ(FromWindows1252(QByteArray("\x80\x92\x97\x9f")),
            QString::fromUtf8("\u20ac\u2019\u2014\u0178"));
}

TEST(Windows1252, CharactersOutsideTheSetBecomeQuestionMarks) {
  // A Polish letter, a Greek letter and an emoji (one code point, two UTF-16 units).
  QString text = QString::fromUtf8("\u0142\u03b1\U0001F600x");
  EXPECT_EQ(ToWindows1252(text), QByteArray("???x"));
}

TEST(Windows1252, UnassignedBytesRoundTrip) {
  QByteArray bytes("\x81\x8d\x8f\x90\x9d");
  EXPECT_EQ(ToWindows1252(FromWindows1252(bytes)), bytes);
}

TEST(Windows1252, BufferReadingStopsAtTheTerminatorOrTheCapacity) {
  char buffer[8] = {'a', 'b', 0, 'c', 'd', 'e', 'f', 'g'};
  EXPECT_EQ(FromWindows1252Buffer(buffer, 8), "ab");
  char full[4] = {'w', 'x', 'y', 'z'};
  EXPECT_EQ(FromWindows1252Buffer(full, 4), "wxyz");
}
