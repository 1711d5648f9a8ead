#include "platform/sample/sample_registry_content.h"

#include <cstdio>

namespace platform::sample {
namespace {

using registry::RegistryKey;

struct FileType {
  const char* extension;
  const char* progId;
  const char* description;
  const char* contentType;  // empty: none
  const char* opener;       // program in the Windows or System directory
};

constexpr FileType kFileTypes[] = {
    {".txt", "txtfile", "Text Document", "text/plain", "NOTEPAD.EXE"},
    {".log", "txtfile", "Text Document", "text/plain", "NOTEPAD.EXE"},
    {".ini", "inifile", "Configuration Settings", "", "NOTEPAD.EXE"},
    {".inf", "inffile", "Setup Information", "", "NOTEPAD.EXE"},
    {".bat", "batfile", "MS-DOS Batch File", "", "NOTEPAD.EXE"},
    {".reg", "regfile", "Registration Entries", "", "REGEDIT.EXE"},
    {".bmp", "Paint.Picture", "Bitmap Image", "image/bmp", "MSPAINT.EXE"},
    {".gif", "giffile", "GIF Image", "image/gif", "IEXPLORE.EXE"},
    {".jpg", "jpegfile", "JPEG Image", "image/jpeg", "IEXPLORE.EXE"},
    {".ico", "icofile", "Icon", "image/x-icon", "MSPAINT.EXE"},
    {".wav", "SoundRec", "Wave Sound", "audio/wav", "SNDREC32.EXE"},
    {".mid", "midfile", "MIDI Sequence", "audio/mid", "MPLAYER.EXE"},
    {".avi", "avifile", "Video Clip", "video/avi", "MPLAYER.EXE"},
    {".htm", "htmlfile", "HTML Document", "text/html", "IEXPLORE.EXE"},
    {".html", "htmlfile", "HTML Document", "text/html", "IEXPLORE.EXE"},
    {".url", "InternetShortcut", "Internet Shortcut", "", "RUNDLL32.EXE"},
    {".lnk", "lnkfile", "Shortcut", "", ""},
    {".pif", "piffile", "Shortcut to MS-DOS Program", "", ""},
    {".exe", "exefile", "Application", "application/x-msdownload", ""},
    {".com", "comfile", "MS-DOS Application", "", ""},
    {".dll", "dllfile", "Application Extension", "application/x-msdownload", ""},
    {".cpl", "cplfile", "Control Panel extension", "", "CONTROL.EXE"},
    {".ttf", "ttffile", "TrueType Font file", "", "FONTVIEW.EXE"},
    {".fon", "fonfile", "Font file", "", "FONTVIEW.EXE"},
    {".hlp", "hlpfile", "Help File", "", "WINHLP32.EXE"},
    {".doc", "wordpad.document.1", "WordPad Document", "application/msword", "WORDPAD.EXE"},
    {".wri", "wrifile", "Write Document", "", "WORDPAD.EXE"},
    {".rtf", "rtffile", "Rich Text Format", "application/rtf", "WORDPAD.EXE"},
    {".csv", "csvfile", "Comma Separated Values", "", "NOTEPAD.EXE"},
    {".cab", "CLSID\\{0CD7A5C0-9F37-11CE-AE65-08002B2E1262}", "Cabinet File", "", ""},
    {".zip", "zipfile", "Compressed Folder", "application/x-zip-compressed", ""},
    {".scr", "scrfile", "Screen Saver", "", ""},
    {".vbs", "VBSFile", "VBScript Script File", "", "WSCRIPT.EXE"},
    {".js", "JSFile", "JScript Script File", "", "WSCRIPT.EXE"},
    {".xml", "xmlfile", "XML Document", "text/xml", "IEXPLORE.EXE"},
    {".cur", "curfile", "Cursor", "", ""},
    {".drv", "drvfile", "Device driver", "", ""},
    {".sys", "sysfile", "System file", "", ""},
    {".skp", "Sketchpad.Drawing", "Sketchpad Drawing", "", "SKETCHPAD.EXE"},
    {".gpl", "GardenPlanner.Plan", "Garden Plan", "", "GPLAN.EXE"},
};

constexpr const char* kComponents[] = {
    "Shell Folder View",    "Shortcut Handler",  "Desktop Background",  "Recycle Bin Helper",
    "Briefcase Reconciler", "Font Folder",       "Control Panel Item",  "Dial-Up Networking",
    "Printer Folder",       "File Type Handler", "Media Player Object", "Sound Recorder Object",
    "Scripting Runtime",    "Internet Shortcut", "Search Companion",    "Cabinet Viewer",
    "Thumbnail Extractor",  "Web View Renderer", "Property Sheet",      "Drag and Drop Helper",
};
constexpr int kComClasses = 80;

constexpr const char* kComLibraries[] = {"SHELL32.DLL", "SHDOCVW.DLL", "MSHTML.DLL",
                                         "OLE32.DLL",   "URLMON.DLL",  "CABVIEW.DLL"};

const char* const kFonts[][2] = {
    {"Arial (TrueType)", "ARIAL.TTF"},
    {"Arial Bold (TrueType)", "ARIALBD.TTF"},
    {"Arial Italic (TrueType)", "ARIALI.TTF"},
    {"Courier New (TrueType)", "COUR.TTF"},
    {"Courier New Bold (TrueType)", "COURBD.TTF"},
    {"Times New Roman (TrueType)", "TIMES.TTF"},
    {"Times New Roman Bold (TrueType)", "TIMESBD.TTF"},
    {"Symbol (TrueType)", "SYMBOL.TTF"},
    {"Wingdings (TrueType)", "WINGDING.TTF"},
    {"Tahoma (TrueType)", "TAHOMA.TTF"},
    {"Verdana (TrueType)", "VERDANA.TTF"},
    {"MS Sans Serif 8,10,12,14,18,24", "SSERIFE.FON"},
    {"MS Serif 8,10,12,14,18,24", "SERIFE.FON"},
    {"Courier 10,12,15", "COURE.FON"},
    {"Small Fonts", "SMALLE.FON"},
    {"Fixedsys", "VGAFIX.FON"},
    {"System", "VGASYS.FON"},
    {"Terminal", "VGAOEM.FON"},
    {"Modern", "MODERN.FON"},
    {"Marlett (TrueType)", "MARLETT.TTF"},
};

const char* const kSoundEvents[][3] = {
    {".Default", "Default sound", "DING.WAV"},
    {"AppGPFault", "Program error", ""},
    {"Close", "Close program", ""},
    {"MailBeep", "New Mail Notification", "NOTIFY.WAV"},
    {"Maximize", "Maximize", ""},
    {"MenuCommand", "Menu command", ""},
    {"MenuPopup", "Menu popup", ""},
    {"Minimize", "Minimize", ""},
    {"Open", "Open program", ""},
    {"RestoreDown", "Restore Down", ""},
    {"RestoreUp", "Restore Up", ""},
    {"SystemAsterisk", "Asterisk", "CHORD.WAV"},
    {"SystemExclamation", "Exclamation", "CHORD.WAV"},
    {"SystemExit", "Exit Windows", "TADA.WAV"},
    {"SystemHand", "Critical Stop", "CHORD.WAV"},
    {"SystemQuestion", "Question", "CHORD.WAV"},
    {"SystemStart", "Start Windows", "TADA.WAV"},
};

const char* const kColors[][2] = {
    {"ActiveBorder", "192 192 192"},
    {"ActiveTitle", "0 0 128"},
    {"AppWorkspace", "128 128 128"},
    {"Background", "0 128 128"},
    {"ButtonAlternateFace", "180 180 180"},
    {"ButtonDkShadow", "0 0 0"},
    {"ButtonFace", "192 192 192"},
    {"ButtonHilight", "255 255 255"},
    {"ButtonLight", "192 192 192"},
    {"ButtonShadow", "128 128 128"},
    {"ButtonText", "0 0 0"},
    {"GradientActiveTitle", "16 132 208"},
    {"GradientInactiveTitle", "181 181 181"},
    {"GrayText", "128 128 128"},
    {"Hilight", "0 0 128"},
    {"HilightText", "255 255 255"},
    {"HotTrackingColor", "0 0 255"},
    {"InactiveBorder", "192 192 192"},
    {"InactiveTitle", "128 128 128"},
    {"InactiveTitleText", "192 192 192"},
    {"InfoText", "0 0 0"},
    {"InfoWindow", "255 255 225"},
    {"Menu", "192 192 192"},
    {"MenuText", "0 0 0"},
    {"Scrollbar", "192 192 192"},
    {"TitleText", "255 255 255"},
    {"Window", "255 255 255"},
    {"WindowFrame", "0 0 0"},
    {"WindowText", "0 0 0"},
};

std::string windowsPath(const SampleLayout& layout, const std::string& file) {
  return layout.nt ? "%SystemRoot%\\" + file : onDriveC(layout.windowsFolder + "\\" + file);
}

// Where the installation puts Internet Explorer (see the installation tables).
constexpr const char* kBrowser = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// The command line that starts `opener`: Windows' own tools from the Windows
// folder, the browser from its folder, quoted because of the blank.
std::string openerCommand(const SampleLayout& layout, const std::string& opener) {
  if (opener == "IEXPLORE.EXE") return std::string("\"") + kBrowser + "\"";
  return windowsPath(layout, opener);
}

// A command line as the shell keeps it: expandable on NT.
void setCommand(RegistryKey& key, const SampleValues& values, const SampleLayout& layout,
                const std::string& command) {
  if (layout.nt)
    values.expandString(key, "", command);
  else
    values.string(key, "", command);
}

void addFileTypes(RegistryKey& classes, const SampleValues& values, const SampleLayout& layout) {
  for (const auto& type : kFileTypes) {
    RegistryKey& extension = classes.ensurePath(type.extension);
    values.string(extension, "", type.progId);
    if (*type.contentType) values.string(extension, "Content Type", type.contentType);
    RegistryKey* shellNew = nullptr;
    if (std::string(type.extension) == ".txt" || std::string(type.extension) == ".bmp")
      shellNew = &extension.ensurePath("ShellNew");
    if (shellNew) values.string(*shellNew, "NullFile", "");

    if (std::string(type.progId).rfind("CLSID\\", 0) == 0) continue;
    RegistryKey& progId = classes.ensurePath(type.progId);
    values.string(progId, "", type.description);
    values.dword(progId, "EditFlags", 0x00010000);
    values.expandString(progId.ensurePath("DefaultIcon"), "",
                        systemFilePath(layout, "SHELL32.DLL") + ",-152");
    if (*type.opener) {
      std::string opener = openerCommand(layout, type.opener);
      setCommand(progId.ensurePath("shell\\open\\command"), values, layout, opener + " \"%1\"");
      values.string(progId.ensurePath("shell\\open"), "", "&Open");
      setCommand(progId.ensurePath("shell\\print\\command"), values, layout, opener + " /p \"%1\"");
    }
  }
}

void addComClasses(RegistryKey& classes, const SampleValues& values, const SampleLayout& layout) {
  constexpr int kComponentNames = sizeof kComponents / sizeof kComponents[0];
  constexpr int kLibraries = sizeof kComLibraries / sizeof kComLibraries[0];
  for (int i = 0; i < kComClasses; ++i) {
    std::string name = kComponents[i % kComponentNames];
    if (i >= kComponentNames) name += " " + std::to_string(i / kComponentNames + 1);
    std::string guid = sampleGuid(layout, "CLSID " + name);
    // Looked up anew each time: adding a key moves its siblings.
    RegistryKey& entry = classes.ensurePath("CLSID\\" + guid);
    values.string(entry, "", name);
    RegistryKey& server = entry.ensurePath("InprocServer32");
    std::string library = systemFilePath(layout, kComLibraries[i % kLibraries]);
    if (layout.nt)
      values.expandString(server, "", library);
    else
      values.string(server, "", library);
    values.string(server, "ThreadingModel", i % 3 == 0 ? "Both" : "Apartment");
    std::string progId = "Sample.Component" + std::to_string(i) + ".1";
    values.string(entry.ensurePath("ProgID"), "", progId);
    values.string(classes.ensurePath(progId + "\\CLSID"), "", guid);
    if (i % 4 == 0) values.dword(entry.ensurePath("ShellFolder"), "Attributes", 0x20000000u + i);
  }
}

}  // namespace

const std::vector<SampleProgram>& samplePrograms() {
  static const std::vector<SampleProgram> programs = {
      {"Sketchpad", "Sketchpad 2.1", "SKETCHPAD.EXE", 2},
      {"PhotoAlbum", "Photo Album 2000", "ALBUM.EXE", 6},
      {"FamilyBudget", "Family Budget Planner", "BUDGET.EXE", 12},
      {"GardenPlanner", "Garden Planner 3", "GPLAN.EXE", 19},
      {"TypingTutor", "Typing Tutor Deluxe", "TUTOR.EXE", 21},
      {"ChessTrainer", "Chess Trainer", "CHESS.EXE", 23},
  };
  return programs;
}

std::string systemFilePath(const SampleLayout& layout, const std::string& file) {
  return layout.nt ? "%SystemRoot%\\System32\\" + file
                   : onDriveC(layout.systemFolder + "\\" + file);
}

void addClasses(RegistryKey& classes, const SampleValues& values, const SampleLayout& layout) {
  addFileTypes(classes, values, layout);
  addComClasses(classes, values, layout);
  values.string(classes.ensurePath("*\\shellex\\ContextMenuHandlers"), "", "");
  values.string(classes.ensurePath("Directory\\shell\\find\\command"), "",
                windowsPath(layout, "EXPLORER.EXE"));
  values.string(classes.ensurePath("Folder"), "", "Folder");
  values.binary(classes.ensurePath("Folder"), "EditFlags", {0xD2, 0x01, 0x00, 0x00});
}

void addInstalledPrograms(RegistryKey& software, const SampleValues& values,
                          const SampleLayout& layout, SampleTime when) {
  const std::string current = "Microsoft\\Windows\\CurrentVersion\\";
  for (const auto& program : samplePrograms()) {
    SampleTime installed = layout.installTime + program.installedAfterDays * 86400;
    if (installed > when) continue;
    std::string folder = "C:\\Program Files\\" + std::string(program.displayName);
    std::string exe = folder + "\\" + program.executable;
    RegistryKey& entry = software.ensurePath(current + "Uninstall\\" + program.key);
    values.string(entry, "DisplayName", program.displayName);
    values.string(entry, "UninstallString", folder + "\\UNINST.EXE /u \"" + program.key + "\"");
    values.string(entry, "InstallLocation", folder);
    values.dword(entry, "EstimatedSize",
                 1200 + 731 * static_cast<uint32_t>(program.installedAfterDays));
    values.string(entry, "InstallDate", std::to_string(installed / 86400));
    RegistryKey& appPath = software.ensurePath(current + "App Paths\\" + program.executable);
    values.string(appPath, "", exe);
    values.string(appPath, "Path", folder);
    RegistryKey& vendor = software.ensurePath(std::string(program.key) + "\\Settings");
    values.string(vendor, "InstallDir", folder);
    values.dword(vendor, "Version",
                 0x00020001u + static_cast<uint32_t>(program.installedAfterDays));
    values.binaryData(vendor, "Registration", 48, layout.seedFor(program.key));
  }
  // Programs that come with Windows.
  for (const char* tool : {"WORDPAD.EXE", "MSIMN.EXE", "PBRUSH.EXE"}) {
    RegistryKey& appPath = software.ensurePath(current + "App Paths\\" + tool);
    values.string(appPath, "", "C:\\Program Files\\Accessories\\" + std::string(tool));
  }
  values.string(software.ensurePath(current + "App Paths\\IEXPLORE.EXE"), "", kBrowser);
}

void addFontList(RegistryKey& fonts, const SampleValues& values) {
  for (const auto& font : kFonts) values.string(fonts, font[0], font[1]);
}

void addUserSettings(RegistryKey& userRoot, const SampleValues& values, const SampleLayout& layout,
                     const std::string& user, SampleTime when) {
  RegistryKey& colors = userRoot.ensurePath("Control Panel\\Colors");
  for (const auto& color : kColors) values.string(colors, color[0], color[1]);
  RegistryKey& desktop = userRoot.ensurePath("Control Panel\\Desktop");
  values.string(desktop, "Wallpaper", user.empty() ? "(None)" : windowsPath(layout, "Setup.bmp"));
  values.string(desktop, "TileWallpaper", "0");
  values.string(desktop, "ScreenSaveActive", "1");
  values.string(desktop, "ScreenSaveTimeOut", "900");
  values.binary(desktop, "UserPreferencemask", {0x28, 0x00, 0x00, 0x00});
  RegistryKey& metrics = desktop.ensurePath("WindowMetrics");
  for (const char* font : {"CaptionFont", "IconFont", "MenuFont", "MessageFont", "StatusFont"})
    values.binaryData(metrics, font, 92, layout.seedFor(std::string("font ") + font));
  values.string(metrics, "BorderWidth", "-15");
  RegistryKey& international = userRoot.ensurePath("Control Panel\\International");
  values.string(international, "sShortDate", "dd/MM/yyyy");
  values.string(international, "sLongDate", "dd MMMM yyyy");
  values.string(international, "sTimeFormat", "HH:mm:ss");
  values.string(international, "sDate", "/");
  values.string(international, "sTime", ":");
  values.string(international, "iCountry", "44");
  values.string(international, "sCurrency", "\xA3");
  values.string(international, "Locale", "00000809");
  RegistryKey& mouse = userRoot.ensurePath("Control Panel\\Mouse");
  values.string(mouse, "DoubleClickSpeed", "500");
  values.string(mouse, "MouseSpeed", "1");
  for (const char* feature : {"StickyKeys", "ToggleKeys", "FilterKeys", "MouseKeys"})
    values.string(userRoot.ensurePath(std::string("Control Panel\\Accessibility\\") + feature),
                  "Flags", "58");

  RegistryKey& schemes = userRoot.ensurePath("AppEvents\\Schemes\\Apps\\.Default");
  RegistryKey& labels = userRoot.ensurePath("AppEvents\\EventLabels");
  for (const auto& event : kSoundEvents) {
    values.string(labels.ensurePath(event[0]), "", event[1]);
    std::string sound = *event[2] ? windowsPath(layout, std::string("Media\\") + event[2]) : "";
    RegistryKey& eventKey = schemes.ensurePath(event[0]);
    values.string(eventKey.ensurePath(".Current"), "", sound);
    values.string(eventKey.ensurePath(".Default"), "", sound);
  }
  values.string(userRoot.ensurePath("Keyboard Layout\\Preload"), "1", "00000809");
  values.string(userRoot.ensurePath("Keyboard Layout\\Preload"), "2", "00000409");

  RegistryKey& notepad = userRoot.ensurePath("Software\\Microsoft\\Notepad");
  values.string(notepad, "lfFaceName", "Fixedsys");
  values.dword(notepad, "iPointSize", 0);
  values.dword(notepad, "fWrap", 1);
  values.dword(notepad, "iWindowPosX", 44);
  RegistryKey& ie = userRoot.ensurePath("Software\\Microsoft\\Internet Explorer\\Main");
  values.string(ie, "Start Page", "http://news.example.org/");
  values.string(ie, "Search Page", "http://search.example.net/");
  values.binary(ie, "Window_Placement",
                {0x2C, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  if (user.empty()) return;

  // The lists Explorer keeps of what the user did, as of `when`.
  RegistryKey& explorer =
      userRoot.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
  // Both made before either is used: adding a key moves its siblings.
  explorer.ensurePath("RunMRU");
  explorer.ensurePath("RecentDocs");
  RegistryKey& runMru = *explorer.findSubkey("RunMRU");
  RegistryKey& recent = *explorer.findSubkey("RecentDocs");
  RegistryKey& typed = userRoot.ensurePath("Software\\Microsoft\\Internet Explorer\\TypedURLs");
  const char* const commands[] = {"notepad\\1", "regedit\\1", "command\\1", "msconfig\\1"};
  const char* const documents[] = {"Letter.txt", "Budget.csv", "Garden.bmp", "Notes.txt"};
  std::string order;
  std::vector<uint8_t> mruListEx;
  for (int i = 0; i < 4; ++i) {
    if (layout.useTime - (4 - i) * 86400 > when) break;
    std::string letter(1, static_cast<char>('a' + i));
    values.string(runMru, letter, commands[i]);
    order = letter + order;
    values.string(typed, "url" + std::to_string(i + 1),
                  std::string("http://") + (i % 2 ? "weather" : "news") + ".example.com/" +
                      std::to_string(i));
    // RecentDocs entries: the name in UTF-16 with a NUL, then the shortcut's.
    std::vector<uint8_t> entry;
    for (const char* text : {documents[i], "x.lnk"}) {
      for (const char* c = text; *c; ++c) entry.insert(entry.end(), {static_cast<uint8_t>(*c), 0});
      entry.insert(entry.end(), {0, 0});
    }
    values.binary(recent, std::to_string(i), entry);
    mruListEx.insert(mruListEx.begin(), {static_cast<uint8_t>(i), 0, 0, 0});
  }
  values.string(runMru, "MRUList", order);
  mruListEx.insert(mruListEx.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  values.binary(recent, "MRUListEx", mruListEx);
  values.multiString(
      userRoot.ensurePath("Software\\" + std::string(samplePrograms()[0].key) + "\\Recent"),
      "Files", {user + " garden plan.skp", "Holiday sketch.skp", "Map.skp"});
  if (layout.version == WindowsVersion::WinXp) {
    // Explorer's remembered folder views: one of the values that exceed
    // 16 KB and are stored as big data in XP hives.
    RegistryKey& bag =
        userRoot.ensurePath("Software\\Microsoft\\Windows\\ShellNoRoam\\Bags\\1\\Shell");
    values.binaryData(bag, "ItemPos1024x768(1)", 18 * 1024 + 200,
                      layout.seedFor("ItemPos " + user));
    values.dword(bag, "Mode", 4);
  }
}

}  // namespace platform::sample
