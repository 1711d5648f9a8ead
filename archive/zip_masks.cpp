#include "archive/zip_masks.h"

#include "platform/core/codepage.h"

namespace archive {
namespace {

bool matchFrom(const char* m, const char* t) {
  for (;;) {
    if (*m == 0) return *t == 0;
    if (*m == '*') {
      while (*m == '*') ++m;
      if (*m == 0) return true;
      for (const char* s = t;; ++s) {
        if (matchFrom(m, s)) return true;
        if (*s == 0) return false;
      }
    }
    if (*m == '.' && m[1] == '*' && m[2] == 0 && *t == 0) return true;
    if (*t == 0) return false;
    if (*m != '?' && platform::ansiUpper(*m) != platform::ansiUpper(*t)) return false;
    ++m, ++t;
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
