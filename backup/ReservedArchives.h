#pragma once
// The archive names a backup set keeps for its own items (the profile
// folders, the Control Panel group, the registry): every other "*.zip" of a
// set is an Other Files archive, so no Other Files entry may take one of them.

#include <string>

namespace corvasta {

// Whether `archiveName` ("desktop.zip", compared without case) is one of the
// set's own archives.
bool isReservedSetArchive(const std::string& archiveName);

}  // namespace corvasta
