#include "platform/core/ini_document.h"

#include "platform/core/codepage.h"

namespace platform {

std::string_view trimBlanks(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

namespace {

IniDocument::Line classify(std::string_view raw, int number) {
  IniDocument::Line line;
  line.text = std::string(raw);
  line.number = number;
  std::string_view text = trimBlanks(raw);
  if (text.empty()) {
    line.kind = IniDocument::Line::Kind::Blank;
  } else if (text.front() == ';') {
    line.kind = IniDocument::Line::Kind::Comment;
  } else if (text.front() == '[') {
    size_t close = text.find(']');
    line.kind = IniDocument::Line::Kind::Section;
    line.name = std::string(trimBlanks(
        text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
  } else if (size_t eq = text.find('='); eq != std::string_view::npos) {
    line.kind = IniDocument::Line::Kind::Key;
    line.name = std::string(trimBlanks(text.substr(0, eq)));
    line.value = std::string(trimBlanks(text.substr(eq + 1)));
  } else {
    line.kind = IniDocument::Line::Kind::Other;
    line.name = std::string(text);
  }
  return line;
}

IniDocument::Line makeKeyLine(std::string_view key, std::string_view value) {
  IniDocument::Line line;
  line.kind = IniDocument::Line::Kind::Key;
  line.name = std::string(key);
  line.value = std::string(value);
  line.text = line.name + "=" + line.value;
  return line;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  int number = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    std::string_view raw =
        text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    doc.lines_.push_back(classify(raw, ++number));
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  return doc;
}

std::string IniDocument::serialize(std::string_view lineEnd) const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += lineEnd;
  }
  return out;
}

std::optional<std::pair<size_t, size_t>> IniDocument::sectionRange(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Line::Kind::Section || !ansiEqualNoCase(lines_[i].name, section))
      continue;
    size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != Line::Kind::Section) ++end;
    return std::make_pair(i, end);
  }
  return std::nullopt;
}

std::optional<size_t> IniDocument::keyLine(std::string_view section, std::string_view key) const {
  auto range = sectionRange(section);
  if (!range) return std::nullopt;
  for (size_t i = range->first + 1; i < range->second; ++i)
    if (lines_[i].kind == Line::Kind::Key && ansiEqualNoCase(lines_[i].name, key)) return i;
  return std::nullopt;
}

bool IniDocument::hasSection(std::string_view section) const {
  return sectionRange(section).has_value();
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
  auto index = keyLine(section, key);
  if (!index) return std::nullopt;
  return lines_[*index].value;
}

int IniDocument::lineOf(std::string_view section, std::string_view key) const {
  if (key.empty()) {
    auto range = sectionRange(section);
    return range ? lines_[range->first].number : 0;
  }
  auto index = keyLine(section, key);
  return index ? lines_[*index].number : 0;
}

std::vector<std::string> IniDocument::sections() const {
  std::vector<std::string> names;
  for (const Line& line : lines_) {
    if (line.kind != Line::Kind::Section) continue;
    bool seen = false;
    for (const auto& name : names) seen = seen || ansiEqualNoCase(name, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
  std::vector<std::string> names;
  auto range = sectionRange(section);
  if (!range) return names;
  for (size_t i = range->first + 1; i < range->second; ++i) {
    if (lines_[i].kind != Line::Kind::Key) continue;
    bool seen = false;
    for (const auto& name : names) seen = seen || ansiEqualNoCase(name, lines_[i].name);
    if (!seen) names.push_back(lines_[i].name);
  }
  return names;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  if (auto index = keyLine(section, key)) {
    Line& line = lines_[*index];
    line.value = std::string(value);
    line.text = line.name + "=" + line.value;
    return;
  }
  if (auto range = sectionRange(section)) {
    // After the section's last non-blank line, so blank separators stay last.
    size_t at = range->second;
    while (at > range->first + 1 && lines_[at - 1].kind == Line::Kind::Blank) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), makeKeyLine(key, value));
    return;
  }
  appendSection(section);
  lines_.push_back(makeKeyLine(key, value));
}

void IniDocument::appendSection(std::string_view section) {
  if (!lines_.empty() && lines_.back().kind != Line::Kind::Blank) lines_.push_back(Line{});
  Line header;
  header.kind = Line::Kind::Section;
  header.name = std::string(section);
  header.text = "[" + header.name + "]";
  lines_.push_back(header);
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
  auto index = keyLine(section, key);
  if (!index) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*index));
  return true;
}

bool IniDocument::eraseSection(std::string_view section) {
  auto range = sectionRange(section);
  if (!range) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->first),
               lines_.begin() + static_cast<std::ptrdiff_t>(range->second));
  return true;
}

void IniDocument::replaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& entries) {
  if (!sectionRange(section)) appendSection(section);
  auto range = sectionRange(section);
  size_t end = range->second;
  while (end > range->first + 1 && lines_[end - 1].kind == Line::Kind::Blank) --end;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->first + 1),
               lines_.begin() + static_cast<std::ptrdiff_t>(end));
  std::vector<Line> fresh;
  for (const auto& [key, value] : entries) fresh.push_back(makeKeyLine(key, value));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(range->first + 1), fresh.begin(),
                fresh.end());
}

}  // namespace platform
