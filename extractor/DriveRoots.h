#pragma once
// The drive roots of the Extractor's tree: one per logical drive, in the
// order Windows lists the drives, named as the shell names them.

#include <string>
#include <vector>

namespace platform {
class FileSystem;
}  // namespace platform

namespace corvasta {

// The shell's display name of a drive: a floppy drive (A:, B:) is
// "3\xBD Floppy", any other drive its volume label or, without one, "Local
// Disk" (fixed and RAM disks), "Removable Disk" or "Compact Disc"; then
// " (X:)".
std::string driveDisplayName(platform::FileSystem& files, const std::string& root);

// The display names of every logical drive, in drive order.
std::vector<std::string> driveRootTexts(platform::FileSystem& files);

}  // namespace corvasta
