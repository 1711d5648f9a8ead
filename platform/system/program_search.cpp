#include "platform/system/program_search.h"

#include <vector>

#include "platform/core/errors.h"
#include "platform/host/host_files.h"
#include "platform/system/command_line.h"
#include "platform/system/environment.h"

namespace platform {

namespace {

bool hasFolder(std::string_view name) {
  return name.find_first_of("\\/:") != name.npos;
}

bool hasExtension(std::string_view name) {
  size_t lastSeparator = name.find_last_of("\\/:");
  size_t dot = name.rfind('.');
  return dot != name.npos && (lastSeparator == name.npos || dot > lastSeparator);
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + std::string(name);
}

// The full path of an existing regular file, if `winPath` names one.
std::optional<std::string> existingFile(const Machine& machine, const std::string& winPath) {
  try {
    HostLocation location = machine.resolve(winPath);
    if (location.exists && host::isRegularFile(location.host)) return location.longPath;
  } catch (const OsError&) {
  }
  return std::nullopt;
}

std::optional<std::string> withExtensions(const Machine& machine, const std::string& winPath) {
  if (hasExtension(winPath)) return existingFile(machine, winPath);
  for (const char* extension : {".exe", ".com", ".bat"})
    if (auto found = existingFile(machine, winPath + extension)) return found;
  return std::nullopt;
}

std::vector<std::string> searchFolders(const Machine& machine, std::string_view current) {
  const MachineConfig& config = machine.config();
  std::vector<std::string> folders = {config.programDirectory, std::string(current),
                                      config.systemDirectory};
  if (isNt(config.version)) folders.push_back(config.windowsDirectory + "\\SYSTEM");
  folders.push_back(config.windowsDirectory);
  if (auto path = getEnvironmentVariable(machine, "PATH")) {
    size_t pos = 0;
    while (pos <= path->size()) {
      size_t semicolon = path->find(';', pos);
      std::string folder =
          path->substr(pos, semicolon == std::string::npos ? std::string::npos : semicolon - pos);
      if (!folder.empty()) folders.push_back(folder);
      if (semicolon == std::string::npos) break;
      pos = semicolon + 1;
    }
  }
  return folders;
}

std::optional<std::string> locate(const Machine& machine, std::string_view program,
                                  std::string_view current) {
  if (!hasFolder(program)) {
    for (const std::string& folder : searchFolders(machine, current))
      if (auto found = withExtensions(machine, joinPath(folder, program))) return found;
    return std::nullopt;
  }
  std::string path(program);
  if (path.size() >= 2 && path[1] == ':') {
    // A full path, or "C:name" on the current directory of that drive (the
    // program keeps no per-drive directories: the drive's root).
    if (path.size() == 2 || (path[2] != '\\' && path[2] != '/')) path.insert(2, "\\");
  } else if (path.front() == '\\' || path.front() == '/') {
    path = std::string(current.substr(0, 2)) + path;
  } else {
    path = joinPath(current, path);
  }
  return withExtensions(machine, path);
}

}  // namespace

std::optional<FoundProgram> findProgram(const Machine& machine, std::string_view commandLine,
                                        std::string_view currentDirectory) {
  for (const ProgramCandidate& candidate : programCandidates(commandLine))
    if (auto found = locate(machine, candidate.program, currentDirectory))
      return FoundProgram{*found, candidate.arguments};
  return std::nullopt;
}

}  // namespace platform
