#include "backup/model/WinFiles.h"

namespace corvasta {
namespace {

bool isWin9xList(int windowsMode) {
  return windowsMode >= 1 && windowsMode <= 3;
}

WinFilesItem registryItem() {
  WinFilesItem item;
  item.caption = "Registry";
  return item;
}

WinFilesItem configFile(const std::string& caption, WinFilesBase base, const std::string& name) {
  WinFilesItem item;
  item.caption = caption + " (WinConfig)";
  item.kind = WinFilesKind::WinConfigFile;
  item.base = base;
  item.name = name;
  return item;
}

WinFilesItem profileItem(const std::string& caption, WinFilesKind kind,
                         const std::string& archive) {
  WinFilesItem item;
  item.caption = caption + " (User Profile)";
  item.kind = kind;
  item.archive = archive;
  return item;
}

WinFilesItem profileFolder(const std::string& caption, const std::string& shellFolder,
                           const std::string& fallback, const std::string& archive) {
  WinFilesItem item = profileItem(caption, WinFilesKind::ProfileFolder, archive);
  item.shellFolder = shellFolder;
  item.fallback = fallback;
  return item;
}

// The User Profile items both lists end with, in this order.
void appendProfileItems(std::vector<WinFilesItem>& items) {
  items.push_back(
      profileFolder("Application Data", "Application Data", "Application Data", "appdata.zip"));
  items.push_back(profileFolder("Desktop", "Desktop", "Desktop", "desktop.zip"));
  items.push_back(profileFolder("Favorites", "Favorites", "Favorites", "favorites.zip"));
  items.push_back(profileFolder("Net Hood", "NetHood", "NetHood", "nethood.zip"));
  items.push_back(profileFolder("Recent", "Recent", "Recent", "recent.zip"));
  items.push_back(profileFolder("Start Menu", "Programs", "Start Menu\\Programs", "start.zip"));
  items.push_back(profileFolder("Send To", "SendTo", "SendTo", "sendto.zip"));
  items.push_back(profileFolder("IE Cache", "Cache", "Temporary Internet Files", "iecache.zip"));
  items.push_back(profileItem("Control Panel", WinFilesKind::ControlPanel, "ctrlpanl.zip"));
}

std::vector<WinFilesItem> win9xItems(const std::string& item9) {
  std::vector<WinFilesItem> items{registryItem()};
  for (const char* name : {"autoexec.bat", "config.sys", "msdos.sys", "command.com", "io.sys"})
    items.push_back(configFile(name, WinFilesBase::RootDir, name));
  for (const std::string& name :
       {std::string("system.cb"), std::string("ttfcache"), std::string("dosstart.bat"), item9})
    items.push_back(configFile(name, WinFilesBase::WindowsDir, name));
  appendProfileItems(items);
  return items;
}

std::vector<WinFilesItem> ntItems() {
  std::vector<WinFilesItem> items{registryItem()};
  items.push_back(configFile("autoexec.nt", WinFilesBase::WindowsDir, "system32\\autoexec.nt"));
  items.push_back(configFile("config.nt", WinFilesBase::WindowsDir, "system32\\config.nt"));
  items.push_back(configFile("cmd.exe", WinFilesBase::CommandInterpreter, ""));
  items.push_back(configFile("command.com", WinFilesBase::WindowsDir, "system32\\command.com"));
  for (const char* name :
       {"ntldr", "ntdetect.com", "boot.ini", "bootfont.bin", "ntbootdd.sys", "bootsect.dos"})
    items.push_back(configFile(name, WinFilesBase::RootDir, name));
  items.push_back(profileFolder("Print Hood", "PrintHood", "PrintHood", "printhood.zip"));
  appendProfileItems(items);
  return items;
}

}  // namespace

const std::vector<WinFilesItem>& winFilesItems(int windowsMode) {
  static const std::vector<WinFilesItem> win95And98 = win9xItems("protocol.ini");
  static const std::vector<WinFilesItem> winMe = win9xItems("scanreg.ini");
  static const std::vector<WinFilesItem> nt = ntItems();
  if (windowsMode == 3) return winMe;
  return isWin9xList(windowsMode) ? win95And98 : nt;
}

size_t winFilesCount(int windowsMode) {
  return winFilesItems(windowsMode).size();
}

bool winFilesDefaultChecked(size_t item) {
  return item <= 8 || item == 10;
}

bool winFilesStartupChecked(int windowsMode, size_t item) {
  if (isWin9xList(windowsMode)) return item <= 6 || item == 9;
  return item <= 7;
}

std::string winFilesSourcePath(const WinFilesItem& item, const std::string& rootDir,
                               const std::string& windowsDir,
                               const std::string& commandInterpreter) {
  switch (item.base) {
    case WinFilesBase::RootDir:
      return rootDir + item.name;
    case WinFilesBase::WindowsDir:
      return windowsDir + item.name;
    case WinFilesBase::CommandInterpreter:
      return commandInterpreter;
    case WinFilesBase::None:
      break;
  }
  return {};
}

}  // namespace corvasta
