#include "platform/shell/shell_link_write.h"

#include <array>

#include "platform/core/codepage.h"
#include "platform/shell/link_bytes.h"
#include "platform/shell/link_format.h"
#include "platform/shell/link_id_list.h"
#include "platform/shell/link_info.h"
#include "platform/shell/link_text.h"
#include "platform/shell/shell_link_error.h"

namespace platform::shell {
namespace {

// Bits the writer decides itself: the parts present, and the extra data it
// does not write (Darwin, icon environment, shim, property store blocks).
constexpr uint32_t kWriterDecidedFlags =
    kHasLinkTargetIdList | kHasLinkInfo | kHasName | kHasRelativePath | kHasWorkingDir |
    kHasArguments | kHasIconLocation | kIsUnicode | kHasExpString | kHasDarwinId | kHasExpIcon |
    kRunWithShimLayer | kEnableTargetMetadata;
// Flag bits the format defines.
constexpr uint32_t kDefinedFlags = 0x07FFFFFF;
constexpr size_t kMaxCountedChars = 0xFFFF;

struct StringField {
  LinkFlag flag;
  const std::string& text;
  const char* name;
};

void writeHeader(LinkByteWriter& out, const ShellLink& link, uint32_t flags) {
  out.u32(kShellLinkHeaderSize);
  out.bytes(kShellLinkClsid);
  out.u32(flags);
  out.u32(link.fileAttributes);
  out.u64(link.creationTime);
  out.u64(link.accessTime);
  out.u64(link.writeTime);
  out.u32(link.fileSize);
  out.u32(static_cast<uint32_t>(link.iconIndex));
  out.u32(static_cast<uint32_t>(link.showCommand));
  out.u16(static_cast<uint16_t>(link.hotKey.keyCode | (link.hotKey.modifiers << 8)));
  out.zeros(10);
}

void writeCountedString(LinkByteWriter& out, const StringField& field, bool unicode) {
  if (unicode) {
    std::u16string text = utf8ToUtf16(field.text);
    if (text.size() > kMaxCountedChars)
      throw ShellLinkFormatError(std::string("Shortcut ") + field.name + " is too long");
    out.u16(static_cast<uint16_t>(text.size()));
    out.utf16(text);
  } else {
    std::string text = utf8ToAnsi(field.text);
    if (text.size() > kMaxCountedChars)
      throw ShellLinkFormatError(std::string("Shortcut ") + field.name + " is too long");
    out.u16(static_cast<uint16_t>(text.size()));
    out.bytes(text);
  }
}

void writeEnvironmentBlock(LinkByteWriter& out, std::string_view target) {
  std::string ansi = utf8ToAnsi(target);
  std::u16string wide = utf8ToUtf16(target);
  if (ansi.size() >= kEnvironmentTargetChars || wide.size() >= kEnvironmentTargetChars)
    throw ShellLinkFormatError("Shortcut environment target is too long");
  out.u32(kEnvironmentBlockSize);
  out.u32(kEnvironmentBlockSignature);
  out.bytes(ansi);
  out.zeros(kEnvironmentTargetChars - ansi.size());
  out.utf16(wide);
  out.zeros((kEnvironmentTargetChars - wide.size()) * 2);
}

}  // namespace

std::string writeShellLink(const ShellLink& link) {
  if (!link.target.empty() && !linkInfoCanHold(link.target))
    throw ShellLinkFormatError("Shortcut target \"" + link.target + "\" is not a full path");

  const std::array<StringField, 5> strings = {{
      {kHasName, link.description, "description"},
      {kHasRelativePath, link.relativePath, "relative path"},
      {kHasWorkingDir, link.workingDir, "working directory"},
      {kHasArguments, link.arguments, "arguments"},
      {kHasIconLocation, link.iconLocation, "icon location"},
  }};
  bool unicode = false;
  uint32_t flags = link.linkFlags & kDefinedFlags & ~kWriterDecidedFlags;
  for (const StringField& field : strings) {
    if (field.text.empty()) continue;
    flags |= field.flag;
    unicode = unicode || needsUnicode(field.text);
  }
  if (unicode) flags |= kIsUnicode;
  bool hasIdList = isDrivePath(link.target);
  if (hasIdList) flags |= kHasLinkTargetIdList;
  // Without an ID list only the LinkInfo can name a network target.
  if (!hasIdList) flags &= ~kForceNoLinkInfo;
  bool hasLinkInfo = !link.target.empty() && !(flags & kForceNoLinkInfo);
  if (hasLinkInfo) flags |= kHasLinkInfo;
  if (!link.environmentTarget.empty()) flags |= kHasExpString;

  LinkByteWriter out;
  writeHeader(out, link, flags);
  if (hasIdList) writeTargetIdList(out, link);
  if (hasLinkInfo) writeLinkInfo(out, link.target, link.volume);
  for (const StringField& field : strings)
    if (!field.text.empty()) writeCountedString(out, field, unicode);
  if (!link.environmentTarget.empty()) writeEnvironmentBlock(out, link.environmentTarget);
  out.u32(0);  // terminal block
  return out.take();
}

}  // namespace platform::shell
