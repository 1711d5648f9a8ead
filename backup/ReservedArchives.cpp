#include "backup/ReservedArchives.h"

#include <algorithm>
#include <iterator>

#include "platform/core/codepage.h"

namespace corvasta {

bool isReservedSetArchive(const std::string& archiveName) {
  static constexpr const char* kReserved[] = {"printhood.zip", "appdata.zip",   "desktop.zip",
                                              "desktop1.zip",  "favorites.zip", "nethood.zip",
                                              "recent.zip",    "start.zip",     "sendto.zip",
                                              "iecache.zip",   "ctrlpanl.zip",  "registry.zip"};
  const std::string lower = platform::ansiLower(archiveName);
  return std::any_of(std::begin(kReserved), std::end(kReserved),
                     [&](const char* reserved) { return lower == reserved; });
}

}  // namespace corvasta
