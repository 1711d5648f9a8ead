#pragma once
// The contents of a shortcut (.lnk) file: what the shortcut starts, how, and
// what it last knew about its target.
//
// Text is held as UTF-8 so that a link can carry characters Windows-1252 lacks
// (a link made on a Unicode system). The program works in ANSI and converts
// with platform::ansiToUtf8 / utf8ToAnsi; the writer stores a string as ANSI
// whenever Windows-1252 can hold it, which is what Windows 95 to ME read.

#include <cstdint>
#include <string>

namespace platform::shell {

// How the started program's window opens (the SW_* show commands).
enum class ShowCommand : uint32_t {
  Normal = 1,
  Maximized = 3,
  MinimizedNoActivate = 7,
};

// Modifier bits of a shortcut's hot key.
enum HotKeyModifier : uint8_t {
  kHotKeyShift = 0x01,
  kHotKeyControl = 0x02,
  kHotKeyAlt = 0x04,
};

// The key that starts the shortcut: a virtual-key code and HotKeyModifier
// bits. Zero key means no hot key.
struct HotKey {
  uint8_t keyCode = 0;
  uint8_t modifiers = 0;
  bool operator==(const HotKey&) const = default;
};

// GetDriveType values, as recorded for the volume that held the target.
enum class DriveType : uint32_t {
  Unknown = 0,
  NoRootDirectory = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

// The volume the target lived on. Windows uses it to find a target that
// moved to another drive letter.
struct VolumeId {
  DriveType driveType = DriveType::Fixed;
  uint32_t serialNumber = 0;
  std::string label;
  bool operator==(const VolumeId&) const = default;
};

// Link flags: which parts a file holds and how the shell treats the link.
enum LinkFlag : uint32_t {
  kHasLinkTargetIdList = 0x00000001,
  kHasLinkInfo = 0x00000002,
  kHasName = 0x00000004,
  kHasRelativePath = 0x00000008,
  kHasWorkingDir = 0x00000010,
  kHasArguments = 0x00000020,
  kHasIconLocation = 0x00000040,
  kIsUnicode = 0x00000080,
  kForceNoLinkInfo = 0x00000100,
  kHasExpString = 0x00000200,
  kRunInSeparateProcess = 0x00000400,
  kHasDarwinId = 0x00001000,
  kRunAsUser = 0x00002000,
  kHasExpIcon = 0x00004000,
  kNoPidlAlias = 0x00008000,
  kRunWithShimLayer = 0x00020000,
  kForceNoLinkTrack = 0x00040000,
  kEnableTargetMetadata = 0x00080000,
};

// FILE_ATTRIBUTE_* bits of the target.
enum TargetAttribute : uint32_t {
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,
  kAttributeSystem = 0x04,
  kAttributeDirectory = 0x10,
  kAttributeArchive = 0x20,
  kAttributeNormal = 0x80,
};

struct ShellLink {
  // Full path of the file the shortcut starts ("C:\WINDOWS\NOTEPAD.EXE", or a
  // UNC path). Empty when the link names its target only by relativePath.
  std::string target;
  // The 8.3 form of target, when known: the writer puts its components into
  // the shell's ID list beside the long names, as Windows 95 does; the reader
  // fills it from an ID list that carries short names.
  std::string targetShortPath;
  // Target relative to the folder of the .lnk file (".\a.txt").
  std::string relativePath;
  // Target with environment variables unexpanded ("%windir%\notepad.exe").
  std::string environmentTarget;

  std::string description;
  std::string workingDir;
  std::string arguments;
  std::string iconLocation;
  int32_t iconIndex = 0;

  ShowCommand showCommand = ShowCommand::Normal;
  HotKey hotKey;

  // What the target was when the link was last saved.
  uint32_t fileAttributes = 0;
  uint64_t creationTime = 0;  // FILETIME: 100 ns ticks since 1601-01-01 UTC
  uint64_t accessTime = 0;
  uint64_t writeTime = 0;
  uint32_t fileSize = 0;

  VolumeId volume;

  // LinkFlag bits. The reader gives the flags as stored. The writer decides
  // the bits that say which parts are present from the fields above and keeps
  // the behaviour bits (kRunInSeparateProcess, kForceNoLinkInfo, ...) from here.
  uint32_t linkFlags = 0;
};

}  // namespace platform::shell
