// GetCompressType: what a backup set folder holds (where its registry lies,
// whether it is compressed, whether it is a repair set or a plain registry
// copy), and the start of the restore run on it; CurrentUserEntry, the
// current user's entry in a multi-user set's user.ini.

#include <array>
#include <map>

#include "app/core/Core.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/files/wildcard.h"
#include "platform/profile/profile_file.h"
#include "restore/RestoreRun.h"
#include "restore/RestoreSources.h"

namespace corvasta {
namespace {

// The files of an NT repair folder (rdisk, the setup repair disk).
constexpr std::array<const char*, 6> kRepairSetNames{"sam._",      "security._", "system._",
                                                     "software._", "default._",  "ntuser.da_"};

bool exists(platform::FileSystem& files, const std::string& path) {
  try {
    return files.exists(path);
  } catch (const Error&) {
    return false;  // a drive without its disk holds nothing
  }
}

std::vector<platform::FindData> listing(platform::FileSystem& files, const std::string& pattern) {
  try {
    return files.findAll(pattern);
  } catch (const Error&) {
    return {};
  }
}

bool endsWithNoCase(const std::string& text, std::string_view end) {
  return text.size() >= end.size() &&
         platform::ansiEqualNoCase(std::string_view(text).substr(text.size() - end.size()), end);
}

// Entries that tell nothing about the set's registry or compression: an
// Other Files entry's notes ("...-Notes.txt", a text file in every kind of
// set) and the multi-user map.
bool passedOver(const platform::FindData& entry) {
  return entry.name == "." || entry.name == ".." || endsWithNoCase(entry.name, "-Notes.txt") ||
         platform::ansiEqualNoCase(entry.name, "user.ini");
}

// The pattern with its extension's wildcards read as the compressed form's
// final "z" ("user*.da?" -> extension "daz"); empty without an extension.
std::string compressedExtension(const std::string& pattern) {
  const size_t dot = pattern.find_last_of('.');
  if (dot == std::string::npos) return "";
  std::string extension = pattern.substr(dot + 1);
  for (char& c : extension)
    if (c == '?' || c == '*') c = 'z';
  return extension;
}

// The MultiUsers entries of a set's user.ini by upper-case key, the first
// of a repeated key winning as the profile functions read it; none when the
// file is missing or unreadable.
std::map<std::string, std::string> multiUsers(const platform::Machine& machine,
                                              const std::string& setDir) {
  std::map<std::string, std::string> users;
  bool inSection = false;
  const platform::IniDocument map = platform::loadProfile(machine, setDir + "user.ini");
  for (const platform::IniDocument::Line& line : map.lines()) {
    if (line.kind == platform::IniDocument::Line::Kind::Section)
      inSection = platform::ansiEqualNoCase(line.name, "MultiUsers");
    else if (inSection && line.kind == platform::IniDocument::Line::Kind::Key)
      users.try_emplace(platform::ansiUpper(line.name), line.value);
  }
  return users;
}

bool isRepairSet(platform::FileSystem& files, const std::string& setDir) {
  if (exists(files, setDir + "registry.daz")) return false;
  for (const char* name : kRepairSetNames)
    if (exists(files, setDir + name)) return true;
  return false;
}

}  // namespace

std::string RestoreSources::CurrentUserEntry(const std::string& setDir) {
  // The map is read once: a set's user.ini may be damaged, or long enough
  // that reading it anew for every entry would take minutes.
  const std::map<std::string, std::string> users = multiUsers(core.env.machine, setDir);
  const std::string profile = core.loc.userDir;
  const std::string shortProfile = ShortFileName(core.env.machine, profile);
  std::string entry = "user0";
  for (size_t i = 0; i < users.size(); ++i) {
    const std::string key = "user" + std::to_string(i);
    const auto value = users.find(platform::ansiUpper(key));
    if (value == users.end() || value->second.empty()) break;
    const size_t cut = value->second.find_last_of('\\');
    const std::string directory = cut == std::string::npos ? "" : value->second.substr(0, cut + 1);
    if (platform::ansiEqualNoCase(directory, profile) ||
        platform::ansiEqualNoCase(directory, shortProfile))
      entry = key;
  }
  return entry;
}

std::string RestoreSources::searchPattern(const std::string& setDir) {
  if (exists(core.env.files, setDir + "user.ini"))
    return core.isWin9xMode() ? CurrentUserEntry(setDir) + ".da?" : CurrentUserEntry(setDir);
  if (core.winCrash) return core.isWin9xMode() ? "user*.da?" : "win.in?";
  return "*.*";
}

// The name of the entry that the run starts from, or none. Files come before
// folders, because a file's name tells the run how the set was made. An
// archive split into blocks on a hard disk (name.001, name.002 ...) counts as
// present under its own name; the archive reader reads it from its blocks.
// A repair folder counts as holding the registry.
std::optional<std::string> RestoreSources::findRegistryEntry(const std::string& setDir,
                                                             const std::string& pattern) {
  platform::FileSystem& files = core.env.files;
  std::optional<std::string> folder;
  for (const platform::FindData& entry : listing(files, setDir + pattern)) {
    if (passedOver(entry)) continue;
    if ((entry.attributes & platform::kAttributeDirectory) == 0) return entry.name;
    if (!folder) folder = entry.name;
  }
  if (folder) return folder;

  const std::string extension = compressedExtension(pattern);
  if (!extension.empty()) {
    const std::string stem = pattern.substr(0, pattern.find_last_of('.'));
    for (const platform::FindData& block : listing(files, setDir + stem + ".001")) {
      const std::string archive = block.name.substr(0, block.name.size() - 3) + extension;
      if (platform::matchesWildcard(archive, pattern)) return archive;
    }
  }
  if (core.isNtMode() && isRepairSet(files, setDir)) {
    for (const char* name : kRepairSetNames)
      if (exists(files, setDir + name)) return std::string(name);
  }
  return std::nullopt;
}

void RestoreSources::GetCompressType(const std::string& setDir) {
  std::optional<std::string> entry;
  if (state.sourceKind != SourceKind::Removable) {
    entry = findRegistryEntry(setDir, searchPattern(setDir));
    if (!entry) {
      core.env.ui.messageBox(core.winCrash ? kNoRegistryInSet : kNoBackupSetFound,
                             core.ApplicationTitle, Buttons::Ok);
      return;
    }
  } else {
    // A new disk may be a set of its own: each is searched as it comes.
    while (!(entry = findRegistryEntry(setDir, searchPattern(setDir))))
      if (!askForDisk(setDir)) return;
  }

  platform::FileSystem& files = core.env.files;
  if (isRepairSet(files, setDir)) {
    state.sourceKind = SourceKind::OriginalRegistry;
  } else if (!exists(files, setDir + "registry.daz") && exists(files, setDir + "win.ini")) {
    state.sourceKind = SourceKind::PlainRegistry;
  }
  run.RunRestore(setDir + *entry, setDir + "system.daz");
}

}  // namespace corvasta
