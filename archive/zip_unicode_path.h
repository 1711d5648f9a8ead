#pragma once
// Entry names between the program's ANSI code page and other systems' UTF-8.
// The name field keeps the ANSI bytes that the program's readers and old
// tools expect; names with characters beyond ASCII also carry Info-ZIP's
// Unicode Path extra field (ID 0x7075): version 1, the CRC-32 of the name
// field's bytes as stored, then the name in UTF-8. The CRC ties the field to
// its name field, so a tool that renames an entry without updating the field
// leaves a field that is recognised as stale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "archive/zip_bytes.h"
#include "archive/zip_extra_fields.h"

namespace archive {

constexpr uint16_t kUnicodePathExtraId = 0x7075;
constexpr uint8_t kUnicodePathVersion = 1;

// Whether a name has characters beyond ASCII, and so gets the field.
bool needsUnicodePath(std::string_view ansiName);

// The whole field (ID, length, data) for an ANSI name; empty for a name of
// ASCII characters only, which reads the same in every character set.
Bytes unicodePathField(const std::string& ansiName);

// The ANSI name a Unicode Path field's data gives, or nullopt when the field
// does not belong to nameField or is damaged: another version, a CRC that is
// not the name field's, malformed UTF-8, or no name at all. Characters
// without an ANSI form become kNoAnsiForm.
std::optional<std::string> unicodePathName(ExtraBytes field, std::string_view nameField);

}  // namespace archive
