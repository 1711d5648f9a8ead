#pragma once
// The mspack_system libmspack reads and writes through: the cabinet comes from
// a buffer in memory (read from the machine's files beforehand) and extracted
// files are written through the machine's FileSystem. No host path is opened.

#include <mspack.h>

#include <string>

namespace platform {

class FileSystem;

// The name under which libmspack opens the in-memory cabinet.
inline constexpr const char* kInMemoryCabinetName = "<cabinet>";

struct CabinetSystem {
  mspack_system base;  // first member: libmspack hands back its address
  FileSystem* files = nullptr;
  const std::string* cabinetBytes = nullptr;
  int lastWriteError = 0;  // Win32 code of the last failed open or write

  CabinetSystem(FileSystem& fileSystem, const std::string& bytes);
};

}  // namespace platform
