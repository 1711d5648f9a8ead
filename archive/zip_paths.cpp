#include "archive/zip_paths.h"

#include <array>

#include "archive/zip_error.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

bool isDriveComponent(const std::string& part) {
  return part.size() == 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

std::vector<std::string> splitComponents(const std::string& name) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : name) {
    if (c == '/' || c == '\\') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

// Windows resolves these names to devices in every folder, whatever the
// extension, and ignores trailing dots and blanks when it does.
bool isDeviceName(const std::string& part) {
  std::string base = part.substr(0, part.find('.'));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
  base = platform::ansiUpper(base);
  static const std::array<const char*, 7> fixed = {"CON",    "PRN",    "AUX",    "NUL",
                                                   "CLOCK$", "CONIN$", "CONOUT$"};
  for (const char* device : fixed)
    if (base == device) return true;
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
      base[3] <= '9')
    return true;
  return false;
}

void checkComponent(const std::string& part, const std::string& storedName) {
  auto refuse = [&](const std::string& why) {
    throw ZipUnsafePathError("Entry \"" + storedName + "\" was not extracted: " + why);
  };
  if (part == "..") refuse("its path climbs out of the destination folder");
  if (isDeviceName(part)) refuse("it names the device " + part);
  for (unsigned char c : part)
    if (c < 0x20 ||
        std::string_view("<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
      refuse("its name holds a character Windows does not allow in file names");
}

}  // namespace

std::string withBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::string extensionOf(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('\\');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot);
}

std::string withoutExtension(const std::string& path) {
  return path.substr(0, path.size() - extensionOf(path).size());
}

std::string storedName(const std::string& windowsPath, const StoredPathOptions& options) {
  std::vector<std::string> parts = splitComponents(windowsPath);
  std::string name = parts.back();
  if (!options.storePaths && !options.storeVolumes) return name;
  std::string stored;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty()) continue;
    if (i == 0 && isDriveComponent(part) && !options.storeVolumes) continue;
    if (!stored.empty()) stored += '/';
    stored += part;
  }
  return stored;
}

std::string toWindowsSeparators(std::string name) {
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

std::string entryFolder(const std::string& storedName) {
  std::string name = toWindowsSeparators(storedName);
  size_t slash = name.rfind('\\');
  return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

std::string entryFileName(const std::string& storedName) {
  std::string name = toWindowsSeparators(storedName);
  size_t slash = name.rfind('\\');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool namesOnlyTheRoot(const std::string& storedName) {
  std::vector<std::string> parts = splitComponents(storedName);
  for (size_t i = 0; i < parts.size(); ++i)
    if (!parts[i].empty() && parts[i] != "." && !(i == 0 && isDriveComponent(parts[i])))
      return false;
  return true;
}

ExtractTarget extractionTarget(const std::string& storedName, const ExtractPlacement& placement) {
  std::vector<std::string> parts = splitComponents(storedName);
  std::string drive;
  std::vector<std::string> components;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty() || part == ".") continue;
    if (i == 0 && isDriveComponent(part)) {
      drive = part;
      continue;
    }
    checkComponent(part, storedName);
    components.push_back(part);
  }
  if (components.empty()) throw ZipUnsafePathError("Entry \"" + storedName + "\" has no file name");

  std::string base;
  if (!placement.destDir.empty()) {
    base = withBackslash(placement.destDir);
    if (!placement.recreateDirs) components.erase(components.begin(), components.end() - 1);
  } else {
    base = drive.empty() ? withBackslash(placement.rootDir) : drive + "\\";
  }
  ExtractTarget target;
  std::string path = base;
  for (size_t i = 0; i + 1 < components.size(); ++i) {
    path += components[i];
    target.folders.push_back(path);
    path += '\\';
  }
  target.path = path + components.back();
  return target;
}

}  // namespace archive
