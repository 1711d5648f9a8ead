#pragma once
// machine.ini: the description of one Windows machine in host folders.
// docs/design.md documents the format; parseMachineConfig validates it and
// reports the first problem with its line number.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/cdrom_config.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/time_zone.h"
#include "platform/core/windows_version.h"

namespace platform {

// GetDriveType values.
enum class DriveType : unsigned {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

std::string driveTypeKey(DriveType type);  // "fixed", "removable", "cdrom", "ramdisk"
std::optional<DriveType> parseDriveType(std::string_view text);

struct DriveConfig {
  char letter = 'C';  // upper case
  DriveType type = DriveType::Fixed;
  std::filesystem::path folder;  // absolute host folder
  std::string label;             // ANSI
  uint32_t serial = 0;
  std::string fileSystem = "FAT32";
  std::optional<uint64_t> capacity;  // bytes; free space is derived from it
  uint32_t clusterSize = 4096;
  // Removable drives: names of media folders under `folder`, one inserted at a
  // time. Empty: `folder` itself is the medium.
  std::vector<std::string> media;
  std::string inserted;  // initially inserted medium; empty: none (not ready)
  CdromConfig cdrom;     // cdrom drives: the SCSI device behind the drive
  int line = 0;          // line of the section, for messages
};

// A failure a simulator is told to show ("fail=create:USER.DAT" after its
// name in [Programs]): the step `name` fails, for `operand` when it has one.
struct ToolFault {
  std::string name;     // lower case: "create", "export", "fix"
  std::string operand;  // "create": the registry file's name; else empty
};

// What a Windows program does when the machine starts it.
struct ProgramAction {
  enum class Kind { Simulator, HostCommand, Exit };
  Kind kind = Kind::Exit;
  std::string argument;  // simulator name or host command line
  uint32_t exitCode = 0;
  std::vector<ToolFault> faults;  // simulators only

  // The fault `name`, when the line names it.
  const ToolFault* fault(std::string_view name) const;
};

struct MachineConfig {
  WindowsVersion version = WindowsVersion::WinMe;
  bool running = true;
  std::string windowsDirectory;  // ANSI, no final backslash, e.g. "C:\WINDOWS"
  std::string systemDirectory;
  std::string programDirectory;
  std::string userName;
  std::string computerName;
  bool safeMode = false;
  std::string shortDate = "M/d/yyyy";
  std::string longTime = "h:mm:ss tt";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  TimeZone timeZone;                    // the host's zone unless machine.ini names one
  std::vector<std::string> privileges;  // granted privilege names
  std::vector<DriveConfig> drives;      // in GetLogicalDriveStrings order (A..Z)
  std::map<std::string, std::string, AnsiLessNoCase> environment;
  std::vector<std::string> openFiles;  // Windows paths held open by Windows
  // Key: program file name ("regedit.exe") or full Windows path.
  std::map<std::string, ProgramAction, AnsiLessNoCase> programs;
  // [Faults] CrashAfterWrites: every process on the machine ends as if
  // killed at its N-th file write or rename (0: never).
  uint64_t crashAfterWrites = 0;

  const DriveConfig* drive(char letter) const;
};

// A machine.ini that cannot be used: the message names the file, the line and
// what is wrong.
class MachineConfigError : public corvasta::Error {
 public:
  MachineConfigError(const std::string& file, int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

// Parses machine.ini text (UTF-8). Relative drive folders are taken relative to
// `base`. `fileName` appears in messages.
MachineConfig parseMachineConfig(std::string_view text, const std::filesystem::path& base,
                                 const std::string& fileName = "machine.ini");

// The machine.ini text for a configuration (drive folders written relative to
// `base` when they lie below it).
std::string formatMachineConfig(const MachineConfig& config, const std::filesystem::path& base);

}  // namespace platform
