#pragma once
// The WinFiles lists: the fixed items a backup config can select, one list per
// Windows mode. Item 0 is the Registry; the WinConfig items are single files,
// the User Profile items folders of the user's profile or, for the Control
// Panel, a group of files. Settings keep one check state per item, keyed by
// the item's index.

#include <cstddef>
#include <string>
#include <vector>

namespace corvasta {

enum class WinFilesKind {
  Registry,
  WinConfigFile,  // one file, `name` relative to `base`
  ProfileFolder,  // a folder of the user's profile
  ControlPanel,   // the Control Panel file group
};

// Where a WinConfig file lies.
enum class WinFilesBase {
  None,
  RootDir,
  WindowsDir,
  CommandInterpreter,  // the file is the command interpreter itself
};

struct WinFilesItem {
  std::string caption;
  WinFilesKind kind = WinFilesKind::Registry;
  WinFilesBase base = WinFilesBase::None;
  std::string name;         // WinConfig: path below `base`
  std::string shellFolder;  // profile folders: value under Shell Folders
  std::string fallback;     // profile folders: subfolder of the Windows directory
  std::string archive;      // User Profile items: the archive's name
};

// The list of a Windows mode (1..3: the Windows 95/98/ME list, item 9 differing
// between mode 3 and modes 1 and 2; every other mode: the NT list).
const std::vector<WinFilesItem>& winFilesItems(int windowsMode);
size_t winFilesCount(int windowsMode);

// The selection of an item for which a config holds no check. The general
// default (also used when the config changes): items 0 to 8 and 10.
bool winFilesDefaultChecked(size_t item);
// The default of the start-up load of the settings: in the Windows 95/98/ME
// modes items 7, 8 and 10 onward unchecked; in the other modes 8 onward.
bool winFilesStartupChecked(int windowsMode, size_t item);

// The full path of a WinConfig item's file on a machine with these root and
// Windows directories and this command interpreter.
std::string winFilesSourcePath(const WinFilesItem& item, const std::string& rootDir,
                               const std::string& windowsDir,
                               const std::string& commandInterpreter);

}  // namespace corvasta
