#include "platform/profile/private_profile.h"

#include "platform/profile/profile_file.h"
#include "platform/profile/profile_values.h"

namespace platform {

namespace {

std::string_view firstLine(std::string_view value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

}  // namespace

std::string getPrivateProfileString(const Machine& machine, std::string_view section,
                                    std::string_view key, std::string_view defaultValue,
                                    std::string_view fileName) {
  IniDocument doc = loadProfile(machine, profileWinPath(machine, fileName));
  return readProfileString(doc, section, key, defaultValue);
}

int32_t getPrivateProfileInt(const Machine& machine, std::string_view section, std::string_view key,
                             int32_t defaultValue, std::string_view fileName) {
  IniDocument doc = loadProfile(machine, profileWinPath(machine, fileName));
  return readProfileInt(doc, section, key, defaultValue);
}

std::vector<std::string> getPrivateProfileSectionNames(const Machine& machine,
                                                       std::string_view fileName) {
  return loadProfile(machine, profileWinPath(machine, fileName)).sections();
}

std::vector<std::string> getPrivateProfileKeys(const Machine& machine, std::string_view section,
                                               std::string_view fileName) {
  return loadProfile(machine, profileWinPath(machine, fileName)).keys(section);
}

std::vector<std::string> getPrivateProfileSection(const Machine& machine, std::string_view section,
                                                  std::string_view fileName) {
  return profileSectionLines(loadProfile(machine, profileWinPath(machine, fileName)), section);
}

void writePrivateProfileString(Machine& machine, std::string_view section,
                               std::optional<std::string_view> key,
                               std::optional<std::string_view> value, std::string_view fileName) {
  std::string winPath = profileWinPath(machine, fileName);
  IniDocument doc = loadProfile(machine, winPath);
  bool changed = true;
  if (!key)
    changed = doc.eraseSection(section);
  else if (!value)
    changed = doc.removeKey(section, *key);
  else if ((changed = doc.get(section, *key) != firstLine(*value)))
    doc.set(section, *key, firstLine(*value));
  // A value the file holds already is not written again: rewriting the file
  // would change nothing it says, and each rewrite is one more moment a
  // crash could meet.
  if (changed) saveProfile(machine, winPath, doc);
}

void writePrivateProfileSection(Machine& machine, std::string_view section,
                                const std::vector<std::string>& lines, std::string_view fileName) {
  std::string winPath = profileWinPath(machine, fileName);
  IniDocument doc = loadProfile(machine, winPath);
  std::vector<std::pair<std::string, std::string>> entries;
  for (const std::string& line : lines) {
    std::string_view text = firstLine(line);
    size_t eq = text.find('=');
    std::string_view name = text.substr(0, eq);
    std::string_view val = eq == std::string_view::npos ? "" : text.substr(eq + 1);
    entries.emplace_back(trimBlanks(name), trimBlanks(val));
  }
  doc.replaceSection(section, entries);
  saveProfile(machine, winPath, doc);
}

}  // namespace platform
