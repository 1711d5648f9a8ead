#pragma once
// The EXTRACT command of Windows 95, 98 and ME (extract.exe):
//   EXTRACT [/Y] [/A] [/D | /E] [/L dir] cabinet [filename ...]
//   EXTRACT [/Y] /C source destination
// /E extracts every file, names (wildcards allowed) extract those; with
// neither, a cabinet of one file gives that file and a larger one is listed.
// /D lists, /L names the folder the files go to (else the current
// directory), /C copies a file, /A (following a cabinet set) is accepted.
// Files are written flat, with the date, time and attributes the cabinet
// stores. A file already there is replaced with /Y; without it the
// question whether to overwrite is answered No and the file is kept.
// Exit code 0 on success, 1 on failure (journalled).

#include <cstdint>
#include <string>

#include "platform/core/machine.h"

namespace platform {

uint32_t runCabinetExtractor(Machine& machine, const std::string& commandLine);

}  // namespace platform
