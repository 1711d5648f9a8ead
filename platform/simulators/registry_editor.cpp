#include "platform/simulators/registry_editor.h"

#include <iostream>

#include "platform/boot/ms_dos_mode.h"
#include "platform/cabinet/cabinet_read.h"
#include "platform/core/codepage.h"
#include "platform/core/machine_state.h"
#include "platform/files/file_system.h"
#include "platform/files/whole_file_write.h"
#include "platform/live_registry/registry_mounts.h"
#include "platform/registry/nt_hive_write.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/win9x_registry_write.h"
#include "platform/simulators/registry_files.h"
#include "platform/simulators/tool_arguments.h"
#include "platform/system/command_line.h"
#include "platform/system/journal.h"

namespace platform {
namespace {

namespace reg = registry;

struct EditorRequest {
  enum class Action { Import, Export, Create } action = Action::Import;
  std::string file;    // the text file
  std::string key;     // export: the key, empty for all
  std::string system;  // /L:
  std::string user;    // /R:
};

EditorRequest parseRequest(const std::string& commandLine) {
  std::vector<std::string> words = splitArguments(commandLine);
  if (!words.empty()) words.erase(words.begin());  // the program itself
  EditorRequest request;
  std::vector<std::string> operands;
  for (const std::string& word : words) {
    std::string lower = ansiLower(word);
    if (lower == "/e")
      request.action = EditorRequest::Action::Export;
    else if (lower == "/c")
      request.action = EditorRequest::Action::Create;
    else if (lower.rfind("/l:", 0) == 0)
      request.system = word.substr(3);
    else if (lower.rfind("/r:", 0) == 0)
      request.user = word.substr(3);
    else if (lower == "/s")
      continue;
    else if (!word.empty() && word[0] == '/')
      throw corvasta::Error("regedit: unknown switch " + word);
    else
      operands.push_back(word);
  }
  if (operands.empty()) throw corvasta::Error("regedit: no file named");
  request.file = operands[0];
  if (request.action == EditorRequest::Action::Export && operands.size() > 1)
    request.key = operands[1];
  return request;
}

// A name relative to the current directory of MS-DOS mode: the Windows directory.
std::string fullName(const Machine& machine, const std::string& name) {
  if (name.size() >= 2 && name[1] == ':') return name;
  return machine.config().windowsDirectory + "\\" + name;
}

// The registry files to work on: those /L: and /R: name (Windows 9x files),
// else the ones Windows loads. The real-mode editor of MS-DOS mode knows
// nothing of user profiles: it works on the Windows directory's system.dat
// and user.dat, as it does for a rebuild.
std::vector<HiveMount> registryFiles(const Machine& machine, const EditorRequest& request,
                                     bool fresh) {
  if (request.system.empty() && request.user.empty() && !fresh && !boot::inMsDosMode(machine))
    return loadHives(machine);
  std::string windows = machine.config().windowsDirectory;
  std::vector<HiveMount> mounts;
  auto add = [&](const char* root, std::string file, const char* defaultName) {
    HiveMount mount;
    mount.mountPath = root;
    mount.winPath = machine.resolve(fullName(machine, file.empty() ? defaultName : file)).longPath;
    mount.format = HiveMount::Format::Win9x;
    if (!fresh) mount.tree = readRegistryFileOf(machine, mount.winPath, mount.format);
    mounts.push_back(std::move(mount));
  };
  add("HKEY_LOCAL_MACHINE", request.system, "SYSTEM.DAT");
  add("HKEY_USERS", request.user, "USER.DAT");
  return mounts;
}

void writeRegistryFile(FileSystem& files, const HiveMount& mount) {
  replaceRegistryFile(files, mount.winPath,
                      mount.format == HiveMount::Format::NtHive
                          ? reg::writeNtHive(mount.tree)
                          : reg::writeWin9xRegistry(mount.tree));
}

// An export that fails leaves no file under its name, not even an older
// export: whatever reads it next must not take that for this one.
void writeExport(FileSystem& files, const std::string& path, const std::string& text,
                 bool failing) {
  try {
    if (failing) throw corvasta::Error("regedit: the export to " + path + " failed");
    writeWholeFile(files, path, text);
  } catch (...) {
    if (files.fileExists(path)) {
      files.setFileAttributes(path, kAttributeNormal);
      files.deleteFile(path);
    }
    throw;
  }
}

// fail=create:NAME names the file by its name ("USER.DAT", every such file)
// or by its full path (one profile's).
bool rebuildFails(const Machine& machine, const ToolFault* fault, const std::string& winPath) {
  if (!fault) return false;
  if (fault->operand.find('\\') != std::string::npos)
    return ansiEqualNoCase(machine.resolve(fault->operand).longPath, winPath);
  return ansiEqualNoCase(parseWinPath(winPath).name(), fault->operand) ||
         ansiEqualNoCase(parseWinPath(machine.shortPath(winPath)).name(), fault->operand);
}

bool startsWithKey(const std::string& path, const std::string& prefix) {
  return path.size() > prefix.size() && path[prefix.size()] == '\\' &&
         ansiEqualNoCase(std::string_view(path).substr(0, prefix.size()), prefix);
}

void exportRegistry(FileSystem& files, const EditorRequest& request, bool failing) {
  std::vector<HiveMount> mounts = registryFiles(files.machine(), request, false);
  std::vector<reg::ExportRoot> roots;
  for (const HiveMount& mount : mounts) {
    if (mount.format == HiveMount::Format::Memory) continue;
    reg::StringEncoding encoding = mount.tree.stringEncoding;
    if (request.key.empty() || startsWithKey(mount.mountPath, request.key) ||
        ansiEqualNoCase(mount.mountPath, request.key)) {
      roots.push_back({mount.mountPath, &mount.tree.root, encoding});
    } else if (startsWithKey(request.key, mount.mountPath)) {
      std::string below = ansiToUtf8(request.key.substr(mount.mountPath.size() + 1));
      if (const reg::RegistryKey* key = mount.tree.root.findPath(below))
        roots.push_back({request.key, key, encoding});
    }
  }
  if (roots.empty()) throw corvasta::Error("regedit: no such key " + request.key);
  writeExport(files, fullName(files.machine(), request.file), reg::exportRegedit4(roots), failing);
}

void importRegistry(FileSystem& files, const EditorRequest& request, bool fresh,
                    const ToolFault* failing) {
  Machine& machine = files.machine();
  std::vector<reg::Regedit4Key> keys =
      reg::parseRegedit4(readMachineFile(files, fullName(machine, request.file)));
  std::vector<HiveMount> mounts = registryFiles(machine, request, fresh);
  // Each key goes to the most specific file that holds it (HKLM\Software\Classes
  // of Windows ME lives in classes.dat, not in system.dat).
  auto ownerOf = [&](const std::string& path) -> const HiveMount* {
    const HiveMount* owner = nullptr;
    for (const HiveMount& mount : mounts)
      if (mount.format != HiveMount::Format::Memory &&
          (ansiEqualNoCase(path, mount.mountPath) || startsWithKey(path, mount.mountPath)) &&
          (!owner || mount.mountPath.size() > owner->mountPath.size()))
        owner = &mount;
    return owner;
  };
  // Every file is built before the first is written, so that a file that
  // fails leaves the others as they were.
  size_t applied = 0;
  std::vector<const HiveMount*> changed;
  for (HiveMount& mount : mounts) {
    if (mount.format == HiveMount::Format::Memory) continue;
    std::vector<reg::Regedit4Key> own;
    for (const reg::Regedit4Key& key : keys)
      if (ownerOf(key.path) == &mount) own.push_back(key);
    size_t count = reg::applyRegedit4(own, mount.mountPath, mount.tree);
    // A rebuild creates every file it works on anew, also one that no key of
    // the text goes to (hence the scratch files of RegPack's batch); an
    // import changes only the files its keys go to.
    if (fresh && rebuildFails(machine, failing, mount.winPath))
      throw corvasta::Error("regedit: the rebuild of " + mount.winPath + " failed");
    if (count == 0 && !fresh) continue;
    changed.push_back(&mount);
    applied += count;
  }
  if (applied == 0 && !keys.empty())
    throw corvasta::Error("regedit: no key of the file was applied");
  for (const HiveMount* mount : changed) writeRegistryFile(files, *mount);
}

}  // namespace

uint32_t runRegistryEditor(Machine& machine, const std::string& commandLine) {
  try {
    EditorRequest request = parseRequest(commandLine);
    FileSystem files(machine);
    switch (request.action) {
      case EditorRequest::Action::Export:
        exportRegistry(files, request, toolFault(machine, commandLine, "export") != nullptr);
        break;
      case EditorRequest::Action::Import:
        importRegistry(files, request, false, nullptr);
        break;
      case EditorRequest::Action::Create:
        importRegistry(files, request, true, toolFault(machine, commandLine, "create"));
        break;
    }
    return 0;
  } catch (const corvasta::Error& e) {
    appendJournal(machine, "regedit", commandLine + ": " + e.what());
    return 1;
  }
}

}  // namespace platform
