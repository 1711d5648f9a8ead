#include "archive/zip_masks.h"

#include "platform/core/codepage.h"

namespace archive {
namespace {

// One pass with a single resume point: on a mismatch the text position
// after the most recent "*" moves on by one and matching starts again there.
// That is enough for "*" and "?" (an earlier "*" can never do better than
// the latest one), and keeps a mask of many "*" from settings or a files
// list at length(mask) x length(text) steps instead of exponential time.
bool matchFrom(const char* m, const char* t) {
  const char* afterStar = nullptr;
  const char* resume = nullptr;
  for (;;) {
    if (*m == '*') {
      while (*m == '*') ++m;
      if (*m == 0) return true;
      afterStar = m;
      resume = t;
      continue;
    }
    if (*t == 0) {
      // A trailing ".*" also matches a name without a dot.
      if (*m == 0 || (*m == '.' && m[1] == '*' && m[2] == 0)) return true;
    } else if (*m != 0 && (*m == '?' || platform::ansiUpper(*m) == platform::ansiUpper(*t))) {
      ++m, ++t;
      continue;
    }
    if (afterStar == nullptr || *resume == 0) return false;
    m = afterStar;
    t = ++resume;
  }
}

}  // namespace

bool maskMatches(const std::string& mask, const std::string& text) {
  if (mask == "*.*") return true;
  return matchFrom(mask.c_str(), text.c_str());
}

bool hasWildcards(const std::string& text) {
  return text.find_first_of("*?") != std::string::npos;
}

}  // namespace archive
