// The troubleshooter items of each Windows mode.

#include <initializer_list>

#include "ui/Troubleshooters.h"

namespace corvasta {
namespace {

struct Row {
  int item;
  const char* caption;
  const char* file;
  const char* topic;
};

TroubleshooterMenu menuOf(std::initializer_list<Row> rows) {
  TroubleshooterMenu menu;
  for (const Row& row : rows)
    menu[static_cast<size_t>(row.item - 1)] = TroubleshooterItem{row.caption, row.file, row.topic};
  return menu;
}

TroubleshooterMenu windows95Menu() {
  return menuOf({{1, "Dial-up Networking", "rnaapp.hlp", "RNA_WHAT_WRONG"},
                 {2, "Direct Cable Connection", "rnaapp.hlp", "DCC_WHAT_WRONG"},
                 {3, "Freeing Disk Space", "windows.hlp", "IDH_WASTE_FREEING_DISK_SPACE"},
                 {4, "Hardware Conflict", "windows.hlp", "IDH_DEVMGR_CONFLICT_TRB"},
                 {5, "Internet", "interwiz.hlp", "INTNET_WHAT_WRONG"},
                 {6, "Memory", "windows.hlp", "MEMORY_WHAT_WRONG"},
                 {7, "Modem", "windows.hlp", "IDH_DIAL_WHAT_WRONG"},
                 {8, "MS-DOS Programs", "windows.hlp", "DOSTRB_WHAT_WRONG"},
                 {9, "Network", "network.hlp", "NET_WHAT_WRONG"},
                 {10, "PC Card", "WINDOWS.HLP", "PCMCIA_WHAT_WRONG"},
                 {11, "Print", "WINDOWS.HLP", "PTS_WHAT_WRONG"},
                 {12, "Scanner", "WANGIMG.HLP", "IDX_TROUBLE_SCAN"},
                 {13, "Startup", "WINDOWS.HLP", "BOOT_TRBLS"}});
}

TroubleshooterMenu windows98Menu() {
  return menuOf({{1, "Dial-up Networking", "Modem.htm", "w98modem_result.htm"},
                 {2, "Direct Cable Connection", "Lan.htm", "w98lan_result.htm"},
                 {3, "DirectX", "Mdirx.htm", "w98directx_result.htm"},
                 {4, "Display", "Mdisp.htm", "w98display_result.htm"},
                 {5, "DriveSpace 3", "Drvspace.htm", "w98drivespace_result.htm"},
                 {6, "Hardware Conflict", "Hwconf.htm", "w98hw_result.htm"},
                 {7, "Memory", "Memory.htm", "w98memory_result.htm"},
                 {8, "Microsoft Network", "Mmsn.htm", "w98msn_result.htm"},
                 {9, "Modem", "Modem.htm", "w98modem_result.htm"},
                 {10, "MS-DOS Programs", "Msdos.htm", "w98msdos_result.htm"},
                 {11, "Network", "Lan.htm", "w98lan_result.htm"},
                 {12, "PC Card", "Pcmcia.htm", "w98pcmcia_result.htm"},
                 {13, "Print", "Print.htm", "w98print_result.htm"},
                 {14, "Sound", "Sound.htm", "w98sound_result.htm"},
                 {15, "Startup and Shutdown", "Startup.htm", "w98startup_result.htm"}});
}

TroubleshooterMenu windowsMeMenu() {
  const char* file = "tshoot00.chm";
  return menuOf({{1, "Active Desktop", file, "w0acdesktop_result.htm"},
                 {2, "Dial-Up Networking", file, "w0modem_result.htm"},
                 {3, "Direct Cable Connection", file, "w0networking_result.htm"},
                 {4, "Direct X", file, "w0games_result.htm"},
                 {5, "Display", file, "w0display_result.htm"},
                 {6, "E-mail", file, "w0messaging_result.htm"},
                 {7, "Fax", file, "w0modem_result.htm"},
                 {8, "Games and Multimedia", file, "w0games_result.htm"},
                 {9, "Hardware Conflict", file, "w0hardware_result.htm"},
                 {10, "Home Networking", file, "w0homenet_result.htm"},
                 {11, "Internet Connections (ISPs)", file, "w0ISP_result.htm"},
                 {12, "Internet Connection Sharing", file, "w0ics_result.htm"},
                 {13, "Internet Explorer", file, "w0ie_result.htm"},
                 {14, "LAN Network", file, "w0networking_result.htm"},
                 {15, "Memory Problems", file, "w0memory_result.htm"},
                 {16, "Modem", file, "w0modem_result.htm"},
                 {17, "MS-DOS-based Programs", file, "W0dos3pro_result.htm"},
                 {18, "NetMeeting Audio", file, "w0nmaudio_result.htm"},
                 {19, "NetMeeting Connectivity", file, "w0nmconnect_result.htm"},
                 {20, "NetMeeting Program Sharing", file, "w0nmprogshare_result.htm"},
                 {21, "NetMeeting Startup", file, "w0nmstart_result.htm"},
                 {22, "NetMeeting Video", file, "w0nmvideo_result.htm"},
                 {23, "Networking", file, "w0networking_result.htm"},
                 {24, "Power Management", file, "W0autopowman_result.htm"},
                 {25, "Printing", file, "w0printing_result.htm"},
                 {26, "Safe Mode", file, "w0safemode.htm"},
                 {27, "Sound", file, "w0sound_result.htm"},
                 {28, "System Setup", file, "w0syssetup_result.htm"},
                 {29, "Startup and Shutdown", file, "w0startup_result.htm"},
                 {30, "Video Display", file, "w0display_result.htm"}});
}

TroubleshooterMenu windowsNtMenu() {
  return menuOf({{1, "Free Disk Space", "windows.hlp", "IDH_WASTE_FREEING_DISK_SPACE"},
                 {2, "Modem", "windows.hlp", "IDH_DIAL_WHAT_WRONG"},
                 {3, "Network", "NETWORK.HLP", "NET_WHAT_WRONG"},
                 {4, "Out of Memory", "WINDOWS.HLP", "MEMORY_WHAT_WRONG"},
                 {5, "Playing Videos", "WINDOWS.HLP", "WIN_MMCPL_VIDEO_WINDOW_ADVANCED"},
                 {6, "Printing", "WINDOWS.HLP", "PTS_WHAT_WRONG"}});
}

TroubleshooterMenu windows2000Menu() {
  const char* file = "tshoot.chm";
  return menuOf({{1, "Client Service for Netware", file, "Tscsnw.htm"},
                 {2, "Display", file, "Tsdisp.htm"},
                 {3, "Hardware", file, "TsHardw.htm"},
                 {4, "Internet Connections", file, "TsISP.htm"},
                 {5, "Modem", file, "TsModem.htm"},
                 {6, "MS-DOS Programs", file, "Tsdos.htm"},
                 {7, "Multimedia and Games", file, "Tsgame.htm"},
                 {8, "Networking - TCP/IP", file, "Tsnetwrk.htm"},
                 {9, "Print", file, "tsPrint.htm"},
                 {10, "Remote Access", file, "TsRAS.htm"},
                 {11, "Sound", file, "tsSound.htm"},
                 {12, "System Setup", file, "TsSetup.htm"},
                 {13, "Windows 3.1 Programs", file, "Ts16bit.htm"}});
}

TroubleshooterMenu windowsXpMenu() {
  const char* file = "tshoot.chm";
  return menuOf({{1, "Display", file, "Tsdisp_result.htm"},
                 {2, "Drives and Network Adapters", file, "tsdrive_result.htm"},
                 {3, "DVD", file, "TS_DVD_result.htm"},
                 {4, "E-mail", file, "tsmessaging_result.htm"},
                 {5, "Games and Multimedia", file, "tsgame_result.htm"},
                 {6, "Hardware", file, "tshardw_result.htm"},
                 {7, "Home Networking", file, "tshomenet_result.htm"},
                 {8, "Input Devices", file, "tsInputDev_result.htm"},
                 {9, "Internet Connection Sharing", file, "tsics_result.htm"},
                 {10, "Internet Explorer", file, "tsie_result.htm"},
                 {11, "Modem", file, "tsmodem_result.htm"},
                 {12, "Sharing (Files and Printers)", file, "tsnetwrk_result.htm"},
                 {14, "Printing", file, "tsprint_result.htm"},
                 {15, "Safe Mode", file, "tsSMODE_result.htm"},
                 {16, "Sound", file, "tssound_result.htm"},
                 {17, "Startup and Shutdown", file, "tsstartup_result.htm"},
                 {19, "System Setup", file, "tssetup_result.htm"},
                 {21, "USB", file, "tsUSB_result.htm"},
                 {22, "Video Display", file, "Tsdisp_result.htm"}});
}

}  // namespace

TroubleshooterMenu troubleshooterMenu(int windowsMode) {
  switch (windowsMode) {
    case 1:
      return windows95Menu();
    case 2:
      return windows98Menu();
    case 3:
      return windowsMeMenu();
    case 4:
      return windowsNtMenu();
    case 5:
      return windows2000Menu();
    case 6:
      return windowsXpMenu();
    default:
      return {};
  }
}

}  // namespace corvasta
