// Entry names from any header bytes: the name field, the UTF-8 flag, the host
// that made the entry (or none, as in a local header), the extra area with
// its Unicode Path field, and whether the archive's names carry drive
// letters. Input: flags byte, host byte (0xFF: none), drive-letter byte, name
// length, the name field, then the extra area.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "archive/zip_entry_names.h"
#include "archive/zip_format.h"
#include "archive/zip_paths.h"
#include "archive/zip_unicode_path.h"
#include "platform/core/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint16_t flags = (data[0] & 1) ? archive::zipflag::kUtf8Names : 0;
  const std::optional<uint8_t> host =
      data[1] == 0xFF ? std::nullopt : std::optional<uint8_t>(data[1]);
  const bool driveLetters = data[2] & 1;
  const size_t nameLength = std::min<size_t>(data[3], size - 4);
  const std::string_view nameField(reinterpret_cast<const char*>(data + 4), nameLength);
  const archive::ExtraBytes extra(data + 4 + nameLength, size - 4 - nameLength);
  if (nameField.empty()) return 0;  // refused before decoding

  const std::string name = archive::decodeEntryName({nameField, flags, extra, host}, driveLetters);
  // Every character comes from at least one byte of the field it was read
  // from, and only an unmapped one becomes '_': a '?' must have been there.
  if (name.empty() || name.size() > std::max(nameField.size(), extra.size())) __builtin_trap();
  if (name.find('?') != std::string::npos && nameField.find('?') == std::string_view::npos &&
      std::string_view(reinterpret_cast<const char*>(extra.data()), extra.size()).find('?') ==
          std::string_view::npos)
    __builtin_trap();

  // What the writer stores for this name reads back as the same name.
  const archive::Bytes field = archive::unicodePathField(name);
  if (!field.empty()) {
    const archive::ExtraBytes fieldBytes(field);
    auto data7075 = archive::findExtraField(fieldBytes, archive::kUnicodePathExtraId);
    if (!data7075 || archive::unicodePathName(*data7075, name) != name) __builtin_trap();
  }

  // The same header in an archive beside one of the program's names, and the
  // path it would be extracted to.
  archive::ArchiveNames names;
  names.add({nameField, flags, extra, host});
  names.add({"C:/WINDOWS/win.ini", 0, {}, archive::ziphost::kMsDos});
  for (const std::string& decoded : names.decode()) {
    if (decoded.empty()) __builtin_trap();
    try {
      archive::extractionTarget(decoded, {"C:\\DEST", true, "C:\\"});
    } catch (const corvasta::Error&) {
    }
  }
  return 0;
}
