#include "app/core/ShellLnk.h"

#include <array>

#include "platform/boot/machine_links.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"

namespace corvasta {
namespace {

namespace shell = platform::shell;

// The Shell Folders value of each folder, in the order of TShellFolder.
constexpr std::array<const char*, 11> kShellFolderValues{
    "",       "Desktop", "Favorites",  "Fonts",   "Personal", "Programs",
    "Recent", "SendTo",  "Start Menu", "Startup", "Templates"};

const char* shellFolderValue(TShellFolder folder) {
  const auto index = static_cast<size_t>(folder);
  return index < kShellFolderValues.size() ? kShellFolderValues[index] : "";
}

shell::ShowCommand showCommandOf(TWindowState state) {
  switch (state) {
    case TWindowState::wsMinimized:
      return shell::ShowCommand::MinimizedNoActivate;
    case TWindowState::wsMaximized:
      return shell::ShowCommand::Maximized;
    case TWindowState::wsNormal:
      break;
  }
  return shell::ShowCommand::Normal;
}

TWindowState windowStateOf(shell::ShowCommand command) {
  if (command == shell::ShowCommand::Maximized) return TWindowState::wsMaximized;
  if (command == shell::ShowCommand::MinimizedNoActivate) return TWindowState::wsMinimized;
  return TWindowState::wsNormal;
}

}  // namespace

std::string TShellLink::LinkPath() const {
  if (ShellFolder == TShellFolder::sfNone) return FileName;
  if (!registry_) throw ShellLinkError("Write error.");
  platform::HKEY key = 0;
  std::string folder;
  if (registry_->openKeyEx(platform::HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           0, platform::KEY_READ, key) == platform::WinError::Success) {
    uint32_t type = 0;
    std::vector<uint8_t> data;
    if (registry_->queryValueEx(key, shellFolderValue(ShellFolder), type, data) ==
        platform::WinError::Success)
      folder.assign(data.begin(), data.end());
    registry_->closeKey(key);
  }
  if (size_t end = folder.find('\0'); end != std::string::npos) folder.resize(end);
  std::string name = FileName.substr(FileName.find_last_of("\\:") + 1);
  return folder.empty() ? FileName : folder + "\\" + name;
}

void TShellLink::Read() {
  std::string path = LinkPath();
  try {
    if (!files_.fileExists(path)) throw ShellLinkError("Link not found.");
  } catch (const platform::OsError&) {
    throw ShellLinkError("Link not found.");
  }
  shell::ShellLink link;
  try {
    link = platform::boot::readLinkFile(files_, path);
  } catch (const Error&) {
    throw ShellLinkError("Read error.");
  }
  Arguments = platform::utf8ToAnsi(link.arguments);
  Description = platform::utf8ToAnsi(link.description);
  HotKey = {link.hotKey.keyCode, link.hotKey.modifiers};
  Target = platform::utf8ToAnsi(link.target);
  WindowState = windowStateOf(link.showCommand);
  WorkingDir = platform::utf8ToAnsi(link.workingDir);
  IconLocation = platform::utf8ToAnsi(link.iconLocation);
  IconIndex = link.iconIndex;
}

void TShellLink::Write() {
  std::string path = LinkPath();
  shell::ShellLink link;
  // A target given in double quotes (as the program gives a desktop icon's)
  // names the file without them.
  std::string target = Target;
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
    target = target.substr(1, target.size() - 2);
  link.target = platform::ansiToUtf8(target);
  link.arguments = platform::ansiToUtf8(Arguments);
  link.description = platform::ansiToUtf8(Description);
  link.workingDir = platform::ansiToUtf8(WorkingDir);
  link.iconLocation = platform::ansiToUtf8(IconLocation);
  link.iconIndex = IconIndex;
  link.showCommand = showCommandOf(WindowState);
  link.hotKey = {HotKey.KeyCode, HotKey.Modifiers};
  try {
    platform::boot::writeLinkFile(files_, path, link);
  } catch (const Error&) {
    throw ShellLinkError("Write error.");
  }
}

}  // namespace corvasta
