// Reads arbitrary bytes as a shortcut file. A link that reads must write again
// and read back to the same strings.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/shell/shell_link_error.h"
#include "platform/shell/shell_link_read.h"
#include "platform/shell/shell_link_write.h"

namespace {

// The writer stores drive letters in upper case, as Windows does.
bool sameTarget(const std::string& read, const std::string& reread) {
  if (read.size() != reread.size()) return false;
  if (read.empty()) return true;
  return std::toupper(static_cast<unsigned char>(read[0])) ==
             std::toupper(static_cast<unsigned char>(reread[0])) &&
         read.compare(1, std::string::npos, reread, 1) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::shell;
  ShellLink link;
  try {
    link = readShellLink(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const ShellLinkFormatError&) {
    return 0;
  }
  std::string written;
  try {
    written = writeShellLink(link);
  } catch (const ShellLinkFormatError&) {
    return 0;  // e.g. a target that is not a full path
  }
  ShellLink back = readShellLink(written);
  if (!sameTarget(link.target, back.target) || back.arguments != link.arguments ||
      back.workingDir != link.workingDir || back.description != link.description ||
      back.relativePath != link.relativePath || back.iconLocation != link.iconLocation)
    std::abort();
  return 0;
}
