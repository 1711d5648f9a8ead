#pragma once
// What the machine tells a program about itself: GetWindowsDirectory,
// GetSystemDirectory, GetTempPath, GetUserName, GetComputerName and
// GetSystemMetrics(SM_CLEANBOOT).

#include <string>

#include "platform/core/machine.h"

namespace platform {

// Without a final backslash, e.g. "C:\WINDOWS".
std::string getWindowsDirectory(const Machine& machine);
std::string getSystemDirectory(const Machine& machine);

// GetTempPath: TMP, else TEMP, else (NT) USERPROFILE, else the Windows
// directory, always with a final backslash. The folder need not exist.
std::string getTempPath(const Machine& machine);

std::string getUserName(const Machine& machine);
std::string getComputerName(const Machine& machine);

// GetSystemMetrics(SM_CLEANBOOT): 0 for a normal start, 1 for safe mode.
int getCleanBootMetric(const Machine& machine);

}  // namespace platform
