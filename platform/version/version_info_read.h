#pragma once
// Reads a VS_VERSIONINFO block: the tree of structures below it, each with a
// key, an optional value and children on 32-bit boundaries. The block is
// outside data: every length is checked against the structure holding it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace platform::version {

struct VersionValue {
  std::string_view bytes;  // binary data, or UTF-16LE text without its terminator
  bool text = false;
};

// The length of the VS_VERSIONINFO structure at the start of `resource`
// (wLength). Throws VersionResourceError (InvalidData) when the root
// structure is damaged or is not VS_VERSION_INFO.
size_t versionInfoLength(std::string_view resource);

// The value at `path` below the root, keys separated by backslashes and
// compared without case: "\" (or "") is the root's VS_FIXEDFILEINFO,
// "\StringFileInfo\040904E4\FileVersion" a string, "\VarFileInfo\Translation"
// the language list. nullopt when a key is missing or a structure on the way
// is damaged.
std::optional<VersionValue> findVersionValue(std::string_view block, std::string_view path);

}  // namespace platform::version
