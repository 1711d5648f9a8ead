#pragma once
// The registry of a Windows 95, 98 or ME sample: system.dat, the Windows
// directory's user.dat (.DEFAULT), one user.dat per profile, classes.dat on
// ME, as key trees for any moment of the machine's life.

#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"
#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

struct Win9xRegistryFile {
  std::string path;  // relative to C:\ ("WINDOWS\SYSTEM.DAT")
  registry::RegistryTree tree;
};

// The registry files as they were at `when`, system.dat first, then the
// Windows directory's user.dat, classes.dat (ME) and the profiles'
// user.dat files. Shell folders Windows would have made and the tree lacks
// are added to `drive`.
std::vector<Win9xRegistryFile> win9xRegistryFiles(SampleTree& drive, const SampleLayout& layout,
                                                  SampleTime when);

// Writes the registry files into `drive` with the attributes Windows gives
// them, the previous start's copies (system.da0, user.da0) on Windows 95,
// and system.1st, the registry as Setup left it, in the root.
void addWin9xRegistry(SampleTree& drive, const SampleLayout& layout);

// The bytes of a Windows 9x registry file.
std::string win9xFileBytes(const registry::RegistryTree& tree);

}  // namespace platform::sample
