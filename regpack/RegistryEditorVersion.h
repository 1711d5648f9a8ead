#pragma once
// The build of a program from its version resource, as RegPack reads it from
// the Registry Editor: the Expanded rebuild needs the create switch that
// builds 1111 and later have.

#include <string>

namespace platform {
class FileSystem;
}

namespace corvasta {

// The minimum build of the Registry Editor the Expanded RegPack works with.
inline constexpr int kRegPackRegistryEditorBuild = 1111;

// The fourth component of the file's version (the low 16 bits of the second
// file-version word) in decimal; "0" when the file is missing, has no version
// resource, or the resource is damaged.
std::string GetVer(platform::FileSystem& files, const std::string& file);

}  // namespace corvasta
