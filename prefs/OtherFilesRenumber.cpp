// Renumbering the Other Files entries after one is removed.

#include "prefs/OtherFilesRenumber.h"

#include <string>

#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

std::string entrySection(size_t index) {
  return "MultiFiles" + std::to_string(index);
}
std::string notesSection(size_t index) {
  return entrySection(index) + "Notes";
}

// The profile functions drop a value's enclosing quotes on reading; the
// masks and chosen files are kept quoted, and so is any value whose leading
// or trailing blanks the quotes preserved.
std::string storedForm(const std::string& key, const std::string& value) {
  const std::string upper = platform::ansiUpper(key);
  const bool quotedKey = upper.rfind("FILETYPE", 0) == 0 || upper.rfind("FILES", 0) == 0;
  const bool blanksAtEnds = !value.empty() && (value.front() == ' ' || value.back() == ' ');
  return quotedKey || blanksAtEnds ? "\"" + value + "\"" : value;
}

// Section `to` becomes a copy of section `from`, every key included.
void copySection(platform::TIniFile& settings, const std::string& from, const std::string& to) {
  settings.EraseSection(to);
  for (const std::string& key : settings.ReadSection(from))
    settings.WriteString(to, key, storedForm(key, settings.ReadString(from, key, "")));
}

bool entryExists(const platform::TIniFile& settings, size_t index) {
  return !settings.ReadString(entrySection(index), "FileName", "").empty();
}

}  // namespace

void removeOtherFilesEntry(platform::TIniFile& settings, size_t index) {
  size_t last = index;
  while (entryExists(settings, last + 1)) {
    copySection(settings, entrySection(last + 1), entrySection(last));
    copySection(settings, notesSection(last + 1), notesSection(last));
    ++last;
  }
  settings.EraseSection(entrySection(last));
  settings.EraseSection(notesSection(last));
}

}  // namespace corvasta
