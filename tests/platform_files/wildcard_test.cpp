// FindFirstFile's mask rules, as Windows NT applies them.
#include "platform/files/wildcard.h"

#include <gtest/gtest.h>

using platform::matchesWildcard;

TEST(Wildcard, StarDotStarMatchesEveryNameWithOrWithoutDot) {
  EXPECT_TRUE(matchesWildcard("README", "*.*"));
  EXPECT_TRUE(matchesWildcard("win.ini", "*.*"));
  EXPECT_TRUE(matchesWildcard("a.b.c", "*.*"));
  EXPECT_TRUE(matchesWildcard(".", "*.*"));
  EXPECT_TRUE(matchesWildcard("..", "*"));
}

TEST(Wildcard, StarDotMatchesOnlyNamesWithoutExtension) {
  EXPECT_TRUE(matchesWildcard("README", "*."));
  EXPECT_TRUE(matchesWildcard("Program Files", "*."));
  EXPECT_FALSE(matchesWildcard("win.ini", "*."));
  EXPECT_FALSE(matchesWildcard("a.b.c", "*."));
}

TEST(Wildcard, QuestionMarkAlsoMatchesNothingAtTheEndOrBeforeADot) {
  EXPECT_TRUE(matchesWildcard("file", "file?"));
  EXPECT_TRUE(matchesWildcard("file1", "file?"));
  EXPECT_FALSE(matchesWildcard("file12", "file?"));
  EXPECT_FALSE(matchesWildcard("file.txt", "file?"));
  EXPECT_TRUE(matchesWildcard("ab.txt", "ab??.txt"));
  EXPECT_TRUE(matchesWildcard("abcd.txt", "ab??.txt"));
  EXPECT_TRUE(matchesWildcard("ab", "???"));
  EXPECT_FALSE(matchesWildcard("abcd", "???"));
  EXPECT_TRUE(matchesWildcard("x", "x.?"));
}

TEST(Wildcard, QuestionMarkInsideANameNeedsOneCharacter) {
  EXPECT_TRUE(matchesWildcard("abc", "a?c"));
  EXPECT_TRUE(matchesWildcard("ABC", "a?c"));
  EXPECT_FALSE(matchesWildcard("ac", "a?c"));
  EXPECT_FALSE(matchesWildcard("a.c", "a?c"));
}

TEST(Wildcard, StarBeforeADotStopsAtTheLastDot) {
  EXPECT_TRUE(matchesWildcard("report.txt", "*.txt"));
  EXPECT_TRUE(matchesWildcard("a.b.txt", "*.txt"));
  EXPECT_FALSE(matchesWildcard("report.txt.bak", "*.txt"));
  EXPECT_FALSE(matchesWildcard("report.html", "*.htm"));
  EXPECT_TRUE(matchesWildcard("_restore{1234}", "_restore{*"));
  EXPECT_TRUE(matchesWildcard("readme", "readme.*"));
}

TEST(Wildcard, LettersMatchWithoutCaseInCodePage1252) {
  EXPECT_TRUE(matchesWildcard("WIN.INI", "win.ini"));
  EXPECT_TRUE(matchesWildcard("caf\xE9.txt", "CAF\xC9.*"));
  EXPECT_FALSE(matchesWildcard("win.ini", "win.in"));
}

TEST(Wildcard, LongMasksOnLongNamesStayFast) {
  std::string name(250, 'a');
  EXPECT_FALSE(matchesWildcard(name, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(matchesWildcard(name + ".b", "*a*a*.?"));
}
