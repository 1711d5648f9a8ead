#pragma once
// Writes a small PE image: an MZ header with a DOS stub that prints a line
// and ends, the PE header of a 32-bit Windows program, and one .rsrc section
// holding a version resource. Such a file is what Windows' version functions
// and other PE tools read; it has no code to run under Windows.

#include <cstdint>
#include <string>

#include "platform/version/fixed_file_info.h"

namespace platform::version {

struct PeImageContent {
  std::string stubMessage;      // the line the DOS stub prints, ANSI, without "$"
  std::string versionResource;  // a VS_VERSIONINFO block (version_info_write.h)
  uint16_t language = 0x0409;   // the resource's language
  uint32_t timeDateStamp = 0;   // seconds since 1970, the link time
  uint16_t subsystem = 2;       // IMAGE_SUBSYSTEM_WINDOWS_GUI
};

std::string writePeImage(const PeImageContent& content);

// A Windows program whose version resource gives `version` as file and
// product version, with FileDescription, FileVersion, InternalName,
// OriginalFilename and ProductVersion strings.
struct VersionedProgram {
  std::string fileName;     // "REGEDIT.EXE"
  std::string description;  // "Registry Editor"
  FileVersion version;
  std::string stubMessage;  // empty: the file name and description
  uint32_t timeDateStamp = 0;
};
std::string versionedProgram(const VersionedProgram& program);

}  // namespace platform::version
