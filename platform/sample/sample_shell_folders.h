#pragma once
// The shell folder values of a sample registry: where Explorer finds each
// user's Desktop, Start Menu, Favorites ... (HKCU ...\Explorer\Shell Folders
// and User Shell Folders) and the folders shared by all users ("Common ..."
// values under HKLM). Every value names a folder of the drive's tree; a
// folder Windows would have made at the first logon and that the tree lacks
// is added to it.

#include <string>

#include "platform/registry/registry_tree.h"
#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_registry_values.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Below `userRoot` (the root of a user hive): Explorer's Shell Folders and
// User Shell Folders keys (under Software\Microsoft\Windows\CurrentVersion)
// for the profile folder `profile` (relative to C:\, e.g. "Documents and
// Settings\Anna" or "WINDOWS").
void addUserShellFolders(SampleTree& drive, registry::RegistryKey& userRoot,
                         const SampleValues& values, const SampleLayout& layout,
                         const std::string& profile);

// Below `software` (HKLM\Software): the "Common ..." values of the all-users
// folders the tree has (none on Windows 95).
void addCommonShellFolders(const SampleTree& drive, registry::RegistryKey& software,
                           const SampleValues& values, const SampleLayout& layout);

}  // namespace platform::sample
