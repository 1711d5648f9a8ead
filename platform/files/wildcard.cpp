#include "platform/files/wildcard.h"

#include <string>
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

class Matcher {
 public:
  Matcher(std::string_view name, std::vector<Element> mask)
      : name_(ansiUpper(name)),
        mask_(std::move(mask)),
        lastDot_(name_.rfind('.')),
        memo_((mask_.size() + 1) * (name_.size() + 1), kUnknown) {}

  bool run() { return match(0, 0); }

 private:
  static constexpr signed char kUnknown = -1;

  bool match(size_t m, size_t n) {
    signed char& slot = memo_[m * (name_.size() + 1) + n];
    if (slot == kUnknown) slot = compute(m, n) ? 1 : 0;
    return slot == 1;
  }

  bool compute(size_t m, size_t n) {
    bool atEnd = n == name_.size();
    if (m == mask_.size()) return atEnd;
    const Element& e = mask_[m];
    switch (e.token) {
      case Token::Literal:
        return !atEnd && name_[n] == e.c && match(m + 1, n + 1);
      case Token::Star:
        return match(m + 1, n) || (!atEnd && match(m, n + 1));
      case Token::DosStar:
        // Any characters, but not past the last dot of the name.
        if (match(m + 1, n)) return true;
        return !atEnd && (name_[n] != '.' || n != lastDot_) && match(m, n + 1);
      case Token::DosQm:
        // One character other than a dot, or nothing at a dot or the end.
        if (atEnd || name_[n] == '.') return match(m + 1, n);
        return match(m + 1, n + 1);
      case Token::DosDot:
        if (atEnd) return match(m + 1, n);
        return name_[n] == '.' && match(m + 1, n + 1);
    }
    return false;
  }

  std::string name_;
  std::vector<Element> mask_;
  size_t lastDot_;
  std::vector<signed char> memo_;
};

}  // namespace

bool hasWildcards(std::string_view mask) {
  return mask.find_first_of("*?") != std::string_view::npos;
}

bool matchesWildcard(std::string_view name, std::string_view mask) {
  return Matcher(name, compile(mask)).run();
}

}  // namespace platform
