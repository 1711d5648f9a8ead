#include "platform/sample/install_disc.h"

#include "platform/sample/generated_files.h"

namespace platform::sample {

void addInstallDisc(SampleTree& disc, const SampleLayout& layout) {
  addText(disc, "AUTORUN.INF", "[autorun]\nOPEN=SETUP.EXE\nICON=SETUP.EXE,1\n", layout.releaseTime);
  addSystemBinary(disc, layout, "SETUP.EXE", "Windows Setup", 64 * 1024);
  if (!layout.nt) {
    std::string folder = layout.version == WindowsVersion::Win95 ? "WIN95" : "WIN9X";
    addSystemBinary(disc, layout, folder + "\\EXTRACT.EXE", "cabinet extractor", 92 * 1024);
    addSystemBinary(disc, layout, folder + "\\SCANDISK.EXE", "disk checker", 120 * 1024);
    return;
  }
  addSystemBinary(disc, layout, "I386\\WINNT32.EXE", "32-bit Windows Setup", 256 * 1024);
  addSystemBinary(disc, layout, "I386\\WINNT.EXE", "16-bit Windows Setup", 60 * 1024);
  if (layout.version != WindowsVersion::Nt4)
    addSystemBinary(disc, layout, "BOOTDISK\\MAKEBOOT.EXE", "setup diskette maker", 32 * 1024);
}

}  // namespace platform::sample
