#include <gtest/gtest.h>

#include "platform/shell/shell_link_error.h"
#include "platform/shell/shell_link_read.h"
#include "platform/shell/shell_link_write.h"
#include "tests/platform_shell/format_example.h"

using namespace platform::shell;
using namespace shell_test;

namespace {

void patchU32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void patchU16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

// The message of the error reading `bytes` gives, or "" when it reads.
std::string readError(const std::string& bytes) {
  try {
    readShellLink(bytes);
  } catch (const ShellLinkFormatError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(ShellLinkCorrupt, EveryTruncationIsAnError) {
  ShellLink link;
  link.target = "C:\\Program Files\\Corvasta\\CORVASTA.EXE";
  link.description = "Corvasta";
  link.arguments = "bootup \u2192";
  std::string written = writeShellLink(link);
  // Extra data ends at the end of the file as well as at a terminal block,
  // so only the cut that drops the terminal block leaves a complete link.
  for (size_t size = 0; size + 4 < written.size(); ++size)
    EXPECT_NE(readError(written.substr(0, size)), "") << "truncated to " << size;

  std::string example = formatExampleLink();
  for (size_t size = 0; size < kExampleExtraDataOffset; ++size)
    EXPECT_NE(readError(example.substr(0, size)), "") << "truncated to " << size;
}

TEST(ShellLinkCorrupt, BadSizesAndOffsetsAreErrors) {
  struct Damage {
    const char* name;
    size_t offset;
    uint32_t value;
    bool wide;  // 32-bit field, else 16-bit
    const char* message;
  };
  const Damage damages[] = {
      {"header size", 0, 0x4D, true, "Not a shortcut file"},
      {"class identifier", 4, 0x11111111, true, "Not a shortcut file"},
      {"ID list size", kExampleIdListOffset, 0xFFFF, false, "ID list"},
      {"ID list item size too small", kExampleIdListOffset + 2, 1, false, "too small"},
      {"ID list item past its list", kExampleIdListOffset + 2, 0x0FFF, false, "ID list item"},
      {"LinkInfo size too small", kExampleLinkInfoOffset, 8, true, "too small"},
      {"LinkInfo size too large", kExampleLinkInfoOffset, 0xFFFFFFF0, true, "LinkInfo"},
      {"LinkInfo header size", kExampleLinkInfoOffset + 4, 0x20, true, "header size"},
      {"VolumeID offset", kExampleLinkInfoOffset + 12, 0x7FFFFFFF, true, "outside"},
      {"local path offset", kExampleLinkInfoOffset + 16, 0x3C, true, "local base path"},
      {"VolumeID size", kExampleVolumeIdOffset, 4, true, "too small"},
      {"VolumeID past LinkInfo", kExampleVolumeIdOffset, 0x400, true, "VolumeID"},
      {"string length", kExampleStringDataOffset, 0xFFFF, false, "relative path"},
      {"extra block size", kExampleExtraDataOffset, 6, true, "too small"},
      {"extra block past end", kExampleExtraDataOffset, 0x10000, true, "extra data"},
  };
  for (const Damage& damage : damages) {
    std::string bytes = formatExampleLink();
    if (damage.wide)
      patchU32(bytes, damage.offset, damage.value);
    else
      patchU16(bytes, damage.offset, static_cast<uint16_t>(damage.value));
    EXPECT_NE(readError(bytes).find(damage.message), std::string::npos)
        << damage.name << ": " << readError(bytes);
  }
}

TEST(ShellLinkCorrupt, ErrorNamesTheOffset) {
  std::string bytes = formatExampleLink();
  patchU32(bytes, kExampleLinkInfoOffset + 4, 0x20);
  try {
    readShellLink(bytes);
    FAIL() << "damaged LinkInfo was read";
  } catch (const ShellLinkFormatError& error) {
    EXPECT_EQ(error.offset(), kExampleLinkInfoOffset + 8);
  }
}

TEST(ShellLinkCorrupt, UnreadableIdListItemsLeaveTheLinkInfoTarget) {
  std::string bytes = formatExampleLink();
  bytes[kExampleIdListOffset + 4] = 0x1F;  // My Computer item becomes an unknown root
  bytes[kExampleIdListOffset + 6] = 0x00;
  EXPECT_EQ(readShellLink(bytes).target, "C:\\test\\a.txt");
}
