#include "platform/core/codepage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Codepage, RoundTripsEveryDefinedAnsiCharacter) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
}

TEST(Codepage, MapsWindows1252SpecialsAndReplacesTheRest) {
  EXPECT_EQ(ansiToUtf8("\x80"), "\u20AC");
  EXPECT_EQ(ansiToUtf8("Caf\xE9"), "Caf\u00E9");
  EXPECT_EQ(utf8ToAnsi("\u0160koda \u2122"), "\x8Akoda \x99");
  EXPECT_EQ(utf8ToAnsi("\u4E2D"), "?");
  EXPECT_EQ(utf8ToAnsi("bad\xC3"), "bad?");
  EXPECT_EQ(utf8ToAnsi("\xFF\xFE"), "??");
}

TEST(Codepage, ComparesWithoutCaseIncludingAccentedLetters) {
  EXPECT_TRUE(ansiEqualNoCase("Program Files", "PROGRAM FILES"));
  EXPECT_TRUE(ansiEqualNoCase("\xE9t\xE9", "\xC9T\xC9"));  // été / ÉTÉ
  EXPECT_TRUE(ansiEqualNoCase("\x9A", "\x8A"));            // š / Š
  EXPECT_FALSE(ansiEqualNoCase("\xF7", "\xD7"));           // ÷ and × are not a case pair
  EXPECT_FALSE(ansiEqualNoCase("abc", "abcd"));
  EXPECT_LT(ansiCompareNoCase("abc", "ABD"), 0);
  EXPECT_EQ(ansiUpper("\xFF"), "\x9F");
}
