#pragma once
// The EXPAND command of Windows NT, 2000 and XP (expand.exe):
//   EXPAND [-R] source destination
//   EXPAND -R source [destination]
//   EXPAND -D source.cab [-F:files]
//   EXPAND source.cab -F:files destination
// The source is a cabinet, a file compressed with COMPRESS (SZDD), or a
// plain file (copied). The destination is a file, or a folder the files go
// to; -R gives a compressed file its original name ("setup.in_" becomes
// "setup.inf") and lets the destination default to the source's folder.
// Cabinet members keep their stored date, time and attributes; an SZDD file
// gets the date of its compressed source. Exit code 0 on success, 1 on
// failure (journalled).

#include <cstdint>
#include <string>

#include "platform/core/machine.h"

namespace platform {

uint32_t runFileExpander(Machine& machine, const std::string& commandLine);

}  // namespace platform
