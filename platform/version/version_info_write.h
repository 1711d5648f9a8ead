#pragma once
// Writes a VS_VERSIONINFO block: the fixed file information, one
// StringFileInfo string table and the VarFileInfo translation naming it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/version/fixed_file_info.h"

namespace platform::version {

struct VersionInfoContent {
  FixedFileInfo fixed;
  uint16_t language = 0x0409;  // U.S. English
  uint16_t codePage = 1252;
  // Key and value, ANSI ("FileVersion", "4.10.0.1998"), in order.
  std::vector<std::pair<std::string, std::string>> strings;
};

// Throws VersionResourceError (InvalidData) when the block would pass the
// 64 KB a version resource can hold.
std::string writeVersionInfo(const VersionInfoContent& content);

// The string table key of a language and code page: "040904E4".
std::string stringTableKey(uint16_t language, uint16_t codePage);

}  // namespace platform::version
