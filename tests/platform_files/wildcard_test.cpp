// FindFirstFile's mask rules, as Windows NT applies them.
#include "platform/files/wildcard.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

using platform::matchesWildcard;

// One mask against the names it matches and the names it does not; each group
// of masks is one of the mask rules, and a failure names its name and mask.
void expectMask(const char* mask, std::initializer_list<const char*> matching,
                std::initializer_list<const char*> notMatching = {}) {
  for (const char* name : matching)
    EXPECT_TRUE(matchesWildcard(name, mask)) << name << " ~ " << mask;
  for (const char* name : notMatching)
    EXPECT_FALSE(matchesWildcard(name, mask)) << name << " ~ " << mask;
}

TEST(Wildcard, StarDotStarMatchesEveryNameWithOrWithoutDot) {
  expectMask("*.*", {"README", "win.ini", "a.b.c", "."});
  expectMask("*", {".."});
}

TEST(Wildcard, StarDotMatchesOnlyNamesWithoutExtension) {
  expectMask("*.", {"README", "Program Files"}, {"win.ini", "a.b.c"});
}

TEST(Wildcard, QuestionMarkAlsoMatchesNothingAtTheEndOrBeforeADot) {
  expectMask("file?", {"file", "file1"}, {"file12", "file.txt"});
  expectMask("ab??.txt", {"ab.txt", "abcd.txt"});
  expectMask("???", {"ab"}, {"abcd"});
  expectMask("x.?", {"x"});
}

TEST(Wildcard, QuestionMarkInsideANameNeedsOneCharacter) {
  expectMask("a?c", {"abc", "ABC"}, {"ac", "a.c"});
}

TEST(Wildcard, StarBeforeADotStopsAtTheLastDot) {
  expectMask("*.txt", {"report.txt", "a.b.txt"}, {"report.txt.bak"});
  expectMask("*.htm", {}, {"report.html"});
  expectMask("_restore{*", {"_restore{1234}"});
  expectMask("readme.*", {"readme"});
}

TEST(Wildcard, LettersMatchWithoutCaseInCodePage1252) {
  expectMask("win.ini", {"WIN.INI"});
  expectMask("CAF\xC9.*", {"caf\xE9.txt"});
  expectMask("win.in", {}, {"win.ini"});
}

TEST(Wildcard, LongMasksOnLongNamesStayFast) {
  std::string name(250, 'a');
  EXPECT_FALSE(matchesWildcard(name, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(matchesWildcard(name + ".b", "*a*a*.?"));
}

}  // namespace

namespace {

// A mask read from settings can be any length: it is matched in
// length(mask) x length(name) steps without a recursion that deep.
TEST(Wildcard, VeryLongMasksOfStarsMatchWithoutExhaustingTheStack) {
  const std::string name(255, 'a');
  const std::string stars(200'000, '*');
  EXPECT_TRUE(platform::matchesWildcard(name, stars));
  EXPECT_TRUE(platform::matchesWildcard(name + ".txt", stars + ".txt"));
  EXPECT_FALSE(platform::matchesWildcard(name, stars + "b"));
  std::string nearMiss;
  for (int i = 0; i < 60; ++i) nearMiss += "*a";
  EXPECT_FALSE(platform::matchesWildcard(name, nearMiss + "*b"));
}

}  // namespace
