#pragma once
// The line-and-tab text of the state-folder record files (attribute records,
// delayed moves): lines end in LF (a CR before it is dropped), fields are
// separated by tabs, blank lines are skipped.

#include <string_view>
#include <vector>

namespace platform {

// Calls `onLine(lineNumber, line)` for every non-blank line, numbered from 1.
template <typename OnLine>
void forEachRecordLine(std::string_view text, OnLine&& onLine) {
  int number = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    pos = end == std::string_view::npos ? text.size() : end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) onLine(number, line);
  }
}

inline std::vector<std::string_view> splitRecordFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace platform
