#include "platform/sample/program_directory.h"

#include "platform/sample/generated_files.h"

namespace platform::sample {
namespace {

struct SupportFile {
  const char* name;
  const char* role;
  size_t size;
};

constexpr SupportFile kSupportFiles[] = {
    {"unzip.exe", "MS-DOS unzip", 139264},
    {"ctmouse.exe", "MS-DOS mouse driver", 18432},
    {"cmossave.com", "saves the CMOS settings to a file", 2304},
    {"cmosrest.com", "restores the CMOS settings from a file", 2560},
    {"bootsave.com", "saves the hard disk's boot sector to a file", 1792},
    {"bootrest.com", "restores the hard disk's boot sector from a file", 2048},
    {"need.com", "tests that files are present on a diskette", 896},
    {"startwin.pif", "MS-DOS mode settings for startwin.bat", 967},
    {"command.pif", "MS-DOS mode settings for command.com", 967},
    {"cmd.pif", "settings for cmd.exe", 967},
    {"Corvasta.hlp", "help file", 48128},
};

}  // namespace

void addProgramDirectory(SampleTree& drive, const SampleLayout& layout) {
  const std::string folder = layout.programFolder + "\\";
  SampleTime installed = layout.useTime + 2 * 86400;
  auto add = [&](const std::string& name, const std::string& role, size_t size) {
    std::string path = folder + name;
    drive.file(path, placeholderBinary(name, role, size, layout.seedFor(path)), installed);
  };
  add("crvast" + layout.shortModeName + ".exe", "Corvasta for MS-DOS", 412160);
  // The settings file as the installer leaves it: config 1 backs up to a
  // folder on drive C, so a scheduled backup works on a new sample.
  addText(drive, folder + "vastel.ini", "[BackupPreferences1]\nTarget=C:\\Backups\\\n", installed);
  for (const auto& file : kSupportFiles) add(file.name, file.role, file.size);
  addText(drive, folder + "cmosboot.bat",
          "@echo off\n"
          "rem Puts back the CMOS settings and the boot sector saved on this diskette.\n"
          "need cmos.sav boot.sav\n"
          "if errorlevel 1 goto missing\n"
          "cmosrest cmos.sav\n"
          "bootrest boot.sav\n"
          "goto end\n"
          ":missing\n"
          "echo cmos.sav or boot.sav is missing on this diskette.\n"
          ":end\n",
          installed);
}

}  // namespace platform::sample
