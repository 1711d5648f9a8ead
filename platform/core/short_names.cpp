#include "platform/core/short_names.h"

#include <set>
#include <sstream>

#include "platform/core/errors.h"
#include "platform/core/machine_state.h"
#include "platform/host/host_files.h"

namespace platform {
namespace {

bool isForbiddenInShortName(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u <= 0x20) return true;
  return std::string_view("\"*+,./:;<=>?[\\]|").find(c) != std::string_view::npos;
}

bool isReplacedInAlias(char c) {
  return std::string_view("+,;=[]").find(c) != std::string_view::npos;
}

}  // namespace

bool isValidShortName(std::string_view name) {
  if (name == "." || name == "..") return true;
  size_t dot = name.find('.');
  std::string_view base = name.substr(0, dot);
  std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;
  for (char c : base)
    if (isForbiddenInShortName(c)) return false;
  for (char c : ext)
    if (isForbiddenInShortName(c)) return false;
  return true;
}

std::string makeAlias(std::string_view longName, unsigned n) {
  // Leading dots and every blank go; the last remaining dot splits base and extension.
  std::string cleaned;
  for (char c : longName)
    if (c != ' ') cleaned += c;
  size_t firstNonDot = cleaned.find_first_not_of('.');
  cleaned.erase(0, firstNonDot == std::string::npos ? cleaned.size() : firstNonDot);
  size_t lastDot = cleaned.rfind('.');
  std::string base, ext;
  auto convert = [](char c) -> std::string {
    if (c == '.') return "";
    if (isReplacedInAlias(c)) return "_";
    if (isForbiddenInShortName(c)) return "";
    return std::string(1, ansiUpper(c));
  };
  for (size_t i = 0; i < cleaned.size() && i != lastDot; ++i) base += convert(cleaned[i]);
  if (lastDot != std::string::npos)
    for (size_t i = lastDot + 1; i < cleaned.size() && ext.size() < 3; ++i)
      ext += convert(cleaned[i]);
  if (base.empty()) base = "_";
  std::string tail = "~" + std::to_string(n);
  size_t keep = tail.size() >= 8 ? 1 : 8 - tail.size();
  if (base.size() > keep) base.resize(keep);
  std::string alias = base + tail;
  if (!ext.empty()) alias += "." + ext;
  return alias;
}

namespace {

// The first number from `from` on whose alias is not taken.
unsigned firstFreeNumber(std::string_view longName, const NameQuery& taken, unsigned from) {
  for (unsigned n = from;; ++n)
    if (!taken(makeAlias(longName, n))) return n;
}

}  // namespace

std::string nextFreeAlias(std::string_view longName, const std::vector<std::string>& taken) {
  std::set<std::string_view, AnsiLessNoCase> names(taken.begin(), taken.end());
  auto isTaken = [&](std::string_view alias) { return names.count(alias) > 0; };
  return makeAlias(longName, firstFreeNumber(longName, isTaken, 1));
}

AliasStore::AliasStore(std::filesystem::path file) : file_(std::move(file)), changes_(file_) {
  load();
}

void AliasStore::load() {
  std::optional<std::string> text = host::readFile(file_);
  if (!text) return;
  std::istringstream in(*text);
  // One line per change, later lines overriding earlier ones: folder TAB long
  // name TAB alias (UTF-8 folder, ANSI names stored as UTF-8); an empty alias
  // removes the long name's alias.
  std::string line;
  size_t lines = 0;
  while (std::getline(in, line)) {
    size_t tab1 = line.find('\t');
    size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) continue;
    ++lines;
    std::string folder = line.substr(0, tab1);
    std::string longName = utf8ToAnsi(line.substr(tab1 + 1, tab2 - tab1 - 1));
    std::string alias = utf8ToAnsi(line.substr(tab2 + 1));
    if (alias.empty())
      erase(folder, longName);
    else
      put(folder, longName, alias);
  }
  // Changes are appended; a file that has grown well past its content is
  // written again compactly.
  size_t entries = 0;
  for (const auto& [folder, aliases] : folders_) entries += aliases.byLong.size();
  if (lines > 2 * entries + 64) save();
}

std::string AliasStore::line(const std::string& folder, std::string_view longName,
                             std::string_view alias) {
  return folder + '\t' + ansiToUtf8(longName) + '\t' + ansiToUtf8(alias) + '\n';
}

void AliasStore::save() {
  std::string out;
  for (const auto& [folder, aliases] : folders_)
    for (const auto& [longName, alias] : aliases.byLong) out += line(folder, longName, alias);
  host::makeDirectories(file_.parent_path());
  changes_.close();
  replaceHostFile(file_, out);
}

