#include "platform/shell/link_id_list.h"

#include <array>
#include <vector>

#include "platform/core/dos_date_time.h"
#include "platform/shell/link_text.h"
#include "platform/shell/shell_link_error.h"

namespace platform::shell {
namespace {

// Root item of "My Computer" ({20D04FE0-3AEA-1069-A2D8-08002B30309D}).
constexpr uint8_t kRootFolderItem = 0x1F;
constexpr uint8_t kMyComputerSortIndex = 0x50;
constexpr std::string_view kMyComputerClsid(
    "\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 16);

// Item type classes (high nibble) and their flags.
constexpr uint8_t kTypeClassMask = 0x70;
constexpr uint8_t kVolumeClass = 0x20;
constexpr uint8_t kDriveItem = 0x2F;
constexpr uint8_t kFileEntryClass = 0x30;
constexpr uint8_t kFileEntryDirectory = 0x31;
constexpr uint8_t kFileEntryFile = 0x32;
constexpr uint8_t kFileEntryUnicode = 0x04;

// The root item is 20 bytes: size, type, sort index and the class identifier.
constexpr uint16_t kRootItemSize = 20;
// A drive item is 25 bytes: size, type, "C:\" and zero fill.
constexpr size_t kDriveItemSize = 25;
// Extension block in which Windows 2000 and XP store the long name.
constexpr uint32_t kFileEntryExtensionSignature = 0xBEEF0004;

// The MS-DOS date and time of a file entry; zero outside the DOS range. Like
// Windows, a time between two-second steps rounds up to the next one. The
// machine's time zone is not known here, so the item holds UTC where Windows
// would hold local time.
DosDateTime entryDosDateTime(uint64_t fileTime) {
  return fileTimeToDosDateTime(FileTime{fileTime}, DosSecondRounding::Up).value_or(DosDateTime{});
}

// Path components after the drive root ("C:\A\B" -> "A", "B").
std::vector<std::string_view> componentsAfterRoot(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 3;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

struct FileEntry {
  std::string_view longName;
  std::string_view shortName;
  bool directory = false;
  uint32_t size = 0;
  DosDateTime modified;
  uint16_t attributes = 0;
};

void writeFileEntry(LinkByteWriter& out, const FileEntry& entry) {
  bool unicode = needsUnicode(entry.longName) || needsUnicode(entry.shortName);
  LinkByteWriter item;
  uint8_t type = entry.directory ? kFileEntryDirectory : kFileEntryFile;
  item.u8(unicode ? type | kFileEntryUnicode : type);
  item.u8(0);
  item.u32(entry.size);
  item.u16(entry.modified.date);
  item.u16(entry.modified.time);
  item.u16(entry.attributes);
  writeTextZ(item, entry.longName, unicode);
  writeTextZ(item, entry.shortName, unicode);
  if (item.size() % 2 != 0) item.u8(0);
  if (item.size() + 2 > 0xFFFF)
    throw ShellLinkFormatError("Shortcut target has a path component too long for the ID list");
  out.u16(static_cast<uint16_t>(item.size() + 2));
  out.bytes(item.data());
}

struct FileEntryNames {
  std::string longName;
  std::string shortName;
};

// Offset of the long name inside the extension block, by its version.
size_t extensionLongNameOffset(uint16_t version) {
  if (version >= 9) return 0x2E;
  if (version == 8) return 0x2A;
  if (version == 7) return 0x26;
  return 0x12;
}

// The long name from a Windows 2000/XP extension block; the item's last two
// bytes give the block's offset from the start of the item.
std::optional<std::string> extensionLongName(const LinkByteReader& item) {
  if (item.size() < 2) return std::nullopt;
  LinkByteReader tail = item.windowAt(item.size() - 2, "a file entry item");
  size_t blockOffset = tail.u16("a file entry extension offset");
  // Offsets count from the item's size field, which the window leaves out.
  if (blockOffset < 2 || blockOffset - 2 >= item.size() - 2) return std::nullopt;
  LinkByteReader block = item.windowAt(blockOffset - 2, "a file entry extension");
  if (block.remaining() < 8) return std::nullopt;
  block.u16("a file entry extension size");
  uint16_t version = block.u16("a file entry extension version");
  if (block.u32("a file entry extension signature") != kFileEntryExtensionSignature || version < 3)
    return std::nullopt;
  block.seek(extensionLongNameOffset(version), "a file entry extension");
  return utf16ToUtf8(block.utf16z("a file entry long name"));
}

// Reads a file entry item positioned after its type byte.
FileEntryNames readFileEntry(LinkByteReader& item, uint8_t type) {
  bool unicode = (type & kFileEntryUnicode) != 0;
  item.skip(11, "a file entry item");  // reserved, size, date, time, attributes
  std::string primary = readTextZ(item, unicode, "a file entry name");
  if (auto longName = extensionLongName(item)) return {*longName, primary};
  // Windows 95 form: the long name, then the short name.
  if (item.remaining() < (unicode ? 2u : 1u)) return {primary, ""};
  return {primary, readTextZ(item, unicode, "a file entry short name")};
}

void appendComponent(std::string& path, std::string_view name) {
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += name;
}

// The path named by the items, or nothing when they are not My Computer,
// a drive and file entries.
std::optional<IdListPath> pathOfItems(std::vector<LinkByteReader>& items) {
  IdListPath path;
  bool haveDrive = false;
  bool shortNamesComplete = true;
  for (LinkByteReader& item : items) {
    uint8_t type = item.u8("an ID list item type");
    if (!haveDrive && type == kRootFolderItem) {
      item.skip(1, "a root folder item");
      if (item.bytes(16, "a root folder item") != kMyComputerClsid) return std::nullopt;
    } else if (!haveDrive && (type & kTypeClassMask) == kVolumeClass) {
      std::string_view drive = item.ansiz("a drive item");
      if (!isDrivePath(drive) || drive.size() != 3) return std::nullopt;
      path.longPath = path.shortPath = drive;
      haveDrive = true;
    } else if (haveDrive && (type & kTypeClassMask) == kFileEntryClass) {
      FileEntryNames names = readFileEntry(item, type);
      // A name with a backslash would change the path's components.
      if (names.longName.empty() || names.longName.find('\\') != std::string::npos ||
          names.shortName.find('\\') != std::string::npos)
        return std::nullopt;
      if (names.shortName.empty()) shortNamesComplete = false;
      appendComponent(path.longPath, names.longName);
      appendComponent(path.shortPath, names.shortName);
    } else {
      return std::nullopt;
    }
  }
  if (!haveDrive) return std::nullopt;
  if (!shortNamesComplete) path.shortPath.clear();
  return path;
}

}  // namespace

bool isDrivePath(std::string_view path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  char letter = path[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

void writeTargetIdList(LinkByteWriter& out, const ShellLink& link) {
  LinkByteWriter items;
  items.u16(kRootItemSize);
  items.u8(kRootFolderItem);
  items.u8(kMyComputerSortIndex);
  items.bytes(kMyComputerClsid);

  items.u16(kDriveItemSize);
  items.u8(kDriveItem);
  char letter = link.target[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  items.u8(static_cast<uint8_t>(letter));
  items.bytes(":\\");
  items.zeros(kDriveItemSize - 6);

  std::vector<std::string_view> names = componentsAfterRoot(link.target);
  std::vector<std::string_view> shortNames;
  if (isDrivePath(link.targetShortPath)) shortNames = componentsAfterRoot(link.targetShortPath);
  if (shortNames.size() != names.size()) shortNames.assign(names.size(), std::string_view());
  bool targetIsDirectory = (link.fileAttributes & kAttributeDirectory) != 0;
  for (size_t i = 0; i < names.size(); ++i) {
    FileEntry entry;
    entry.longName = names[i];
    entry.shortName = shortNames[i];
    if (i + 1 < names.size()) {
      entry.directory = true;
      entry.attributes = kAttributeDirectory;
    } else {
      entry.directory = targetIsDirectory;
      entry.size = link.fileSize;
      entry.modified = entryDosDateTime(link.writeTime);
      entry.attributes = static_cast<uint16_t>(link.fileAttributes);
    }
    writeFileEntry(items, entry);
  }
  items.u16(0);
  if (items.size() > 0xFFFF)
    throw ShellLinkFormatError("Shortcut target path is too long for the ID list");
  out.u16(static_cast<uint16_t>(items.size()));
  out.bytes(items.data());
}

std::optional<IdListPath> readTargetIdList(LinkByteReader& in) {
  uint16_t size = in.u16("the ID list size");
  LinkByteReader list = in.window(size, "the ID list");
  std::vector<LinkByteReader> items;
  for (;;) {
    uint16_t itemSize = list.u16("an ID list item size");
    if (itemSize == 0) break;
    if (itemSize < 3) list.fail("ID list item size " + std::to_string(itemSize) + " is too small");
    items.push_back(list.window(itemSize - 2u, "an ID list item"));
  }
  // An item whose content is not understood does not make the link
  // unreadable: the LinkInfo usually names the same target.
  try {
    return pathOfItems(items);
  } catch (const ShellLinkFormatError&) {
    return std::nullopt;
  }
}

}  // namespace platform::shell
