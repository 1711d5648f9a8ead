#pragma once
// Shortcut files on a machine, by Windows path: read through the machine's
// files, and written complete, with what Windows records of the target when
// it saves a link (8.3 path, attributes, times, size, and the volume's drive
// type, serial number and label).

#include <string>

#include "platform/files/file_system.h"
#include "platform/shell/shell_link.h"

namespace platform::boot {

// Throws OsError when the file cannot be read, ShellLinkFormatError when it
// is not a shortcut.
shell::ShellLink readLinkFile(FileSystem& files, const std::string& path);

// Fills in what Windows records of `link.target`; a target that does not
// exist is linked by its path alone.
void describeLinkTarget(FileSystem& files, shell::ShellLink& link);

// Writes the link (with describeLinkTarget) through a sibling temporary file,
// so a failure leaves an existing shortcut as it was. Throws OsError or
// ShellLinkFormatError.
void writeLinkFile(FileSystem& files, const std::string& path, shell::ShellLink link);

}  // namespace platform::boot
