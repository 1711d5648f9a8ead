#include "platform/boot/logon_startup.h"

#include <algorithm>

#include "platform/boot/machine_links.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/host/host_files.h"
#include "platform/live_registry/live_registry.h"
#include "platform/system/command_line.h"
#include "platform/system/journal.h"
#include "platform/system/process_start.h"

namespace platform::boot {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string shellFolder(LiveRegistry& registry, HKEY root, const char* name) {
  HKEY key = 0;
  if (registry.openKeyEx(root, kShellFolders, 0, KEY_READ, key) != WinError::Success) return {};
  uint32_t type = 0;
  std::vector<uint8_t> data;
  WinError error = registry.queryValueEx(key, name, type, data);
  registry.closeKey(key);
  if (error != WinError::Success) return {};
  std::string value(data.begin(), data.end());
  if (size_t end = value.find('\0'); end != std::string::npos) value.resize(end);
  return value;
}

// The target as a path: double quotes around it (as desktop icons write
// it) are not part of the file's name.
std::string unquotedTarget(std::string target) {
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
    target = target.substr(1, target.size() - 2);
  return target;
}

std::optional<uint32_t> runProgramShortcut(FileSystem& files, BootLog& log,
                                           const std::filesystem::path& program,
                                           const shell::ShellLink& link,
                                           const std::string& longTarget) {
  Machine& machine = files.machine();
  std::string arguments = utf8ToAnsi(link.arguments);
  appendJournal(machine, "start",
                utf8ToAnsi(link.target) + (arguments.empty() ? "" : " " + arguments));
  if (program.empty() || !host::isRegularFile(program)) {
    log.event("cannot run " + utf8ToAnsi(link.target) + ": the console program is not there");
    return std::nullopt;
  }
  std::vector<std::string> hostArguments = {"--console", "--machine", machine.folder().string()};
  // Each edition is its own executable; the one the shortcut names starts.
  if (std::string edition = programEdition(longTarget); !edition.empty()) {
    hostArguments.push_back("--edition");
    hostArguments.push_back(edition);
  }
  for (const std::string& argument : splitArguments(arguments))
    hostArguments.push_back(ansiToUtf8(argument));
  uint32_t exitCode = runHostCommand(program.string(), hostArguments, machine.folder());
  log.event("program " + arguments + " ended with exit code " + std::to_string(exitCode));
  return exitCode;
}

}  // namespace

std::vector<std::string> startupFolders(FileSystem& files) {
  std::vector<std::string> folders;
  LiveRegistry registry(files.machine(), files);
  for (auto [root, name] :
       {std::pair{HKEY_CURRENT_USER, "Startup"}, std::pair{HKEY_LOCAL_MACHINE, "Common Startup"}}) {
    std::string folder = shellFolder(registry, root, name);
    if (folder.empty()) continue;
    try {
      if (!files.directoryExists(folder)) continue;
    } catch (const OsError&) {
      continue;
    }
    bool seen = std::any_of(folders.begin(), folders.end(),
                            [&](const std::string& f) { return ansiEqualNoCase(f, folder); });
    if (!seen) folders.push_back(folder);
  }
  return folders;
}

bool isProgramTarget(const Machine& machine, const std::string& target) {
  std::string folder = ansiLower(machine.config().programDirectory);
  std::string lower = ansiLower(target);
  if (lower.size() <= folder.size() + 1 || !lower.starts_with(folder + "\\")) return false;
  std::string name = lower.substr(folder.size() + 1);
  return name.find('\\') == std::string::npos && name.starts_with("crvast") &&
         name.ends_with(".exe");
}

std::string programEdition(const std::string& target) {
  static constexpr std::pair<const char*, const char*> kEditions[] = {
      {"95", "95"}, {"98", "98"}, {"me", "me"}, {"nt", "nt4"}, {"2k", "2000"}, {"xp", "xp"}};
  std::string name = ansiLower(target.substr(target.find_last_of('\\') + 1));
  if (!name.starts_with("crvast") || !name.ends_with(".exe")) return {};
  std::string mode = name.substr(6, name.size() - 10);
  for (const auto& [shortName, edition] : kEditions)
    if (mode == shortName) return edition;
  return {};
}

OpenedShortcut openShortcut(FileSystem& files, BootLog& log,
                            const std::filesystem::path& consoleProgram,
                            const std::string& linkPath) {
  Machine& machine = files.machine();
  shell::ShellLink link = readLinkFile(files, linkPath);
  std::string target = unquotedTarget(utf8ToAnsi(link.target));
  log.event("Shortcut " + linkPath + ": " + utf8ToAnsi(link.target) + " " +
            utf8ToAnsi(link.arguments));
  // The target of a link may be given in its 8.3 form.
  std::string longTarget = target;
  if (!target.empty()) {
    HostLocation location = machine.resolve(target);
    if (location.exists) longTarget = location.longPath;
  }
  OpenedShortcut opened;
  if (isProgramTarget(machine, longTarget)) {
    opened.program = true;
    opened.exitCode = runProgramShortcut(files, log, consoleProgram, link, longTarget);
  } else {
    appendJournal(
        machine, "start",
        utf8ToAnsi(link.target) + (link.arguments.empty() ? "" : " " + utf8ToAnsi(link.arguments)));
  }
  return opened;
}

void runStartupShortcuts(FileSystem& files, BootLog& log,
                         const std::filesystem::path& consoleProgram) {
  std::vector<std::string> folders;
  try {
    folders = startupFolders(files);
  } catch (const corvasta::Error& e) {
    log.event(std::string("the registry cannot be read, no Startup folder opened: ") + e.what());
    return;
  }
  for (const std::string& folder : folders) {
    std::vector<FindData> found;
    try {
      found = files.findAll(folder + "\\*.lnk");
    } catch (const OsError&) {
      continue;
    }
    std::sort(found.begin(), found.end(), [](const FindData& a, const FindData& b) {
      return ansiCompareNoCase(a.name, b.name) < 0;
    });
    for (const FindData& entry : found) {
      std::string path = folder + "\\" + entry.name;
      try {
        openShortcut(files, log, consoleProgram, path);
      } catch (const corvasta::Error& e) {
        log.event("Startup shortcut " + path + " not opened: " + e.what());
      }
    }
  }
}

}  // namespace platform::boot
