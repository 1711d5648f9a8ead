#pragma once
// version.dll over the machine's files: GetFileVersionInfoSize,
// GetFileVersionInfo and VerQueryValue (the ANSI forms the program calls).
// The file is read through the machine's FileSystem, so a program on any
// drive, a mounted Windows partition too, is read where it lies; only its
// headers and the version resource are read, never the whole file.
//
// Failures are Windows': the function returns 0 or false and `lastError`
// holds what GetLastError would: FileNotFound, PathNotFound,
// SharingViolation ... from opening the file; and the codes of
// version_error.h: kErrorBadExeFormat for a file that is not a PE image or
// whose headers or resource tree are damaged, kErrorResourceDataNotFound
// and kErrorResourceTypeNotFound for a program without resources or without
// a version resource, kErrorInvalidData for a damaged VS_VERSIONINFO block.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/files/file_system.h"
#include "platform/version/version_error.h"

namespace platform::version {

// The size of the file's version-information block; 0 on failure.
uint32_t getFileVersionInfoSize(FileSystem& files, std::string_view path, WinError& lastError);

// The file's version-information block, its first `length` bytes when it is
// longer (as Windows fills a buffer that is too small).
bool getFileVersionInfo(FileSystem& files, std::string_view path, uint32_t length,
                        std::string& data, WinError& lastError);

// VerQueryValue on a block from getFileVersionInfo: "\" gives the 52 bytes of
// VS_FIXEDFILEINFO (fixed_file_info.h decodes them),
// "\StringFileInfo\<language><code page>\<name>" an ANSI string,
// "\VarFileInfo\Translation" the language and code page words. False when
// the block has no such value.
bool verQueryValue(std::string_view block, std::string_view subBlock, std::string& value);

}  // namespace platform::version
