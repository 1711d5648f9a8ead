#pragma once
// Samba's "user.DOSATTRIB" extended attribute: the DOS attributes and creation
// time of a file as Samba and the kernel SMB server keep them on Linux.
//
// The value is an NDR-encoded structure: a NUL-terminated hex string of the
// attributes ("0x20", empty in newer writers), a 16-bit version, the same
// version again as the union selector, then (4-byte aligned, little-endian)
// the fields of that version:
//   1: attrib, ea_size, size(8), alloc_size(8), create_time(8), change_time(8)
//   2: flags, then as 1, write_time(8), name
//   3: valid_flags, attrib, ea_size, size(8), alloc_size(8), create_time(8),
//      change_time(8)
//   4: valid_flags, attrib, itime(8), create_time(8)
//   5: valid_flags, attrib, create_time(8)
// The oldest writers stored only the hex string.
//
// We write version 3, which every Samba 4 release and the kernel server read.
// Its size and change_time fields (flagged valid) carry the archive stamp:
// Samba ignores them.

#include <string>
#include <string_view>

#include "platform/core/errors.h"
#include "platform/files/attribute_backend.h"

namespace platform {

class DosAttribFormatError : public corvasta::Error {
 public:
  using corvasta::Error::Error;
};

// Throws DosAttribFormatError for a value that is not a DOSATTRIB structure.
StoredAttributes decodeDosAttrib(std::string_view blob);
std::string encodeDosAttrib(const StoredAttributes& stored);

}  // namespace platform
