#include "backup/AliasNumbers.h"

namespace corvasta {

namespace {

// Windows numbers aliases up to ~999999; anything longer is not a number it gave.
constexpr size_t kMostAliasDigits = 6;

}  // namespace

std::optional<unsigned> aliasNumber(std::string_view alias) {
  const size_t tilde = alias.find('~');
  if (tilde == std::string_view::npos) return std::nullopt;
  const size_t dot = alias.find('.', tilde);
  const std::string_view digits = alias.substr(
      tilde + 1, dot == std::string_view::npos ? std::string_view::npos : dot - tilde - 1);
  if (digits.empty() || digits.size() > kMostAliasDigits) return std::nullopt;
  unsigned number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (number == 0) return std::nullopt;
  return number;
}

std::string aliasStem(std::string_view alias) {
  return std::string(alias.substr(0, alias.find('~')));
}

std::string placeholderName(const std::string& name, size_t blanks) {
  if (name.size() < 2) return name;
  return name.substr(0, 1) + std::string(blanks, ' ') + name.substr(1);
}

}  // namespace corvasta
