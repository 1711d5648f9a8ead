// The files list's and exclude list's masks: the rules of "*", "?" and a
// trailing ".*", and masks of many "*" (settings are outside data) that
// must not take time exponential in their length.
#include "archive/zip_masks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using archive::maskMatches;

TEST(ZipMasks, StarQuestionMarkAndTrailingDotStar) {
  struct Case {
    const char* mask;
    const char* text;
    bool matches;
  };
  const Case cases[] = {
      {"*.*", "README", true},
      {"*.txt", "C:\\Docs\\a.TXT", true},  // "*" runs across "\"
      {"*.txt", "a.txt.bak", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"readme.*", "readme", true},
      {"readme.*", "readme.txt", true},
      {"readme.*", "readmes", false},
      {"*a*b", "xaxxb", true},
      {"*a*b", "xaxxbx", false},
      {"*ab*ab", "abab", true},
      {"*ab*ab", "ababa", false},
      {"**", "", true},
      {"?", "", false},
      {"C:\\WINDOWS\\*\\*.INI", "c:\\windows\\system\\x.ini", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(maskMatches(c.mask, c.text), c.matches) << c.mask << " ~ " << c.text;
}

TEST(ZipMasks, ManyStarsAgainstALongNearMissStaySlowFree) {
  // Each "*a" could start at any "a": a search that tries every split of the
  // text between the stars does not finish for this mask.
  std::string mask;
  for (int i = 0; i < 40; ++i) mask += "*a";
  const std::string text(300, 'a');
  EXPECT_FALSE(maskMatches(mask + "*b", text));
  EXPECT_TRUE(maskMatches(mask + "*b", text + "b"));
  EXPECT_TRUE(maskMatches(std::string(100'000, '*') + "b", text + "b"));
}

}  // namespace
