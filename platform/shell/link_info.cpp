#include "platform/shell/link_info.h"

#include "platform/shell/link_id_list.h"
#include "platform/shell/link_text.h"
#include "platform/shell/shell_link_error.h"

namespace platform::shell {
namespace {

constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x2;

// Header sizes: without and with the Unicode path offsets.
constexpr uint32_t kAnsiHeaderSize = 0x1C;
constexpr uint32_t kUnicodeHeaderSize = 0x24;
constexpr uint32_t kVolumeIdHeaderSize = 0x10;
constexpr uint32_t kVolumeIdUnicodeLabelMarker = 0x14;
constexpr uint32_t kNetworkLinkHeaderSize = 0x14;

// A zero-terminated string at `offset` inside `structure`.
std::string textAt(const LinkByteReader& structure, size_t offset, bool unicode, const char* what) {
  LinkByteReader at = structure.windowAt(offset, what);
  return readTextZ(at, unicode, what);
}

VolumeId readVolumeId(LinkByteReader structure) {
  uint32_t size = structure.u32("the VolumeID size");
  if (size <= kVolumeIdHeaderSize)
    structure.fail("VolumeID size " + std::to_string(size) + " is too small");
  structure.seek(0, "the VolumeID");
  LinkByteReader volumeId = structure.window(size, "the VolumeID");
  volumeId.skip(4, "the VolumeID");
  VolumeId volume;
  volume.driveType = static_cast<DriveType>(volumeId.u32("the drive type"));
  volume.serialNumber = volumeId.u32("the drive serial number");
  uint32_t labelOffset = volumeId.u32("the volume label offset");
  if (labelOffset == kVolumeIdUnicodeLabelMarker) {
    uint32_t unicodeOffset = volumeId.u32("the Unicode volume label offset");
    volume.label = textAt(volumeId, unicodeOffset, true, "the volume label");
  } else {
    volume.label = textAt(volumeId, labelOffset, false, "the volume label");
  }
  return volume;
}

// The share of a network target ("\\server\share").
std::string readNetworkName(LinkByteReader structure) {
  uint32_t size = structure.u32("the network link size");
  if (size < kNetworkLinkHeaderSize)
    structure.fail("Network link size " + std::to_string(size) + " is too small");
  structure.seek(0, "the network link");
  LinkByteReader link = structure.window(size, "the network link");
  link.skip(8, "the network link");  // size, flags
  uint32_t netNameOffset = link.u32("the net name offset");
  link.skip(8, "the network link");  // device name offset, provider type
  if (netNameOffset > kNetworkLinkHeaderSize) {
    uint32_t unicodeOffset = link.u32("the Unicode net name offset");
    return textAt(link, unicodeOffset, true, "the net name");
  }
  return textAt(link, netNameOffset, false, "the net name");
}

void writeVolumeId(LinkByteWriter& out, const VolumeId& volume) {
  bool unicodeLabel = needsUnicode(volume.label);
  LinkByteWriter body;
  body.u32(static_cast<uint32_t>(volume.driveType));
  body.u32(volume.serialNumber);
  if (unicodeLabel) {
    body.u32(kVolumeIdUnicodeLabelMarker);
    body.u32(kVolumeIdHeaderSize + 4);
  } else {
    body.u32(kVolumeIdHeaderSize);
  }
  writeTextZ(body, volume.label, unicodeLabel);
  out.u32(static_cast<uint32_t>(body.size() + 4));
  out.bytes(body.data());
}

void writeNetworkLink(LinkByteWriter& out, std::string_view share, bool unicode) {
  uint32_t headerSize = unicode ? kNetworkLinkHeaderSize + 8 : kNetworkLinkHeaderSize;
  LinkByteWriter names;
  writeTextZ(names, share, false);
  size_t unicodeNameOffset = headerSize + names.size();
  if (unicode) writeTextZ(names, share, true);
  out.u32(static_cast<uint32_t>(headerSize + names.size()));
  out.u32(0);  // no device name, no provider type
  out.u32(headerSize);
  out.u32(0);  // device name offset
  out.u32(0);  // provider type
  if (unicode) {
    out.u32(static_cast<uint32_t>(unicodeNameOffset));
    out.u32(0);
  }
  out.bytes(names.data());
}

struct SplitTarget {
  std::string_view base;    // the local path, or the share of a UNC path
  std::string_view suffix;  // the rest of a UNC path
};

// "\\server\share\dir\file" -> "\\server\share" and "dir\file".
std::optional<SplitTarget> splitUncPath(std::string_view target) {
  if (target.size() < 5 || target.substr(0, 2) != "\\\\") return std::nullopt;
  size_t serverEnd = target.find('\\', 2);
  if (serverEnd == std::string_view::npos || serverEnd == 2) return std::nullopt;
  size_t shareEnd = target.find('\\', serverEnd + 1);
  if (shareEnd == std::string_view::npos) shareEnd = target.size();
  if (shareEnd == serverEnd + 1) return std::nullopt;
  std::string_view rest = shareEnd < target.size() ? target.substr(shareEnd + 1) : "";
  // "\\server\share\" keeps its backslash in the share name: the reader
  // adds one only before a suffix.
  if (rest.empty()) return SplitTarget{target, ""};
  return SplitTarget{target.substr(0, shareEnd), rest};
}

}  // namespace

LinkInfoContents readLinkInfo(LinkByteReader& in) {
  LinkByteReader sizeField = in.windowAt(in.position(), "the LinkInfo");
  uint32_t size = sizeField.u32("the LinkInfo size");
  if (size < kAnsiHeaderSize) in.fail("LinkInfo size " + std::to_string(size) + " is too small");
  LinkByteReader info = in.window(size, "the LinkInfo");
  info.skip(4, "the LinkInfo");
  uint32_t headerSize = info.u32("the LinkInfo header size");
  if (headerSize != kAnsiHeaderSize && headerSize < kUnicodeHeaderSize)
    info.fail("LinkInfo header size " + std::to_string(headerSize) + " is not valid");
  uint32_t flags = info.u32("the LinkInfo flags");
  uint32_t volumeIdOffset = info.u32("the VolumeID offset");
  uint32_t localBasePathOffset = info.u32("the local base path offset");
  uint32_t networkLinkOffset = info.u32("the network link offset");
  uint32_t suffixOffset = info.u32("the path suffix offset");
  uint32_t localBasePathUnicodeOffset = 0;
  uint32_t suffixUnicodeOffset = 0;
  if (headerSize >= kUnicodeHeaderSize) {
    localBasePathUnicodeOffset = info.u32("the Unicode local base path offset");
    suffixUnicodeOffset = info.u32("the Unicode path suffix offset");
  }

  std::string suffix = suffixUnicodeOffset != 0
                           ? textAt(info, suffixUnicodeOffset, true, "the path suffix")
                           : textAt(info, suffixOffset, false, "the path suffix");
  LinkInfoContents contents;
  if (flags & kVolumeIdAndLocalBasePath) {
    contents.volume = readVolumeId(info.windowAt(volumeIdOffset, "the LinkInfo"));
    contents.path = localBasePathUnicodeOffset != 0
                        ? textAt(info, localBasePathUnicodeOffset, true, "the local base path")
                        : textAt(info, localBasePathOffset, false, "the local base path");
    contents.path += suffix;
  } else if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
    contents.path = readNetworkName(info.windowAt(networkLinkOffset, "the LinkInfo"));
    if (!suffix.empty()) {
      if (contents.path.empty() || contents.path.back() != '\\') contents.path += '\\';
      contents.path += suffix;
    }
  }
  return contents;
}

