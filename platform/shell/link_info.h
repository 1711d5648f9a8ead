#pragma once
// The LinkInfo structure: the target's path as a local path with the volume it
// was on, or as a network path.

#include <optional>
#include <string>

#include "platform/shell/link_bytes.h"
#include "platform/shell/shell_link.h"

namespace platform::shell {

struct LinkInfoContents {
  std::string path;                // local base path or network path, with the suffix
  std::optional<VolumeId> volume;  // present with a local path
};

// Reads a LinkInfo structure at the reader's position, advancing past it.
LinkInfoContents readLinkInfo(LinkByteReader& in);

// True when writeLinkInfo can describe `target` (a drive path or a UNC path).
bool linkInfoCanHold(std::string_view target);

// Writes the LinkInfo for `target`: a VolumeID and local base path for a drive
// path, a network share and path suffix for a UNC path. The structure has the
// Unicode path fields only when the path needs them, so that Windows 95 reads
// the rest unchanged.
void writeLinkInfo(LinkByteWriter& out, std::string_view target, const VolumeId& volume);

}  // namespace platform::shell
