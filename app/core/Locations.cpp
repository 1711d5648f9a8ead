// The path helpers: final backslashes and the 8.3 form of a path.

#include "app/core/Locations.h"

#include <optional>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/core/machine.h"

namespace corvasta {

std::string CheckPath(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + '\\';
}

std::string RemoveBackSl(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

namespace {

bool isReplacedCharacter(char c) {
  return c == '+' || c == ',' || c == ';' || c == '=' || c == '[' || c == ']';
}

}  // namespace

// Blanks and all dots but the last are dropped, characters 8.3 names cannot
// hold become "_", and a base that is too long or was changed is cut to six
// characters plus "~1". The extension keeps at most three characters.
std::string GeneratedShortName(std::string_view name) {
  const size_t lastDot = name.rfind('.');
  std::string collected;
  bool marked = false;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == ' ') {
      marked = true;
    } else if (isReplacedCharacter(c)) {
      collected += '_';
      marked = true;
    } else if (c == '.' && i != lastDot) {
      marked = true;
    } else if (c == '.') {
      std::string extension;
      for (char e : name.substr(i + 1)) {
        if (e == ' ' || e == '.') continue;
        extension += isReplacedCharacter(e) ? '_' : e;
      }
      if (extension.size() > 3) {
        extension.resize(3);
        marked = true;
      }
      if (collected.size() > 8 || marked) collected = collected.substr(0, 6) + "~1";
      return collected + '.' + extension;
    } else {
      collected += c;
    }
  }
  return collected;
}

namespace {

// The 8.3 name of an existing entry, if the path names one.
std::optional<std::string> existingShortName(const platform::Machine& machine,
                                             const std::string& path) {
  try {
    const platform::HostLocation location = machine.resolve(path);
    if (location.exists) return machine.shortNameOf(location);
  } catch (const corvasta::Error&) {
    // A path the machine cannot map is generated like one that does not exist.
  }
  return std::nullopt;
}

bool isShortDriveRoot(const std::string& directory) {
  return directory.size() <= 3 && directory.size() >= 2 && directory[1] == ':';
}

std::string generatedShortPath(const platform::Machine& machine, const std::string& path) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos) {
    return existingShortName(machine, path).value_or(GeneratedShortName(path));
  }
  const std::string directoryPart = path.substr(0, slash);
  const std::string lastComponent = path.substr(slash + 1);
  std::string directory = isShortDriveRoot(directoryPart) || directoryPart.empty()
                              ? directoryPart
                              : generatedShortPath(machine, directoryPart);
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  if (lastComponent.empty()) return directory;
  return directory + existingShortName(machine, path).value_or(GeneratedShortName(lastComponent));
}

bool windowsShortFormExists(const platform::Machine& machine, const std::string& shortForm) {
  const std::string named = shortForm.size() > 3 ? RemoveBackSl(shortForm) : shortForm;
  try {
    return machine.resolve(named).exists;
  } catch (const corvasta::Error&) {
    return false;
  }
}

}  // namespace

std::string ShortFileName(const platform::Machine& machine, const std::string& path) {
  try {
    std::string shortForm = machine.shortPath(path);
    // GetShortPathName keeps the final backslash of a directory path.
    if (!path.empty() && path.back() == '\\') shortForm = CheckPath(shortForm);
    if (!shortForm.empty() && windowsShortFormExists(machine, shortForm)) return shortForm;
  } catch (const corvasta::Error&) {
    // GetShortPathName failed: the path does not exist (yet).
  }
  return generatedShortPath(machine, path);
}

}  // namespace corvasta
