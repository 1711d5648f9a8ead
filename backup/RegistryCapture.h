#pragma once
// The run's Registry item: on Windows 95/98/ME the registry files of every
// user with spare copies, on Windows NT/2000/XP every loaded hive saved
// through the registry interface and zipped into registry.daz.

#include <cstdint>
#include <string>

#include "platform/live_registry/live_registry.h"

namespace platform {
class FileSystem;
class Machine;
class TIniFile;
}  // namespace platform

namespace corvasta {

class Core;
class FileArchiving;
class ItemArchiving;
class BackupManager;
class ExtractFolder;

class RegistryCapture {
 public:
  RegistryCapture(Core& core, FileArchiving& archiving, ItemArchiving& items,
                  BackupManager& manager, ExtractFolder& extractFolder)
      : core(core),
        archiving(archiving),
        items(items),
        manager(manager),
        extractFolder(extractFolder) {}

  // The Windows 95/98/ME capture in modes 1 to 3, SaveNTRegistry(set
  // directory + "registry.daz", ...) in modes 4 to 6. Throws corvasta::Error
  // when the registry could not be captured.
  void BackupRegistry(int step);
  // Windows 95/98/ME: every user's user.dat, system.dat and (ME) classes.dat
  // into the set, spare ".cvk" copies beside them. On 98 Windows first makes
  // a system backup, which is unpacked as the spares' source and removed at
  // the end, also when the capture fails.
  void Backup9xRegistry(int step);
  void RemoveUnpackedSystemBackup();
  // save true: saves the key `keyPath` (from "\") of `rootKey` to
  // `fileName` with the backup privilege; false when it could not be saved.
  // save false: has Windows load that hive from `fileName` at its next start
  // (with the restore privilege), the present hive kept in the Undo
  // directory under the file's name; true also when `fileName` does not
  // exist (that hive is left alone).
  bool SaveHive(platform::HKEY rootKey, const std::string& keyPath, bool save,
                const std::string& fileName);
  // save true, Windows NT/2000/XP: every loaded hive saved and, with its map
  // user.ini, zipped into `archivePath` (compressed) or left beside it (copy
  // mode). save false: compressed, `archivePath` is a registry archive
  // unpacked into the Redo directory (which must exist); then every loaded
  // hive with a file in the Redo directory (`archivePath` itself when not
  // compressed) is replaced, and with ReadUserMap the numbered user hives
  // the Redo directory's user.ini maps.
  void SaveNTRegistry(const std::string& archivePath, int step, bool compressed, bool save);
  // The hive replacement of SaveNTRegistry's restore direction over the
  // Redo directory `redoDir` (final backslash).
  void replaceLoadedHives(const std::string& redoDir);

  // The run state the capture reads: the run's transfer mode (1 zip, 3 copy)
  // and whether the running config runs automatically (no scanregw then).
  int TransferMode = 1;
  bool ConfigRunsAutomatically = false;
  // The unpacked system backup's folder while it exists.
  std::string UnpackedSystemBackup;
  // Whether the hive replacement reads the Redo directory's user.ini (the
  // numbered user hives): not for Windows' original registry, whose repair
  // folder has no map of this machine's users. The restore sets it.
  bool ReadUserMap = true;

  Core& core;
  FileArchiving& archiving;
  ItemArchiving& items;
  BackupManager& manager;
  ExtractFolder& extractFolder;
};

// --- Path rules: folder and last element of a Windows path, folders compared
// by their 8.3 forms, the working folders "r" + number of the Windows directory.

// The folder part of a path, with its final backslash ("" without one).
std::string folderPart(const std::string& path);
// The last element of a path (the whole text without a backslash).
std::string lastElement(const std::string& path);

// True when two folders are the same by their 8.3 forms, without case and
// without regard to a final backslash: a profile reached by its long name and
// by its alias is one folder.
bool sameFolder(const platform::Machine& machine, const std::string& a, const std::string& b);

// The first "r" + number folder of the Windows directory, counting from 27,
// that does not exist (no final backslash).
std::string firstFreeWorkingFolder(platform::FileSystem& files, const std::string& windowsDir);

// --- The Redo and Undo directories of the NT registry restore: the hive
// files to put in place at the next start, and the hives they displace.

std::string redoDirectory(const std::string& windowsDir);  // Windows dir + "Corvasta\Redo\"
std::string undoDirectory(const std::string& windowsDir);  // Windows dir + "Corvasta\Undo\"

// One hive's three facts in the map user.ini, under both layouts readers
// use: sections Location, ShortLocation and Key with the file as key, and a
// section of the file's name with the keys Location, ShortLocation and Key.
// `location` is the hive's path without drive; its 8.3 form is worked out
// on the Windows drive.
void writeHiveMap(Core& core, platform::TIniFile& map, const std::string& file,
                  const std::string& location, const std::string& keyPath);
// The Key of `file` in a map user.ini, read from either layout ("" when
// neither has one).
std::string mappedHiveKey(const platform::TIniFile& map, const std::string& file);

// --- The hive list (HKLM\SYSTEM\CurrentControlSet\Control\hivelist): the
// value name says where a hive is loaded ("\REGISTRY\MACHINE\SOFTWARE"), the
// data where its file lies in device form.

inline constexpr const char* kHiveListKey = "\\SYSTEM\\CurrentControlSet\\Control\\hivelist";

// The root key (HKEY_USERS when the 11th character is "U" or "u", else
// HKEY_LOCAL_MACHINE) and the key path below it, starting with "\", of a hive
// list value name. False for a name too short to hold one.
bool hiveKeyOf(const std::string& valueName, uint32_t& rootKey, std::string& keyPath);

// The hive file's path without its device prefix:
// "\Device\HarddiskVolume1\WINDOWS\..." gives "\WINDOWS\...", and
// "\Device\Harddisk0\Partition1\WINNT\..." gives "\WINNT\...". A path without
// "\HARDDISK", or with nothing after the device, is returned as it is.
std::string stripDevicePrefix(const std::string& devicePath);

// --- Windows 98's own registry backups: the cabinets "rb???.cab" that
// scanregw leaves in the system-backup folder.

// The full path of the newest "rb???.cab" of `folder` (with a final
// backslash) by modification time; "rbbad.cab", where Windows puts a damaged
// registry aside, never counts. Empty when the folder holds none.
std::string newestSystemBackup(platform::FileSystem& files, const std::string& folder);

}  // namespace corvasta
