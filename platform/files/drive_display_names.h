#pragma once
// The shell's display names of the machine's drives ("My Computer"), as the
// Windows version of the machine names them: a floppy drive (A:, B:) is
// "3\xBD Floppy" in every version; any other drive is its volume label and,
// without one, a name by its kind that depends on the shell:
//   Windows 95, 98, ME and NT 4: nothing (fixed and CD drives, shown as
//     "(C:)"), "Removable Disk";
//   Windows 2000: "Local Disk", "Removable Disk", "Compact Disc";
//   Windows XP: "Local Disk", "Removable Disk", "CD Drive".
// Then " (X:)" (a blank only after a name).

#include <string>
#include <vector>

namespace platform {

class FileSystem;

std::string driveDisplayName(FileSystem& files, const std::string& root);

// The display names of every logical drive, in drive order.
std::vector<std::string> driveRootTexts(FileSystem& files);

}  // namespace platform
