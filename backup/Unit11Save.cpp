// TForm11's OK and Cancel: the name and selection checks, then the entry
// written to its settings section and the Preferences list updated.

#include "app/core/Core.h"
#include "backup/ReservedArchives.h"
#include "backup/Unit11.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

namespace {

constexpr const char* kNoName = "A Filename has not been entered.  Please enter one.";
constexpr const char* kInvalidCharacter = "Invalid Character in FileName (\\,/,:,*,?,\",<,>,|)";
constexpr const char* kNothingSelected =
    "Nothing is selected to Backup.  You must either select a File Type when a folder is "
    "selected or check a file in the Files section.";

bool hasInvalidCharacter(const std::string& name) {
  for (char c : std::string_view("\\/:*?\"<>|"))
    if (name.find(c) != std::string::npos) return true;
  // A pasted name can hold control characters that typing refuses.
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32) return true;
  return false;
}

std::string inQuotes(const std::string& value) {
  return "\"" + value + "\"";
}

}  // namespace

std::optional<std::string> TForm11::nameProblem() {
  if (Edit1.empty()) return kNoName;
  if (hasInvalidCharacter(Edit1)) return kInvalidCharacter;
  const std::string taken =
      Edit1 + " is already used as a Filename.  Please type in another Filename.";
  // Names become archive names in one set: compared without case, against
  // every other entry (also when renaming) and the set's own archives.
  if (isReservedSetArchive(Edit1 + ".zip")) return taken;
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  for (int i = 0;; ++i) {
    const std::string other = settings.ReadString("MultiFiles" + std::to_string(i), "FileName", "");
    if (other.empty()) break;
    if (i != EntryNumber && platform::ansiEqualNoCase(other, Edit1)) return taken;
  }
  return std::nullopt;
}

bool TForm11::Button1Click() {
  std::optional<std::string> problem;
  if (Edit1.empty() || hasInvalidCharacter(Edit1)) {
    problem = nameProblem();
  } else {
    StoreChecks();
    if (lists.includes.empty() && lists.files.empty())
      problem = kNothingSelected;
    else
      problem = nameProblem();
  }
  if (problem) {
    message(*problem);
    return false;
  }
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  const std::string name = section();
  // The entry's check marks of all four backup configs survive the save.
  std::array<std::string, 4> checks;
  for (int n = 1; n <= 4; ++n)
    checks[n - 1] = settings.ReadString(name, "Check" + std::to_string(n), "");
  settings.EraseSection(name);
  settings.WriteString(name, "FileName", Edit1);
  int k = 0;
  for (const std::string& inclusion : lists.includes)
    settings.WriteString(name, "FileType" + std::to_string(k++), inQuotes(inclusion));
  for (const std::string& exclusion : lists.excludes)
    settings.WriteString(name, "FileType" + std::to_string(k++), inQuotes("-" + exclusion));
  for (size_t f = 0; f < lists.files.size(); ++f)
    settings.WriteString(name, "Files" + std::to_string(f), inQuotes(lists.files[f]));
  settings.WriteBool(name, "SubDirectories", true);
  settings.WriteString(name, "Path", DirTree1.Directory());
  for (int n = 1; n <= 4; ++n)
    if (!checks[n - 1].empty())
      settings.WriteString(name, "Check" + std::to_string(n), checks[n - 1]);
  std::vector<std::string>& names = core.Form8.otherFilesNames;
  if (EntryNumber >= 0 && static_cast<size_t>(EntryNumber) < names.size()) {
    names[static_cast<size_t>(EntryNumber)] = Edit1;
  } else {
    names.push_back(Edit1);
    std::vector<int>& marks = core.Form8.config.otherFilesChecks;
    if (marks.size() < names.size()) marks.resize(names.size(), 0);
  }
  closed = saved = true;
  return true;
}

void TForm11::CancelClick() {
  closed = true;
}

}  // namespace corvasta
