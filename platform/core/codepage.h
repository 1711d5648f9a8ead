#pragma once
// Text inside the program is 8-bit ANSI (Windows-1252), as on Windows; host
// file names and host text are UTF-8. Conversion happens only at the host
// boundary, through these functions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Windows-1252 to UTF-8. The five code points 1252 leaves undefined map to the
// C1 control characters of the same value, as Windows' MultiByteToWideChar does.
std::string ansiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1252. Characters without a 1252 form, and malformed UTF-8,
// become '?', as WideCharToMultiByte's default character.
std::string utf8ToAnsi(std::string_view utf8);

// UTF-8 and UTF-16 (as NT hives, shortcuts and other Windows files store
// text). Malformed UTF-8, and unpaired surrogates, become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
// UTF-16LE bytes (an odd last byte is dropped) to UTF-8, and back (no terminator added).
std::string utf16leBytesToUtf8(const uint8_t* bytes, size_t size);
std::vector<uint8_t> utf8ToUtf16leBytes(std::string_view utf8);

// Case mapping of CharUpper/CharLower on code page 1252.
char ansiUpper(char c);
char ansiLower(char c);
std::string ansiUpper(std::string_view text);
std::string ansiLower(std::string_view text);

// Comparison without regard to case, as Windows compares file names and
// settings keys.
bool ansiEqualNoCase(std::string_view a, std::string_view b);
int ansiCompareNoCase(std::string_view a, std::string_view b);

struct AnsiLessNoCase {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const {
    return ansiCompareNoCase(a, b) < 0;
  }
};

}  // namespace platform
