// FindFirstFile's mask rules, as Windows NT applies them.
#include "platform/files/wildcard.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using platform::matchesWildcard;

struct WildcardCase {
  const char* name;
  const char* mask;
  bool matches;
};

// Each group of cases is one of the mask rules; a failure names its case.
void expectCases(std::initializer_list<WildcardCase> cases) {
  for (const WildcardCase& c : cases)
    EXPECT_EQ(matchesWildcard(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}

TEST(Wildcard, StarDotStarMatchesEveryNameWithOrWithoutDot) {
  expectCases({
      {"README", "*.*", true},
      {"win.ini", "*.*", true},
      {"a.b.c", "*.*", true},
      {".", "*.*", true},
      {"..", "*", true},
  });
}

TEST(Wildcard, StarDotMatchesOnlyNamesWithoutExtension) {
  expectCases({
      {"README", "*.", true},
      {"Program Files", "*.", true},
      {"win.ini", "*.", false},
      {"a.b.c", "*.", false},
  });
}

TEST(Wildcard, QuestionMarkAlsoMatchesNothingAtTheEndOrBeforeADot) {
  expectCases({
      {"file", "file?", true},
      {"file1", "file?", true},
      {"file12", "file?", false},
      {"file.txt", "file?", false},
      {"ab.txt", "ab??.txt", true},
      {"abcd.txt", "ab??.txt", true},
      {"ab", "???", true},
      {"abcd", "???", false},
      {"x", "x.?", true},
  });
}

TEST(Wildcard, QuestionMarkInsideANameNeedsOneCharacter) {
  expectCases({
      {"abc", "a?c", true},
      {"ABC", "a?c", true},
      {"ac", "a?c", false},
      {"a.c", "a?c", false},
  });
}

TEST(Wildcard, StarBeforeADotStopsAtTheLastDot) {
  expectCases({
      {"report.txt", "*.txt", true},
      {"a.b.txt", "*.txt", true},
      {"report.txt.bak", "*.txt", false},
      {"report.html", "*.htm", false},
      {"_restore{1234}", "_restore{*", true},
      {"readme", "readme.*", true},
  });
}

TEST(Wildcard, LettersMatchWithoutCaseInCodePage1252) {
  expectCases({
      {"WIN.INI", "win.ini", true},
      {"caf\xE9.txt", "CAF\xC9.*", true},
      {"win.ini", "win.in", false},
  });
}

TEST(Wildcard, LongMasksOnLongNamesStayFast) {
  std::string name(250, 'a');
  EXPECT_FALSE(matchesWildcard(name, "*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(matchesWildcard(name + ".b", "*a*a*.?"));
}

}  // namespace
