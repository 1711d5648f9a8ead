#pragma once
// Single compressed files of the Windows setup tools (the "SZDD" format that
// COMPRESS.EXE writes and EXPAND.EXE reads, "setup.in_" for "setup.inf"):
// telling the formats apart and expanding one through the machine's files.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class FileSystem;

bool isCabinetData(std::string_view bytes);
bool isSzddData(std::string_view bytes);

struct SzddHeader {
  uint32_t length = 0;   // bytes of the expanded file
  char missingChar = 0;  // the last character of the original name, 0 when unknown
};

// The header of SZDD data. Throws CabinetReadError when it is not one.
SzddHeader readSzddHeader(FileSystem& files, const std::string& bytes);

// Expands SZDD data held in `bytes` into the file `target` (a Windows path,
// replaced when it exists). Throws CabinetReadError.
void expandSzdd(FileSystem& files, const std::string& bytes, const std::string& target);

// The original name of a compressed file: "SETUP.IN_" with the missing
// character 'f' gives "SETUP.INf" as EXPAND -R writes it; a name that does
// not end in "_" or a header without the character keeps its name.
std::string expandedName(const std::string& compressedName, char missingChar);

}  // namespace platform
