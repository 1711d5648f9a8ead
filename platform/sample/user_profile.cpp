#include "platform/sample/user_profile.h"

#include "platform/sample/generated_files.h"

namespace platform::sample {
namespace {

// Where the shell folders of one profile lie inside it.
struct ShellFolders {
  std::string applicationData, cookies, desktop, favorites, history, netHood, printHood, recent,
      sendTo, startup, programs, cache, temp, templates, localSettings;
};

ShellFolders shellFoldersOf(const SampleLayout& layout, const std::string& profile) {
  ShellFolders f;
  std::string p = profile + "\\";
  f.applicationData = p + "Application Data";
  f.cookies = p + "Cookies";
  f.desktop = p + "Desktop";
  f.favorites = p + "Favorites";
  f.netHood = p + "NetHood";
  f.recent = p + "Recent";
  f.programs = p + "Start Menu\\Programs";
  if (layout.nt) {
    f.localSettings = p + "Local Settings";
    f.history = p + "Local Settings\\History";
    f.cache = p + "Local Settings\\Temporary Internet Files";
    f.temp = p + "Local Settings\\Temp";
    f.printHood = p + "PrintHood";
    f.sendTo = p + "SendTo";
    f.templates = p + "Templates";
    f.startup = f.programs + "\\Startup";
  } else {
    f.history = p + "History";
    f.cache = p + "Temporary Internet Files";
    // SendTo is not part of a Windows 9x profile; it stays in the Windows folder.
    if (profile == layout.windowsFolder) f.sendTo = p + "SendTo";
    f.startup = f.programs + "\\StartUp";
  }
  return f;
}

void addShellFolders(SampleTree& drive, const SampleLayout& layout, const ShellFolders& f) {
  for (const std::string* folder :
       {&f.applicationData, &f.cookies, &f.desktop, &f.favorites, &f.history, &f.netHood,
        &f.printHood, &f.recent, &f.sendTo, &f.startup, &f.cache, &f.temp, &f.templates})
    if (!folder->empty()) drive.folder(*folder);
  drive.folder(f.programs + "\\Accessories");
  // Hidden and system as Windows keeps them, so that Explorer shows them
  // with their own views.
  drive.folder(f.history, kHidden | kSystem);
  drive.folder(f.cache, kHidden | kSystem);
  drive.folder(f.applicationData, layout.nt ? kHidden : 0);
  if (!f.localSettings.empty()) drive.folder(f.localSettings, kHidden);
  if (!f.sendTo.empty() && layout.version != WindowsVersion::Win95) {
    // The SendTo targets that are not shortcuts: empty files whose extension
    // names a shell handler.
    for (const char* target :
         {"Desktop (create shortcut).DeskLink", "Mail Recipient.MAPIMail", "My Documents.mydocs"})
      drive.file(f.sendTo + "\\" + target, "", layout.installTime);
  }
}

std::string documentsFolderOf(const SampleLayout& layout, const std::string& user) {
  if (layout.nt) return layout.profileFolder(user) + "\\My Documents";
  // Windows 98 and ME keep one My Documents in the root; Windows 95 has none.
  if (layout.version == WindowsVersion::Win95) return "";
  return layout.profiles && user != layout.users.front()
             ? layout.profileFolder(user) + "\\My Documents"
             : "My Documents";
}

void addUserFiles(SampleTree& drive, const SampleLayout& layout, const std::string& user,
                  const ShellFolders& f) {
  SampleTime t = layout.useTime;
  const SampleTime hour = 3600;
  addText(drive, f.desktop + "\\Notes.txt",
          "Things to do\n- back up the computer before installing anything new\n"
          "- call " +
              user + "'s bank about the statement\n- order printer paper\n",
          t + 2 * hour);
  drive.file(f.desktop + "\\Holiday.bmp", bitmapImage(96, 64, layout.seedFor(f.desktop + user)),
             t + 3 * hour);
  for (const auto& [name, url] : {std::pair{"Weather", "http://weather.example.com/"},
                                  std::pair{"News", "http://news.example.org/"},
                                  std::pair{"Links\\Search", "http://search.example.net/"}})
    addText(drive, f.favorites + "\\" + name + ".url",
            std::string("[InternetShortcut]\nURL=") + url + "\n", t + 4 * hour);
  addData(drive, layout, f.applicationData + "\\Microsoft\\Address Book\\" + user + ".wab",
          12 * 1024, t + 5 * hour);
  addText(drive, f.applicationData + "\\Sketchpad\\sketchpad.ini",
          "[Window]\nLeft=120\nTop=80\nWidth=640\nHeight=480\n[Recent]\nFile1=" + user +
              " garden plan.skp\n",
          t + 6 * hour);
  addData(drive, layout, f.cookies + "\\index.dat", 16 * 1024, t + 7 * hour, kHidden | kSystem);
  addText(drive, f.cookies + "\\" + user + "@news.example[1].txt",
          "edition\nuk\nnews.example.org/\n1536\n2916341760\n29567432\n", t + 7 * hour);
  addData(drive, layout, f.history + "\\History.IE5\\index.dat", 16 * 1024, t + 8 * hour,
          kHidden | kSystem);
  addData(drive, layout, f.cache + "\\Content.IE5\\index.dat", 32 * 1024, t + 8 * hour,
          kHidden | kSystem);
  addText(drive, f.cache + "\\Content.IE5\\Q7ZK2M4P\\default[1].htm",
          "<html><head><title>Weather</title></head>\n<body><h1>Weather</h1>\n"
          "<p>Sunny spells, light winds.</p></body></html>\n",
          t + 8 * hour);
  addData(drive, layout, f.cache + "\\Content.IE5\\Q7ZK2M4P\\banner[1].gif", 6 * 1024,
          t + 8 * hour);

  std::string documents = documentsFolderOf(layout, user);
  if (documents.empty()) documents = f.desktop;
  addText(drive, documents + "\\Letter.txt",
          "Dear neighbours,\n\nthe street party is on Saturday from three o'clock. Please bring "
          "a chair and something to share.\n\nBest wishes,\n" +
              user + "\n",
          t + 26 * hour);
  addText(drive, documents + "\\Budget.csv",
          "Month,Rent,Food,Travel,Savings\nJanuary,650,310,85,120\nFebruary,650,290,60,150\n"
          "March,650,335,110,100\n",
          t + 27 * hour);
  drive.file(documents + "\\My Pictures\\Garden.bmp",
             bitmapImage(160, 120, layout.seedFor(documents + user)), t + 28 * hour);
}

}  // namespace

void addEmptyShellFolders(SampleTree& drive, const SampleLayout& layout,
                          const std::string& profileFolder) {
  addShellFolders(drive, layout, shellFoldersOf(layout, profileFolder));
  if (layout.nt) drive.folder(profileFolder + "\\My Documents");
}

void addUserProfile(SampleTree& drive, const SampleLayout& layout, const std::string& user,
                    bool withFiles) {
  std::string profile = layout.profileFolder(user);
  ShellFolders folders = shellFoldersOf(layout, profile);
  addShellFolders(drive, layout, folders);
  if (layout.nt) {
    drive.folder(profile + "\\My Documents");
    addText(drive, profile + "\\ntuser.ini",
            "[General]\nExclusionList=Local Settings;Temporary Internet Files;History;Temp\n",
            layout.useTime, kHidden | kSystem);
  }
  if (withFiles) addUserFiles(drive, layout, user, folders);
}

void addAllUsersProfile(SampleTree& drive, const SampleLayout& layout) {
  if (layout.version == WindowsVersion::Win95) return;
  std::string all = layout.allUsersFolder() + "\\";
  drive.folder(all + "Desktop");
  drive.folder(all + "Start Menu\\Programs\\" + (layout.nt ? "Startup" : "StartUp"));
  if (!layout.nt) return;
  drive.folder(all + "Application Data", kHidden);
  drive.folder(all + "Documents");
  drive.folder(all + "Favorites");
  drive.folder(all + "Templates", kHidden);
  drive.folder(all + "Start Menu\\Programs\\Accessories");
}

}  // namespace platform::sample
