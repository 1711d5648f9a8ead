// The file commands of the MS-DOS session: copy, del, attrib, ren, md, rd, cd.

#include "platform/boot/dos_session.h"
#include "platform/core/errors.h"
#include "platform/core/win_path.h"

namespace platform::boot {
namespace {

bool hasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

std::vector<std::string> withoutSwitches(const std::vector<std::string>& args) {
  std::vector<std::string> result;
  for (const auto& arg : args)
    if (arg.empty() || arg[0] != '/') result.push_back(arg);
  return result;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

// COPY opens its target before it writes: a copy that fails in the writing
// (the disk is full) has already emptied the file it replaces. One refused
// before that (the target is read-only or in use) leaves it alone.
bool overwrittenBy(const OsError& error) {
  return error.code() == WinError::DiskFull || error.code() == WinError::HandleDiskFull ||
         error.code() == WinError::WriteFault;
}

}  // namespace

void DosSession::dropFailedTarget(const std::string& target) {
  try {
    if (files_.fileExists(target)) files_.deleteFile(target);
    log_.event("Insufficient disk space: " + target + " deleted");
  } catch (const OsError& e) {
    fail(std::string("Cannot delete ") + target + ": " + e.what());
  }
}

std::string DosSession::fullPath(std::string_view name) const {
  std::string path;
  if (name.size() >= 2 && name[1] == ':') {
    bool sameDrive = ansiUpper(name.substr(0, 1)) == currentDirectory_.substr(0, 1);
    std::string base = sameDrive ? currentDirectory_ : std::string(name.substr(0, 2)) + "\\";
    std::string_view after = name.substr(2);
    path = after.empty()      ? base
           : after[0] == '\\' ? std::string(name)
                              : joinPath(base, std::string(after));
  } else if (!name.empty() && name[0] == '\\') {
    path = currentDirectory_.substr(0, 2) + std::string(name);
  } else {
    path = joinPath(currentDirectory_, std::string(name));
  }
  // Wildcards are not part of a path: normalise the folder and keep the mask.
  size_t slash = path.rfind('\\');
  std::string last = path.substr(slash + 1);
  if (hasWildcard(last)) return joinPath(parseWinPath(path.substr(0, slash + 1)).str(), last);
  return parseWinPath(path).str();
}

std::vector<std::string> DosSession::matchingFiles(const std::string& pattern) {
  std::vector<std::string> files;
  try {
    if (!hasWildcard(pattern)) {
      if (files_.fileExists(pattern)) files.push_back(pattern);
      return files;
    }
    std::string folder = parseWinPath(pattern.substr(0, pattern.rfind('\\') + 1)).str();
    for (const FindData& found : files_.findAll(pattern))
      if (!(found.attributes & kAttributeDirectory)) files.push_back(joinPath(folder, found.name));
  } catch (const OsError&) {
    // A folder that does not exist holds no matches.
  }
  return files;
}

std::optional<std::string> DosSession::findCommandFile(const std::string& command) {
  std::vector<std::string> bases;
  try {
    if (command.find_first_of("\\:") != std::string::npos) {
      bases.push_back(fullPath(command));
    } else {
      bases.push_back(fullPath(command));
      std::string path = variable("PATH");
      for (size_t start = 0; start <= path.size();) {
        size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        std::string folder = path.substr(start, end - start);
        if (!folder.empty() && parseWinPath(folder).drive)
          bases.push_back(joinPath(folder, command));
        start = end + 1;
      }
    }
  } catch (const OsError&) {
    return std::nullopt;
  }
  std::string last = command.substr(command.find_last_of("\\:") + 1);
  bool hasExtension = last.find('.') != std::string::npos;
  for (const auto& base : bases) {
    if (hasExtension) {
      if (files_.fileExists(base)) return base;
      continue;
    }
    for (const char* extension : {".com", ".exe", ".bat"})
      if (files_.fileExists(base + extension)) return base + extension;
  }
  return std::nullopt;
}

void DosSession::copy(const std::vector<std::string>& rawArgs) {
  std::vector<std::string> args = withoutSwitches(rawArgs);
  if (args.empty() || args.size() > 2) return fail("Required parameter missing");
  if (args[0].find('+') != std::string::npos) return fail("Joining files with + is not supported");
  std::string destination = args.size() > 1 ? fullPath(args[1]) : currentDirectory_;
  std::vector<std::string> sources = matchingFiles(fullPath(args[0]));
  if (sources.empty()) {
    fail("File not found - " + args[0]);
    log_.screen("        0 file(s) copied");
    return;
  }
  size_t copied = 0;
  for (const auto& source : sources) {
    std::string target = destination;
    if (files_.directoryExists(destination))
      target = joinPath(destination, parseWinPath(source).name());
    try {
      files_.copyFile(source, target, false);
      ++copied;
    } catch (const OsError& e) {
      fail(std::string("Cannot copy ") + source + ": " + e.what());
      if (overwrittenBy(e)) dropFailedTarget(target);
    }
  }
  log_.screen("        " + std::to_string(copied) + " file(s) copied");
}

void DosSession::del(const std::vector<std::string>& rawArgs) {
  std::vector<std::string> args = withoutSwitches(rawArgs);
  if (args.empty()) return fail("Required parameter missing");
  for (const auto& arg : args) {
    std::vector<std::string> files = matchingFiles(fullPath(arg));
    if (files.empty()) fail("File not found - " + arg);
    for (const auto& file : files) {
      try {
        // DEL leaves read-only, hidden and system files alone.
        if (files_.getFileAttributes(file) &
            (kAttributeReadOnly | kAttributeHidden | kAttributeSystem)) {
          fail("Access denied - " + file);
          continue;
        }
        files_.deleteFile(file);
      } catch (const OsError& e) {
        fail(std::string("Cannot delete ") + file + ": " + e.what());
      }
    }
  }
}

void DosSession::attrib(const std::vector<std::string>& args) {
  uint32_t set = 0;
  uint32_t clear = 0;
  std::vector<std::string> names;
  for (const auto& arg : args) {
    if (arg.size() == 2 && (arg[0] == '+' || arg[0] == '-')) {
      uint32_t bit = 0;
      switch (ansiLower(arg[1])) {
        case 'r':
          bit = kAttributeReadOnly;
          break;
        case 'h':
          bit = kAttributeHidden;
          break;
        case 's':
          bit = kAttributeSystem;
          break;
        case 'a':
          bit = kAttributeArchive;
          break;
        default:
          return fail("Invalid switch - " + arg);
      }
      (arg[0] == '+' ? set : clear) |= bit;
    } else if (!arg.empty() && arg[0] != '/') {
      names.push_back(arg);
    }
  }
  if (names.empty()) names.push_back("*.*");
  for (const auto& name : names) {
    std::vector<std::string> files = matchingFiles(fullPath(name));
    if (files.empty()) fail("File not found - " + name);
    for (const auto& file : files) {
      try {
        uint32_t attributes = files_.getFileAttributes(file) & kSettableAttributes;
        if (set == 0 && clear == 0) {
          log_.screen(std::string(attributes & kAttributeArchive ? "A" : " ") + "  " +
                      (attributes & kAttributeSystem ? "S" : " ") +
                      (attributes & kAttributeHidden ? "H" : " ") +
                      (attributes & kAttributeReadOnly ? "R" : " ") + "     " + file);
          continue;
        }
        attributes = (attributes & ~clear) | set;
        files_.setFileAttributes(file, attributes == 0 ? kAttributeNormal : attributes);
      } catch (const OsError& e) {
        fail(std::string("Cannot change attributes of ") + file + ": " + e.what());
      }
    }
  }
}

void DosSession::rename(const std::vector<std::string>& args) {
  if (args.size() != 2) return fail("Required parameter missing");
  if (args[1].find_first_of("\\:") != std::string::npos || hasWildcard(args[1]))
    return fail("Invalid parameter - " + args[1]);
  std::vector<std::string> files = matchingFiles(fullPath(args[0]));
  if (files.size() != 1) return fail("Duplicate file name or file not found");
  try {
    WinPath source = parseWinPath(files[0]);
    files_.moveFile(files[0], joinPath(source.parentStr(), args[1]));
  } catch (const OsError&) {
    fail("Duplicate file name or file not found");
  }
}

void DosSession::makeDirectory(const std::vector<std::string>& args) {
  if (args.empty()) return fail("Required parameter missing");
  try {
    files_.createDirectory(fullPath(args[0]));
  } catch (const OsError&) {
    fail("Unable to create directory - " + args[0]);
  }
}

void DosSession::removeDirectory(const std::vector<std::string>& args) {
  if (args.empty()) return fail("Required parameter missing");
  try {
    files_.removeDirectory(fullPath(args[0]));
  } catch (const OsError&) {
    fail("Invalid path, not directory, or directory not empty - " + args[0]);
  }
}

void DosSession::changeDirectory(const std::vector<std::string>& args) {
  if (args.empty()) return log_.screen(currentDirectory_);
  try {
    std::string path = fullPath(args[0]);
    if (files_.directoryExists(path) || parseWinPath(path).components.empty()) {
      currentDirectory_ = path;
      return;
    }
  } catch (const OsError&) {
  }
  fail("Invalid directory - " + args[0]);
}

}  // namespace platform::boot
