#include "backup/SetNaming.h"

#include <cctype>

#include "app/core/Ui.h"

namespace corvasta {

std::string setNameDate(const std::string& dateFormat, const std::string& shortDateFormat,
                        const platform::SystemTime& today) {
  std::string picture = dateFormat.empty() ? shortDateFormat : dateFormat;
  char quote = 0;
  for (char& c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '/') {
      c = '-';
    }
  }
  return platform::formatDate(today, picture);
}

namespace {

// The last folder name of a set path, without the final backslash.
std::string lastElement(const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  const size_t slash = trimmed.rfind('\\');
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// The leading number of the previous set's name (cut before its first
// blank), plus one; 1 when it is not a number.
std::string numberBase(const std::vector<std::string>& registeredSets) {
  if (registeredSets.empty()) return "1";
  std::string name = lastElement(registeredSets.back());
  const size_t blank = name.find(' ');
  if (blank != std::string::npos) name.resize(blank);
  size_t start = (!name.empty() && (name[0] == '-' || name[0] == '+')) ? 1 : 0;
  bool numeric = start < name.size() && name.size() - start <= 9;
  for (size_t i = start; numeric && i < name.size(); ++i)
    numeric = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
  const long previous = numeric ? std::stol(name) : 0;
  return std::to_string(previous + 1);
}

}  // namespace

std::string proposedSetName(const std::vector<std::string>& registeredSets,
                            const SetNamingRules& rules, const platform::SystemTime& today) {
  const std::string base = rules.useDate
                               ? setNameDate(rules.dateFormat, rules.shortDateFormat, today)
                               : numberBase(registeredSets);
  const std::string suffix = rules.addConfig ? " " + rules.configName : std::string();
  std::string candidate = base;
  for (int counter = 0;;) {
    bool hit = false;
    for (const std::string& path : registeredSets) {
      if (counter > 0) candidate = base + "(" + std::to_string(counter) + ")";
      if (path.find(candidate + suffix + "\\") != std::string::npos) {
        hit = true;
        break;
      }
    }
    if (!hit) break;
    ++counter;
  }
  return candidate + suffix;
}

bool isUsableSetName(const std::string& name) {
  // Windows drops trailing dots and blanks, so ".", ".." and the like name
  // the folder itself or its parent, never a set of their own.
  return name.find_first_not_of(". ") != std::string::npos &&
         name.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

std::optional<std::string> askSetName(Ui& ui, const std::string& proposed,
                                      const std::string& applicationTitle) {
  std::string initial = proposed;
  for (;;) {
    std::optional<std::string> name =
        ui.inputBox("Name of Backup", "Type Name of this Backup:", initial, false);
    if (!name) return std::nullopt;
    if (isUsableSetName(*name)) return name;
    ui.messageBox(kSetNameRefused, applicationTitle, Buttons::Ok);
    initial = *name;
  }
}

}  // namespace corvasta
