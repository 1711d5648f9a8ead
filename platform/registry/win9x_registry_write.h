#pragma once
// Writing a key tree as a Windows 95/98/ME registry file (system.dat,
// user.dat, classes.dat).

#include <cstdint>
#include <vector>

#include "platform/core/errors.h"
#include "platform/registry/registry_tree.h"

namespace platform::registry {

// A tree that a Windows 9x registry file cannot hold; the message names the
// key or value and the limit.
class Win9xRegistryWriteError : public corvasta::Error {
 public:
  using corvasta::Error::Error;
};

// Writes a compact file as Windows builds it: the key tree with every entry
// inside its page, data blocks of at most 255 keys and 64 KB, a free entry
// and a free record at the end of each structure, all checksums valid.
//
// Names are converted to Windows-1252; value data is written as it is, so the
// tree must hold ANSI strings (`stringEncoding` Ansi). The NT-only parts of a
// key (last-write time, class name, security) are not stored. A root key
// with an empty name and no values has no data record, as in Windows' own
// files; a root with a name or values (a key saved to a file of its own) gets
// a record holding both (libcreg lists such a root only when it is named).
//
// Throws Win9xRegistryWriteError, and writes nothing, when the tree holds
// what Windows 9x cannot: empty key names or names
// with a backslash; names without a Windows-1252 form; two subkeys or two
// values of one key whose names differ only in case; a key whose name and
// values together exceed what one 64 KB data block holds (about 64 KB, which
// also bounds a single value's data); nesting deeper than 512 keys; more keys
// than the block numbering can reach (about 16.7 million).
std::vector<uint8_t> writeWin9xRegistry(const RegistryTree& tree);

}  // namespace platform::registry