void AliasStore::append(const std::string& lines) {
  if (std::error_code error = changes_.append(lines))
    throw OsError(WinError::WriteFault, "",
                  "cannot write the alias store " + file_.string() + ": " + error.message());
}

void AliasStore::put(const std::string& folder, std::string_view longName,
                     const std::string& alias) {
  erase(folder, longName);
  FolderAliases& aliases = folders_[folder];
  aliases.byLong[std::string(longName)] = alias;
  aliases.byAlias[alias] = std::string(longName);
}

bool AliasStore::erase(const std::string& folder, std::string_view longName) {
  auto f = folders_.find(folder);
  if (f == folders_.end()) return false;
  auto a = f->second.byLong.find(longName);
  if (a == f->second.byLong.end()) return false;
  f->second.hints.clear();  // a number may be free again
  auto reverse = f->second.byAlias.find(a->second);
  if (reverse != f->second.byAlias.end() && ansiEqualNoCase(reverse->second, a->first))
    f->second.byAlias.erase(reverse);
  f->second.byLong.erase(a);
  if (f->second.byLong.empty()) folders_.erase(f);
  return true;
}

std::optional<std::string> AliasStore::find(const std::string& folder,
                                            std::string_view longName) const {
  auto f = folders_.find(folder);
  if (f == folders_.end()) return std::nullopt;
  auto a = f->second.byLong.find(longName);
  if (a == f->second.byLong.end()) return std::nullopt;
  return a->second;
}

std::optional<std::string> AliasStore::longNameOf(const std::string& folder,
                                                  std::string_view alias) const {
  auto f = folders_.find(folder);
  if (f == folders_.end()) return std::nullopt;
  auto a = f->second.byAlias.find(alias);
  if (a == f->second.byAlias.end()) return std::nullopt;
  return a->second;
}

std::string AliasStore::assign(const std::string& folder, std::string_view longName,
                               const std::vector<std::string>& siblings) {
  std::set<std::string_view, AnsiLessNoCase> present(siblings.begin(), siblings.end());
  return assignAmong(folder, longName,
                     [&](std::string_view name) { return present.count(name) > 0; });
}

std::string AliasStore::assignAmong(const std::string& folder, std::string_view longName,
                                    const NameQuery& present,
                                    std::optional<uint64_t> listingStamp) {
  if (isValidShortName(longName)) return ansiUpper(longName);
  if (auto existing = find(folder, longName)) return *existing;
  std::string changes;
  std::string sequence = makeAlias(longName, 1);
  unsigned from = 1;
  if (auto f = folders_.find(folder); f != folders_.end() && listingStamp) {
    auto hint = f->second.hints.find(sequence);
    if (hint != f->second.hints.end() && hint->second.stamp == *listingStamp)
      from = hint->second.next;
  }
  // A number is taken by an entry of the folder whose own name it is, or by
  // the alias of a name still present. The alias of a name that is gone from
  // the folder (deleted on the host) is free again, as Windows reuses the
  // number of a deleted file.
  unsigned number = firstFreeNumber(
      longName,
      [&](std::string_view candidate) {
        if (present(candidate)) return true;
        std::optional<std::string> holder = longNameOf(folder, candidate);
        if (!holder) return false;
        if (present(*holder)) return true;
        erase(folder, *holder);
        changes += line(folder, *holder, "");
        return false;
      },
      from);
  std::string alias = makeAlias(longName, number);
  put(folder, longName, alias);
  if (listingStamp) folders_[folder].hints[sequence] = {*listingStamp, number + 1};
  append(changes + line(folder, longName, alias));
  return alias;
}

void AliasStore::forget(const std::string& folder, std::string_view longName) {
  if (erase(folder, longName)) append(line(folder, longName, ""));
}

void AliasStore::moveFolder(const std::string& from, const std::string& to) {
  std::map<std::string, FolderAliases> moved;
  for (auto it = folders_.begin(); it != folders_.end();) {
    const std::string& key = it->first;
    bool below =
        key == from || (key.size() > from.size() && key.compare(0, from.size(), from) == 0 &&
                        (from.empty() || key[from.size()] == '/'));
    if (below) {
      moved[to + key.substr(from.size())] = std::move(it->second);
      it = folders_.erase(it);
    } else {
      ++it;
    }
  }
  if (moved.empty()) return;
  for (auto& [key, aliases] : moved) folders_[key] = std::move(aliases);
  save();
}

}  // namespace platform
