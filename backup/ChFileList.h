#pragma once
// TKTChFileList: the Other Files editor's file list with check marks,
// without a toolkit. It lists one folder (`Directory`) for its masks (`Mask`,
// several separated by ";"), folders first and then files, each group sorted
// by name without case; files carry a check mark, folders none. It shares
// the editor's three selection lists, whose check states it shows after
// every read (OtherFilesChecks.h).

#include <functional>
#include <string>
#include <vector>

#include "platform/shell/shell_icons.h"

namespace platform {
class CurrentDirectory;
class FileSystem;
}  // namespace platform

namespace corvasta {

class Ui;
struct SelectionLists;

struct ChFileItem {
  std::string name;     // the long name
  std::string caption;  // the name; one all in upper case is shown in lower case
  platform::ShellIcon icon;
  std::string kind;  // "dir" or "file"
  bool checked = false;
  bool isFile() const { return kind == "file"; }
};

// The caption a name is shown with.
std::string itemCaption(const std::string& name);

// The width of the tick zone at the left of an item, for the screen's
// logical pixels per inch (16 at 96).
int tickZoneWidth(int pixelsPerInch);

class TKTChFileList {
 public:
  TKTChFileList(platform::FileSystem& files, platform::CurrentDirectory& current, Ui& ui);

  const std::string& Directory() const { return directory_; }
  // Sets the folder (a final backslash added), makes it the program's
  // current directory and reads it.
  void SetDirectory(const std::string& folder);
  std::string Mask = "*";
  std::string* DirLabel = nullptr;  // shows Directory
  // IncludeListBox, ExcludeListBox and FilesListBox.
  SelectionLists* Lists = nullptr;
  std::function<void(const std::string& folder)> OnDownOneLevel;
  std::function<void(const std::string& name)> OnExecute;

  std::vector<ChFileItem> Items;

  // Reads Directory for every mask with the busy cursor, then shows it in
  // DirLabel, sorts and shows the check states. A folder that cannot be read
  // lists nothing.
  void ReadFolder();
  // A double click: a folder goes down one level (OnDownOneLevel with its
  // path), a file runs OnExecute when set.
  void DoubleClick(size_t item);

 private:
  platform::FileSystem& files_;
  platform::CurrentDirectory& current_;
  Ui& ui_;
  std::string directory_;
};

}  // namespace corvasta
