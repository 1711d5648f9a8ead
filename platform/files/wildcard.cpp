#include "platform/files/wildcard.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/core/codepage.h"

namespace platform {
namespace {

// The DOS wildcard forms, as FsRtl names them.
enum class Token : char { Literal, Star, DosStar, DosQm, DosDot };

struct Element {
  Token token;
  char c = 0;
};

std::vector<Element> compile(std::string_view mask) {
  std::vector<Element> out;
  if (mask == "*.*") return {{Token::Star}};
  for (size_t i = 0; i < mask.size(); ++i) {
    char c = mask[i];
    char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    if (c == '?')
      out.push_back({Token::DosQm});
    else if (c == '*')
      out.push_back({next == '.' ? Token::DosStar : Token::Star});
    else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
      out.push_back({Token::DosDot});
    else
      out.push_back({Token::Literal, ansiUpper(c)});
  }
  return out;
}

// Whether the name matches the mask, filled in from the ends of both: row m
// says for every position n of the name whether mask[m..] matches name[n..].
// Two rows of length(name) + 1, so a long mask from settings costs
// length(mask) x length(name) steps and no deep recursion.
bool matches(std::string_view rawName, const std::vector<Element>& mask) {
  const std::string name = ansiUpper(rawName);
  const size_t size = name.size();
  const size_t lastDot = name.rfind('.');
  std::vector<char> next(size + 1, 0);  // row m + 1
  std::vector<char> row(size + 1, 0);   // row m
  next[size] = 1;                       // the empty mask matches the end only
  for (size_t m = mask.size(); m-- > 0;) {
    const Element& e = mask[m];
    for (size_t n = size + 1; n-- > 0;) {
      const bool atEnd = n == size;
      bool result = false;
      switch (e.token) {
        case Token::Literal:
          result = !atEnd && name[n] == e.c && next[n + 1];
          break;
        case Token::Star:
          result = next[n] || (!atEnd && row[n + 1]);
          break;
        case Token::DosStar:
          // Any characters, but not past the last dot of the name.
          result = next[n] || (!atEnd && (name[n] != '.' || n != lastDot) && row[n + 1]);
          break;
        case Token::DosQm:
          // One character other than a dot, or nothing at a dot or the end.
          result = (atEnd || name[n] == '.') ? next[n] : next[n + 1];
          break;
        case Token::DosDot:
          result = atEnd ? next[n] : name[n] == '.' && next[n + 1];
          break;
      }
      row[n] = result;
    }
    std::swap(row, next);
  }
  return next[0];
}

}  // namespace

bool hasWildcards(std::string_view mask) {
  return mask.find_first_of("*?") != std::string_view::npos;
}

bool matchesWildcard(std::string_view name, std::string_view mask) {
  return matches(name, compile(mask));
}

}  // namespace platform