bool linkInfoCanHold(std::string_view target) {
  return isDrivePath(target) || splitUncPath(target).has_value();
}

void writeLinkInfo(LinkByteWriter& out, std::string_view target, const VolumeId& volume) {
  bool local = isDrivePath(target);
  SplitTarget split{target, ""};
  if (!local) {
    std::optional<SplitTarget> unc = splitUncPath(target);
    if (!unc)
      throw ShellLinkFormatError("Shortcut target \"" + std::string(target) +
                                 "\" is not a full path");
    split = *unc;
  }
  bool unicode = needsUnicode(target);
  uint32_t headerSize = unicode ? kUnicodeHeaderSize : kAnsiHeaderSize;

  // The parts after the header, with their offsets from the LinkInfo's start.
  LinkByteWriter parts;
  auto here = [&] { return static_cast<uint32_t>(headerSize + parts.size()); };
  uint32_t volumeIdOffset = 0, localBasePathOffset = 0, networkLinkOffset = 0;
  uint32_t localBasePathUnicodeOffset = 0, suffixUnicodeOffset = 0;
  if (local) {
    volumeIdOffset = here();
    writeVolumeId(parts, volume);
    localBasePathOffset = here();
    writeTextZ(parts, split.base, false);
  } else {
    networkLinkOffset = here();
    writeNetworkLink(parts, split.base, unicode);
  }
  uint32_t suffixOffset = here();
  writeTextZ(parts, split.suffix, false);
  if (unicode) {
    if (local) {
      localBasePathUnicodeOffset = here();
      writeTextZ(parts, split.base, true);
    }
    suffixUnicodeOffset = here();
    writeTextZ(parts, split.suffix, true);
  }

  out.u32(here());
  out.u32(headerSize);
  out.u32(local ? kVolumeIdAndLocalBasePath : kCommonNetworkRelativeLinkAndPathSuffix);
  out.u32(volumeIdOffset);
  out.u32(localBasePathOffset);
  out.u32(networkLinkOffset);
  out.u32(suffixOffset);
  if (unicode) {
    out.u32(localBasePathUnicodeOffset);
    out.u32(suffixUnicodeOffset);
  }
  out.bytes(parts.data());
}

}  // namespace platform::shell
