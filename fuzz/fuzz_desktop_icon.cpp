// Desktop shortcuts are outside data: any program may put one there. Reads
// arbitrary bytes as a shortcut file and hands its target to the Desktop
// Icons list's test and its arguments to the boxes' parse, as
// LoadDesktopIcons and ListBox1Click do; the raw bytes go to the parse as
// arguments too. The boxes an icon's arguments give must make the same
// arguments again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/shell/shell_link_error.h"
#include "platform/shell/shell_link_read.h"
#include "prefs/DesktopIconsPage.h"

namespace {

void checkParse(const std::string& arguments) {
  const corvasta::IconBoxes boxes = corvasta::iconBoxesFromArguments(arguments);
  const std::string made = corvasta::iconArguments(boxes);
  if (corvasta::iconBoxesFromArguments(made) != boxes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkParse(std::string(bytes));
  platform::shell::ShellLink link;
  try {
    link = platform::shell::readShellLink(bytes);
  } catch (const platform::shell::ShellLinkFormatError&) {
    return 0;
  }
  const bool listed =
      corvasta::isProgramIconTarget(link.target, "C:\\PROGRAM FILES\\CORVASTA\\CRVASTME.EXE");
  if (listed && link.target.size() < 38) std::abort();
  checkParse(link.arguments);
  (void)corvasta::iconTitleRefusal(link.description);
  return 0;
}
