#include "platform/sample/win9x_config_files.h"

namespace platform::sample {
namespace {

bool isMe(const SampleLayout& layout) {
  return layout.version == WindowsVersion::WinMe;
}

}  // namespace

std::string win9xAutoexecBat(const SampleLayout& layout) {
  std::string windows = "C:\\" + layout.windowsFolder;
  if (isMe(layout))
    // Windows ME runs no real-mode drivers from autoexec.bat; Setup leaves the
    // code page lines only.
    return "mode con codepage prepare=((850) " + windows + "\\COMMAND\\ega.cpi)\n" +
           "mode con codepage select=850\n" + "keyb us,," + windows + "\\COMMAND\\keyboard.sys\n";
  return "@ECHO OFF\n"
         "SET BLASTER=A220 I5 D1 H5 P330 T6\n"
         "SET PATH=" +
         windows + ";" + windows + "\\COMMAND\n" + "rem - By Windows Setup - " + windows +
         "\\COMMAND\\MSCDEX.EXE /D:MSCD001 /L:D\n" + "mode con codepage prepare=((850) " + windows +
         "\\COMMAND\\ega.cpi)\n" + "mode con codepage select=850\n" + "keyb us,," + windows +
         "\\COMMAND\\keyboard.sys\n";
}

std::string win9xConfigSys(const SampleLayout& layout) {
  std::string windows = "C:\\" + layout.windowsFolder;
  std::string text = "DEVICE=" + windows + "\\COMMAND\\display.sys con=(ega,,1)\n" +
                     "Country=001,850," + windows + "\\COMMAND\\country.sys\n";
  if (isMe(layout)) return text;
  return "DEVICE=" + windows + "\\HIMEM.SYS\n" + "DEVICE=" + windows + "\\EMM386.EXE NOEMS\n" +
         "DOS=HIGH,UMB\n" + "FILES=40\n" + "BUFFERS=30\n" + text +
         "DEVICEHIGH=C:\\CDROM\\OAKCDROM.SYS /D:MSCD001\n";
}

std::string win9xMsdosSys(const SampleLayout& layout) {
  std::string windows = "C:\\" + layout.windowsFolder;
  std::string text = "[Paths]\nWinDir=" + windows + "\nWinBootDir=" + windows +
                     "\nHostWinBootDrv=C\n\n[Options]\nBootMulti=1\nBootGUI=1\n"
                     "DoubleBuffer=1\nAutoScan=1\nWinVer=" +
                     layout.versionNumber + "\n";
  // Programs that read msdos.sys expect it to be more than 1024 bytes long;
  // Setup pads it with comment lines.
  text +=
      ";\n;The following lines are required for compatibility with other programs.\n"
      ";Do not remove them (MSDOS.SYS needs to be >1024 bytes).\n";
  for (char c = 'a'; c <= 's'; ++c) text += ";" + std::string(68, 'x') + c + "\n";
  return text;
}

std::string win9xWinIni(const SampleLayout& layout) {
  return "[windows]\n"
         "load=\n"
         "run=\n"
         "NullPort=None\n"
         "device=Laser Printer,HPPCL5MS,LPT1:\n"
         "\n"
         "[Desktop]\n"
         "Wallpaper=(None)\n"
         "TileWallpaper=1\n"
         "WallpaperStyle=0\n"
         "Pattern=(None)\n"
         "\n"
         "[intl]\n"
         "iCountry=1\n"
         "ICurrDigits=2\n"
         "iCurrency=0\n"
         "iDate=0\n"
         "iDigits=2\n"
         "iLZero=1\n"
         "iMeasure=1\n"
         "iNegCurr=0\n"
         "iTime=0\n"
         "iTLZero=0\n"
         "s1159=AM\n"
         "s2359=PM\n"
         "sCountry=United States\n"
         "sCurrency=$\n"
         "sDate=/\n"
         "sDecimal=.\n"
         "sLanguage=enu\n"
         "sList=,\n"
         "sLongDate=dddd, MMMM dd, yyyy\n"
         "sShortDate=" +
         std::string(isMe(layout) ? "M/d/yyyy" : "M/d/yy") +
         "\n"
         "sThousand=,\n"
         "sTime=:\n"
         "\n"
         "[fonts]\n"
         "\n"
         "[extensions]\n"
         "bmp=mspaint.exe ^.bmp\n"
         "ini=notepad.exe ^.ini\n"
         "log=notepad.exe ^.log\n"
         "txt=notepad.exe ^.txt\n"
         "wri=write.exe ^.wri\n"
         "\n"
         "[mci extensions]\n"
         "wav=waveaudio\n"
         "mid=sequencer\n"
         "rmi=sequencer\n"
         "avi=AVIVideo\n"
         "\n"
         "[ports]\n"
         "COM1:=9600,n,8,1,x\n"
         "COM2:=9600,n,8,1,x\n"
         "LPT1:=\n"
         "FILE:=\n"
         "\n"
         "[FontSubstitutes]\n"
         "MS Shell Dlg=MS Sans Serif\n"
         "Helv=MS Sans Serif\n"
         "Tms Rmn=MS Serif\n"
         "\n"
         "[TrueType]\n"
         "\n"
         "[Sounds]\n"
         "SystemDefault=ding.wav,Default sound\n"
         "SystemExclamation=chord.wav,Exclamation\n"
         "SystemStart=tada.wav,Windows Start\n"
         "\n"
         "[PrinterPorts]\n"
         "Laser Printer=HPPCL5MS,LPT1:,15,45\n"
         "\n"
         "[devices]\n"
         "Laser Printer=HPPCL5MS,LPT1:\n"
         "\n"
         "[MCI Extensions.BAK]\n"
         "aif=MPEGVideo\n"
         "mp3=MPEGVideo\n";
}

std::string win9xSystemIni(const SampleLayout& layout) {
  std::string text =
      "[boot]\n"
      "oemfonts.fon=vgaoem.fon\n"
      "shell=Explorer.exe\n"
      "system.drv=system.drv\n"
      "drivers=mmsystem.dll power.drv\n"
      "user.exe=user.exe\n"
      "gdi.exe=gdi.exe\n"
      "sound.drv=mmsound.drv\n"
      "dibeng.drv=dibeng.dll\n"
      "comm.drv=comm.drv\n"
      "mouse.drv=mouse.drv\n"
      "keyboard.drv=keyboard.drv\n"
      "*DisplayFallback=0\n"
      "fonts.fon=vgasys.fon\n"
      "fixedfon.fon=vgafix.fon\n"
      "386Grabber=vgafull.3gr\n"
      "display.drv=pnpdrvr.drv\n"
      "\n"
      "[keyboard]\n"
      "subtype=\n"
      "type=4\n"
      "keyboard.dll=\n"
      "oemansi.bin=\n"
      "\n"
      "[boot.description]\n"
      "system.drv=Standard PC\n"
      "aspect=100,96,96\n"
      "display.drv=Standard Display Adapter (VGA)\n"
      "keyboard.typ=Standard 101/102-Key or Microsoft Natural Keyboard\n"
      "mouse.drv=Standard mouse\n"
      "\n"
      "[386Enh]\n"
      "ebios=*ebios\n"
      "woafont=dosapp.fon\n"
      "mouse=*vmouse, msmouse.vxd\n"
      "device=*vshare\n"
      "device=*dynapage\n"
      "device=*vcd\n"
      "device=*vpd\n"
      "device=*int13\n"
      "keyboard=*vkd\n"
      "display=*vdd,*vflatd\n"
      "\n"
      "[NonWindowsApp]\n"
      "TTInitialSizes=4 5 6 7 8 9 10 11 12 13 14 15 16 18 20 22\n"
      "\n"
      "[power.drv]\n"
      "\n"
      "[drivers]\n"
      "wave=mmsndsys.drv\n"
      "midi=mmsndsys.drv\n"
      "timer=timer.drv\n"
      "midimapper=midimap.drv\n"
      "\n"
      "[mci]\n"
      "cdaudio=mcicda.drv\n"
      "sequencer=mciseq.drv\n"
      "waveaudio=mciwave.drv\n"
      "avivideo=mciavi.drv\n"
      "videodisc=mcipionr.drv\n"
      "vcr=mcivisca.drv\n"
      "MPEGVideo=mciqtz.drv\n"
      "\n"
      "[vcache]\n"
      "MinFileCache=4096\n"
      "MaxFileCache=32768\n"
      "\n"
      "[Password Lists]\n";
  for (const auto& user : layout.users)
    text += user + "=C:\\" + layout.windowsFolder + "\\" + user + ".PWL\n";
  return text;
}

std::string win9xSystemCb() {
  // The plain system.ini Windows starts with when asked for a clean boot.
  return "[boot]\n"
         "shell=explorer.exe\n"
         "mouse.drv=mouse.drv\n"
         "network.drv=\n"
         "language.dll=\n"
         "sound.drv=mmsound.drv\n"
         "comm.drv=comm.drv\n"
         "keyboard.drv=keyboard.drv\n"
         "system.drv=system.drv\n"
         "386grabber=vgafull.3gr\n"
         "oemfonts.fon=vgaoem.fon\n"
         "286grabber=vgacolor.2gr\n"
         "fixedfon.fon=vgafix.fon\n"
         "fonts.fon=vgasys.fon\n"
         "display.drv=pnpdrvr.drv\n"
         "drivers=mmsystem.dll\n"
         "\n"
         "[keyboard]\n"
         "keyboard.dll=\n"
         "oemansi.bin=\n"
         "subtype=\n"
         "type=4\n"
         "\n"
         "[boot.description]\n"
         "keyboard.typ=Standard 101/102-Key or Microsoft Natural Keyboard\n"
         "mouse.drv=Standard mouse\n"
         "language.dll=English (American)\n"
         "system.drv=Standard PC\n"
         "codepage=1252\n"
         "woafont.dll=English (437)\n"
         "display.drv=Standard Display Adapter (VGA)\n"
         "\n"
         "[386Enh]\n"
         "mouse=*vmouse\n"
         "device=*vpd\n"
         "ebios=*ebios\n"
         "woafont=dosapp.fon\n"
         "display=*vdd,*vflatd\n"
         "keyboard=*vkd\n"
         "\n"
         "[NonWindowsApp]\n"
         "\n"
         "[vcache]\n";
}

std::string win9xDosstartBat() {
  // Run when the user restarts in MS-DOS mode: the real-mode CD-ROM and mouse
  // drivers Windows itself does not need.
  return "@echo off\n"
         "C:\\WINDOWS\\COMMAND\\MSCDEX.EXE /D:MSCD001 /L:D\n"
         "C:\\WINDOWS\\COMMAND\\MOUSE.COM\n";
}

std::string win9xProtocolIni(const SampleLayout& layout) {
  return "[ndishlp$]\n"
         "DriverName=ndishlp$\n"
         "Bindings=NIC_0001$\n"
         "\n"
         "[protman$]\n"
         "priority=ndishlp$\n"
         "DriverName=protman$\n"
         "\n"
         "[data]\n"
         "version=v" +
         layout.versionNumber +
         "\n"
         "netcards=NIC_0001$,PCI\\VEN_10EC&DEV_8139\n"
         "\n"
         "[NIC_0001$]\n"
         "DriverName=RTL8139$\n"
         "\n"
         "[nwlink$]\n"
         "DriverName=nwlink$\n"
         "Frame_Type=4\n"
         "cachesize=0\n"
         "Bindings=NIC_0001$\n"
         "\n"
         "[MSTCP]\n"
         "Bindings=NIC_0001$\n"
         "DriverName=MSTCP$\n";
}

std::string win9xScanregIni() {
  return ";Scanregw.exe settings\n"
         ";\n"
         ";Backup=0 --> switch off auto backup\n"
         "Backup=1\n"
         ";\n"
         ";Optimize=0 --> switch off auto optimize\n"
         "Optimize=1\n"
         ";\n"
         ";MaxBackupCopies=(integer value) --> maximum number of backups kept\n"
         "MaxBackupCopies=5\n"
         ";\n"
         ";BackupDirectory=<path to backup directory>; default <windir>\\sysbckup\n"
         ";\n"
         ";Files=[dir code,]file1,file2,file3\n"
         ";dir codes: 10 Windows directory, 11 System directory, 30 boot root, 31 host root\n";
}

std::string win9xControlIni() {
  return "[current]\n"
         "color schemes=Windows Standard\n"
         "\n"
         "[color schemes]\n"
         "Windows Standard=C0C0C0,FFFFFF,FFFFFF,0,FFFFFF,0,800000,C0C0C0,FFFFFF,C0C0C0,C0C0C0,"
         "0,808080,C0C0C0,808080,0,808080,800000,FFFFFF,0,FFFFFF\n"
         "\n"
         "[Patterns]\n"
         "(None)=(None)\n"
         "Boxes=127 65 65 65 65 65 127 0\n"
         "\n"
         "[MMCPL]\n"
         "NumApps=12\n"
         "\n"
         "[drivers.desc]\n"
         "mciseq.drv=MCI driver for MIDI devices\n"
         "mciwave.drv=MCI driver for waveform audio\n"
         "timer.drv=Timer driver\n"
         "midimap.drv=MIDI mapper\n";
}

}  // namespace platform::sample
