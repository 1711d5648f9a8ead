#pragma once
// An INI file in memory, line by line, with the matching rules of the Windows
// profile functions: section and key names without regard to case, the first
// of duplicate sections or keys wins, names and values trimmed of blanks.
// Edits keep every other line (comments, order, unknown keys) as it was.
//
// This is the parser under the private-profile functions (settings file,
// scanreg.ini, wininit.ini ...) and under machine.ini. It works on bytes; the
// caller decides whether they are ANSI or UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
 public:
  struct Line {
    enum class Kind { Blank, Comment, Section, Key, Other };
    Kind kind = Kind::Blank;
    std::string text;   // the line as read (without line end)
    std::string name;   // section name (Section) or key name (Key), trimmed
    std::string value;  // value of a Key line, trimmed
    int number = 0;     // 1-based line number in the parsed text; 0 when added
  };

  IniDocument() = default;
  static IniDocument parse(std::string_view text);

  // Serialises with the given line end after every line.
  std::string serialize(std::string_view lineEnd = "\r\n") const;

  bool hasSection(std::string_view section) const;
  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  // Line number of a key or section line, for error messages (0 when absent).
  int lineOf(std::string_view section, std::string_view key = {}) const;

  // Section names in file order (first occurrence of each), and the key names
  // of a section in order.
  std::vector<std::string> sections() const;
  std::vector<std::string> keys(std::string_view section) const;

  // Creates the section and key as needed; changes only the value of an
  // existing key line.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // Returns false when there was nothing to remove.
  bool removeKey(std::string_view section, std::string_view key);
  bool eraseSection(std::string_view section);
  // Replaces the keys of a section by the given ones (creating it as needed).
  void replaceSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);

  const std::vector<Line>& lines() const { return lines_; }

 private:
  // Index range [begin, end) of the first section with that name; begin is the
  // section line itself. nullopt when absent.
  std::optional<std::pair<size_t, size_t>> sectionRange(std::string_view section) const;
  void appendSection(std::string_view section);
  std::optional<size_t> keyLine(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
};

// Blanks and tabs trimmed from both ends.
std::string_view trimBlanks(std::string_view text);

}  // namespace platform
