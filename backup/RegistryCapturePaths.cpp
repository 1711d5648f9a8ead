#include "backup/RegistryCapturePaths.h"

#include "app/core/Locations.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

// The first extract or working folder number Windows' own tools leave free.
constexpr int kFirstWorkingFolderNumber = 27;

}  // namespace

std::string folderPart(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string lastElement(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFolder(const platform::Machine& machine, const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return platform::ansiEqualNoCase(RemoveBackSl(ShortFileName(machine, CheckPath(a))),
                                   RemoveBackSl(ShortFileName(machine, CheckPath(b))));
}

std::string firstFreeWorkingFolder(platform::FileSystem& files, const std::string& windowsDir) {
  int number = kFirstWorkingFolderNumber;
  while (files.exists(windowsDir + "r" + std::to_string(number))) ++number;
  return windowsDir + "r" + std::to_string(number);
}

}  // namespace corvasta
