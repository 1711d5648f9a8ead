#include "platform/shell/shell_link_read.h"

#include <array>
#include <optional>

#include "platform/core/codepage.h"
#include "platform/shell/link_bytes.h"
#include "platform/shell/link_format.h"
#include "platform/shell/link_id_list.h"
#include "platform/shell/link_info.h"
#include "platform/shell/link_text.h"
#include "platform/shell/shell_link_error.h"

namespace platform::shell {
namespace {

void readHeader(LinkByteReader& in, ShellLink& link) {
  if (in.size() < kShellLinkHeaderSize) in.fail("File is too short to be a shortcut");
  if (in.u32("the header size") != kShellLinkHeaderSize ||
      in.bytes(16, "the header class identifier") != kShellLinkClsid)
    throw ShellLinkFormatError("Not a shortcut file", 0);
  link.linkFlags = in.u32("the link flags");
  link.fileAttributes = in.u32("the file attributes");
  link.creationTime = in.u64("the creation time");
  link.accessTime = in.u64("the access time");
  link.writeTime = in.u64("the write time");
  link.fileSize = in.u32("the file size");
  link.iconIndex = static_cast<int32_t>(in.u32("the icon index"));
  uint32_t show = in.u32("the show command");
  // Values other than these three open the window normally.
  bool known = show == static_cast<uint32_t>(ShowCommand::Maximized) ||
               show == static_cast<uint32_t>(ShowCommand::MinimizedNoActivate);
  link.showCommand = known ? static_cast<ShowCommand>(show) : ShowCommand::Normal;
  uint16_t hotKey = in.u16("the hot key");
  link.hotKey.keyCode = static_cast<uint8_t>(hotKey & 0xFF);
  link.hotKey.modifiers = static_cast<uint8_t>(hotKey >> 8);
  in.skip(10, "the header");
}

std::string readCountedString(LinkByteReader& in, bool unicode, const char* what) {
  uint16_t count = in.u16(what);
  if (!unicode) return ansiToUtf8(in.bytes(count, what));
  std::u16string text;
  text.reserve(count);
  for (uint16_t i = 0; i < count; ++i) text += static_cast<char16_t>(in.u16(what));
  return utf16ToUtf8(text);
}

void readStringData(LinkByteReader& in, ShellLink& link) {
  bool unicode = (link.linkFlags & kIsUnicode) != 0;
  struct Field {
    LinkFlag flag;
    std::string ShellLink::*member;
    const char* what;
  };
  static constexpr std::array<Field, 5> kFields = {{
      {kHasName, &ShellLink::description, "the description"},
      {kHasRelativePath, &ShellLink::relativePath, "the relative path"},
      {kHasWorkingDir, &ShellLink::workingDir, "the working directory"},
      {kHasArguments, &ShellLink::arguments, "the arguments"},
      {kHasIconLocation, &ShellLink::iconLocation, "the icon location"},
  }};
  for (const Field& field : kFields)
    if (link.linkFlags & field.flag)
      link.*field.member = readCountedString(in, unicode, field.what);
}

// The environment block holds the target twice, in fixed-size ANSI and
// Unicode fields; the Unicode one is used when it is filled in.
std::string readEnvironmentTarget(LinkByteReader& block) {
  LinkByteReader ansi = block.window(kEnvironmentTargetChars, "the environment block");
  LinkByteReader unicode = block.window(kEnvironmentTargetChars * 2, "the environment block");
  std::u16string wide;
  while (unicode.remaining() >= 2) {
    char16_t unit = unicode.u16("the environment block");
    if (unit == 0) break;
    wide += unit;
  }
  if (!wide.empty()) return utf16ToUtf8(wide);
  std::string_view narrow = ansi.bytes(ansi.size(), "the environment block");
  return ansiToUtf8(narrow.substr(0, narrow.find('\0')));
}

void readExtraData(LinkByteReader& in, ShellLink& link) {
  // Links written by some tools end without the terminal block.
  while (in.remaining() > 0) {
    uint32_t size = in.u32("an extra data block size");
    if (size < kTerminalBlockLimit) return;
    if (size < 8) in.fail("Extra data block size " + std::to_string(size) + " is too small");
    LinkByteReader block = in.window(size - 4, "an extra data block");
    uint32_t signature = block.u32("an extra data block signature");
    if (signature == kEnvironmentBlockSignature && size >= kEnvironmentBlockSize)
      link.environmentTarget = readEnvironmentTarget(block);
  }
}

}  // namespace

ShellLink readShellLink(std::string_view bytes) {
  LinkByteReader in(bytes);
  ShellLink link;
  readHeader(in, link);
  std::optional<IdListPath> idListPath;
  if (link.linkFlags & kHasLinkTargetIdList) idListPath = readTargetIdList(in);
  if (link.linkFlags & kHasLinkInfo) {
    LinkInfoContents info = readLinkInfo(in);
    // ForceNoLinkInfo tells the shell to ignore a LinkInfo that is present.
    if (!(link.linkFlags & kForceNoLinkInfo)) {
      link.target = info.path;
      if (info.volume) link.volume = *info.volume;
    }
  }
  if (idListPath) {
    if (link.target.empty()) link.target = idListPath->longPath;
    link.targetShortPath = idListPath->shortPath;
  }
  readStringData(in, link);
  readExtraData(in, link);
  return link;
}

}  // namespace platform::shell
